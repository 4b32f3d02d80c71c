#pragma once
// Table rows shared by the form tests: a press of a step button at a bound,
// an input that leaves no flow area, and inputs an infiltration form refuses.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/NumberText.h"
#include "forms/CForm.h"

namespace dralun::test {

// Typing `start` into `field`, computing, then pressing `button` shows `after`.
struct Step {
    const char* what;
    int field;
    const char* start;
    int button;
    const char* after;
};

// Typing `text` into `field` is refused with a reason that holds `messagePart`.
struct Refused {
    const char* what;
    int field;
    const char* text;
    const char* messagePart;
};

// Opens a fresh form, lets `prepare` set it up, types the start value, computes
// with `compute` so that the value is read, presses the step button.
template <class Form>
void ExpectStep(const Step& s, int compute, const std::function<void(Form&)>& prepare = {})
{
    CMessageLog log;
    Form form(log);
    form.Open();
    if (prepare)
        prepare(form);
    form.Type(s.field, s.start);
    form.Click(compute);
    form.Click(s.button);
    EXPECT_EQ(form.Text(s.field), s.after) << s.what;
}

// After a refused computation: the `cleared` results show 0, one exclamation
// gives the reason, and every field of `numbers` still holds a number.
inline void ExpectRefusedAndCleared(const CForm& form, const CMessageLog& log, const Refused& r,
                                    const std::vector<int>& cleared, const std::vector<int>& numbers)
{
    for (int id : cleared)
        EXPECT_EQ(form.Text(id), "0") << r.what << ", field " << id;
    ASSERT_EQ(log.Messages().size(), 1u) << r.what; // one message for one fault
    EXPECT_EQ(log.Messages().back().icon, MsgIcon::Exclamation);
    EXPECT_NE(form.RefusedBecause().find(r.messagePart), std::string::npos) << form.RefusedBecause();
    for (int id : numbers)
        EXPECT_TRUE(ParseFieldNumber(form.Text(id)).has_value()) << id << ": " << form.Text(id);
}

// Inputs typed into an infiltration form (in the spacing mode or the depth
// mode) and the messages that refuse them.
struct RefusedInputs {
    std::vector<std::pair<int, const char*>> typed;
    bool spacingMode;
    std::vector<std::string> messages;
};

// Chooses the mode, types the inputs, computes; the messages are the refusal
// and the inputs stand as typed.
inline void ExpectInputsRefused(CForm& form, const CMessageLog& log, const RefusedInputs& r, int spacingMode)
{
    if (r.spacingMode)
        form.Click(spacingMode);
    for (const auto& [id, text] : r.typed)
        form.Type(id, text);
    form.Click(kIdOk);
    EXPECT_EQ(log.Texts(), r.messages);
    for (const auto& [id, text] : r.typed)
        EXPECT_EQ(form.Text(id), text) << id;
}

} // namespace dralun::test
