// The design discharge of the catchment typed into a form: the number in
// the field's unit, the table kept while the field shows it, and refusals.
// Worked by hand: areas 5000 m² (ψ 0.9) and 2000 m² (ψ 0.3) under
// r = 100 l/(s·ha) give Q = (4500 + 600) · 100 / 10000 = 51 l/s = 0.051 m³/s.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

FormInflow Catchment(double r = 100)
{
    FormInflow inflow;
    inflow.areas = {{"Fahrbahn", 5000, false, 0.9}, {"", 0.2e4, true, 0.3}};
    inflow.rain.intensity = r;
    return inflow;
}

class FormInflowTest : public ::testing::Test {
protected:
    void SetUp() override { m_data.CopyFromMedium("DN.ASC"), m_data.CopyFromMedium("A110KR.ASC"); }
    std::unique_ptr<CForm> Opened(const char* name)
    {
        const FormInfo* info = FindForm(name);
        auto form = info->create(m_log);
        form->Open();
        m_compute = info->computeButton;
        return form;
    }
    static int Field(const CForm& form, const char* name) { return form.FindFieldByName(name)->id; }
    test::TempDataDir m_data;
    CMessageLog m_log;
    int m_compute = 0;
};

TEST(InflowDischarge, GivesQInTheFieldsUnitWithAStepForEachAreaTheSumAndTheUnit)
{
    CSteps litres, cubic;
    EXPECT_NEAR(InflowDischarge(Catchment(), "l/s", litres), 51, 1e-12);
    EXPECT_NEAR(InflowDischarge(Catchment(), "m³/s", cubic), 0.051, 1e-15);
    ASSERT_EQ(litres.Steps().size(), 3u);
    ASSERT_EQ(cubic.Steps().size(), 4u);
    EXPECT_EQ(cubic.Steps()[3].formula, "Q_zu / 1000");
    EXPECT_EQ(cubic.Steps()[3].unit, "m³/s");
    EXPECT_EQ(StepExpr(cubic.Steps()[3]), "51 / 1000");
    EXPECT_EQ(cubic.Steps()[1].text, "Zufluss aus Fläche 2 (ψ · A · r)"); // an area without a name
    EXPECT_TRUE(std::isnan(InflowDischarge(Catchment(), "m³/h")));
    EXPECT_TRUE(std::isnan(InflowDischarge(Catchment(-1), "l/s")));
}

// A table refused says which area and which value, in the words the window
// and dralun-calc both use; no rain is no design discharge.
TEST(InflowDischarge, ARefusedTableSaysWhichValueAndGivesNoNumber)
{
    FormInflow psi = Catchment(), area = Catchment(), none = Catchment();
    psi.areas[1].psi = 1.5;
    area.areas[1].areaM2 = -1;
    none.areas.clear();
    const struct {
        FormInflow inflow;
        const char* text;
    } cases[] = {{psi, "Fläche 2: ψ muss zwischen 0 und 1 liegen."},
                 {area, "Fläche 2: A darf nicht negativ sein."},
                 {none, "Keine Fläche: mindestens eine Fläche eingeben."},
                 {Catchment(0), "r muss größer als 0 l/(s·ha) sein."},
                 {Catchment(1e308), "Q = Σ ψ · A · r / 10000 ist größer als jede Zahl, mit der gerechnet werden kann."}};
    for (const auto& c : cases) {
        EXPECT_EQ(InflowRefusalText(InflowOf(c.inflow, InflowUnit::LitresPerSecond)), c.text);
        EXPECT_TRUE(std::isnan(InflowDischarge(c.inflow, "l/s"))) << c.text;
    }
}

TEST_F(FormInflowTest, TypesQIntoTheDischargeFieldInItsUnitAndKeepsTheTable)
{
    const struct {
        const char* form;
        const char* field;
        const char* text;
    } cases[] = {{"rohr", "Q", "51"}, {"mulde", "Qerf", "0.051"}, {"rinne", "Qerf", "51"}, {"graben", "Qerf", "0.051"}};
    for (const auto& c : cases) {
        auto form = Opened(c.form);
        ASSERT_EQ(form->TypeInflow(Catchment()), Refusal::None) << c.form;
        EXPECT_EQ(form->Text(Field(*form, c.field)), c.text) << c.form;
        ASSERT_NE(form->Inflow(), nullptr) << c.form;
        EXPECT_EQ(form->Inflow()->typed, c.text);
        EXPECT_EQ(form->Inflow()->areas[0].name, "Fahrbahn");
        // The computation reads the typed text and writes it back unchanged.
        form->Click(m_compute);
        EXPECT_FALSE(form->ResultsStale()) << c.form;
        EXPECT_NE(form->Inflow(), nullptr) << c.form;
        // Opened anew, the field shows the value computed with: the same text.
        form->Open();
        EXPECT_NE(form->Inflow(), nullptr) << c.form;
    }
}

TEST_F(FormInflowTest, ForgetsTheTableOnceTheFieldShowsAnotherDischarge)
{
    auto pipe = Opened("rohr");
    const int q = Field(*pipe, "Q");
    ASSERT_EQ(pipe->TypeInflow(Catchment()), Refusal::None);
    pipe->Type(q, "40");
    EXPECT_EQ(pipe->Inflow(), nullptr);
    // Typing as the window reports it, too.
    ASSERT_EQ(pipe->TypeInflow(Catchment()), Refusal::None);
    pipe->SetEditText(q, "51.5");
    EXPECT_EQ(pipe->Inflow(), nullptr);
    // Typed but never computed: opened anew, the field shows the value
    // computed with before (40 l/s, the default), not the table's.
    ASSERT_EQ(pipe->TypeInflow(Catchment()), Refusal::None);
    pipe->Open();
    EXPECT_EQ(pipe->Text(q), "40");
    EXPECT_EQ(pipe->Inflow(), nullptr);
}

TEST_F(FormInflowTest, RefusesAFormWithoutDischargeFieldAndADischargeThatIsNone)
{
    auto orifice = Opened("drossel"); // its Q is an outflow, not a catchment's
    const std::string before = orifice->Text(Field(*orifice, "Q"));
    EXPECT_EQ(orifice->TypeInflow(Catchment()), Refusal::UnknownControl);
    EXPECT_EQ(orifice->Text(Field(*orifice, "Q")), before);
    EXPECT_EQ(orifice->Inflow(), nullptr);

    auto swale = Opened("mulde");
    ASSERT_EQ(swale->TypeInflow(Catchment()), Refusal::None);
    FormInflow bad = Catchment();
    bad.areas[1].psi = 1.5;
    EXPECT_EQ(swale->TypeInflow(bad), Refusal::BadValue);
    // Nothing typed: the field and the table before stay.
    EXPECT_EQ(swale->Text(Field(*swale, "Qerf")), "0.051");
    ASSERT_NE(swale->Inflow(), nullptr);
    EXPECT_EQ(swale->Inflow()->areas[1].psi, 0.3);
}

TEST_F(FormInflowTest, RestoresAKeptTableOnlyWhereTheFieldShowsWhatItGives)
{
    auto swale = Opened("mulde");
    const int qerf = Field(*swale, "Qerf");
    FormInflow kept = Catchment();
    kept.typed = "0.051";
    swale->Type(qerf, "0.051");
    EXPECT_TRUE(swale->RestoreInflow(kept));
    EXPECT_NE(swale->Inflow(), nullptr);
    // A table that gives another number than the field shows is no table of it.
    kept.rain.intensity = 200;
    EXPECT_FALSE(swale->RestoreInflow(kept));
    EXPECT_EQ(swale->Inflow(), nullptr);
    EXPECT_EQ(swale->Text(qerf), "0.051"); // nothing typed
}

} // namespace
} // namespace dralun
