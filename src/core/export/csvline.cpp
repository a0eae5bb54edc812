#include "core/export/csvline.h"

namespace vantrel {

void AppendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n;\t") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void AppendTsvField(std::string& out, std::string_view field) {
    for (const char c : field)
        out += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
}

void AppendCsvLine(std::string& out, std::span<const std::string_view> fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendCsvField(out, fields[i]);
    }
    out += "\r\n";
}

}  // namespace vantrel
