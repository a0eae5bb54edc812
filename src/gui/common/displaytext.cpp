#include "gui/common/displaytext.h"

#include "core/eval/cp1252.h"

#include <QLocale>

namespace vantrel {

QString DecodeText(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes)
        *out++ = QChar(Cp1252ToUnicode(static_cast<std::uint8_t>(c)));
    return text;
}

std::filesystem::path FileSystemPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

std::optional<std::string> EncodeText(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t ch : text.toUcs4()) {
        const std::optional<std::uint8_t> byte = UnicodeToCp1252(ch);
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

std::string LocaleDecimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

}  // namespace vantrel
