// A form describes itself: the form base takes its title, its "Rechne" and
// cancel buttons with the computation "Rechne" runs, and its discharge
// field from the description alone, for a form no registry knows too; and
// no form with a discharge input is silently left without "Zufluss…".
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"

namespace dralun {
namespace {

// A form of the test's own, in no registry: R = 2 · Q.
class DescribedForm final : public CForm {
public:
    static constexpr int kIdQ = 1000, kIdR = 1001, kIdRechne = 1005;
    static constexpr FormDescription kDescription{.templateId = 998, .title = "Prüfform", .computeButton = kIdRechne,
                                                  .cancelText = "Abbrechen", .inflowField = "Q",
                                                  .inflowUnit = "l/s"};
    explicit DescribedForm(IMessageSink& sink) : CForm(kDescription, sink)
    {
        static const Field<DescribedForm> fields[] = {
            {kIdQ, "Q", "Q [l/s]", "l/s", Role::In, "0", {}, &DescribedForm::m_Q},
            {kIdR, "R", "R [l/s]", "l/s", Role::Out, "0", {}, &DescribedForm::m_R},
        };
        Bind<DescribedForm>(this, fields);
    }
    const FormLayout& Layout() const override
    {
        static const FormLayout layout;
        return layout;
    }

private:
    void OnCompute() override
    {
        BeginComputation();
        if (!ReadForComputation())
            return;
        m_R = 2 * m_Q;
        UpdateData(false);
    }
    double m_Q = 0, m_R = 0;
};

TEST(FormDescription, GivesTheFormItsTitleButtonsComputationAndDischargeField)
{
    CMessageLog log;
    DescribedForm form(log);
    form.Open();
    EXPECT_EQ(form.Title(), "Prüfform");
    EXPECT_EQ(ComputeButtonId(form), DescribedForm::kIdRechne);
    for (const auto& [id, text] : {std::pair{DescribedForm::kIdRechne, "Rechne"}, std::pair{kIdCancel, "Abbrechen"}}) {
        const ControlDef* button = form.FindControl(id);
        ASSERT_NE(button, nullptr) << text;
        EXPECT_EQ(button->type, Ctl::Button);
        EXPECT_EQ(button->text, text);
    }
    ASSERT_EQ(form.Type(DescribedForm::kIdQ, "3.5"), Refusal::None);
    PressCompute(form);
    EXPECT_EQ(form.Value(DescribedForm::kIdR), 7.0);
    // 5000 m² · 0.9 + 2000 m² · 0.3 = 5100 m² = 0.51 ha; 0.51 ha · 100 l/(s·ha) = 51 l/s.
    FormInflow inflow;
    inflow.areas = {{"Fahrbahn", 5000, false, 0.9}, {"Bankett", 2000, false, 0.3}};
    inflow.rain.intensity = 100;
    ASSERT_EQ(form.TypeInflow(inflow), Refusal::None);
    EXPECT_EQ(form.Text(DescribedForm::kIdQ), "51");
    form.Click(kIdCancel);
    EXPECT_TRUE(form.IsClosed());
}

// The forms whose discharge inputs are no design discharge of a catchment:
// "Zufluss…" has nothing to type there.
const std::set<int> kDischargeIsNoInflow = {
    170, // Qzul: the outflow allowed below the throttle
    171, // Q: the throttle discharge the orifice is sized for
};

TEST(FormDescription, EveryFormWithADischargeInputTakesTheInflowOrSaysWhyNot)
{
    for (const FormInfo& info : AllForms()) {
        CMessageLog log;
        const auto form = info.create(log);
        bool discharge = false;
        for (const FieldInfo& field : form->Fields())
            discharge |= field.role != Role::Out && (field.unit == "l/s" || field.unit == "m³/s");
        EXPECT_EQ(info.inflowField != nullptr || kDischargeIsNoInflow.count(info.templateId), discharge)
            << info.templateId << " " << info.title
            << ": a discharge input is the inflow field (FormDescription::inflowField), or the form is listed above";
        if (kDischargeIsNoInflow.count(info.templateId)) {
            EXPECT_EQ(info.inflowField, nullptr) << info.templateId;
        }
    }
}

// The registry includes every form, and so the form base: a file the
// registry includes, or that belongs to the form base, must not include the
// registry back. Only the registry and what serves the layers above it
// (MainFields) read it.
TEST(FormDescription, NoFileOfTheFormsIncludesTheRegistryButTheRegistryAndMainFields)
{
    const std::set<std::string> readers = {"FormRegistry.cpp", "MainFields.cpp"};
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(DRALUN_FORMS_SOURCE_DIR)) {
        std::ifstream in(entry.path());
        std::string line;
        ++files;
        while (std::getline(in, line))
            if (line.starts_with("#include \"forms/FormRegistry.h\"")) {
                EXPECT_TRUE(readers.count(entry.path().filename().string())) << entry.path().filename();
            }
    }
    EXPECT_GT(files, 40);
}

} // namespace
} // namespace dralun
