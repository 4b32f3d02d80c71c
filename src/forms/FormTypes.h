#pragma once
// Vocabulary of the calculator forms: what a field is, which controls a form
// has, which user events reach its handlers.
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace dralun {

// Control ids with a fixed role in every form.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// How a bound edit control is used.
enum class Role {
    In,  // input field, the user types into it
    Off, // input field that the form creates disabled (enabled by a mode)
    Out, // result field, read-only
};

// What a field exchanges; follows from the member it is bound to.
enum class Kind {
    Number,     // double, written with %.15g
    Single,     // float, written with %.6g
    Text,       // string, unchanged
    ChoiceText, // string, the selected text of a drop-down list
    Check,      // int 0 or 1, a check box
};

enum class Ctl { Edit, Button, Radio, Check, Step, List, Combo };

enum class Ev { Click, Leave, SelChange, DblClk };

enum class MsgIcon { None, Exclamation, Information };

struct Range {
    double lo;
    double hi;
};

// One row of a form's field table. D is the form class; the member is the
// form's variable for this field.
template <class D>
struct Field {
    int id;
    const char* name;  // short name for scripts (dralun-calc)
    const char* label; // label on the form
    const char* unit;
    Role role;
    const char* def; // default, as the field would show it
    std::optional<Range> range;
    std::variant<double D::*, float D::*, std::string D::*, int D::*> member;
    int maxChars = 0; // choice text: longest accepted selection (0: any)
};

// The field as the framework keeps it, independent of the form class.
struct FieldInfo {
    int id = 0;
    std::string name;
    std::string label;
    std::string unit;
    Role role = Role::In;
    Kind kind = Kind::Number;
    std::string def;
    std::optional<Range> range = std::nullopt;
    int maxChars = 0;
};

// A control that is not an edit field: buttons, radio buttons, check boxes,
// step buttons, lists. Drop-down lists and check boxes may also be bound as
// fields; their texts and items are declared here.
struct ControlDef {
    int id;
    Ctl type;
    std::string text;
    int group = 0; // radio buttons of one group exclude each other
    std::vector<std::string> items = {};
    bool initiallyDisabled = false;
};

template <class D>
struct Handler {
    Ev event;
    int id;
    void (D::*fn)();
};

// The step buttons "+" and "-" beside a number field: "+" adds `step` to
// the form's variable while it is below `below`, "-" takes it away while it
// is above `above`.
template <class D>
struct Stepper {
    int plus;
    int minus;
    double D::*member;
    double step;
    double below;
    double above;
};

// Text that a form draws itself (not a control): x is pixels plus a number
// of character widths of the fixed-pitch font, y is pixels from the top.
struct DrawnText {
    int xPixels;
    int xChars;
    int y;
    std::string text;
};

// A choice of the user in words, for the calculation report.
struct FormChoice {
    int id;            // the control
    std::string label; // "Gefälle", a group's title
    std::string text;  // "als 1 : n", "ja"
};

// An entry of a list that the form points out (the smallest diameter that
// carries the discharge), with why.
struct ListMark {
    int list;
    int index;
    std::string note;
};

struct FocusRequest {
    int id;
    bool selectAll;
};

} // namespace dralun
