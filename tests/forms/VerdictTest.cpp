// The verdict of every form: the demand against the limit its criterion
// names, worked out here by hand on both sides of the limit and at it; no
// verdict in a form without a criterion, and none for a refused computation.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/Format.h"
#include "core/NumberText.h"
#include "forms/CBoxCulvertDlg.h"
#include "forms/CBridgeDrainDlg.h"
#include "forms/CDitchDlg.h"
#include "forms/CGutterDlg.h"
#include "forms/CInfiltrationSwaleDlg.h"
#include "forms/CInfiltrationTrenchDlg.h"
#include "forms/CInletSpacingDlg.h"
#include "forms/COrificeDlg.h"
#include "forms/COscillatingGutterDlg.h"
#include "forms/CPipeCulvertDlg.h"
#include "forms/CPipeRunDlg.h"
#include "forms/CRoughBedSwaleDlg.h"
#include "forms/CSwaleDlg.h"
#include "forms/CThrottleSectionDlg.h"
#include "forms/FormRegistry.h"
#include "testkit/FieldNumber.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

using Inputs = std::vector<std::pair<int, std::string>>;
using Gutter = COscillatingGutterDlg;
using Swale = CInfiltrationSwaleDlg;
using Trench = CInfiltrationTrenchDlg;

// Full-flow capacity of a circular pipe after Prandtl-Colebrook, l/s.
double PipeQv(double DN, double J, double kb)
{
    const double D = DN / 1000, s = std::sqrt(2 * 9.80665 * D * J);
    const double vv = -2 * std::log10(2.51 * 1.31e-6 / (D * s) + kb / 1000 / (3.71 * D)) * s;
    return 3.141592654 / 4 * D * D * vv * 1000;
}

// Equation (9) of the oscillating gutter, %.
double Qtmin(double sf, double smin, double qH, double qT, double b, double qs)
{
    const double L2 = (qT - qH) / 100 * b / ((smin - sf) / 100);
    return 100 * std::pow(qs / 1000 * L2 / 22 / (std::pow(b, 8.0 / 3) * std::sqrt(smin / 100)), 0.6);
}

// The default infiltration swale (B 2 m, T 0.3 m, h_s 0.2 m, J 2 ‰, t_E 0):
// the water stands over L = 0.2 / 0.002 = 100 m, a wedge behind the lower
// threshold. Rain 100 l/(s·ha) for 15 min on 100 m · Au_m gives 0.9 Au_m m³.
const double kRc = (1 + 0.09) / 0.6;
const double kSwaleV = [] {
    const double angle = 2 * std::asin(std::sqrt(2 * kRc * 0.2 - 0.04) / kRc);
    return kRc * kRc / 2 * (angle - std::sin(angle)) * 100 / 2;
}();
// kf kfu AsmittelR D·60, with AsmittelR = (b_u + h_s) · 100 / 4.
const double kSwaleSeepage = 1e-5 * 0.5 * (2 * std::sqrt(2 * kRc * 0.2 - 0.04) + 0.2) * 25 * 900;

// The default trench (b 0.5 m, 1 : 1.5, h_s 0.4 m, J 2 ‰): L = 200 m,
// A_u = 0.5·0.4 + 0.4²·1.5 = 0.44 m², V = 0.44·200/2 = 44 m³; inflow
// 100/10000·200·Au_m/1000·900 = 1.8 Au_m m³; AsmittelR = (1.7 + 0.4 + 0.5)·200/4
// = 130 m², seeping 1e-5·0.5·130·900 = 0.585 m³.
//
// A trench whose numbers are exact in binary: b 0.5 m, 1 : 1, h_s 0.5 m, a
// level bed in spacing mode with L_s 120 m: both sections hold
// 0.25 + 0.125 + 0.125 = 0.5 m², V = 120/3·(0.5 + 0.5 + 0.5) = 60 m³. No
// seepage (kfu 0), rain 10000 l/(s·ha) for 1 min on Au1: Au1/1000·60 m³.
Inputs ExactTrench(const char* Au1)
{
    using T = CInfiltrationTrenchDlg;
    return {{CInfiltrationForm::kIdModeSpacing, ""},
            {T::kIdM1, "1"}, {T::kIdM2, "1"}, {T::kIdHs, "0.5"}, {T::kIdJ, "0"}, {T::kIdLs, "120"},
            {T::kIdKfu, "0"}, {T::kIdAuM, "0"}, {T::kIdAu1, Au1}, {T::kIdR, "10000"}, {T::kIdD, "1"}};
}

// The gutter at its condition: equation (9) gives 6.0000004 % for this
// inflow (0.327698 l/s/m, with qH 0.5 %, qT 6 % and the other defaults),
// which single precision, rounding step by step, stores as 6 %, the qT.
const Inputs kGutterAtLimit = {{COscillatingGutterDlg::kIdQH, "0.5"}, {COscillatingGutterDlg::kIdQT, "6"},
                               {COscillatingGutterDlg::kIdQs, "0.327698"}};

// Forms that check a demand only where one is given: the form, the field of
// the demand and its short name.
struct GivenDemand {
    int form;
    int id;
    const char* symbol;
};
const GivenDemand kGivenDemands[] = {
    {CPipeCulvertDlg::kTemplateId, CCulvertDlg::kIdQerf, "Qerf"},
    {CBoxCulvertDlg::kTemplateId, CCulvertDlg::kIdQerf, "Qerf"},
    {CSwaleDlg::kTemplateId, CSwaleDlg::kIdQerf, "Qerf"},
    {CDitchDlg::kTemplateId, CDitchDlg::kIdQerf, "Qerf"},
    {CRoughBedSwaleDlg::kTemplateId, CRoughBedSwaleDlg::kIdQerf, "Qerf"},
    {CGutterDlg::kTemplateId, CGutterDlg::kIdQerf, "Qerf"},
    {CInletSpacingDlg::kTemplateId, CInletSpacingDlg::kIdAPlan, "a_plan"},
    {CBridgeDrainDlg::kTemplateId, CBridgeDrainDlg::kIdAPlan, "a_plan"},
    {CThrottleSectionDlg::kTemplateId, CThrottleSectionDlg::kIdQzul, "Qzul"},
    {COrificeDlg::kTemplateId, COrificeDlg::kIdDGew, "d_gew"},
};

// Manning-Strickler discharge of a section, m³/s.
double Manning(double A, double lu, double I, double kSt, double exponent = 0.666666666666667)
{
    return std::sqrt(I) * kSt * std::pow(A / lu, exponent) * A;
}
// The default swale (B 2, h = t = 0.3, 1 ‰, kSt 20) as a parabola through
// its edges: half width 1 m, A = 4/3 · 0.3 · 1, lu by the series.
const double kSwaleParabolaQ = Manning(0.4, 2 * (1 + 2.0 / 3 * 0.09 - 0.4 * 0.0081), 0.001, 20);
// The default ditch (b 0.5, 1 : 1.5 both sides, t 0.5, 1 ‰, kSt 25).
const double kDitchQ = Manning(0.625, 0.5 + 2 * std::sqrt(0.25 + 0.5625), 0.001, 25);
// The default curb gutter (b 0.5 m, qf 2.5 %: h 1.25 cm; s 1 %, kSt 70), l/s.
const double kCurbQ = Manning(0.0125 * 0.5 / 2, 0.0125 + std::sqrt(0.25 + 0.0125 * 0.0125), 0.01, 70, 2.0 / 3) * 1000;
// The default orifice (h 0.6 m, mu 0.67): outflow of an opening of d metres, l/s.
double OrificeQ(double d) { return 0.67 * std::sqrt(2 * 9.80665 * 0.6) * 3.141592654 * d * d / 4 * 1000; }

struct Case {
    const char* name;
    int form;
    Inputs inputs; // typed in this order; an empty text clicks the control
    double demand, limit;
    bool met;
    double relative; // how closely the form's numbers match (0: exactly)
};

const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        {"Rohr DN 300, 1 : 100, Q 40 l/s", CPipeRunDlg::kTemplateId, {}, 40, PipeQv(300, 0.01, 1.5), true, 1e-12},
        {"Rohr DN 300 überlastet, Q 120 l/s", CPipeRunDlg::kTemplateId, {{CPipeRunDlg::kIdQ, "120"}}, 120,
         PipeQv(300, 0.01, 1.5), false, 1e-12},
        // 148.23 l/s: DN 400 does not carry 150 l/s at 1 : 200 ...
        {"Rohr DN 400, 1 : 200, Q 150 l/s", CPipeRunDlg::kTemplateId,
         {{CPipeRunDlg::kIdDN, "400"}, {CPipeRunDlg::kIdN, "200"}, {CPipeRunDlg::kIdQ, "150"}}, 150,
         PipeQv(400, 0.005, 1.5), false, 1e-12},
        // ... but does at 1 : 100 (209.98 l/s).
        {"Rohr DN 400, 1 : 100, Q 150 l/s", CPipeRunDlg::kTemplateId,
         {{CPipeRunDlg::kIdDN, "400"}, {CPipeRunDlg::kIdQ, "150"}}, 150, PipeQv(400, 0.01, 1.5), true, 1e-12},
        {"Pendelrinne, Vorgaben", Gutter::kTemplateId, {}, Qtmin(0.1, 0.5, 2.5, 10, 0.5, 0.11), 10, true, 1e-6},
        {"Pendelrinne, starker Zufluss", Gutter::kTemplateId,
         {{Gutter::kIdSf, "0.4"}, {Gutter::kIdQH, "0.5"}, {Gutter::kIdQT, "20"}, {Gutter::kIdB, "0.1"},
          {Gutter::kIdQs, "1"}},
         Qtmin(0.4, 0.5, 0.5, 20, 0.1, 1), 20, false, 1e-6},
        // The condition is strict, qtmin < qT: at the limit it is not kept.
        {"Pendelrinne, qtmin = qT", Gutter::kTemplateId, kGutterAtLimit, 6, 6, false, 0},
        {"Versickermulde, Vorgaben", Swale::kTemplateId, {}, 9 - kSwaleSeepage, kSwaleV, true, 1e-12},
        {"Versickermulde, Au 20 m²/m", Swale::kTemplateId, {{Swale::kIdAuM, "20"}}, 18 - kSwaleSeepage, kSwaleV,
         false, 1e-12},
        {"Versickergraben, Vorgaben", Trench::kTemplateId, {}, 18 - 0.585, 44, true, 1e-12},
        {"Versickergraben, Au 30 m²/m", Trench::kTemplateId, {{Trench::kIdAuM, "30"}}, 54 - 0.585, 44, false,
         1e-12},
        {"Versickergraben, knapp darunter", Trench::kTemplateId, ExactTrench("999"), 59.94, 60, true, 1e-12},
        {"Versickergraben, randvoll", Trench::kTemplateId, ExactTrench("1000"), 60, 60, true, 0},
        {"Versickergraben, knapp darüber", Trench::kTemplateId, ExactTrench("1001"), 60.06, 60, false, 1e-12},
        // The culverts' discharges as the Parts give them, to four places.
        {"Rohrdurchlass, Qerf 0.1", CPipeCulvertDlg::kTemplateId, {{CCulvertDlg::kIdQerf, "0.1"}}, 0.1, 0.1244,
         true, 5e-4},
        {"Rohrdurchlass, Qerf 0.15", CPipeCulvertDlg::kTemplateId, {{CCulvertDlg::kIdQerf, "0.15"}}, 0.15, 0.1244,
         false, 5e-4},
        {"Rechteckdurchlass, Qerf 1", CBoxCulvertDlg::kTemplateId, {{CCulvertDlg::kIdQerf, "1"}}, 1, 1.0443, true,
         1e-4},
        {"Rechteckdurchlass, Qerf 1.1", CBoxCulvertDlg::kTemplateId, {{CCulvertDlg::kIdQerf, "1.1"}}, 1.1, 1.0443,
         false, 1e-4},
        // The parabola is the smallest of the three: 0.084 m³/s fails
        // although the circle (0.0858) and equation (7) (0.0850) carry it.
        {"Mulde, Qerf 0.08", CSwaleDlg::kTemplateId, {{CSwaleDlg::kIdQerf, "0.08"}}, 0.08, kSwaleParabolaQ, true,
         1e-9},
        {"Mulde, Qerf 0.084", CSwaleDlg::kTemplateId, {{CSwaleDlg::kIdQerf, "0.084"}}, 0.084, kSwaleParabolaQ,
         false, 1e-9},
        {"Graben, Qerf 0.2", CDitchDlg::kTemplateId, {{CDitchDlg::kIdQerf, "0.2"}}, 0.2, kDitchQ, true, 1e-9},
        {"Graben, Qerf 0.21", CDitchDlg::kTemplateId, {{CDitchDlg::kIdQerf, "0.21"}}, 0.21, kDitchQ, false, 1e-9},
        {"Raubettmulde, Qerf 0.8", CRoughBedSwaleDlg::kTemplateId, {{CRoughBedSwaleDlg::kIdQerf, "0.8"}}, 0.8,
         0.8393, true, 1e-4},
        {"Raubettmulde, Qerf 0.9", CRoughBedSwaleDlg::kTemplateId, {{CRoughBedSwaleDlg::kIdQerf, "0.9"}}, 0.9,
         0.8393, false, 1e-4},
        // The smaller gutter form governs: the V-gutter would carry 1 l/s.
        {"Rinne, Qerf 0.7 l/s", CGutterDlg::kTemplateId, {{CGutterDlg::kIdQerf, "0.7"}}, 0.7, kCurbQ, true, 1e-9},
        {"Rinne, Qerf 1 l/s", CGutterDlg::kTemplateId, {{CGutterDlg::kIdQerf, "1"}}, 1, kCurbQ, false, 1e-9},
        // Grating I at b = 0.50 m takes 0.7 l/s (table B2-5, s = 1 %), the
        // least of the table; q_d = 1.5 · 0.11.
        {"Abläufe, a geplant 4 m", CInletSpacingDlg::kTemplateId, {{CInletSpacingDlg::kIdAPlan, "4"}}, 4,
         0.7 / 0.165, true, 1e-12},
        {"Abläufe, a geplant 10 m", CInletSpacingDlg::kTemplateId, {{CInletSpacingDlg::kIdAPlan, "10"}}, 10,
         0.7 / 0.165, false, 1e-12},
        // L = (155 · 2.5 − 132) · 1^0.4 / 7 = 36.5 m, exactly.
        {"Brückenabläufe, a geplant 30 m", CBridgeDrainDlg::kTemplateId, {{CBridgeDrainDlg::kIdAPlan, "30"}}, 30,
         36.5, true, 0},
        {"Brückenabläufe, a geplant 40 m", CBridgeDrainDlg::kTemplateId, {{CBridgeDrainDlg::kIdAPlan, "40"}}, 40,
         36.5, false, 0},
        {"Brückenabläufe, a geplant = L", CBridgeDrainDlg::kTemplateId, {{CBridgeDrainDlg::kIdAPlan, "36.5"}},
         36.5, 36.5, true, 0},
        // The throttle's discharge as the Part gives it, to four places.
        {"Drosselstrecke, Qzul 0.1", CThrottleSectionDlg::kTemplateId, {{CThrottleSectionDlg::kIdQzul, "0.1"}},
         0.0911, 0.1, true, 1e-3},
        {"Drosselstrecke, Qzul 0.08", CThrottleSectionDlg::kTemplateId, {{CThrottleSectionDlg::kIdQzul, "0.08"}},
         0.0911, 0.08, false, 1e-3},
        // The opening needed for 50 l/s is 0.16643 m.
        {"Drossel, d gewählt 0.15 m", COrificeDlg::kTemplateId, {{COrificeDlg::kIdDGew, "0.15"}}, OrificeQ(0.15), 50,
         true, 1e-12},
        {"Drossel, d gewählt 0.2 m", COrificeDlg::kTemplateId, {{COrificeDlg::kIdDGew, "0.2"}}, OrificeQ(0.2), 50,
         false, 1e-12},
    };
    return cases;
}

class Verdicts : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& file : std::filesystem::directory_iterator(test::MediumDir()))
            if (file.is_regular_file())
                dir.CopyFromMedium(file.path().filename().string());
    }
    // The form opened, the inputs typed and computed.
    std::unique_ptr<CForm> Computed(int templateId, const Inputs& inputs = {})
    {
        const FormInfo* info = FindFormById(templateId);
        std::unique_ptr<CForm> form = info->create(log);
        form->Open();
        Compute(*form, inputs);
        return form;
    }
    static void Compute(CForm& form, const Inputs& inputs = {})
    {
        for (const auto& [id, text] : inputs)
            text.empty() ? form.Click(id) : form.Type(id, text);
        form.Click(FindFormById(form.TemplateId())->computeButton);
    }
    // Types numbers of 15 digits (all a field keeps) around the value into
    // the field until the verdict's demand equals its limit.
    static bool TypeUntilAtLimit(CForm& form, int id, double value)
    {
        const double unit = std::pow(10.0, std::floor(std::log10(value)) - 14);
        for (int k = 0; k < 401; ++k) {
            const double tried = (std::round(value / unit) + (k % 2 ? 1 : -1) * ((k + 1) / 2)) * unit;
            Compute(form, {{id, FormatG15(tried)}});
            const auto& v = form.FormVerdict();
            if (v && v->demand == v->limit)
                return true;
        }
        return false;
    }

    test::TempDataDir dir;
    CMessageLog log;
};

TEST_F(Verdicts, DemandAgainstLimitOnBothSides)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        const auto form = Computed(c.form, c.inputs);
        ASSERT_TRUE(form->FormVerdict());
        const Verdict& v = *form->FormVerdict();
        EXPECT_NEAR(v.demand, c.demand, c.relative * c.demand);
        EXPECT_NEAR(v.limit, c.limit, c.relative * c.limit);
        EXPECT_NEAR(v.utilisation, c.demand / c.limit * 100, 10 * c.relative * v.utilisation);
        if (c.relative == 0 && c.demand == c.limit) {
            EXPECT_EQ(v.utilisation, 100);
        }
        EXPECT_EQ(v.met, c.met);
        // The utilisation is the last step, in the symbols of the form.
        const CalcStep& eta = form->Steps().back();
        EXPECT_EQ(eta.symbol, "eta");
        EXPECT_EQ(eta.formula, v.terms.demandSymbol + " / " + v.terms.limitSymbol + " * 100");
        EXPECT_EQ(eta.value, v.utilisation);
    }
}

TEST_F(Verdicts, TheSymbolsAreThoseOfTheForm)
{
    const std::pair<int, std::pair<const char*, const char*>> symbols[] = {
        {CPipeRunDlg::kTemplateId, {"Q", "Qv"}},
        {Gutter::kTemplateId, {"qtmin", "qT"}},
        {Swale::kTemplateId, {"V_genutzt", "V"}},
        {Trench::kTemplateId, {"V_genutzt", "V"}},
    };
    for (const auto& [id, pair] : symbols) {
        const auto form = Computed(id);
        ASSERT_TRUE(form->FormVerdict()) << id;
        EXPECT_EQ(form->FormVerdict()->terms.demandSymbol, pair.first);
        EXPECT_EQ(form->FormVerdict()->terms.limitSymbol, pair.second);
    }
}

// Where the capacity is no number of 15 digits, the demand is brought to it
// through the form's own numbers.
TEST_F(Verdicts, AtTheLimitOfTheFormsOwnCapacity)
{
    // The pipe: a slope 1 : n at which the capacity is a number of 15 digits,
    // then Q typed as that number.
    auto pipe = Computed(CPipeRunDlg::kTemplateId);
    for (int n = 100; n < 300 && pipe->FormVerdict()->demand != pipe->FormVerdict()->limit; ++n) {
        Compute(*pipe, {{CPipeRunDlg::kIdN, std::to_string(n)}});
        const std::string Qv = FormatG15(pipe->FormVerdict()->limit);
        if (ParseFieldNumber(Qv) == pipe->FormVerdict()->limit)
            Compute(*pipe, {{CPipeRunDlg::kIdQ, Qv}});
    }
    // The swale: rain on Au1 a little above V, the typed infiltration area
    // seeping the rest away.
    auto swale = Computed(Swale::kTemplateId, {{Swale::kIdAreaAsEingabe, ""},
                                               {Swale::kIdAuM, "0"},
                                               {Swale::kIdAu1, "186.4"},
                                               {Swale::kIdR, "10000"},
                                               {Swale::kIdD, "1"}});
    // 186.4/1000·60 m³ in, kf kfu As·60 out.
    ASSERT_TRUE(TypeUntilAtLimit(*swale, Swale::kIdAsEingabe, (186.4 / 1000 * 60 - kSwaleV) / (1e-5 * 0.5 * 60)));
    for (const CForm* form : {pipe.get(), swale.get()}) {
        SCOPED_TRACE(form->TemplateId());
        ASSERT_TRUE(form->FormVerdict());
        EXPECT_EQ(form->FormVerdict()->demand, form->FormVerdict()->limit);
        EXPECT_EQ(form->FormVerdict()->utilisation, 100);
        EXPECT_TRUE(form->FormVerdict()->met);
    }
    // Filled to the brim, the section has no "Überlauf".
    EXPECT_EQ(swale->Text(Swale::kIdUeberlauf), "0");
}

TEST_F(Verdicts, ANegativeOverflowIsTheCheckFailed)
{
    const auto trench = Computed(Trench::kTemplateId, {{Trench::kIdAuM, "30"}});
    EXPECT_NEAR(test::FieldNumber(*trench, Trench::kIdUeberlauf), 44 - (54 - 0.585), 1e-12);
    EXPECT_FALSE(trench->FormVerdict()->met);
}

// Forms whose criterion needs a demand typed have no verdict at their
// defaults (demand 0): every computation without one stays as it was.
TEST_F(Verdicts, OnlyFormsWithACriterionHaveOne)
{
    const std::set<int> always = {CPipeRunDlg::kTemplateId, Gutter::kTemplateId, Swale::kTemplateId,
                                  Trench::kTemplateId};
    std::set<int> withDemand;
    for (const GivenDemand& g : kGivenDemands)
        withDemand.insert(g.form);
    for (const FormInfo& info : AllForms()) {
        SCOPED_TRACE(info.templateId);
        const auto form = Computed(info.templateId);
        EXPECT_EQ(form->StatesVerdict(), always.count(info.templateId) + withDemand.count(info.templateId) == 1);
        EXPECT_EQ(form->FormVerdict().has_value(), always.count(info.templateId) == 1);
    }
}

// A demand given adds the verdict and its step and changes no result; set
// back to 0 it takes them away again.
TEST_F(Verdicts, TheDemandAddsTheCheckAndChangesNoResult)
{
    for (const GivenDemand& g : kGivenDemands) {
        SCOPED_TRACE(g.form);
        auto form = Computed(g.form);
        const FieldInfo* field = form->FindField(g.id);
        ASSERT_TRUE(field);
        EXPECT_EQ(field->name, g.symbol);
        EXPECT_EQ(field->def, "0");
        auto results = [&] {
            std::vector<std::string> texts;
            for (const FieldInfo& f : form->Fields())
                if (f.role == Role::Out)
                    texts.push_back(f.name + "=" + form->Text(f.id));
            return texts;
        };
        const std::vector<std::string> before = results();
        const size_t steps = form->Steps().size();
        ASSERT_FALSE(form->FormVerdict());
        Compute(*form, {{g.id, "0.1"}});
        ASSERT_TRUE(form->FormVerdict());
        EXPECT_EQ(results(), before);
        EXPECT_GT(form->Steps().size(), steps);
        EXPECT_EQ(form->Steps().back().symbol, "eta");
        Compute(*form, {{g.id, "0"}});
        EXPECT_FALSE(form->FormVerdict());
        EXPECT_EQ(form->Steps().size(), steps);
    }
}

// The demand typed as the form's own capacity, to 15 digits: met at 100 %.
// An input is moved a little until that capacity is a number of 15 digits.
TEST_F(Verdicts, AtTheCapacityOfTheFormsWithADemand)
{
    struct AtLimit {
        int form;
        int typed;        // the field typed at the limit
        bool typedDemand; // whether it holds the demand (else the limit)
        int vary;
        double from, step;
    };
    const AtLimit cases[] = {
        {CPipeCulvertDlg::kTemplateId, CCulvertDlg::kIdQerf, true, CPipeCulvertDlg::kIdKStW, 65, 0.01},
        {CBoxCulvertDlg::kTemplateId, CCulvertDlg::kIdQerf, true, CBoxCulvertDlg::kIdKStB, 65, 0.01},
        {CSwaleDlg::kTemplateId, CSwaleDlg::kIdQerf, true, CSwaleDlg::kIdKSt, 20, 0.01},
        {CDitchDlg::kTemplateId, CDitchDlg::kIdQerf, true, CDitchDlg::kIdKSt, 25, 0.01},
        {CRoughBedSwaleDlg::kTemplateId, CRoughBedSwaleDlg::kIdQerf, true, CRoughBedSwaleDlg::kIdB, 5.85, 0.001},
        {CGutterDlg::kTemplateId, CGutterDlg::kIdQerf, true, CGutterDlg::kIdKSt, 70, 0.01},
        {CInletSpacingDlg::kTemplateId, CInletSpacingDlg::kIdAPlan, true, CInletSpacingDlg::kIdQ, 0.11, 0.0001},
        {CThrottleSectionDlg::kTemplateId, CThrottleSectionDlg::kIdQzul, false, CThrottleSectionDlg::kIdHmax, 1,
         0.001},
        // The orifice: the throttle discharge typed as the outflow of the
        // chosen opening.
        {COrificeDlg::kTemplateId, COrificeDlg::kIdQ, false, COrificeDlg::kIdDGew, 0.16643, 1e-6},
    };
    for (const AtLimit& c : cases) {
        SCOPED_TRACE(c.form);
        auto form = Computed(c.form);
        bool atLimit = false;
        for (int k = 0; k < 200 && !atLimit; ++k) {
            Compute(*form, {{c.vary, FormatG15(c.from + k * c.step)}, {c.typed, "1"}});
            ASSERT_TRUE(form->FormVerdict());
            const double other = c.typedDemand ? form->FormVerdict()->limit : form->FormVerdict()->demand;
            if (ParseFieldNumber(FormatG15(other)) != other)
                continue;
            Compute(*form, {{c.typed, FormatG15(other)}});
            atLimit = true;
        }
        ASSERT_TRUE(atLimit);
        const Verdict& v = *form->FormVerdict();
        EXPECT_EQ(v.demand, v.limit);
        EXPECT_EQ(v.utilisation, 100);
        EXPECT_TRUE(v.met);
    }
}

TEST_F(Verdicts, NoneWhereTheCheckWasNotComputed)
{
    struct Refused {
        const char* why;
        int form;
        Inputs inputs;
        int button = 0; // pressed instead of "Rechne"
        Inputs given = {}; // the demand, typed before
    };
    const Refused refused[] = {
        {"negativer Abfluss", CPipeRunDlg::kTemplateId, {{CPipeRunDlg::kIdQ, "-1"}}},
        {"Rohr ohne Gefälle: keine Leistungsfähigkeit", CPipeRunDlg::kTemplateId, {{CPipeRunDlg::kIdN, "0"}}},
        {"qT < qH: qtmin nicht bestimmbar", Gutter::kTemplateId, {{Gutter::kIdQT, "2"}}},
        {"smin = sf: kein Sägezahn", Gutter::kTemplateId, {{Gutter::kIdSf, "0.5"}}},
        {"Schwelle höher als die Mulde", Swale::kTemplateId, {{Swale::kIdHs, "0.5"}}},
        {"nur die Geometrie", Swale::kTemplateId, {}, Swale::kIdUpdate},
        {"Sohlengefälle 0 bei vorgegebener Eintauchtiefe", Trench::kTemplateId, {{Trench::kIdJ, "0"}}},
        {"Regenreihe ohne Datei", Trench::kTemplateId, {{Trench::kIdDatei, "fehlt.txt"}}, -1},
        {"Rohrdurchlass ohne Wasser", CPipeCulvertDlg::kTemplateId, {{CPipeCulvertDlg::kIdH2, "0"}}, 0,
         {{CCulvertDlg::kIdQerf, "0.1"}}},
        {"Mulde, Wasser über dem Rand", CSwaleDlg::kTemplateId, {{CSwaleDlg::kIdTEqualsH, ""}, {CSwaleDlg::kIdT, "0.4"}},
         0, {{CSwaleDlg::kIdQerf, "0.05"}}},
        {"Rinne, Breite negativ", CGutterDlg::kTemplateId, {{CGutterDlg::kIdB1, "-1"}}, 0,
         {{CGutterDlg::kIdQerf, "0.5"}}},
        {"Drosselstrecke, Becken unter dem Auslauf", CThrottleSectionDlg::kTemplateId,
         {{CThrottleSectionDlg::kIdHmax, "0.1"}}, 0, {{CThrottleSectionDlg::kIdQzul, "0.1"}}},
        {"Drossel ohne Druckhöhe", COrificeDlg::kTemplateId, {{COrificeDlg::kIdH, "0"}}, 0,
         {{COrificeDlg::kIdDGew, "0.1"}}},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.why);
        auto form = Computed(r.form, r.given); // the defaults pass: a verdict stands
        ASSERT_TRUE(form->FormVerdict());
        if (r.button == -1)
            form->Click(CInfiltrationForm::kIdRainFromFile);
        for (const auto& [id, text] : r.inputs)
            text.empty() ? form->Click(id) : form->Type(id, text);
        form->Click(r.button > 0 ? r.button : FindFormById(r.form)->computeButton);
        EXPECT_FALSE(form->FormVerdict());
    }
}

} // namespace
} // namespace dralun
