// A computation that a form refuses for its inputs leaves no result of an
// earlier computation standing: after a good computation the inputs are
// made implausible, and every result field the refused computation would
// have written shows 0, the inputs stay as typed, and the form says why.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/Format.h"
#include "core/NumberText.h"
#include "forms/CDitchDlg.h"
#include "forms/CForm.h"
#include "forms/CGutterDlg.h"
#include "forms/CTimeCoefficientDlg.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::HasSubstr;

struct RefusalCase {
    const char* what;
    int form;
    std::vector<std::string> refusing; // "ID=TEXT" typed, "click:ID" clicked, before "Rechne"
    const char* because;               // a part of the refusal
    std::vector<int> stay;             // result fields of a part that is not refused: unchanged
    std::vector<int> follow = {};      // result fields that follow the inputs, refused or not
};

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

void Apply(CForm& form, const std::string& event)
{
    if (event.rfind("click:", 0) == 0) {
        form.Click(ClassicAtoi(event.substr(6)));
        return;
    }
    const size_t eq = event.find('=');
    form.Type(ClassicAtoi(event.substr(0, eq)), event.substr(eq + 1));
}

TEST_P(Refusal, ClearsTheResultsAndKeepsTheInputs)
{
    const RefusalCase& c = GetParam();
    test::TempDataDir data;
    CMessageLog log;
    auto form = FindFormById(c.form)->create(log);
    form->Open();
    form->Click(ComputeButtonId(*form));
    ASSERT_TRUE(form->RefusedBecause().empty()) << c.what << ": the defaults compute";

    std::vector<int> results, shown;
    for (const FieldInfo& f : form->Fields()) {
        if (f.role != Role::Out)
            continue;
        results.push_back(f.id);
        EXPECT_TRUE(form->Computed(f.id)) << c.what << ": result field " << f.id;
        const auto v = ParseFieldNumber(form->Text(f.id));
        if (v && *v != 0)
            shown.push_back(f.id);
    }
    ASSERT_FALSE(shown.empty()) << c.what;
    std::vector<std::string> before;
    for (int id : c.stay)
        before.push_back(form->Text(id));

    for (const std::string& e : c.refusing)
        Apply(*form, e);
    log.Clear();
    form->Click(ComputeButtonId(*form));

    EXPECT_THAT(form->RefusedBecause(), HasSubstr(c.because)) << c.what;
    ASSERT_FALSE(log.Texts().empty()) << c.what;
    for (int id : results) {
        if (std::find(c.stay.begin(), c.stay.end(), id) != c.stay.end() ||
            std::find(c.follow.begin(), c.follow.end(), id) != c.follow.end()) {
            EXPECT_TRUE(form->Computed(id)) << c.what << ": result field " << id;
            continue;
        }
        EXPECT_EQ(form->Text(id), "0") << c.what << ": result field " << id;
        EXPECT_FALSE(form->Computed(id)) << c.what << ": result field " << id << " shows 0 for no value";
    }
    for (size_t i = 0; i < c.stay.size(); ++i)
        EXPECT_EQ(form->Text(c.stay[i]), before[i]) << c.what << ": field " << c.stay[i] << " belongs to the inputs";
    // The inputs hold what was typed (a form may write them back in its own
    // number format).
    for (const std::string& e : c.refusing) {
        const size_t eq = e.find('=');
        if (eq == std::string::npos || e.rfind("click:", 0) == 0)
            continue;
        EXPECT_EQ(ParseFieldNumber(form->Text(ClassicAtoi(e.substr(0, eq)))), ParseFieldNumber(e.substr(eq + 1)))
            << c.what << ": typed " << e;
    }
}

using Gutter = CGutterDlg;
using Tc = CTimeCoefficientDlg;

const RefusalCase kCases[] = {
    {"swale without depth", 132, {"1000=3", "click:1", "1001=0"}, "Breite B und Muldenhöhe h", {}},
    {"swale, water above the brim", 132, {"click:1024", "1002=0.4"}, "Wassertiefe darf nicht größer", {}},
    {"rough-bed swale, water too shallow for the stones", 176, {"1000=0.01"}, "Wassertiefe ist zu gering", {}},
    {"orifice, head beyond any number", 171, {"1001=1e308"}, "kein Ergebnis bestimmbar", {}},
    {"orifice without head", 171, {"1001=0"}, "Druckhöhe muss größer als 0 m", {}},
    {"throttle, basin below the outlet", 170, {"1013=0.1"}, "IE wird <= 0", {}},
    {"time coefficient, T1 at -9", 183, {"1004=-9"}, "größer als -9 min", {},
     {Tc::kIdT2, Tc::kIdT3, Tc::kIdT4, Tc::kIdT5, Tc::kIdT6, Tc::kIdT7, Tc::kIdT8, Tc::kIdT9, Tc::kIdT10,
      Tc::kIdT11, Tc::kIdT12, Tc::kIdT13, Tc::kIdT14, Tc::kIdT15, Tc::kIdT16}},
    {"pipe culvert without water", 131, {"1015=0"}, "Wasserstand h2", {}},
    {"box culvert without width", 158, {"1000=0"}, "außerhalb des zulässigen Bereichs", {}},
    {"ditch with a negative depth", 143, {"1004=-0.1"}, "außerhalb des zulässigen Bereichs", {}, {CDitchDlg::kIdH}},
    {"gutter, negative spread of the curb gutter", 152, {"1013=-1"}, "Bordrinne darf nicht negativ",
     {Gutter::kIdHS, Gutter::kIdLu2, Gutter::kIdA2, Gutter::kIdV2, Gutter::kIdQ2}},
    {"bridge drains without a drained width", 166, {"1002=0"}, "Entwässerungsbreite", {}},
    {"infiltration swale without threshold", 185, {"1003=0"}, "Schwellenhöhe kann nicht <= 0", {}},
    {"infiltration trench, level bed in immersion mode", 104, {"1004=0"}, "Sohlenneigung", {}},
};

std::string CaseName(const ::testing::TestParamInfo<RefusalCase>& info)
{
    return "Form" + std::to_string(info.param.form) + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(EveryRefusingForm, Refusal, ::testing::ValuesIn(kCases), CaseName);

// A number outside its field's range computes nothing, on every field of
// every form that has a range: the range message once, the value kept as
// typed, no result, no step, and the refusal names the field and its range.
TEST(RangeRefusal, EveryRangedFieldOfEveryForm)
{
    test::TempDataDir data;
    for (const auto& entry : std::filesystem::directory_iterator(test::MediumDir()))
        data.CopyFromMedium(entry.path().filename().string());
    int checked = 0;
    for (const FormInfo& info : AllForms()) {
        CMessageLog log;
        const std::unique_ptr<CForm> probe = info.create(log);
        for (const FieldInfo& field : probe->Fields()) {
            if (field.role == Role::Out || !field.range || (field.kind != Kind::Number && field.kind != Kind::Single))
                continue;
            std::unique_ptr<CForm> form = info.create(log);
            form->Open();
            if (!form->IsEnabled(field.id) || ComputeButtonId(*form) < 0)
                continue;
            const double beyond = field.range->hi + std::max(1.0, field.range->hi - field.range->lo);
            const std::string typed = field.kind == Kind::Single ? FormatG6(static_cast<float>(beyond)) : FormatG15(beyond);
            const std::string where = std::to_string(info.templateId) + " " + field.name + "=" + typed;
            PressCompute(*form);
            log.Clear();
            form->Type(field.id, typed);
            PressCompute(*form);
            ++checked;
            ASSERT_EQ(log.Texts().size(), 1u) << where;
            EXPECT_THAT(log.Texts()[0], HasSubstr("Bitte geben Sie eine Zahl zwischen")) << where;
            EXPECT_EQ(form->Text(field.id), typed) << where;
            EXPECT_TRUE(form->RefusedWhole()) << where;
            EXPECT_THAT(form->RefusedBecause(), HasSubstr(" = " + typed)) << where;
            EXPECT_THAT(form->RefusedBecause(), HasSubstr("außerhalb des zulässigen Bereichs")) << where;
            EXPECT_TRUE(form->Steps().empty()) << where;
            for (int id : form->RefusedFields())
                EXPECT_EQ(ParseFieldNumber(form->Text(id)).value_or(-1), 0) << where << ", result " << id;
        }
    }
    EXPECT_GT(checked, 30);
}

} // namespace
} // namespace dralun
