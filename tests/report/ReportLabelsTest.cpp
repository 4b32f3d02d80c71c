// The labels of a report stand alone: whole, each naming its own field,
// without units; inputs the chosen mode does not use are left out.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>

#include "forms/CForm.h"
#include "forms/COrificeDlg.h"
#include "forms/CPipeRunDlg.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "report/Report.h"
#include "report/ReportLabels.h"
#include "report/ReportWriters.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

struct Repair {
    const char* label;
    const char* unit;
    const char* whole;
};

class RepairedLabels : public ::testing::TestWithParam<Repair> {};

TEST_P(RepairedLabels, LoseTheirUnitAndAnyDanglingIn)
{
    EXPECT_EQ(RepairedLabel(GetParam().label, GetParam().unit), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(
    FormLabels, RepairedLabels,
    ::testing::Values(Repair{"Q in l/s", "l/s", "Q"}, Repair{"kb in mm", "mm", "kb"},
                      Repair{"Druckhöhe in [m]", "m", "Druckhöhe"},
                      Repair{"Drosselabfluss Q in [l/s]", "l/s", "Drosselabfluss Q"},
                      Repair{"Sohle oben / unten in mNN", "m", "Sohle oben / unten"},
                      Repair{"DrH m", "m", "DrH"}, Repair{"vt m/s", "m/s", "vt"}, Repair{"Gefälle &%", "%", "Gefälle"},
                      Repair{"Gefälle [%o]", "‰", "Gefälle"}, Repair{"Abstände in m", "", "Abstände"},
                      Repair{"Bö. Neigung links 1 :", "-", "Bö. Neigung links"},
                      // The "m" of "per metre" is not the field's unit.
                      Repair{"Au je m [m²/m)", "m²/m", "Au je m"},
                      Repair{"Wasserspiegel-\nbreite b [m]", "m", "Wasserspiegelbreite b"},
                      Repair{"Delta h  Hochpunkt", "cm", "Delta h Hochpunkt"}, Repair{"mD", "-", "mD"}));

// Every form, at its defaults and in every mode a radio button chooses.
class EveryFormReport : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { m_data.CopyWholeMedium(); }
    test::TempDataDir m_data;
    CMessageLog m_log;
};

void ExpectWholeLabels(const Report& r, const std::string& where)
{
    for (const auto* list : {&r.inputs, &r.unused, &r.results}) {
        std::set<std::string> seen;
        for (const ReportEntry& e : *list) {
            const std::string& l = e.label;
            EXPECT_FALSE(l.empty()) << where << ", field " << e.id;
            EXPECT_FALSE(l.size() >= 3 && l.compare(l.size() - 3, 3, " in") == 0) << where << ": " << l;
            EXPECT_EQ(l.find(" in mNN"), std::string::npos) << where << ": " << l;
            EXPECT_EQ(l.find('['), std::string::npos) << where << ": " << l;
            EXPECT_EQ(l.find("Dralun:"), std::string::npos) << where << ": " << l;
            EXPECT_EQ(l.find('\n'), std::string::npos) << where << ": " << l;
            EXPECT_TRUE(seen.insert(l).second) << where << ": \"" << l << "\" twice";
            EXPECT_NE(e.unit, "m1/3/s") << where << ": " << l;
            EXPECT_NE(e.unit, "%o") << where << ": " << l;
        }
    }
}

TEST_P(EveryFormReport, HasWholeLabelsInEveryMode)
{
    const FormInfo* info = FindFormById(GetParam());
    ASSERT_NE(info, nullptr);
    std::unique_ptr<CForm> form = info->create(m_log);
    form->Open();
    PressCompute(*form);
    const Report first = BuildReport(*form);
    ExpectWholeLabels(first, "defaults");
    EXPECT_EQ(ReportText(first).substr(0, first.title.size() + 1), first.title + "\n");
    EXPECT_EQ(ReportText(first).find("(Formular"), std::string::npos);
    for (const ControlDef& c : form->Controls()) {
        if (c.type != Ctl::Radio || !form->IsEnabled(c.id))
            continue;
        form->Click(c.id);
        PressCompute(*form);
        ExpectWholeLabels(BuildReport(*form), "radio " + std::to_string(c.id));
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, EveryFormReport, ::testing::ValuesIn([] {
                             std::vector<int> ids;
                             for (const FormInfo& info : AllForms())
                                 ids.push_back(info.templateId);
                             return ids;
                         }()),
                         [](const auto& info) { return "Form" + std::to_string(info.param); });

std::set<int> Ids(const std::vector<ReportEntry>& entries)
{
    std::set<int> ids;
    for (const ReportEntry& e : entries)
        ids.insert(e.id);
    return ids;
}

TEST_F(EveryFormReport, PipeRunLeavesOutTheLevelsWhileTheSlopeIsGivenAsOneIn)
{
    CPipeRunDlg pipe(m_log);
    pipe.Open(); // opens in the 1 : n mode
    PressCompute(pipe);
    const std::set<int> levels{CPipeRunDlg::kIdZo, CPipeRunDlg::kIdZu, CPipeRunDlg::kIdL};
    Report r = BuildReport(pipe);
    for (int id : levels) {
        EXPECT_EQ(Ids(r.inputs).count(id), 0u) << id;
        EXPECT_EQ(Ids(r.unused).count(id), 1u) << id;
    }
    EXPECT_EQ(Ids(r.inputs).count(CPipeRunDlg::kIdN), 1u);
    // The JSON keeps them, marked.
    const nlohmann::json doc = nlohmann::json::parse(ReportJson(r));
    int unusedInJson = 0;
    for (const auto& e : doc["inputs"])
        if (levels.count(e["id"].get<int>())) {
            EXPECT_FALSE(e["used"].get<bool>());
            ++unusedInJson;
        }
    EXPECT_EQ(unusedInJson, 3);
    EXPECT_EQ(ReportText(r).find(r.unused.front().label + ":"), std::string::npos);

    // Slope from the levels: they are inputs, the slope they give a result.
    pipe.Click(CPipeRunDlg::kIdModeLevels);
    pipe.Type(CPipeRunDlg::kIdZo, "101");
    pipe.Type(CPipeRunDlg::kIdZu, "100");
    pipe.Type(CPipeRunDlg::kIdL, "50");
    PressCompute(pipe);
    r = BuildReport(pipe);
    for (int id : levels)
        EXPECT_EQ(Ids(r.inputs).count(id), 1u) << id;
    EXPECT_TRUE(r.unused.empty());
    EXPECT_EQ(Ids(r.results).count(CPipeRunDlg::kIdI), 1u);
    EXPECT_NE(r.inputs[0].label, r.inputs[1].label); // "Sohle oben" and "Sohle unten"
}

// A demand left at 0 asks for no check: it is no input of the report.
TEST_F(EveryFormReport, DemandLeftAtZeroIsNoInput)
{
    COrificeDlg orifice(m_log);
    orifice.Open();
    PressCompute(orifice);
    EXPECT_EQ(Ids(BuildReport(orifice).unused).count(COrificeDlg::kIdDGew), 1u);
    orifice.Type(COrificeDlg::kIdDGew, "0.15");
    PressCompute(orifice);
    const Report r = BuildReport(orifice);
    EXPECT_EQ(Ids(r.inputs).count(COrificeDlg::kIdDGew), 1u);
    EXPECT_TRUE(r.verdict.has_value());
}

} // namespace
} // namespace dralun
