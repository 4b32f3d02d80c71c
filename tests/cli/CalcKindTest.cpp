// A kind of calculation beside the forms, made for this test: kept in a
// project, read back, checked and reported through the same interface and
// the same commands as every form, with nothing of its own in them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "cli/CCalcDriver.h"
#include "core/Format.h"
#include "core/NumberText.h"
#include "core/Verdict.h"
#include "project/CalcKinds.h"
#include "project/KeepCalculation.h"
#include "project/Project.h"
#include "project/ProjectFile.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using ::testing::HasSubstr;
using Json = nlohmann::json;

// s = a + b, checked against s ≤ 10.
class CSum final : public ICalculation {
public:
    std::string Kind() const override { return "summe"; }
    std::string Title() const override { return "Summe"; }
    std::string DefaultName() const override { return "Summe a " + m_a + ", b " + m_b; }
    std::string MainResult() const override { return m_refusal.empty() ? "s = " + m_s : "nicht berechnet"; }
    CalcValues Inputs() const override { return {{{"a", m_a}, {"b", m_b}}, {}, {}, {}}; }
    std::string KeptProblem(const CalcValues& in, const CalcValues& out) const override
    {
        for (const auto& [name, text] : in.texts)
            if (name != "a" && name != "b")
                return "keine Eingabe " + name;
        for (const auto& [name, text] : out.texts)
            if (name != "s")
                return "kein Ergebnis " + name;
        return {};
    }
    std::string Redo(const CalcValues& in) override
    {
        for (const auto& [name, text] : in.texts)
            (name == "a" ? m_a : m_b) = text;
        const auto a = ParseFieldNumber(m_a), b = ParseFieldNumber(m_b);
        m_steps = CSteps();
        m_refusal = a && b ? "" : "a und b müssen Zahlen sein";
        if (a && b) {
            m_steps.Let("a", *a);
            m_steps.Let("b", *b);
            const double s = m_steps.Step("Summe", "s", "a + b", *a + *b, "");
            m_verdict = CheckDemand(m_steps, {"Summe", "Summe", "s", "Grenze", "G", "", false}, s, 10);
            m_s = Format("%g", s);
        }
        return {};
    }
    CalcValues Results() const override { return {{{"s", m_s}}, {}, {}, {}}; }
    std::vector<std::string> Messages() const override { return {}; }
    std::string Refusal() const override { return m_refusal; }
    bool Refused() const override { return !m_refusal.empty(); }
    std::optional<Verdict> CalcVerdict() const override { return Refused() ? std::nullopt : m_verdict; }
    bool StatesVerdict() const override { return true; }
    std::vector<CalcStep> Steps() const override { return Refused() ? std::vector<CalcStep>{} : m_steps.Steps(); }
    std::vector<DataFileUse> DataFiles() const override { return {}; }
    std::vector<ResultChange> ChangedResults(const CalcValues& kept) const override
    {
        std::vector<ResultChange> changes;
        for (const auto& [name, before] : kept.texts)
            if (before != m_s)
                changes.push_back({0, "Summe s", before, m_s});
        return changes;
    }
    Report BuildReport(ReportHeader header) const override
    {
        Report r;
        r.kind = Kind();
        r.title = Title();
        r.method = "s = a + b";
        r.header = std::move(header);
        r.inputs = {{0, "Summand a", "a", m_a, ""}, {0, "Summand b", "b", m_b, ""}};
        r.refusal = m_refusal;
        if (Refused())
            return r;
        r.steps = Steps();
        r.results = {{0, "Summe s", "s", m_s, "", FieldShape::NumberResult}};
        r.verdict = m_verdict;
        return r;
    }

private:
    std::string m_a = "0", m_b = "0", m_s = "0", m_refusal;
    CSteps m_steps;
    std::optional<Verdict> m_verdict;
};

struct Outcome {
    int status;
    std::string out;
};

Outcome Driver(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int status = CCalcDriver::Run(args, out, err);
    return {status, out.str()};
}

class CalcKind : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AddCalcKind({"summe", "Summe", [](IMessageSink&) { return std::make_unique<CSum>(); }}));
    }
    // The project file with one calculation kept of a + b.
    std::string Kept(const std::string& a, const std::string& b, const std::string& tamperedSum = "")
    {
        CSilentSink sink;
        const std::unique_ptr<ICalculation> calc = MakeCalculation("summe", sink);
        EXPECT_EQ(calc->Redo({{{"a", a}, {"b", b}}, {}, {}, {}}), "");
        Calculation kept = KeepCalculation(*calc, {"B 27", "", "", "07.12.2026", ""});
        if (!tamperedSum.empty())
            kept.namedResults.texts.at(0).second = tamperedSum;
        Project project;
        project.Add(kept);
        std::string error;
        EXPECT_TRUE(SaveProjectFile(dir.File("p.dralun"), project, &error)) << error;
        return dir.Named() + "p.dralun";
    }
    test::TempDataDir dir;
};

TEST_F(CalcKind, IsKeptUnderItsNamesAndChecksAndReportsAsAFormDoes)
{
    const std::string path = Kept("2.5", "4");
    const Json entry = Json::parse(dir.Read("p.dralun"))["calculations"][0];
    EXPECT_EQ(entry["kind"], "summe");
    EXPECT_FALSE(entry.contains("form"));
    EXPECT_EQ(entry["name"], "Summe a 2.5, b 4");
    EXPECT_EQ(entry["inputs"], Json({{"a", "2.5"}, {"b", "4"}}));
    EXPECT_EQ(entry["results"], Json({{"s", "6.5"}}));
    EXPECT_EQ(entry["mainResult"], "s = 6.5");

    const Outcome check = Driver({"--project", path, "--check"});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out, "1\tSumme a 2.5, b 4\tgleich\n");

    const Outcome report = Driver({"--project", path, "--report", "json"});
    ASSERT_EQ(report.status, 0) << report.out;
    const Json r = Json::parse(report.out)[0];
    EXPECT_EQ(r["kind"], "summe");
    EXPECT_EQ(r["header"]["projekt"], "B 27");
    EXPECT_EQ(r["steps"][0]["expr"], "2.5 + 4");
    EXPECT_DOUBLE_EQ(r["steps"][0]["value"].get<double>(), 6.5);
    EXPECT_DOUBLE_EQ(r["verdict"]["utilisation"].get<double>(), 65); // 6.5 / 10
    EXPECT_EQ(r["verdict"]["met"], true);
}

TEST_F(CalcKind, AResultThatReadsDifferentlyIsNamed)
{
    const Outcome check = Driver({"--project", Kept("2.5", "4", "7"), "--check"});
    EXPECT_EQ(check.status, 1);
    EXPECT_THAT(check.out, HasSubstr("\tabweichend\n"));
    EXPECT_THAT(check.out, HasSubstr("Summe s: gespeichert 7, jetzt 6.5"));
}

TEST_F(CalcKind, AnEntryOfAKindNotKnownOrNotFittingIsKeptAsWritten)
{
    const struct {
        const char* entry;
        const char* problem;
    } cases[] = {
        {R"({"kind": "haltungsnetz", "inputs": {"L [m]": "50"}})", "unbekannte Art der Berechnung \"haltungsnetz\""},
        {R"({"kind": "summe", "inputs": {"c": "1"}})", "keine Eingabe c"},
        {R"({"kind": "9x", "inputs": {}})", "\"9x\" ist keine Art einer Berechnung"},
        {R"({"kind": "summe", "inputs": {"": "1"}})", "\"\" ist kein Name eines Werts"},
    };
    for (const auto& c : cases) {
        const std::string text = std::string(R"({"format": "Dralun-Projekt", "version": 1, "calculations": [)") +
                                 c.entry + "]}";
        const ProjectRead read = ReadProject(text);
        ASSERT_TRUE(read.ok) << read.error;
        EXPECT_EQ(read.project.At(0).problem, c.problem);
        EXPECT_EQ(Json::parse(ProjectText(read.project))["calculations"][0], Json::parse(c.entry)) << c.entry;
    }
}

} // namespace
} // namespace dralun
