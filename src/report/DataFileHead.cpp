#include "report/DataFileHead.h"

#include "core/KostraImport.h"

namespace dralun {

namespace {

constexpr std::size_t kHeadLines = 9;     // the rainfall file's head
constexpr std::size_t kLongestHeadLine = 128; // characters: one read of the reader, its line feed not counted

// The line as UTF-8, every control character a blank, cut to its longest.
std::string Printable(std::string_view bytes)
{
    std::string line = KostraTextToUtf8(bytes);
    std::string out;
    std::size_t characters = 0;
    for (const char c : line) {
        const unsigned char u = static_cast<unsigned char>(c);
        const bool starts = (u & 0xc0) != 0x80;
        if (starts && ++characters > kLongestHeadLine)
            break;
        out += u < 0x20 || u == 0x7f ? ' ' : c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

} // namespace

std::vector<std::string> DataFileHead(const DataFileUse& file)
{
    std::vector<std::string> head;
    if (!file.content)
        return head;
    std::string_view text = *file.content;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    while (head.size() < kHeadLines && !text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == ' ' || line.front() == '\t')
            break;
        head.push_back(Printable(line));
    }
    return head;
}

} // namespace dralun
