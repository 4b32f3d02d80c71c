// A calculation kept in a project and redone: on every form, on its
// defaults and on varied inputs and modes, the redone form shows exactly
// the kept results.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "core/Format.h"
#include "forms/CForm.h"
#include "forms/COrificeDlg.h"
#include "forms/CPipeRunDlg.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "forms/MainFields.h"
#include "project/KeepCalculation.h"
#include "project/ProjectFile.h"
#include "testkit/ComputingForms.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::HasSubstr;

std::string FormName(const ::testing::TestParamInfo<int>& info) { return "Form" + std::to_string(info.param); }

class KeepAndReopen : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { data.CopyWholeMedium(); }
    test::TempDataDir data;
    CSilentSink sink;
};

// Varies the form as a user would: clicks a few modes and boxes, scales
// the numbers in the enabled input fields, presses "Rechne".
void Vary(CForm& form, std::mt19937& rng)
{
    std::uniform_int_distribution<int> coin(0, 3);
    for (const ControlDef& c : form.Controls())
        if ((c.type == Ctl::Radio || c.type == Ctl::Check) && form.IsEnabled(c.id) && coin(rng) == 0)
            form.Click(c.id);
    std::uniform_real_distribution<double> scale(0.8, 1.25);
    for (const FieldInfo& f : form.Fields()) {
        if (f.role == Role::Out || !form.IsEnabled(f.id) || (f.kind != Kind::Number && f.kind != Kind::Single))
            continue;
        const double v = form.Value(f.id);
        if (std::isfinite(v) && v != 0 && coin(rng) != 0)
            form.Type(f.id, Format("%.6g", v * scale(rng)));
    }
    // Data loaded by a button (a rainfall file), then an entry of a list.
    for (int id : ReloadButtonIds(form))
        form.Click(id);
    for (const ControlDef& c : form.Controls())
        if ((c.type == Ctl::List || c.type == Ctl::Combo) && !form.FindField(c.id) && form.IsEnabled(c.id) &&
            !form.Items(c.id).empty() && coin(rng) == 0)
            form.Select(c.id, std::uniform_int_distribution<int>(0, int(form.Items(c.id).size()) - 1)(rng));
    PressCompute(form);
}

TEST_P(KeepAndReopen, RedoneFormShowsTheKeptResultsAfterTheFileRoundTrip)
{
    std::mt19937 rng(20261207u + static_cast<unsigned>(GetParam()));
    for (int round = 0; round < 30; ++round) {
        std::unique_ptr<CForm> form = FindFormById(GetParam())->create(sink);
        form->Open();
        if (round == 0)
            PressCompute(*form);
        else
            Vary(*form, rng);
        Project project;
        project.Add(KeepCalculation(*form, ReportHeader{"B 27", "", "M. Muster", "", ""}));
        const ProjectRead read = ReadProject(ProjectText(project));
        ASSERT_TRUE(read.ok) << read.error;
        ASSERT_TRUE(read.project.At(0).Usable()) << read.project.At(0).problem;
        const Reopened again = Reopen(*read.project.At(0).calc, sink);
        ASSERT_EQ(again.problem, "") << "round " << round;
        for (const ResultChange& change : again.changes)
            ADD_FAILURE() << "round " << round << ": " << ChangeText(change);
        // Every field, inputs too, reads as it did.
        for (const FieldInfo& f : form->Fields())
            EXPECT_EQ(again.form->Text(f.id), form->Text(f.id)) << "round " << round << ", field " << f.id;
    }
}

// Every control a user can act on, and every field left after typing, on
// its own and all in a row, then "Rechne": the kept calculation is redone
// on the same data files and reads the same (lists refreshed, a slope field
// left, step buttons and boxes that rewrite fields).
TEST_P(KeepAndReopen, EveryActionThenRechneIsRedoneAlike)
{
    using Action = std::function<void(CForm&)>;
    std::unique_ptr<CForm> probe = FindFormById(GetParam())->create(sink);
    probe->Open();
    const int compute = ComputeButtonId(*probe);
    std::vector<std::pair<std::string, Action>> actions;
    for (const ControlDef& c : probe->Controls())
        if (c.id != kIdCancel && c.id != compute &&
            (c.type == Ctl::Step || c.type == Ctl::Button || c.type == Ctl::Check || c.type == Ctl::Radio))
            actions.emplace_back("click " + std::to_string(c.id), [id = c.id](CForm& f) { f.Click(id); });
    for (const FieldInfo& field : probe->Fields())
        if (field.role != Role::Out && (field.kind == Kind::Number || field.kind == Kind::Single))
            actions.emplace_back("type and leave " + std::to_string(field.id), [id = field.id](CForm& f) {
                const double v = f.Value(id);
                if (f.IsEnabled(id) && std::isfinite(v) && v != 0)
                    f.Type(id, Format("%.6g", v * 1.1));
                f.Leave(id);
            });
    std::vector<std::vector<size_t>> sequences;
    for (size_t i = 0; i < actions.size(); ++i)
        sequences.push_back({i});
    sequences.emplace_back();
    for (size_t i = 0; i < actions.size(); ++i)
        sequences.back().push_back(i);

    for (const std::vector<size_t>& sequence : sequences) {
        std::unique_ptr<CForm> form = FindFormById(GetParam())->create(sink);
        form->Open();
        std::string done;
        for (size_t i : sequence)
            if (!form->IsClosed()) {
                actions[i].second(*form);
                done += actions[i].first + "; ";
            }
        if (form->IsClosed())
            continue;
        PressCompute(*form);
        ASSERT_FALSE(form->ResultsStale()) << done << form->StaleBecause();
        const Reopened again = Reopen(KeepCalculation(*form, {}), sink);
        ASSERT_EQ(again.problem, "") << done;
        for (const ResultChange& change : again.changes)
            ADD_FAILURE() << done << ChangeText(change);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryComputingForm, KeepAndReopen, ::testing::ValuesIn(test::ComputingForms()), FormName);

TEST(KeepCalculation, OrificeKeepsNameInputsResultsAndHead)
{
    test::TempDataDir data;
    CSilentSink sink;
    std::unique_ptr<CForm> form = FindFormById(171)->create(sink);
    form->Open();
    form->Type(COrificeDlg::kIdQ, "40"); // Q l/s
    form->Type(COrificeDlg::kIdH, "1.5"); // h m
    PressCompute(*form);
    const Calculation c = KeepCalculation(*form, ReportHeader{"B 27", "km 3", "M. Muster", "", ""});
    EXPECT_EQ(c.name, "Drossel Q 40 l/s, h 1.5 m");
    EXPECT_EQ(c.header.engineer, "M. Muster");
    EXPECT_EQ(c.header.date.size(), 10u);
    EXPECT_EQ(c.time.size(), 20u);
    // A = Q / (mu·sqrt(2 g h)) with mu = 0.67, d = sqrt(4 A / pi), worked by hand.
    const double a = 0.040 / (0.67 * std::sqrt(2 * 9.80665 * 1.5));
    const double d = std::sqrt(4 * a / 3.141592654);
    std::map<int, std::string> results(c.results.begin(), c.results.end());
    EXPECT_NEAR(std::stod(results.at(COrificeDlg::kIdA)), a, 1e-12);
    EXPECT_NEAR(std::stod(results.at(COrificeDlg::kIdD)), d, 1e-9);
    EXPECT_EQ(c.mainResult, Format("d = %.4g m, v = %.4g m/s", d, 0.040 / a));
}

// The name proposed reads the inputs as the window shows them: a slope the
// form completes from the levels is rounded like a result, 0.05 m fall over
// 10 m being 0.50 %, whatever digits the subtraction leaves.
TEST(KeepCalculation, ProposedNameReadsTheCompletedSlopeAsTheWindowShowsIt)
{
    test::TempDataDir data;
    for (const char* name : {"DN.ASC", "A110KR.ASC"})
        data.CopyFromMedium(name);
    CSilentSink sink;
    std::unique_ptr<CForm> form = FindFormById(130)->create(sink);
    form->Open();
    form->Click(CPipeRunDlg::kIdModeLevels);
    for (const auto& [id, text] : {std::pair{CPipeRunDlg::kIdDN, "400"}, {CPipeRunDlg::kIdZo, "100.05"},
                                   {CPipeRunDlg::kIdZu, "100"}, {CPipeRunDlg::kIdL, "10"}})
        form->Type(id, text);
    PressCompute(*form);
    ASSERT_NE(form->Text(CPipeRunDlg::kIdI), "0.5"); // the field keeps every digit computed
    EXPECT_EQ(KeepCalculation(*form, {}).name, "Rohr DN 400 mm, I 0.50 %");
    form->Click(CPipeRunDlg::kIdModePercent);
    form->Type(CPipeRunDlg::kIdI, "0.75");
    PressCompute(*form);
    EXPECT_EQ(KeepCalculation(*form, {}).name, "Rohr DN 400 mm, I 0.75 %"); // typed: as typed
}

TEST(KeepCalculation, ChangedResultIsNamedWithOldAndNewValue)
{
    test::TempDataDir data;
    CSilentSink sink;
    std::unique_ptr<CForm> form = FindFormById(171)->create(sink);
    form->Open();
    PressCompute(*form);
    Calculation c = KeepCalculation(*form, {});
    for (auto& [id, text] : c.results)
        if (id == COrificeDlg::kIdD)
            text = "0.17";
    const Reopened again = Reopen(c, sink);
    ASSERT_EQ(again.changes.size(), 1u);
    EXPECT_EQ(again.changes[0].id, COrificeDlg::kIdD);
    EXPECT_THAT(ChangeText(again.changes[0]), HasSubstr("gespeichert 0.17, jetzt 0.1664"));
}

struct BadEntry {
    const char* what;
    int form;
    std::vector<std::pair<int, std::string>> inputs;
    std::vector<std::pair<int, bool>> checks;
    const char* problem;
};

// Entries a form cannot take: caught before the form is touched, or at
// the step a user could not take either.
TEST(KeepCalculation, EntriesTheFormCannotTakeAreNamed)
{
    test::TempDataDir data;
    CSilentSink sink;
    const std::vector<BadEntry> cases = {
        {"unknown form", 999, {}, {}, "unbekanntes Formular 999"},
        {"unknown field", 171, {{4711, "1"}}, {}, "kein Feld 4711"},
        {"a result field", 171, {{COrificeDlg::kIdA, "1"}}, {}, "ist ein Ergebnisfeld"},
        {"no number", 171, {{COrificeDlg::kIdQ, "5,0"}}, {}, "\"5,0\" ist keine Zahl"},
        {"a button as a box", 171, {}, {{kIdOk, true}}, "kein Optionsfeld"},
    };
    for (const BadEntry& bad : cases) {
        Calculation c;
        c.form = bad.form;
        c.inputs = bad.inputs;
        c.checks = bad.checks;
        EXPECT_THAT(CalculationProblem(c), HasSubstr(bad.problem)) << bad.what;
        EXPECT_THAT(Reopen(c, sink).problem, HasSubstr(bad.problem)) << bad.what;
    }
}

TEST(KeepCalculation, TextForALockedFieldIsRefusedWhenRedone)
{
    test::TempDataDir data;
    CSilentSink sink;
    std::unique_ptr<CForm> form = FindFormById(185)->create(sink);
    form->Open();
    // A field that the form's modes keep locked on its defaults.
    const FieldInfo* locked = nullptr;
    for (const FieldInfo& f : form->Fields())
        if (f.role != Role::Out && !form->IsEnabled(f.id) && (f.kind == Kind::Number || f.kind == Kind::Single))
            locked = &f;
    ASSERT_NE(locked, nullptr);
    Calculation c;
    c.form = 185;
    c.inputs = {{locked->id, "12345"}};
    EXPECT_THAT(Reopen(c, sink).problem, HasSubstr("ist gesperrt"));
}

} // namespace
} // namespace dralun
