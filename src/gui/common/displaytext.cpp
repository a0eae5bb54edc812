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

QString Utf8Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::filesystem::path FileSystemPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

std::string LocaleDecimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

}  // namespace vantrel
