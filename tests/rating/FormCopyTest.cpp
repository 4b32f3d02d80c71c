// A copy of a form computes rows without touching the form it was made
// from: neither its fields nor the files it writes in the data directory.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Constants.h"
#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "rating/FormCopy.h"
#include "rating/RatingSweep.h"
#include "OpenedFormTest.h"

namespace dralun {
namespace {

using FormCopyTest = test::OpenedFormTest;

TEST_F(FormCopyTest, OriginalFormIsUnchangedByATable)
{
    const auto form = Opened(130);
    ASSERT_EQ(form->Type(Id(*form, "DN"), "400"), Refusal::None);
    PressCompute(*form);
    std::vector<std::string> before;
    for (const FieldInfo& f : form->Fields())
        before.push_back(form->Text(f.id));

    RatingRequest request{Id(*form, "n"), 50, 500, 50, 0, {}};
    const RatingOutcome outcome = ComputeRatingTable(*form, request);
    ASSERT_EQ(outcome.problem, "");
    ASSERT_EQ(outcome.table.rows.size(), 10u);

    std::vector<std::string> after;
    for (const FieldInfo& f : form->Fields())
        after.push_back(form->Text(f.id));
    EXPECT_EQ(after, before);
    EXPECT_EQ(outcome.table.current, 100); // the default slope 1 : 100
}

TEST_F(FormCopyTest, FilesOfTheOpenFormKeepTheirBytes)
{
    struct Case {
        int form;
        const char* vary;
        double from, to, step;
        std::vector<const char*> files;
    };
    const Case cases[] = {
        {130, "n", 50, 1000, 50, {"Rohr.txt", "dump-rohr.txt"}},
        {170, "du", 100, 600, 50, {"dump-DrosselA111.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        const auto form = Opened(c.form);
        // Something the original alone wrote, so that a rewrite would show.
        for (const char* name : c.files)
            data.Write(name, std::string("der geöffneten Form\n") + name);
        std::vector<std::string> before;
        for (const char* name : c.files)
            before.push_back(data.Read(name));

        const RatingOutcome outcome = ComputeRatingTable(*form, {Id(*form, c.vary), c.from, c.to, c.step, 0, {}});
        ASSERT_EQ(outcome.problem, "");
        for (size_t i = 0; i < c.files.size(); ++i)
            EXPECT_EQ(data.Read(c.files[i]), before[i]) << c.files[i];
    }
}

TEST_F(FormCopyTest, CopySetsBackAnInputTheLastRowChanged)
{
    // Orifice: v = mu sqrt(2 g h) does not depend on Q. A row that varies h
    // leaves h typed; the next row, varying Q, must compute with the
    // original's h = 0.6 again.
    const auto form = Opened(171);
    CFormCopy copy(*form);
    ASSERT_EQ(copy.Problem(), "");
    const int v = Id(*form, "v");
    const CFormCopy::Outcome first = copy.Compute(Id(*form, "h"), 2.0, {v});
    EXPECT_NEAR(first.values[0], 0.67 * std::sqrt(2 * kG * 2.0), 1e-12);
    const CFormCopy::Outcome second = copy.Compute(Id(*form, "Q"), 30, {v});
    EXPECT_EQ(second.inputText, "30");
    EXPECT_NEAR(second.values[0], 0.67 * std::sqrt(2 * kG * 0.6), 1e-12);
    EXPECT_EQ(copy.Computations(), 2);
}

TEST_F(FormCopyTest, VariableFieldsAreTheEnabledNumberInputs)
{
    const auto form = Opened(130); // slope as 1 : n: the levels and I are locked
    std::vector<std::string> names;
    for (int id : VariableFieldIds(*form))
        names.push_back(form->FindField(id)->name);
    EXPECT_EQ(names, (std::vector<std::string>{"L", "kb", "n", "DN", "Q", "eta_max", "v_min", "hd_max"}));
    EXPECT_FALSE(IsVariableField(*form, Id(*form, "Qv")));
}

} // namespace
} // namespace dralun
