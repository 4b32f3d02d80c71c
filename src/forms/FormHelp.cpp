#include "forms/FormHelp.h"

#include <cstddef>
#include <string_view>

// The pages of help/, as the build embedded them (cmake/EmbedHelp.cmake).
namespace dralun::help_embedded {
extern const std::size_t kPageCount;
extern const char* const kPageFiles[];
extern const unsigned char* const kPageTexts[];
extern const std::size_t kPageSizes[];
} // namespace dralun::help_embedded

namespace dralun {

namespace {

// The heading of the section that gives the fields their meanings, one line
// each: "1003 | Gefälle der Haltung".
constexpr std::string_view kFieldSection = "Felder";

std::string_view Trim(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// The number a text begins with (a page's file name: the form it belongs to,
// "130-rohr.txt"); 0 when it begins with none.
int LeadingNumber(std::string_view file)
{
    int form = 0;
    for (char c : file) {
        if (c < '0' || c > '9')
            break;
        form = form * 10 + (c - '0');
    }
    return form;
}

// "1003 | Gefälle der Haltung" into its id and meaning; false for a line of
// another shape.
bool ParseMeaning(std::string_view line, std::pair<int, std::string>& meaning)
{
    const auto bar = line.find('|');
    if (bar == std::string_view::npos)
        return false;
    const std::string_view id = Trim(line.substr(0, bar));
    const std::string_view text = Trim(line.substr(bar + 1));
    if (id.empty() || id.size() > 9 || id.find_first_not_of("0123456789") != std::string_view::npos || text.empty())
        return false;
    meaning = {LeadingNumber(id), std::string(text)};
    return true;
}

// A page: its title on the first line; sections under "## " headings, of
// paragraphs (lines joined until a blank line) and "- " items (an indented
// line goes on with the item); the section "Felder" of meaning lines.
FormHelp ParsePage(int form, std::string_view text)
{
    FormHelp help;
    help.form = form;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);

    std::string* body = nullptr; // the text of the current section
    bool inFields = false;
    enum class Block { None, Paragraph, Item } block = Block::None;
    auto startBlock = [&](Block kind) {
        if (!body->empty())
            *body += (kind == Block::Item && block == Block::Item) ? "\n" : "\n\n";
        block = kind;
    };

    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (raw.ends_with('\r'))
            raw.remove_suffix(1);
        const std::string_view line = Trim(raw);

        if (raw.starts_with("## ")) {
            const std::string heading(Trim(raw.substr(3)));
            inFields = heading == kFieldSection;
            body = nullptr;
            if (!inFields) {
                help.sections.emplace_back(heading, std::string());
                body = &help.sections.back().second;
            }
            block = Block::None;
        } else if (line.empty()) {
            if (body && block == Block::Paragraph)
                block = Block::None;
        } else if (help.title.empty() && !body && !inFields) {
            help.title = line;
        } else if (inFields) {
            std::pair<int, std::string> meaning;
            if (ParseMeaning(line, meaning))
                help.meanings.push_back(std::move(meaning));
        } else if (body) {
            if (line.starts_with("- ")) {
                startBlock(Block::Item);
                body->append("- ").append(Trim(line.substr(2)));
            } else if (block == Block::Paragraph || (block == Block::Item && raw != line)) {
                body->append(" ").append(line);
            } else {
                startBlock(Block::Paragraph);
                *body += line;
            }
        }
    }
    return help;
}

const std::vector<FormHelp>& Pages()
{
    static const std::vector<FormHelp> pages = [] {
        std::vector<FormHelp> all;
        for (std::size_t i = 0; i < help_embedded::kPageCount; ++i) {
            const int form = LeadingNumber(help_embedded::kPageFiles[i]);
            if (form == 0)
                continue;
            const char* bytes = reinterpret_cast<const char*>(help_embedded::kPageTexts[i]);
            all.push_back(ParsePage(form, std::string_view(bytes, help_embedded::kPageSizes[i])));
        }
        return all;
    }();
    return pages;
}

std::string Escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

const FormHelp* HelpOf(int templateId)
{
    for (const FormHelp& help : Pages())
        if (help.form == templateId)
            return &help;
    return nullptr;
}

std::string FieldMeaning(int templateId, int fieldId)
{
    if (const FormHelp* help = HelpOf(templateId))
        for (const auto& [id, meaning] : help->meanings)
            if (id == fieldId)
                return meaning;
    return {};
}

std::string HelpPageHtml(int templateId)
{
    const FormHelp* help = HelpOf(templateId);
    if (!help)
        return {};
    std::string html = "<h2>" + Escaped(help->title) + "</h2>\n";
    for (const auto& [heading, body] : help->sections) {
        html += "<h3>" + Escaped(heading) + "</h3>\n";
        bool inList = false;
        std::string_view rest = body;
        while (!rest.empty()) {
            const auto end = rest.find('\n');
            const std::string_view line = rest.substr(0, end);
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
            const bool item = line.starts_with("- ");
            if (inList && !item) {
                html += "</ul>\n";
                inList = false;
            }
            if (line.empty())
                continue;
            if (item) {
                if (!inList)
                    html += "<ul>\n";
                inList = true;
                html += "<li>" + Escaped(line.substr(2)) + "</li>\n";
            } else {
                html += "<p>" + Escaped(line) + "</p>\n";
            }
        }
        if (inList)
            html += "</ul>\n";
    }
    return html;
}

} // namespace dralun
