#pragma once
// How a form's controls are arranged: a grid of items, where a group box holds
// a grid of its own. The Qt view builds its window from this description;
// nothing here knows about pixels.
#include <string>
#include <vector>

namespace dralun {

enum class Item {
    Field,   // the field's label and its edit control, in two columns
    Edit,    // the edit control of a field alone
    Label,   // static text
    Control, // a button, radio button, check box, step button or list
    Picture, // a drawn illustration; id names the picture
    Group,   // a group box with a grid of its own
    Panel,   // a grid of its own without a frame
    Drawn,   // the area in which the form draws its own text
    Stretch, // empty space that takes up what is left
};

enum class Align { Default, Left, Right, Center };

struct LayoutItem {
    Item type = Item::Label;
    int id = 0;
    std::string text;
    int row = 0;
    int col = 0;
    int rowSpan = 1;
    int colSpan = 1;
    std::vector<LayoutItem> children = {};
    Align align = Align::Default;
    int chars = 0; // width of an edit in characters (0: by the field's kind); least width of a stretch
    int lines = 0; // least height of a stretch in text lines
};

using FormLayout = std::vector<LayoutItem>;

inline LayoutItem FieldAt(int id, int row, int col, int chars = 0)
{
    return {Item::Field, id, {}, row, col, 1, 2, {}, Align::Default, chars};
}
inline LayoutItem EditAt(int id, int row, int col, int colSpan = 1, int chars = 0)
{
    return {Item::Edit, id, {}, row, col, 1, colSpan, {}, Align::Default, chars};
}
inline LayoutItem LabelAt(std::string text, int row, int col, int rowSpan = 1, int colSpan = 1,
                          Align align = Align::Default)
{
    return {Item::Label, 0, std::move(text), row, col, rowSpan, colSpan, {}, align};
}
inline LayoutItem ControlAt(int id, int row, int col, int rowSpan = 1, int colSpan = 1)
{
    return {Item::Control, id, {}, row, col, rowSpan, colSpan};
}
inline LayoutItem PictureAt(int pictureId, int row, int col, int rowSpan = 1, int colSpan = 1)
{
    return {Item::Picture, pictureId, {}, row, col, rowSpan, colSpan};
}
inline LayoutItem GroupAt(std::string title, int row, int col, int rowSpan, int colSpan,
                          std::vector<LayoutItem> children)
{
    return {Item::Group, 0, std::move(title), row, col, rowSpan, colSpan, std::move(children)};
}
inline LayoutItem PanelAt(int row, int col, int rowSpan, int colSpan, std::vector<LayoutItem> children)
{
    return {Item::Panel, 0, {}, row, col, rowSpan, colSpan, std::move(children)};
}
// The buttons of a form, one under the other at its right edge.
inline LayoutItem ButtonColumn(int row, int col, int rowSpan, std::vector<int> ids)
{
    std::vector<LayoutItem> children;
    for (size_t i = 0; i < ids.size(); ++i)
        children.push_back({Item::Control, ids[i], {}, static_cast<int>(i), 0});
    children.push_back({Item::Stretch, 0, {}, static_cast<int>(ids.size()), 0});
    return {Item::Panel, 0, {}, row, col, rowSpan, 1, std::move(children)};
}
inline LayoutItem DrawnAt(int row, int col, int rowSpan = 1, int colSpan = 1)
{
    return {Item::Drawn, 0, {}, row, col, rowSpan, colSpan};
}
inline LayoutItem StretchAt(int row, int col, int rowSpan = 1, int colSpan = 1, int chars = 0, int lines = 0)
{
    return {Item::Stretch, 0, {}, row, col, rowSpan, colSpan, {}, Align::Default, chars, lines};
}

// The title of the innermost group box that holds the control or field id;
// "" when none does.
std::string GroupTitleOf(const FormLayout& layout, int id);
// A control's text without the "&" that marks its mnemonic ("Gefälle &%").
std::string WithoutMnemonic(const std::string& text);

} // namespace dralun
