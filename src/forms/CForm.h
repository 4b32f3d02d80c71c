#pragma once
// A calculator form without a window: it holds what the dialog's controls
// show (texts, check marks, list entries, enabled state, focus), the form's
// member variables with their binding list, and the handlers that the user's
// events start. The field exchange rules common to every calculator live
// here; each calculator adds its field table, controls, handlers and layout.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/CalcSteps.h"
#include "core/Verdict.h"
#include "forms/FormDescription.h"
#include "forms/FormInflow.h"
#include "forms/FormLayout.h"
#include "forms/FormTypes.h"
#include "forms/IMessageSink.h"

namespace dralun {

// What a user action can be refused for (the headless driver reports it).
enum class Refusal { None, UnknownControl, NotEditable, Disabled, WrongControl, BadIndex, BadValue };

class CForm {
public:
    virtual ~CForm();
    CForm(const CForm&) = delete;
    CForm& operator=(const CForm&) = delete;

    int TemplateId() const { return m_description.templateId; }
    std::string Title() const { return m_description.title; }
    // The form's own description: its title, its standard buttons, its
    // discharge field.
    const FormDescription& Description() const { return m_description; }
    virtual const FormLayout& Layout() const = 0;

    // The user's side. Open() writes the fields and runs the form's own
    // initialisation; the rest are what a user does with the controls.
    void Open();
    Refusal Type(int id, const std::string& text); // typing into an edit, choosing from a drop-down, ticking a box
    Refusal Click(int id);
    Refusal Leave(int id);
    Refusal Select(int id, int index);
    Refusal DoubleClick(int id, int index);
    void PressEnter();
    void Cancel();
    bool IsClosed() const { return m_closed; }

    // Typing as the window reports it: the edit's new text, nothing else.
    void SetEditText(int id, const std::string& text);

    // What the controls show.
    const std::vector<FieldInfo>& Fields() const { return m_fieldInfo; }
    const std::vector<ControlDef>& Controls() const { return m_controlDefs; }
    const FieldInfo* FindField(int id) const;
    // By the field's name; a name with umlauts ("Überlauf") is found as
    // typed without them ("Ueberlauf") too.
    const FieldInfo* FindFieldByName(const std::string& name) const;
    const ControlDef* FindControl(int id) const;
    bool HasControl(int id) const { return m_state.count(id) != 0; }
    std::string Text(int id) const;
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    const std::vector<std::string>& Items(int id) const;
    int Selection(int id) const;
    int DefaultCommand() const { return m_defaultCommand; }
    // The field whose text the form wants focused (and selected), once.
    std::optional<FocusRequest> TakeFocusRequest();
    // Text the form draws itself, for forms that draw.
    virtual std::vector<DrawnText> Drawn() const { return {}; }
    // A field's member as a number, for the pictures (NaN for text fields).
    double Value(int id) const;
    // A field's member formatted as it would be written.
    std::string ValueText(int id) const;
    // Why the last computation was refused for its inputs ("" when it went
    // through), and the result fields it left at 0. A picture says why
    // instead of drawing results that are not there.
    const std::string& RefusedBecause() const { return m_refusal; }
    const std::vector<int>& RefusedFields() const { return m_refusedFields; }
    // Whether the whole computation was refused (not only a part of it).
    bool RefusedWhole() const { return m_refusedWhole; }
    // Whether the field holds a value: false for a result field before the
    // first computation, for one the last computation left without a value
    // (refused, or a part of the results that does not exist, as the part
    // filling of an overloaded pipe) and for an input the mode completes
    // (a locked slope) that the last computation could not complete. Such a
    // field's text stays what the form always wrote ("0"); whoever shows it
    // to a person shows that there is no value. An input the user types
    // holds its value.
    bool Computed(int id) const;
    // Whether the field is an input that the form completes now (locked by
    // the mode, written by the computation): it reads as a result.
    bool CompletedByForm(int id) const;
    // Whether the results shown belong to the inputs shown: false once the
    // inputs, modes or boxes differ from those of the last computation, or
    // the form has been told that the data behind them changed, or nothing
    // has been computed yet. Such results are marked on the form and are
    // never reported, kept or printed as current.
    bool ResultsStale() const { return !StaleBecause().empty(); }
    // Why the results shown do not belong to the inputs ("" when they do).
    std::string StaleBecause() const;
    // Whether the form has results at all (fields the user cannot type into).
    bool HasResults() const;

    // For the calculation report: the method the form follows, the steps and
    // data files of the last computation, and the messages it showed.
    virtual std::string Method() const { return Title(); }
    // A line under the method that says what it is not ("" for none).
    virtual std::string MethodNote() const { return {}; }
    const std::vector<CalcStep>& Steps() const { return m_steps; }
    const std::vector<DataFileUse>& DataFiles() const { return m_dataFiles; }
    const std::vector<std::string>& ComputationMessages() const { return m_computationMessages; }
    // The verdict of the last computation: the form's criterion, decided.
    // None before a computation, after a refusal of the whole computation,
    // and in a form that states no criterion (see StatesVerdict).
    const std::optional<Verdict>& FormVerdict() const { return m_verdict; }
    // Whether the mode chosen uses the input: by default, whether the field
    // is enabled. A form that leaves a field enabled in a mode that does not
    // use it says so here.
    // A demand left at 0 (no check asked for) is not used either.
    virtual bool ModeUses(int id) const { return IsEnabled(id) && !(id == m_demandField && Value(id) == 0); }
    // Whether the form checks a criterion at all (a look-up table does not).
    virtual bool StatesVerdict() const { return false; }
    // The modes, check boxes and list entries a user chose, in words: a
    // radio button under its group's title, a check box with "ja" or
    // "nein", a list's selected entry.
    virtual std::vector<FormChoice> Choices() const;
    // List entries the form points out, as it stands.
    virtual std::vector<ListMark> ListMarks() const { return {}; }
    // The design discharge of the catchment ("Zufluss…"): Q in the unit of
    // the form's discharge field (see FormDescription::inflowField) typed into it as
    // a user types, and the table kept. Refused like typing (a form without
    // a discharge field: UnknownControl; Q refused: BadValue).
    Refusal TypeInflow(FormInflow inflow);
    // The table the discharge field's text was typed from; nullptr when
    // there is none or the field shows another text now.
    const FormInflow* Inflow() const;
    // The table of a kept calculation, once its fields show what was kept:
    // kept (true) when the discharge field shows the text typed from it and
    // the table gives that text again; else nothing is kept (false). Types
    // nothing.
    bool RestoreInflow(FormInflow inflow);

    // Whether computations record their steps (a rating table of many rows
    // does without).
    void SetRecordingSteps(bool record) { m_recordSteps = record; }
    bool RecordingSteps() const { return m_recordSteps; }

protected:
    // The form declares its "Rechne" button, its cancel button and the
    // computation "Rechne" runs (OnCompute) through its description alone.
    CForm(const FormDescription& description, IMessageSink& sink);
    // A form that declares its standard buttons and their handlers itself,
    // in its own tables; its description is the one the registry holds.
    CForm(int templateId, IMessageSink& sink);

    // The computation "Rechne" starts (see FormDescription::computeButton).
    virtual void OnCompute() {}

    // Declaration, from the constructor of the calculator.
    template <class D>
    void Bind(D* self, std::span<const Field<D>> fields);
    void BindField(FieldInfo info, double* member);
    void BindField(FieldInfo info, float* member);
    void BindField(FieldInfo info, std::string* member);
    void BindField(FieldInfo info, int* member);
    void AddControls(std::span<const ControlDef> controls);
    template <class D>
    void Connect(D* self, std::span<const Handler<D>> handlers);
    // A step button reads the fields first, so that nothing typed is lost,
    // and steps from the value as typed (one outside its range stays refused
    // until a step brings it back); it writes the fields and does not
    // compute.
    template <class D>
    void ConnectSteppers(D* self, std::span<const Stepper<D>> steppers);
    void On(Ev event, int id, std::function<void()> handler);
    void SetDefaultCommand(int id) { m_defaultCommand = id; }

    // The calculator's tools.
    virtual void OnInitDialog() {}
    // Reading reads every field and shows one message for all that fail:
    // a text that is not a number keeps the previous value, a number outside
    // its range is kept as typed (and a computation refuses it, see
    // ReadForComputation).
    bool UpdateData(bool saveAndValidate = true);
    // The read at the start of a computation (after BeginComputation): false
    // when a field holds a number outside its range; the computation is then
    // refused with the field and its range named, all fields are written and
    // the caller stops. A text that is not a number keeps the previous value
    // and the computation goes on with it, as the field shows it again.
    bool ReadForComputation();
    // The data behind the results changed without an input changing (a
    // rainfall file loaded anew): the results are marked until "Rechne".
    void MarkResultsStale(std::string reason) { m_staleMark = std::move(reason); }
    // Whether every number field was inside its range at the last read.
    bool InputsInRange() const { return m_rangeFailures.empty(); }
    // Whether the field's value is inside its range (true without a range).
    bool FieldInRange(int id) const;
    // ofComputation false: a message about typed text, not kept with the
    // computation's messages.
    void MessageBox(const std::string& text, MsgIcon icon = MsgIcon::Exclamation, bool ofComputation = true);
    void Enable(int id, bool enable);
    void SetCheck(int id, bool checked);
    void CheckRadio(int id); // checks id and clears the other buttons of its group
    void SetText(int id, const std::string& text);
    void ResetList(int id);
    void AddItem(int id, const std::string& item);
    void SetSelection(int id, int index);
    void SetFocus(int id, bool selectAll = false);

    // A computation begins: nothing is refused until it says so.
    void BeginComputation();
    // The computation is refused for its inputs: the message is shown (unless
    // it is empty, because the user has seen it already) and
    // every result field of the form is set to 0 (a text result to "0") and
    // written, so that no result of an earlier computation stands beside
    // inputs it does not belong to. The inputs are not touched.
    void Refuse(const std::string& message, MsgIcon icon = MsgIcon::Exclamation);
    // The same for a part of the results: only these fields are set to 0.
    void RefuseFields(const std::string& message, std::vector<int> ids, MsgIcon icon = MsgIcon::Exclamation,
                      bool show = true);
    // Result fields that follow the inputs rather than the computation (a
    // bank height that follows the water depth); a refusal leaves them.
    void KeepOnRefusal(std::vector<int> ids) { m_keptOnRefusal = std::move(ids); }
    // Called when a whole computation is refused, after the result fields
    // are set to 0: a form whose modes compute into an input field of the
    // other mode (b from h, h1 from I) clears that field here too.
    virtual void OnRefusedWhole() {}
    // Result fields the computation that is running leaves without a value
    // without refusing anything (a balance not computed yet); see Computed.
    void LeaveWithoutValue(std::vector<int> ids) { m_withoutValue = std::move(ids); }
    // The inputs a mode may lock and complete (the slopes that follow the
    // others); declared once, from the constructor.
    void CompletesInputs(std::vector<int> ids) { m_completable = std::move(ids); }
    // A completed input holds no value of the inputs (false) or holds one
    // again (true); see Computed.
    void SetCompleted(int id, bool completed);
    // The steps and data files of the computation that just ran.
    void Record(CSteps& steps);
    // The verdict of the computation that is running (before Record, so that
    // its step is recorded with the others).
    void SetVerdict(Verdict verdict) { m_verdict = std::move(verdict); }
    // The input holding the demand of the verdict, where the user types it
    // (0: no check).
    void SetDemandField(int id) { m_demandField = id; }

private:
    using Ref = std::variant<double*, float*, std::string*, int*>;
    struct ControlState {
        Ctl type = Ctl::Edit;
        std::string text;
        bool enabled = true;
        bool checked = false;
        bool readOnly = false;
        int group = 0;
        std::vector<std::string> items;
        int selection = -1;
    };

    void AddField(FieldInfo info, Ref ref);
    void BeginAction()
    {
        m_shownInAction.clear();
        m_fieldMessagesInAction.clear();
        ++m_action;
    }
    // Reads one field; on failure returns why, in the words of the message.
    struct ReadFailure {
        size_t index;
        bool outOfRange;
        std::string message;
    };
    std::optional<ReadFailure> ReadField(size_t index);
    std::vector<std::string> InputSnapshot() const;
    bool SameInputs(const std::vector<std::string>& a, const std::vector<std::string>& b) const;
    std::string FieldCaption(size_t index) const;
    std::string RangeFailureText(size_t index) const;
    bool MemberInRange(size_t index) const;
    void RefuseWhole(const std::string& message, bool show, MsgIcon icon = MsgIcon::Exclamation);
    void EndAction();
    void WriteField(size_t index);
    void Dispatch(Ev event, int id);
    ControlState* State(int id);
    const ControlState* State(int id) const;
    // The state of a control the user can act on (known and enabled), or
    // nullptr and why not.
    std::pair<ControlState*, Refusal> Usable(int id);

    FormDescription m_description;
    IMessageSink& m_sink;
    std::vector<FieldInfo> m_fieldInfo;
    std::vector<Ref> m_refs;
    std::vector<ControlDef> m_controlDefs;
    std::map<int, ControlState> m_state;
    std::map<std::pair<Ev, int>, std::function<void()>> m_handlers;
    std::optional<FocusRequest> m_focus;
    std::vector<std::string> m_shownInAction; // messages of the current user action
    std::vector<std::string> m_fieldMessagesInAction; // of those, the ones about typed text
    int m_defaultCommand = kIdOk;
    bool m_closed = false;
    std::string m_refusal;
    std::vector<int> m_refusedFields;
    bool m_refusedWhole = false;
    std::vector<int> m_keptOnRefusal;
    std::vector<int> m_withoutValue; // results the running computation leaves without a value
    std::vector<int> m_completable;  // inputs a mode completes
    std::vector<int> m_notCompleted; // of those, the ones holding no value now
    std::vector<CalcStep> m_steps;
    std::vector<DataFileUse> m_dataFiles;
    std::vector<std::string> m_computationMessages;
    std::optional<Verdict> m_verdict;
    int m_demandField = 0;
    std::optional<FormInflow> m_inflow;
    long m_action = 0;            // counts the user's actions
    long m_computedInAction = -1; // the action in which the last computation ran
    bool m_recordSteps = true;
    std::vector<std::string> m_rangeFailures; // fields outside their range at the last read
    bool m_computedOnce = false;
    std::vector<std::string> m_inputsComputed; // the inputs as the last computation left them
    std::string m_staleMark;      // why the data behind the results changed since
};

template <class D>
void CForm::Bind(D* self, std::span<const Field<D>> fields)
{
    for (const Field<D>& f : fields) {
        FieldInfo info{f.id, f.name, f.label, f.unit, f.role, Kind::Number, f.def ? f.def : "", f.range,
                       f.maxChars};
        std::visit([&](auto member) { BindField(std::move(info), &(self->*member)); }, f.member);
    }
}

template <class D>
void CForm::Connect(D* self, std::span<const Handler<D>> handlers)
{
    for (const Handler<D>& h : handlers)
        On(h.event, h.id, [self, fn = h.fn] { (self->*fn)(); });
}

template <class D>
void CForm::ConnectSteppers(D* self, std::span<const Stepper<D>> steppers)
{
    for (const Stepper<D>& s : steppers) {
        On(Ev::Click, s.plus, [this, value = &(self->*s.member), s] {
            UpdateData(true);
            if (*value < s.below)
                *value += s.step;
            UpdateData(false);
        });
        On(Ev::Click, s.minus, [this, value = &(self->*s.member), s] {
            UpdateData(true);
            if (*value > s.above)
                *value -= s.step;
            UpdateData(false);
        });
    }
}

} // namespace dralun
