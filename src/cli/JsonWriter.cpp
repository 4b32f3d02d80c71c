#include "cli/JsonWriter.h"

#include "core/Format.h"

namespace dralun {

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                out += Format("\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
            else
                out += c;
        }
    }
    out += '"';
    return out;
}

} // namespace dralun
