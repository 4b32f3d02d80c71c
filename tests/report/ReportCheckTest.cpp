// Every step of every form's report can be redone: its expression, with the
// numbers put in, evaluates on its own (in an independent expression parser)
// to the step's value; every symbol of its formula has a number; and the
// report's results are exactly what the form's fields show. On the defaults
// and on random inputs inside each field's range.
#include <gtest/gtest.h>
#include <muParser.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "core/Format.h"
#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "report/Report.h"
#include "testkit/ComputingForms.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

constexpr int kRandomSets = 20;

void PressCompute(CForm& form)
{
    for (const ControlDef& c : form.Controls())
        if (c.type == Ctl::Button && c.text == "Rechne") {
            form.Click(c.id);
            return;
        }
}

double Evaluate(const std::string& expr)
{
    mu::Parser parser;
    parser.SetExpr(expr);
    return parser.Eval();
}

void CheckReport(const CForm& form, const std::string& where)
{
    const Report report = BuildReport(form);
    if (!form.RefusedWhole()) {
        EXPECT_FALSE(report.steps.empty()) << where << ": no steps";
    }
    for (const CalcStep& step : report.steps) {
        const std::string expr = StepExpr(step);
        const std::string what = where + ", step " + step.symbol + " = " + step.formula + " -> " + expr;
        EXPECT_EQ(FormulaSymbols(step.formula).size(), step.args.size()) << what << ": a symbol without a number";
        EXPECT_TRUE(std::isfinite(step.value)) << what;
        double value = 0;
        try {
            value = Evaluate(expr);
        } catch (const mu::Parser::exception_type& e) {
            ADD_FAILURE() << what << ": " << e.GetMsg();
            continue;
        }
        const double tolerance = 1e-9 * std::max(std::fabs(step.value), 1e-300);
        EXPECT_NEAR(value, step.value, tolerance) << what;
    }
    for (const ReportEntry& r : report.results)
        EXPECT_EQ(r.text, form.Text(r.id)) << where << ", result " << r.id;
    if (form.RefusedWhole()) {
        EXPECT_TRUE(report.results.empty()) << where;
    }
}

class ReportCheck : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { m_data.CopyWholeMedium(); }
    test::TempDataDir m_data;
    CMessageLog m_log;
};

TEST_P(ReportCheck, DefaultsAndRandomInputsGiveStepsThatEvaluateToTheirValues)
{
    const FormInfo* info = FindFormById(GetParam());
    ASSERT_NE(info, nullptr);
    std::unique_ptr<CForm> form = info->create(m_log);
    form->Open();
    PressCompute(*form);
    CheckReport(*form, "defaults");

    std::mt19937 random(GetParam());
    for (int set = 0; set < kRandomSets; ++set) {
        std::unique_ptr<CForm> f = info->create(m_log);
        f->Open();
        std::string typed;
        for (const FieldInfo& field : f->Fields()) {
            if (field.role == Role::Out || !field.range || !f->IsEnabled(field.id) || field.kind == Kind::Check ||
                field.kind == Kind::ChoiceText || field.kind == Kind::Text)
                continue;
            std::uniform_real_distribution<double> in(field.range->lo, field.range->hi);
            const std::string text = Format("%.4g", in(random));
            f->Type(field.id, text);
            typed += " " + std::to_string(field.id) + "=" + text;
        }
        PressCompute(*f);
        CheckReport(*f, "random set" + typed);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, ReportCheck, ::testing::ValuesIn(test::ComputingForms()),
                         [](const auto& info) { return "Form" + std::to_string(info.param); });

} // namespace
} // namespace dralun
