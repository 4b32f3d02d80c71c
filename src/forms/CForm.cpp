#include "forms/CForm.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <string_view>

#include "core/Format.h"
#include "core/NumberText.h"
#include "forms/FieldTexts.h"

namespace dralun {

namespace {

const std::vector<std::string> kNoItems;

} // namespace

CForm::CForm(const FormDescription& description, IMessageSink& sink) : m_description(description), m_sink(sink)
{
    if (m_description.computeButton != kNoComputeButton) {
        const ControlDef compute{m_description.computeButton, Ctl::Button, "Rechne"};
        AddControls({&compute, 1});
        On(Ev::Click, m_description.computeButton, [this] { OnCompute(); });
    }
    if (m_description.cancelText) {
        const ControlDef cancel{kIdCancel, Ctl::Button, m_description.cancelText};
        AddControls({&cancel, 1});
    }
}

CForm::CForm(int templateId, IMessageSink& sink) : m_sink(sink)
{
    const FormDescription* registered = RegisteredDescription(templateId);
    m_description = registered ? *registered : FormDescription{.templateId = templateId, .cancelText = nullptr};
}

CForm::~CForm() = default;

// ---- declaration -------------------------------------------------------

void CForm::AddField(FieldInfo info, Ref ref)
{
    ControlState& state = m_state[info.id];
    if (state.type == Ctl::Combo && info.kind == Kind::Text)
        info.kind = Kind::ChoiceText;
    if (info.kind == Kind::Check)
        state.type = Ctl::Check;
    state.readOnly = info.role == Role::Out;
    state.enabled = info.role != Role::Off;

    // The member takes its default when the form object is constructed.
    std::visit(
        [&](auto* member) {
            using T = std::remove_pointer_t<decltype(member)>;
            if constexpr (std::is_same_v<T, std::string>) {
                *member = info.def;
            } else if constexpr (std::is_same_v<T, int>) {
                *member = ClassicAtoi(info.def);
            } else {
                const auto value = ParseFieldNumber(info.def.empty() ? "0" : info.def);
                assert(value && "a field default must be a number");
                *member = static_cast<T>(value.value_or(0.0));
            }
        },
        ref);

    m_fieldInfo.push_back(std::move(info));
    m_refs.push_back(ref);
}

void CForm::BindField(FieldInfo info, double* member)
{
    info.kind = Kind::Number;
    AddField(std::move(info), member);
}

void CForm::BindField(FieldInfo info, float* member)
{
    info.kind = Kind::Single;
    AddField(std::move(info), member);
}

void CForm::BindField(FieldInfo info, std::string* member)
{
    info.kind = Kind::Text;
    AddField(std::move(info), member);
}

void CForm::BindField(FieldInfo info, int* member)
{
    info.kind = Kind::Check;
    AddField(std::move(info), member);
}

void CForm::AddControls(std::span<const ControlDef> controls)
{
    for (const ControlDef& def : controls) {
        ControlState& state = m_state[def.id];
        state.type = def.type;
        state.group = def.group;
        state.items = def.items;
        state.enabled = !def.initiallyDisabled;
        if (def.type != Ctl::Combo && def.type != Ctl::List)
            state.text = def.text;
        if (def.type == Ctl::Combo) {
            for (FieldInfo& info : m_fieldInfo)
                if (info.id == def.id && info.kind == Kind::Text)
                    info.kind = Kind::ChoiceText;
        }
        m_controlDefs.push_back(def);
    }
}

void CForm::On(Ev event, int id, std::function<void()> handler)
{
    m_handlers[{event, id}] = std::move(handler);
}


// ---- the user's side -----------------------------------------------------

void CForm::Open()
{
    BeginAction();
    UpdateData(false);
    OnInitDialog();
    EndAction();
}

void CForm::Dispatch(Ev event, int id)
{
    auto it = m_handlers.find({event, id});
    if (it != m_handlers.end())
        it->second();
    EndAction();
}


std::pair<CForm::ControlState*, Refusal> CForm::Usable(int id)
{
    ControlState* state = State(id);
    if (!state)
        return {nullptr, Refusal::UnknownControl};
    if (!state->enabled)
        return {nullptr, Refusal::Disabled};
    return {state, Refusal::None};
}

void CForm::SetEditText(int id, const std::string& text)
{
    if (ControlState* state = State(id))
        state->text = text;
}

Refusal CForm::Type(int id, const std::string& text)
{
    BeginAction();
    const auto [state, refused] = Usable(id);
    if (!state)
        return refused;
    switch (state->type) {
    case Ctl::Edit:
        if (state->readOnly || !FindField(id))
            return Refusal::NotEditable;
        state->text = text;
        return Refusal::None;
    case Ctl::Combo:
    case Ctl::List:
        for (size_t i = 0; i < state->items.size(); ++i)
            if (state->items[i] == text)
                return Select(id, static_cast<int>(i));
        return Refusal::BadValue;
    case Ctl::Check:
        if (text != "0" && text != "1")
            return Refusal::BadValue;
        if (state->checked != (text == "1"))
            return Click(id);
        return Refusal::None;
    default:
        return Refusal::WrongControl;
    }
}

Refusal CForm::Click(int id)
{
    BeginAction();
    if (id == kIdCancel) {
        Cancel();
        return Refusal::None;
    }
    const auto [state, refused] = Usable(id);
    if (!state)
        return refused;
    switch (state->type) {
    case Ctl::Radio:
        CheckRadio(id);
        break;
    case Ctl::Check:
        state->checked = !state->checked;
        break;
    case Ctl::Button:
    case Ctl::Step:
        break;
    default:
        return Refusal::WrongControl;
    }
    Dispatch(Ev::Click, id);
    return Refusal::None;
}

Refusal CForm::Leave(int id)
{
    BeginAction();
    if (!State(id))
        return Refusal::UnknownControl;
    Dispatch(Ev::Leave, id);
    return Refusal::None;
}

Refusal CForm::Select(int id, int index)
{
    BeginAction();
    ControlState* state = State(id);
    if (!state)
        return Refusal::UnknownControl;
    if (state->type != Ctl::List && state->type != Ctl::Combo)
        return Refusal::WrongControl;
    if (!state->enabled)
        return Refusal::Disabled;
    if (index < 0 || index >= static_cast<int>(state->items.size()))
        return Refusal::BadIndex;
    state->selection = index;
    Dispatch(Ev::SelChange, id);
    return Refusal::None;
}

Refusal CForm::DoubleClick(int id, int index)
{
    const Refusal selected = Select(id, index);
    if (selected != Refusal::None)
        return selected;
    Dispatch(Ev::DblClk, id);
    return Refusal::None;
}

void CForm::PressEnter()
{
    BeginAction();
    // Enter runs the default command; a form whose default command has no
    // control (the culvert's OK action) still runs its handler.
    const ControlState* state = State(m_defaultCommand);
    if (state && !state->enabled)
        return;
    Dispatch(Ev::Click, m_defaultCommand);
}

void CForm::Cancel() { m_closed = true; }

// ---- control state ---------------------------------------------------------

CForm::ControlState* CForm::State(int id)
{
    auto it = m_state.find(id);
    return it == m_state.end() ? nullptr : &it->second;
}

const CForm::ControlState* CForm::State(int id) const
{
    auto it = m_state.find(id);
    return it == m_state.end() ? nullptr : &it->second;
}

const FieldInfo* CForm::FindField(int id) const
{
    for (const FieldInfo& info : m_fieldInfo)
        if (info.id == id)
            return &info;
    return nullptr;
}

namespace {

// A name as it is typed without umlauts: "Überlauf" as "Ueberlauf".
std::string WithoutUmlauts(const std::string& name)
{
    static const std::pair<const char*, const char*> kLetters[] = {
        {"ä", "ae"}, {"ö", "oe"}, {"ü", "ue"}, {"Ä", "Ae"}, {"Ö", "Oe"}, {"Ü", "Ue"}, {"ß", "ss"}};
    std::string text = name;
    for (const auto& [letter, spelled] : kLetters)
        for (size_t at = text.find(letter); at != std::string::npos; at = text.find(letter, at))
            text.replace(at, std::string_view(letter).size(), spelled);
    return text;
}

} // namespace

const FieldInfo* CForm::FindFieldByName(const std::string& name) const
{
    for (const FieldInfo& info : m_fieldInfo)
        if (info.name == name)
            return &info;
    // A name with umlauts is found as typed without them too.
    for (const FieldInfo& info : m_fieldInfo)
        if (WithoutUmlauts(info.name) == name)
            return &info;
    return nullptr;
}

const ControlDef* CForm::FindControl(int id) const
{
    for (const ControlDef& def : m_controlDefs)
        if (def.id == id)
            return &def;
    return nullptr;
}

std::string CForm::Text(int id) const
{
    const ControlState* state = State(id);
    if (!state)
        return {};
    if (state->type == Ctl::Combo || state->type == Ctl::List) {
        if (state->selection >= 0 && state->selection < static_cast<int>(state->items.size()))
            return state->items[static_cast<size_t>(state->selection)];
        return {};
    }
    if (state->type == Ctl::Check)
        return state->checked ? "1" : "0";
    return state->text;
}

bool CForm::IsEnabled(int id) const
{
    const ControlState* state = State(id);
    return state && state->enabled;
}

bool CForm::IsChecked(int id) const
{
    const ControlState* state = State(id);
    return state && state->checked;
}

const std::vector<std::string>& CForm::Items(int id) const
{
    const ControlState* state = State(id);
    return state ? state->items : kNoItems;
}

int CForm::Selection(int id) const
{
    const ControlState* state = State(id);
    return state ? state->selection : -1;
}

std::optional<FocusRequest> CForm::TakeFocusRequest()
{
    std::optional<FocusRequest> focus = m_focus;
    m_focus.reset();
    return focus;
}

double CForm::Value(int id) const
{
    for (size_t i = 0; i < m_fieldInfo.size(); ++i) {
        if (m_fieldInfo[i].id != id)
            continue;
        const Ref& ref = m_refs[i];
        if (auto d = std::get_if<double*>(&ref))
            return **d;
        if (auto f = std::get_if<float*>(&ref))
            return static_cast<double>(**f);
        if (auto n = std::get_if<int*>(&ref))
            return **n;
        return std::nan("");
    }
    return std::nan("");
}

std::string CForm::ValueText(int id) const
{
    for (size_t i = 0; i < m_fieldInfo.size(); ++i) {
        if (m_fieldInfo[i].id != id)
            continue;
        const Ref& ref = m_refs[i];
        if (auto d = std::get_if<double*>(&ref))
            return std::isfinite(**d) ? FormatG15(**d) : kNotDeterminable;
        if (auto f = std::get_if<float*>(&ref))
            return std::isfinite(**f) ? FormatG6(**f) : kNotDeterminable;
        if (auto n = std::get_if<int*>(&ref))
            return std::to_string(**n);
        return *std::get<std::string*>(ref);
    }
    return {};
}

// ---- the calculator's tools ---------------------------------------------

void CForm::MessageBox(const std::string& text, MsgIcon icon, bool ofComputation)
{
    // One action of the user shows a message once, even when a handler reads
    // the fields twice (the culverts' mode update before the computation).
    for (const std::string& shown : m_shownInAction)
        if (shown == text)
            return;
    m_shownInAction.push_back(text);
    if (!ofComputation)
        m_fieldMessagesInAction.push_back(text);
    else if (m_action == m_computedInAction)
        m_computationMessages.push_back(text);
    m_sink.ShowMessage(text, icon);
}

void CForm::Enable(int id, bool enable)
{
    if (ControlState* state = State(id))
        state->enabled = enable;
}

void CForm::SetCheck(int id, bool checked)
{
    if (ControlState* state = State(id))
        state->checked = checked;
}

void CForm::CheckRadio(int id)
{
    ControlState* target = State(id);
    if (!target)
        return;
    for (auto& [otherId, state] : m_state)
        if (state.type == Ctl::Radio && state.group == target->group)
            state.checked = otherId == id;
}

void CForm::SetText(int id, const std::string& text)
{
    if (ControlState* state = State(id))
        state->text = text;
}

void CForm::ResetList(int id)
{
    if (ControlState* state = State(id)) {
        state->items.clear();
        state->selection = -1;
    }
}

void CForm::AddItem(int id, const std::string& item)
{
    if (ControlState* state = State(id))
        state->items.push_back(item);
}

void CForm::SetSelection(int id, int index)
{
    if (ControlState* state = State(id))
        state->selection = (index >= 0 && index < static_cast<int>(state->items.size())) ? index : -1;
}

void CForm::SetFocus(int id, bool selectAll) { m_focus = FocusRequest{id, selectAll}; }

// ---- refused computations ----------------------------------------------------

void CForm::BeginComputation()
{
    // Messages the same action showed before (a field that did not parse)
    // belong to this computation as well.
    m_computedInAction = m_action;
    m_computationMessages.clear();
    for (const std::string& shown : m_shownInAction)
        if (std::find(m_fieldMessagesInAction.begin(), m_fieldMessagesInAction.end(), shown) ==
            m_fieldMessagesInAction.end())
            m_computationMessages.push_back(shown);
    m_steps.clear();
    m_dataFiles.clear();
    m_refusal.clear();
    m_refusedFields.clear();
    m_withoutValue.clear();
    m_refusedWhole = false;
    m_staleMark.clear();
    m_verdict.reset();
}

void CForm::Refuse(const std::string& message, MsgIcon icon)
{
    RefuseWhole(message, true, icon);
}

void CForm::RefuseWhole(const std::string& message, bool show, MsgIcon icon)
{
    std::vector<int> ids;
    for (const FieldInfo& info : m_fieldInfo)
        if (info.role == Role::Out &&
            std::find(m_keptOnRefusal.begin(), m_keptOnRefusal.end(), info.id) == m_keptOnRefusal.end())
            ids.push_back(info.id);
    RefuseFields(message, std::move(ids), icon, show);
    m_refusedWhole = true;
    m_verdict.reset();
    OnRefusedWhole();
}

void CForm::RefuseFields(const std::string& message, std::vector<int> ids, MsgIcon icon, bool show)
{
    if (show)
        MessageBox(message, icon);
    for (size_t i = 0; i < m_fieldInfo.size(); ++i) {
        if (std::find(ids.begin(), ids.end(), m_fieldInfo[i].id) == ids.end())
            continue;
        std::visit(
            [](auto* member) {
                using T = std::remove_pointer_t<decltype(member)>;
                if constexpr (std::is_same_v<T, std::string>)
                    member->assign(1, '0');
                else
                    *member = 0;
            },
            m_refs[i]);
        WriteField(i);
    }
    if (!m_refusal.empty())
        m_refusal += "\n";
    m_refusal += message;
    for (int id : ids)
        if (std::find(m_refusedFields.begin(), m_refusedFields.end(), id) == m_refusedFields.end())
            m_refusedFields.push_back(id);
}

} // namespace dralun

namespace dralun {

void CForm::Record(CSteps& steps)
{
    m_steps = steps.TakeSteps();
    m_dataFiles = steps.TakeFiles();
}

namespace {

} // namespace

std::vector<FormChoice> CForm::Choices() const
{
    std::vector<FormChoice> choices;
    for (const ControlDef& c : m_controlDefs) {
        if (FindField(c.id))
            continue;
        const std::string group = GroupTitleOf(Layout(), c.id);
        if (c.type == Ctl::Radio && IsChecked(c.id))
            choices.push_back({c.id, group.empty() ? "Auswahl" : WithoutMnemonic(group), WithoutMnemonic(c.text)});
        else if (c.type == Ctl::Check)
            choices.push_back({c.id, WithoutMnemonic(c.text), IsChecked(c.id) ? "ja" : "nein"});
        else if ((c.type == Ctl::List || c.type == Ctl::Combo) && Selection(c.id) >= 0 &&
                 Selection(c.id) < static_cast<int>(Items(c.id).size()))
            choices.push_back({c.id, group.empty() ? "Auswahl" : WithoutMnemonic(group), Items(c.id)[Selection(c.id)]});
    }
    return choices;
}

} // namespace dralun
