#include "forms/CForm.h"

#include <cmath>

#include "core/Format.h"
#include "core/NumberText.h"
#include "core/TextCase.h"
#include "forms/FieldTexts.h"

// The exchange of the fields with the form's variables: reading what the
// user typed (with the one message for every field that cannot be read)
// and writing the variables back in the fields' own number format.
namespace dralun {

namespace {

// Whether a number's text has more digits before its exponent than a field
// written with that many significant digits keeps (leading zeros count, so
// the answer errs on the side of rounding).
bool MoreDigitsThan(const std::string& text, int digits)
{
    int count = 0;
    for (char c : text) {
        if (c == 'e' || c == 'E')
            break;
        count += c >= '0' && c <= '9';
    }
    return count > digits;
}

} // namespace

bool CForm::UpdateData(bool saveAndValidate)
{
    if (!saveAndValidate) {
        for (size_t i = 0; i < m_fieldInfo.size(); ++i)
            WriteField(i);
        return true;
    }
    // Every field is read, so that one message names every field that fails
    // and no typed value is left unread behind the first failure.
    // A field the current mode has locked is read as well, but the user can
    // neither see it in use nor change it: what fails there (a text left from
    // another mode) is neither reported nor a reason to refuse.
    std::vector<ReadFailure> failures;
    for (size_t i = 0; i < m_fieldInfo.size(); ++i)
        if (std::optional<ReadFailure> failure = ReadField(i); failure && IsEnabled(m_fieldInfo[i].id))
            failures.push_back(std::move(*failure));
    m_rangeFailures.clear();
    if (failures.empty())
        return true;

    std::string message;
    if (failures.size() == 1) {
        message = failures.front().message;
    } else {
        message = "Bitte prüfen Sie diese Eingaben:";
        for (const ReadFailure& f : failures) {
            std::string text = f.message;
            for (char& c : text)
                if (c == '\n')
                    c = ' ';
            message.append("\n").append(FieldCaption(f.index)).append(": ").append(text);
        }
    }
    // A text that is not a number leaves the previous value, which may be
    // one the form refused before: it is no more usable now.
    for (const ReadFailure& f : failures)
        if (f.outOfRange || !MemberInRange(f.index))
            m_rangeFailures.push_back(RangeFailureText(f.index));
    // The message is about text typed into the fields, not about the
    // computation: a kept calculation redone from the fields as they show
    // afterwards has no such text (a refused range says why in its refusal).
    MessageBox(message, MsgIcon::Exclamation, false);
    SetFocus(m_fieldInfo[failures.front().index].id, true);
    return false;
}

bool CForm::ReadForComputation()
{
    UpdateData(true);
    if (m_rangeFailures.empty())
        return true;
    std::string reason;
    for (const std::string& failure : m_rangeFailures)
        reason.append(reason.empty() ? "" : "\n").append(failure);
    // The user has just seen the message of the read; the refusal says the
    // same once more where the results would stand, not in a second box.
    RefuseWhole(reason, false);
    UpdateData(false);
    return false;
}

// The field as a message names it: its label without the mnemonic, with its
// short name where another field has the same label.
std::string CForm::FieldCaption(size_t index) const
{
    const FieldInfo& info = m_fieldInfo[index];
    std::string label = WithoutMnemonic(info.label);
    if (label.empty())
        return std::string("„").append(info.name).append("“");
    int sameLabel = 0;
    for (const FieldInfo& other : m_fieldInfo)
        sameLabel += other.label == info.label;
    if (sameLabel > 1)
        label += " (" + info.name + ")";
    return std::string("„").append(label).append("“");
}

bool CForm::FieldInRange(int id) const
{
    for (size_t i = 0; i < m_fieldInfo.size(); ++i)
        if (m_fieldInfo[i].id == id)
            return MemberInRange(i);
    return true;
}

bool CForm::MemberInRange(size_t index) const
{
    const FieldInfo& info = m_fieldInfo[index];
    if (!info.range)
        return true;
    const Ref& ref = m_refs[index];
    if (auto d = std::get_if<double*>(&ref))
        return **d >= info.range->lo && **d <= info.range->hi;
    if (auto f = std::get_if<float*>(&ref))
        return **f >= static_cast<float>(info.range->lo) && **f <= static_cast<float>(info.range->hi);
    return true;
}

std::string CForm::RangeFailureText(size_t index) const
{
    const FieldInfo& info = m_fieldInfo[index];
    const bool single = info.kind == Kind::Single;
    auto number = [single](double v) { return single ? FormatG6(static_cast<float>(v)) : FormatG15(v); };
    std::string unit = info.unit == "-" || info.unit == "1" ? std::string() : " " + info.unit;
    return FieldCaption(index) + " = " + ValueText(info.id) + unit +
           " liegt außerhalb des zulässigen Bereichs " + number(info.range->lo) + " bis " + number(info.range->hi) +
           unit + ".";
}

std::optional<CForm::ReadFailure> CForm::ReadField(size_t index)
{
    const FieldInfo& info = m_fieldInfo[index];
    ControlState& state = m_state[info.id];
    const Ref& ref = m_refs[index];

    auto fail = [&](const std::string& message, bool outOfRange = false) {
        return std::optional<ReadFailure>(ReadFailure{index, outOfRange, message});
    };

    switch (info.kind) {
    case Kind::Text:
        *std::get<std::string*>(ref) = state.text;
        return std::nullopt;
    case Kind::ChoiceText: {
        const std::string text =
            (state.selection >= 0 && state.selection < static_cast<int>(state.items.size()))
                ? state.items[static_cast<size_t>(state.selection)]
                : std::string();
        *std::get<std::string*>(ref) = text;
        if (info.maxChars > 0 && static_cast<int>(text.size()) > info.maxChars)
            return fail(Format("Bitte geben Sie höchstens %d Zeichen ein.", info.maxChars));
        return std::nullopt;
    }
    case Kind::Check:
        *std::get<int*>(ref) = state.checked ? 1 : 0;
        return std::nullopt;
    case Kind::Number:
    case Kind::Single:
        break;
    }

    const std::optional<double> parsed = ParseFieldNumber(state.text);
    bool single = info.kind == Kind::Single;
    bool valid = parsed.has_value() && (!single || std::isfinite(static_cast<float>(*parsed)));
    if (!valid) {
        // A result field is written only by the program; what it shows when
        // its value could not be determined is not a user error.
        if (info.role == Role::Out)
            return std::nullopt;
        // The hint on the separator only where the text has a comma.
        if (state.text.find(',') != std::string::npos)
            return fail("Bitte geben Sie eine Zahl ein.\nDezimaltrennzeichen ist der Punkt, nicht das Komma.");
        return fail("Bitte geben Sie eine Zahl ein.");
    }

    // The value used is the value the field shows once written back (%.15g,
    // %.6g): a number typed with more digits than the field keeps computes
    // exactly as the number it then shows, and so does the same calculation
    // typed anew from what it shows.
    double value = *parsed;
    if (single) {
        const float f = static_cast<float>(
            MoreDigitsThan(state.text, 6) ? ParseFieldNumber(FormatG6(static_cast<float>(value))).value_or(value) : value);
        *std::get<float*>(ref) = f;
        if (info.range && (f < static_cast<float>(info.range->lo) || f > static_cast<float>(info.range->hi)))
            return fail(Format("Bitte geben Sie eine Zahl zwischen %.6g und %.6g ein.",
                               static_cast<double>(static_cast<float>(info.range->lo)),
                               static_cast<double>(static_cast<float>(info.range->hi))),
                        true);
        return std::nullopt;
    }
    if (MoreDigitsThan(state.text, 15))
        value = ParseFieldNumber(FormatG15(value)).value_or(value);
    *std::get<double*>(ref) = value;
    if (info.range && (value < info.range->lo || value > info.range->hi))
        return fail(Format("Bitte geben Sie eine Zahl zwischen %.15g und %.15g ein.", info.range->lo,
                           info.range->hi),
                    true);
    return std::nullopt;
}

void CForm::WriteField(size_t index)
{
    const FieldInfo& info = m_fieldInfo[index];
    ControlState& state = m_state[info.id];
    const Ref& ref = m_refs[index];

    switch (info.kind) {
    case Kind::Number: {
        const double v = *std::get<double*>(ref);
        state.text = std::isfinite(v) ? FormatG15(v) : kNotDeterminable;
        break;
    }
    case Kind::Single: {
        const float v = *std::get<float*>(ref);
        state.text = std::isfinite(v) ? FormatG6(v) : kNotDeterminable;
        break;
    }
    case Kind::Text:
        state.text = *std::get<std::string*>(ref);
        break;
    case Kind::ChoiceText: {
        // Selects the first entry that begins with the text; without one the
        // selection stays as it is.
        const std::string& text = *std::get<std::string*>(ref);
        for (size_t i = 0; i < state.items.size(); ++i) {
            if (StartsWithIgnoringCase(state.items[i], text)) {
                state.selection = static_cast<int>(i);
                break;
            }
        }
        break;
    }
    case Kind::Check:
        state.checked = *std::get<int*>(ref) != 0;
        break;
    }
}

} // namespace dralun
