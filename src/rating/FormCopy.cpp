#include "rating/FormCopy.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "core/CDataDirectory.h"
#include "core/Format.h"
#include "core/NumberText.h"
#include "forms/ComputeButton.h"
#include "forms/FormLayout.h"
#include "forms/FormRegistry.h"
#include "rating/FormSettings.h"
#include "report/Report.h"

namespace dralun {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string FieldName(const FieldInfo& f)
{
    const std::string label = LabelWithoutUnit(WithoutMnemonic(f.label));
    return Format("\"%s\" (%d)", (label.empty() ? f.name : label).c_str(), f.id);
}

// Why the field did not take the text, as the project's reopening says it.
std::string TypingRefused(Refusal refusal, const FieldInfo& f, const std::string& text)
{
    if (refusal == Refusal::Disabled)
        return FieldName(f) + " ist gesperrt und nimmt \"" + text + "\" nicht an";
    if (refusal == Refusal::NotEditable)
        return FieldName(f) + " ist ein Ergebnisfeld";
    return FieldName(f) + " nimmt \"" + text + "\" nicht an";
}

// The message the form's field exchange shows for a number outside the
// field's range, or "" when the number lies inside. The form would read
// the fields only up to this one and compute with the rest of the last
// row; the row is refused instead.
std::string OutOfRange(const FieldInfo& f, double value)
{
    if (!f.range)
        return {};
    if (f.kind == Kind::Single) {
        const float v = static_cast<float>(value), lo = static_cast<float>(f.range->lo),
                    hi = static_cast<float>(f.range->hi);
        if (v >= lo && v <= hi)
            return {};
        return Format("Bitte geben Sie eine Zahl zwischen %.6g und %.6g ein.", static_cast<double>(lo),
                      static_cast<double>(hi));
    }
    if (value >= f.range->lo && value <= f.range->hi)
        return {};
    return Format("Bitte geben Sie eine Zahl zwischen %.15g und %.15g ein.", f.range->lo, f.range->hi);
}

// The value a typed text gives the field, or none where the field does not
// read it as a number (for a single-precision field: one beyond its range).
std::optional<double> TypedValue(const FieldInfo& f, const std::string& text)
{
    const std::optional<double> value = ParseFieldNumber(text);
    if (!value || (f.kind == Kind::Single && !std::isfinite(static_cast<float>(*value))))
        return std::nullopt;
    return value;
}

bool SameValue(const FieldInfo& f, const std::optional<double>& shown, double typed)
{
    if (!shown)
        return false;
    if (f.kind == Kind::Single)
        return static_cast<float>(*shown) == static_cast<float>(typed);
    return *shown == typed;
}

std::string Unwritable(const FieldInfo& f, double value)
{
    if (!std::isfinite(value))
        return "Der Wert für " + FieldName(f) + " ist keine endliche Zahl und lässt sich nicht eingeben.";
    if (f.kind == Kind::Single)
        return Format("Der Wert %.15g lässt sich nicht in %s eingeben: das Feld nimmt höchstens den Betrag %.6g an.",
                      value, FieldName(f).c_str(), static_cast<double>(std::numeric_limits<float>::max()));
    return Format("Der Wert %.15g lässt sich nicht in %s eingeben: auf 15 Stellen gerundet ist er keine Zahl mehr.",
                  value, FieldName(f).c_str());
}

// Whether a field's text is the value rounded to the text's decimals (a
// text with an exponent: to its 15 digits).
bool RoundsTo(double full, const std::string& text, double shown)
{
    if (!std::isfinite(full))
        return false;
    if (text.find_first_of("eE") != std::string::npos)
        return std::fabs(full - shown) <= 1e-14 * std::fabs(shown);
    const size_t point = text.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    return std::fabs(full - shown) <= 0.5 * std::pow(10.0, -decimals) + 1e-15 * std::fabs(shown);
}

// The full value behind a field's text: the verdict's number of the field's
// symbol, else the last step of its symbol and unit; the text's own value
// where neither is the value the text shows rounded.
double FullValue(const CForm& form, const FieldInfo& f, const std::string& text, double shown)
{
    if (!std::isfinite(shown))
        return shown;
    if (const std::optional<Verdict>& v = form.FormVerdict(); v && v->terms.unit == f.unit) {
        if (v->terms.limitSymbol == f.name && RoundsTo(v->limit, text, shown))
            return v->limit;
        if (v->terms.demandSymbol == f.name && RoundsTo(v->demand, text, shown))
            return v->demand;
    }
    const std::vector<CalcStep>& steps = form.Steps();
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        if (step->symbol == f.name && step->unit == f.unit)
            return RoundsTo(step->value, text, shown) ? step->value : shown;
    return shown;
}

// A new form of the kind with the settings set on it and computed, as a
// kept calculation is reopened, without its steps.
std::unique_ptr<CForm> Redo(int formId, const FormSettings& settings, CMessageLog& log, std::string& problem)
{
    const FormInfo* info = FindFormById(formId);
    if (!info) {
        problem = Format("unbekanntes Formular %d", formId);
        return nullptr;
    }
    std::unique_ptr<CForm> form = info->create(log);
    problem = SettingsProblemOn(*form, formId, settings);
    if (problem.empty()) {
        form->Open();
        problem = ApplySettings(*form, settings);
    }
    form->SetRecordingSteps(false);
    return form;
}

} // namespace

std::string NumberForField(const FieldInfo& field, double value)
{
    return field.kind == Kind::Single ? FormatG6(static_cast<float>(value)) : FormatG15(value);
}

bool IsVariableField(const CForm& form, int id)
{
    const FieldInfo* f = form.FindField(id);
    return f && f->role != Role::Out && (f->kind == Kind::Number || f->kind == Kind::Single) && form.IsEnabled(id);
}

std::vector<int> VariableFieldIds(const CForm& form)
{
    std::vector<int> ids;
    for (const FieldInfo& f : form.Fields())
        if (IsVariableField(form, f.id))
            ids.push_back(f.id);
    return ids;
}

CFormCopy::CFormCopy(const CForm& original)
{
    const CDiscardWrites discard;
    const FormSettings settings = SettingsOf(original);
    m_inputs = settings.inputs;
    m_form = Redo(original.TemplateId(), settings, m_log, m_problem);
}

CFormCopy::~CFormCopy()
{
    // A form may write its report file when it goes.
    const CDiscardWrites discard;
    m_form.reset();
}

std::vector<double> CFormCopy::ListedValues(int vary)
{
    const CDiscardWrites discard;
    if (!m_form || !m_problem.empty() || !m_form->FindField(vary))
        return {};
    CForm& form = *m_form;
    for (const ControlDef& list : form.Controls()) {
        if (list.type != Ctl::List)
            continue;
        std::vector<double> values;
        for (const std::string& item : form.Items(list.id))
            if (const std::optional<double> value = ParseFieldNumber(Trimmed(item)))
                values.push_back(*value);
        if (values.empty() || values.size() != form.Items(list.id).size())
            continue;
        // An entry other than the field's value, so that taking it shows.
        const std::optional<double> now = ParseFieldNumber(Trimmed(form.Text(vary)));
        const auto other = std::find_if(values.begin(), values.end(), [&](double v) { return !now || v != *now; });
        if (other == values.end())
            continue;
        const std::string before = form.Text(vary);
        const bool takes = form.DoubleClick(list.id, static_cast<int>(other - values.begin())) == Refusal::None &&
                           ParseFieldNumber(Trimmed(form.Text(vary))) == *other;
        form.Type(vary, before);
        if (form.IsClosed())
            return {};
        if (!takes)
            continue;
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        return values;
    }
    return {};
}

void CFormCopy::RecordSteps()
{
    m_recordSteps = true;
    if (m_form)
        m_form->SetRecordingSteps(true);
}

CFormCopy::Outcome CFormCopy::Compute(int vary, double value, const std::vector<int>& read)
{
    const CDiscardWrites discard;
    ++m_computations;
    Outcome out;
    out.texts.assign(read.size(), std::string());
    out.values.assign(read.size(), kNaN);
    out.fullValues.assign(read.size(), kNaN);
    out.leftOut.assign(read.size(), false);
    const FieldInfo* field = m_form ? m_form->FindField(vary) : nullptr;
    if (!m_form || !m_problem.empty() || !field) {
        out.refused = m_problem.empty() ? Format("das Formular hat kein Feld %d", vary) : m_problem;
        return out;
    }
    CForm& form = *m_form;
    m_log.Clear();

    // The inputs the last computation wrote over (a completed slope, a
    // field a mode fills) are typed back as the original shows them.
    for (const auto& [id, text] : m_inputs)
        if (id != vary && form.IsEnabled(id) && form.Text(id) != text)
            form.Type(id, text);

    const std::string typed = NumberForField(*field, value);
    const std::optional<double> typedValue = TypedValue(*field, typed);
    if (!typedValue) {
        // Typed, the text would not read as a number and the form would
        // compute with the value before it: the row is refused unseen.
        out.refused = Unwritable(*field, value);
        out.inputText = std::isfinite(value) ? FormatG15(value) : std::string();
        out.messages = m_log.Texts();
        return out;
    }
    if (const Refusal r = form.Type(vary, typed); r != Refusal::None)
        out.refused = TypingRefused(r, *field, typed);
    else if (std::string range = OutOfRange(*field, value); !range.empty())
        out.refused = std::move(range);
    else {
        PressCompute(form);
        out.verdict = form.FormVerdict();
        // A refusal of a part of the results leaves the rest standing: only
        // the fields it names have no value (the 0 the form shows is none).
        (form.RefusedWhole() ? out.refused : out.partly) = form.RefusedBecause();
    }
    out.inputText = Trimmed(form.Text(vary));
    if (out.refused.empty() && !SameValue(*field, ParseFieldNumber(out.inputText), *typedValue)) {
        // The form computed with another value than the one typed: its
        // results do not belong to this value.
        out.refused = FieldName(*field) + " zeigt nach der Berechnung \"" + out.inputText + "\" statt \"" + typed +
                      "\"; die Ergebnisse gehören nicht zu diesem Wert.";
        out.partly.clear();
        out.verdict.reset();
    }
    out.messages = m_log.Texts();
    const std::vector<int>& leftOut = form.RefusedFields();
    for (size_t i = 0; i < read.size(); ++i) {
        if (!out.partly.empty() && std::find(leftOut.begin(), leftOut.end(), read[i]) != leftOut.end()) {
            out.leftOut[i] = true;
            continue;
        }
        out.texts[i] = Trimmed(form.Text(read[i]));
        if (const std::optional<double> number = ParseFieldNumber(out.texts[i]))
            out.values[i] = *number;
        const FieldInfo* f = form.FindField(read[i]);
        out.fullValues[i] = f && out.refused.empty() ? FullValue(form, *f, out.texts[i], out.values[i]) : out.values[i];
    }

    if (form.IsClosed()) {
        // The computation closed the form: the next value gets a new copy,
        // with the modes and lists this one had and the original's inputs.
        FormSettings settings = SettingsOf(form);
        settings.inputs = m_inputs;
        m_form = Redo(form.TemplateId(), settings, m_log, m_problem);
        if (m_form)
            m_form->SetRecordingSteps(m_recordSteps);
        if (out.refused.empty()) {
            out.refused = "das Formular hat sich geschlossen";
            out.verdict.reset();
        }
    }
    return out;
}

} // namespace dralun
