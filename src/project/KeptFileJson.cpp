#include "project/KeptFileJson.h"

#include <array>

#include "core/Format.h"
#include "core/KeptFiles.h"
#include "core/Sha256.h"
#include "project/CalculationJson.h"

namespace dralun {

namespace {

using Json = ProjectJsonValue;

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool IsUtf8(const std::string& text)
{
    try {
        (void)Json(text).dump();
        return true;
    } catch (const nlohmann::json::type_error&) {
        return false;
    }
}

} // namespace

std::string Base64Encode(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 | static_cast<unsigned char>(bytes[i + 1]) << 8 |
                           static_cast<unsigned char>(bytes[i + 2]);
        for (int shift = 18; shift >= 0; shift -= 6)
            out += kAlphabet[(v >> shift) & 63];
    }
    if (i < bytes.size()) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool Base64Decode(std::string_view text, std::string* bytes)
{
    std::array<int, 256> value;
    value.fill(-1);
    for (int k = 0; k < 64; ++k)
        value[static_cast<unsigned char>(kAlphabet[k])] = k;
    if (text.size() % 4 != 0)
        return false;
    bytes->clear();
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const int pad = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
        if (pad == 1 && text[i + 2] == '=')
            return false; // "x=x=" is no padding
        unsigned v = 0;
        for (int k = 0; k < 4; ++k) {
            const int digit = k >= 4 - pad ? 0 : value[static_cast<unsigned char>(text[i + k])];
            if (digit < 0)
                return false;
            v = v << 6 | static_cast<unsigned>(digit);
        }
        bytes->push_back(static_cast<char>(v >> 16));
        if (pad < 2)
            bytes->push_back(static_cast<char>((v >> 8) & 255));
        if (pad < 1)
            bytes->push_back(static_cast<char>(v & 255));
    }
    return true;
}

Json KeptFileJson(const KeptDataFile& file)
{
    Json entry{{"name", file.name}, {"sha256", file.sha256}};
    if (file.content) {
        if (IsUtf8(*file.content))
            entry["content"] = *file.content;
        else
            entry["contentBase64"] = Base64Encode(*file.content);
    }
    return entry;
}

std::string ReadKeptContent(const Json& entry, KeptDataFile& file)
{
    const auto text = entry.find("content");
    const auto base64 = entry.find("contentBase64");
    if (text == entry.end() && base64 == entry.end())
        return {};
    const std::string what = "die Kopie der Datei \"" + Printable(file.name, 80) + "\"";
    if (!IsBareFileName(file.name))
        return what + " hat keinen Dateinamen";
    if (text != entry.end() && base64 != entry.end())
        return what + " steht zweimal im Projekt";
    const Json& member = text != entry.end() ? *text : *base64;
    if (!member.is_string())
        return what + " ist kein Text";
    const std::string& written = member.get_ref<const std::string&>();
    if (written.size() > (kLargestKeptFile + 2) / 3 * 4)
        return Format("%s ist mit %zu Zeichen zu groß", what.c_str(), written.size());
    auto bytes = std::make_shared<std::string>();
    if (text != entry.end())
        *bytes = written;
    else if (!Base64Decode(written, bytes.get()))
        return what + " ist nicht lesbar (kein Base64)";
    if (bytes->size() > kLargestKeptFile)
        return Format("%s ist mit %zu Bytes zu groß", what.c_str(), bytes->size());
    if (Sha256Hex(*bytes) != file.sha256)
        return what + " ist beschädigt: ihre Prüfsumme stimmt nicht mit der gespeicherten überein";
    file.content = std::move(bytes);
    return {};
}

} // namespace dralun
