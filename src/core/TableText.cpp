#include "core/TableText.h"

namespace dralun {

namespace {

bool IsLineEnd(char c) { return c == '\0' || c == '\n' || c == '\r'; }

} // namespace

bool ReadTableLine(std::FILE* file, char* buffer, int size)
{
    if (!file || size < 1)
        return false;
    int n = 0;
    while (n < size - 1) {
        int c = std::getc(file);
        if (c == EOF)
            break;
        if (c == '\r') {
            const int next = std::getc(file);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                std::ungetc(next, file);
        }
        buffer[n++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    buffer[n] = '\0';
    return n > 0;
}

bool ReadTableLine(std::string_view& text, char* buffer, int size)
{
    if (size < 1)
        return false;
    int n = 0;
    size_t at = 0;
    while (n < size - 1 && at < text.size()) {
        char c = text[at++];
        if (c == '\r' && at < text.size() && text[at] == '\n') {
            c = '\n';
            ++at;
        }
        buffer[n++] = c;
        if (c == '\n')
            break;
    }
    text.remove_prefix(at);
    buffer[n] = '\0';
    return n > 0;
}

std::string TableColumn(const char* line, int n)
{
    const char* p = line;
    for (int column = 1;; ++column) {
        while (*p == ' ')
            ++p;
        if (IsLineEnd(*p))
            return {};
        const char* start = p;
        while (*p != ' ' && !IsLineEnd(*p))
            ++p;
        if (column == n)
            return std::string(start, p);
    }
}

} // namespace dralun
