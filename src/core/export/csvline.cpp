#include "core/export/csvline.h"

namespace vantrel {

namespace {

// A comma, quote or line break would split or end the field; a semicolon or tab would in
// readers set to those separators. A plain loop: find_first_of calls memchr once a
// character, which made it the largest cost of an export.
bool NeedsQuotes(std::string_view field) {
    for (const char c : field) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n' || c == ';' || c == '\t')
            return true;
    }
    return false;
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view field) {
    if (!NeedsQuotes(field)) {
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
