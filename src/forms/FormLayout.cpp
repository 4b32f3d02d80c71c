#include "forms/FormLayout.h"

namespace dralun {

namespace {

bool FindGroupTitle(const std::vector<LayoutItem>& items, int id, const std::string& group, std::string& title)
{
    for (const LayoutItem& item : items) {
        if ((item.type == Item::Control || item.type == Item::Field || item.type == Item::Edit) && item.id == id) {
            title = group;
            return true;
        }
        if ((item.type == Item::Group || item.type == Item::Panel) &&
            FindGroupTitle(item.children, id, item.type == Item::Group ? item.text : group, title))
            return true;
    }
    return false;
}

} // namespace

std::string WithoutMnemonic(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] != '&')
            continue;
        out += text[i];
    }
    return out;
}

std::string GroupTitleOf(const FormLayout& layout, int id)
{
    std::string title;
    FindGroupTitle(layout, id, "", title);
    return title;
}

} // namespace dralun
