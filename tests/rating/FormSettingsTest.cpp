// What a user set on a form, taken from it and set again on a new form of
// the same kind: the new form computes what the first one showed, and a
// setting the new form cannot take is named.
#include <gtest/gtest.h>

#include <algorithm>

#include "forms/COrificeDlg.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "rating/FormSettings.h"
#include "testkit/FieldNumber.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using D = COrificeDlg;

std::unique_ptr<CForm> OpenedOrifice(IMessageSink& sink)
{
    std::unique_ptr<CForm> form = FindFormById(D::kTemplateId)->create(sink);
    form->Open();
    return form;
}

TEST(FormSettings, SetOnANewFormTheyGiveTheSameResults)
{
    test::TempDataDir data;
    CSilentSink sink;
    std::unique_ptr<CForm> first = OpenedOrifice(sink);
    first->Type(D::kIdQ, "40");
    first->Type(D::kIdH, "1.2");
    first->Type(D::kIdMu, "0.6");
    PressCompute(*first);

    const FormSettings settings = SettingsOf(*first);
    const std::vector<std::pair<int, std::string>> inputs = {{D::kIdQ, "40"}, {D::kIdH, "1.2"}, {D::kIdMu, "0.6"}};
    // The inputs typed (and any other the form has), but no result.
    for (const auto& input : inputs)
        EXPECT_NE(std::find(settings.inputs.begin(), settings.inputs.end(), input), settings.inputs.end()) << input.first;
    for (const auto& [id, text] : settings.inputs)
        EXPECT_NE(first->FindField(id)->role, Role::Out) << id;
    EXPECT_TRUE(settings.checks.empty());
    EXPECT_TRUE(settings.selections.empty());

    std::unique_ptr<CForm> second = OpenedOrifice(sink);
    ASSERT_EQ(SettingsProblemOn(*second, D::kTemplateId, settings), "");
    ASSERT_EQ(ApplySettings(*second, settings), "");
    // v = 0.6 * sqrt(2 * 9.80665 * 1.2) = 2.91083 m/s; A = 0.04 / v =
    // 0.0137418 m²; d = sqrt(4 A / pi) = 0.132275 m.
    EXPECT_NEAR(test::FieldNumber(*second, D::kIdV), 2.91083, 1e-5);
    EXPECT_NEAR(test::FieldNumber(*second, D::kIdA), 0.0137418, 1e-7);
    EXPECT_NEAR(test::FieldNumber(*second, D::kIdD), 0.132275, 1e-6);
    EXPECT_EQ(second->Text(D::kIdD), first->Text(D::kIdD));
}

TEST(FormSettings, ASettingTheFormCannotTakeIsNamed)
{
    test::TempDataDir data;
    CSilentSink sink;
    std::unique_ptr<CForm> form = OpenedOrifice(sink);
    // The label without its unit in brackets, and the id.
    EXPECT_EQ(SettingsProblemOn(*form, D::kTemplateId, {{{D::kIdA, "1"}}, {}, {}}),
              "\"erf. Durchflussquerschnitt in\" (1003) ist ein Ergebnisfeld");
    EXPECT_EQ(SettingsProblemOn(*form, D::kTemplateId, {{{D::kIdH, "1,2"}}, {}, {}}),
              "\"Druckhöhe in\" (1001): \"1,2\" ist keine Zahl");
    EXPECT_EQ(SettingsProblemOn(*form, D::kTemplateId, {{{4711, "1"}}, {}, {}}),
              "das Formular 171 hat kein Feld 4711");
    EXPECT_EQ(SettingsProblemOn(*form, D::kTemplateId, {{}, {{kIdOk, true}}, {}}),
              "das Formular 171 hat kein Optionsfeld und kein Kontrollkästchen 1");
    EXPECT_EQ(SettingsProblemOn(*form, D::kTemplateId, {{}, {}, {{D::kIdQ, 0}}}),
              "das Formular 171 hat keine Liste 1000");
}

} // namespace
} // namespace dralun
