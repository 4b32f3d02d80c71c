// The drawn pictures of the calculator forms keep their texts readable: at
// the defaults, at the ends of the ranges, at extreme and at many random
// accepted values no text covers another text or a drawn part (wall, pipe,
// basin, line), and none leaves its picture.
#include <QTest>
#include <filesystem>
#include <random>

#include "QtTestRegistry.h"
#include "core/Format.h"
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
#include "forms/CTimeCoefficientDlg.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/pictures/CPictureWidget.h"
#include "gui/pictures/PictureSheet.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

namespace {

// What the user does before "Rechne": types a text, or clicks (no text).
struct Event {
    int id;
    std::string text;
};
using Events = std::vector<Event>;

// An input field: a number from [lo, hi] (spread over the decades with
// log), or one of the texts of a drop-down list.
struct Input {
    int id;
    double lo = 0, hi = 0;
    bool log = false;
    std::vector<const char*> texts = {};
};

struct FormCase {
    int form;
    std::vector<Input> inputs;
    std::vector<std::vector<int>> radios; // groups of radio buttons: one of each is clicked
};

constexpr double kHuge = 1e7;

const std::vector<FormCase>& Forms()
{
    static const std::vector<FormCase> forms = {
        {130,
         {{CPipeRunDlg::kIdZo, -10, 500}, {CPipeRunDlg::kIdZu, -10, 500}, {CPipeRunDlg::kIdL, 0.5, 5000, true},
          {CPipeRunDlg::kIdKb, 0.25, 3}, {CPipeRunDlg::kIdI, 0.01, 100, true}, {CPipeRunDlg::kIdN, 1, 1e5, true},
          {CPipeRunDlg::kIdDN, 0, 0, false, {"150", "200", "300", "500", "800", "1200", "2000", "3000"}},
          {CPipeRunDlg::kIdQ, 0.01, 1e6, true}},
         {{CPipeRunDlg::kIdModeLevels, CPipeRunDlg::kIdModePercent, CPipeRunDlg::kIdModeOneIn}}},
        {131,
         {{CPipeCulvertDlg::kIdDn10, 0, 0, false, {"0", "1"}}, // the check box first: it writes the fields
          {CPipeCulvertDlg::kIdDN, 80, 2000}, {CPipeCulvertDlg::kIdT, 0, 2}, {CPipeCulvertDlg::kIdKStS, 1, 100},
          {CPipeCulvertDlg::kIdKStW, 1, 100}, {CPipeCulvertDlg::kIdH1, 0.001, kHuge, true},
          {CPipeCulvertDlg::kIdH2, 0.001, kHuge, true}, {CPipeCulvertDlg::kIdZetaE, 0, 1},
          {CPipeCulvertDlg::kIdZetaA, 0, 1}, {CPipeCulvertDlg::kIdAufstau, 0, 200},
          {CPipeCulvertDlg::kIdL, 0.5, 1000}, {CPipeCulvertDlg::kIdI, 0, 1000}},
         {{CPipeCulvertDlg::kIdMode1, CPipeCulvertDlg::kIdMode2}}},
        {158,
         {{CBoxCulvertDlg::kIdB, 0.2, 5}, {CBoxCulvertDlg::kIdH, 0.4, 3}, {CBoxCulvertDlg::kIdT, 0, 1},
          {CBoxCulvertDlg::kIdH1, 0.001, kHuge, true}, {CBoxCulvertDlg::kIdH2, 0.001, kHuge, true},
          {CBoxCulvertDlg::kIdZetaE, 0.01, 1}, {CBoxCulvertDlg::kIdZetaA, 0.01, 1},
          {CBoxCulvertDlg::kIdAufstau, 0, 200}, {CBoxCulvertDlg::kIdL, 0.5, 1000}, {CBoxCulvertDlg::kIdI, 0, 1000}},
         {{CBoxCulvertDlg::kIdMode1, CBoxCulvertDlg::kIdMode2}}},
        {132,
         {{CSwaleDlg::kIdTEqualsH, 0, 0, false, {"0", "1"}},
          {CSwaleDlg::kIdH, 0, 0.6}, {CSwaleDlg::kIdB, 0.5, 4}, {CSwaleDlg::kIdT, 0, 0.6},
          {CSwaleDlg::kIdI, 0.001, 100, true}, {CSwaleDlg::kIdKSt, 1, 95}},
         {}},
        {143,
         {{CDitchDlg::kIdM1, 0.5, 5}, {CDitchDlg::kIdB, 0.3, 3}, {CDitchDlg::kIdT, 0.03, 3}, {CDitchDlg::kIdKSt, 1, 90},
          {CDitchDlg::kIdI, 0.01, 50}, {CDitchDlg::kIdM2, 0.5, 5}},
         {}},
        {176,
         {{CRoughBedSwaleDlg::kIdH, 0.001, 100, true}, {CRoughBedSwaleDlg::kIdB, 0, 1e4},
          {CRoughBedSwaleDlg::kIdD, 0, 0.41}, {CRoughBedSwaleDlg::kIdI, 0, 2000}},
         {}},
        {152,
         {{CGutterDlg::kIdKSt, 1, 95}, {CGutterDlg::kIdQf, 1, 7}, {CGutterDlg::kIdS, 0.001, 100, true},
          {CGutterDlg::kIdBS, 0.01, 10, true}, {CGutterDlg::kIdQS, 0.1, 100, true},
          {CGutterDlg::kIdB1, 0.001, 1000, true}, {CGutterDlg::kIdB2, 0.001, 1000, true},
          {CGutterDlg::kIdH1, 0.01, 1000, true}, {CGutterDlg::kIdH2, 0.01, 1000, true}},
         {{CGutterDlg::kIdDepthGiven, CGutterDlg::kIdWidthGiven}}},
        {154,
         {{COscillatingGutterDlg::kIdSf, 0, 0.5}, {COscillatingGutterDlg::kIdSmin, 0.5, 1},
          {COscillatingGutterDlg::kIdQH, 0.5, 20}, {COscillatingGutterDlg::kIdQT, 0.5, 20},
          {COscillatingGutterDlg::kIdB, 0.1, 2}, {COscillatingGutterDlg::kIdQs, 0.0001, 1}},
         {}},
        {165,
         {{CInletSpacingDlg::kIdS, 0, 8},
          {CInletSpacingDlg::kIdQ, 0.01, 1},
          {CInletSpacingDlg::kIdQf, 0, 0, false, {"1.0", "2.5", "4.0", "6.0", "7.0", "10", "15"}},
          {CInletSpacingDlg::kIdGamma, 0, 0, false, {"1.0", "1.5", "2.0"}}},
         {{CInletSpacingDlg::kIdCurb, CInletSpacingDlg::kIdBay, CInletSpacingDlg::kIdVGutter}}},
        {166,
         {{CBridgeDrainDlg::kIdS, 0.5, 5}, {CBridgeDrainDlg::kIdBSt, 0.01, kHuge, true},
          {CBridgeDrainDlg::kIdQf, 0, 0, false, {"2.5", "3.0", "4.0", "5.0"}}},
         {{CBridgeDrainDlg::kIdGratingSmall, CBridgeDrainDlg::kIdGratingLarge}}},
        {170,
         {{CThrottleSectionDlg::kIdKb, 0.01, 2}, {CThrottleSectionDlg::kIdZeta, 0.01, 1},
          {CThrottleSectionDlg::kIdMD, 0.1, 1}, {CThrottleSectionDlg::kIdDu, 50, 600},
          {CThrottleSectionDlg::kIdL, 0.1, 100}, {CThrottleSectionDlg::kIdHRs, -100, 1000},
          {CThrottleSectionDlg::kIdHmax, -100, 2000}, {CThrottleSectionDlg::kIdVa, 0, 5}},
         {}},
        {171,
         {{COrificeDlg::kIdQ, 0.001, kHuge, true}, {COrificeDlg::kIdH, 0.001, kHuge, true},
          {COrificeDlg::kIdMu, 0, 1}},
         {}},
        {185,
         {{CInfiltrationSwaleDlg::kIdB, 0.5, 5}, {CInfiltrationSwaleDlg::kIdJ, -50, 200},
          {CInfiltrationSwaleDlg::kIdT, 0.1, 0.7}, {CInfiltrationSwaleDlg::kIdKf, 1e-8, 0.01, true},
          {CInfiltrationSwaleDlg::kIdKfu, 0, 1}, {CInfiltrationSwaleDlg::kIdLs, 0.1, 1e5, true},
          {CInfiltrationSwaleDlg::kIdAuM, 0, 1000}, {CInfiltrationSwaleDlg::kIdN, 0.01, 2},
          {CInfiltrationSwaleDlg::kIdR, 1, 1000, true}, {CInfiltrationSwaleDlg::kIdD, 0, 4320},
          {CInfiltrationSwaleDlg::kIdHs, 0, 0.7}, {CInfiltrationSwaleDlg::kIdTE, 0, 0.7}},
         {{CInfiltrationSwaleDlg::kIdModeSpacing, CInfiltrationSwaleDlg::kIdModeImmersion},
          {CInfiltrationSwaleDlg::kIdRainTyped, CInfiltrationSwaleDlg::kIdRainFromFile},
          {CInfiltrationSwaleDlg::kIdModeCircle, CInfiltrationSwaleDlg::kIdModeParabola}}},
        {104,
         {{CInfiltrationTrenchDlg::kIdM1, 1, 10}, {CInfiltrationTrenchDlg::kIdM2, 1, 10},
          {CInfiltrationTrenchDlg::kIdB, 0.3, 10}, {CInfiltrationTrenchDlg::kIdT, 0.3, 2},
          {CInfiltrationTrenchDlg::kIdJ, -50, 200}, {CInfiltrationTrenchDlg::kIdHs, 0.2, 2},
          {CInfiltrationTrenchDlg::kIdKf, 1e-8, 0.01, true}, {CInfiltrationTrenchDlg::kIdAuM, 0, 1000},
          {CInfiltrationTrenchDlg::kIdLs, 10, 10000, true}, {CInfiltrationTrenchDlg::kIdN, 0.01, 2},
          {CInfiltrationTrenchDlg::kIdR, 1, 1000, true}, {CInfiltrationTrenchDlg::kIdD, 0, 4320},
          {CInfiltrationTrenchDlg::kIdTE, 0, 2}},
         {{CInfiltrationTrenchDlg::kIdModeSpacing, CInfiltrationTrenchDlg::kIdModeImmersion},
          {CInfiltrationTrenchDlg::kIdRainTyped, CInfiltrationTrenchDlg::kIdRainFromFile}}},
        {183,
         {{CTimeCoefficientDlg::kIdN1, 0.01, 2}, {CTimeCoefficientDlg::kIdN2, 0.01, 2},
          {CTimeCoefficientDlg::kIdN3, 0.01, 2}, {CTimeCoefficientDlg::kIdN4, 0.01, 2},
          {CTimeCoefficientDlg::kIdT1, -8, 10000}},
         {}},
    };
    return forms;
}

std::string Describe(const Events& events)
{
    std::string text;
    for (const Event& e : events)
        text += (text.empty() ? "" : " ") + (e.text.empty() ? "--click " + std::to_string(e.id)
                                                            : std::to_string(e.id) + "=" + e.text);
    return text.empty() ? "Vorgaben" : text;
}

// What is wrong with one painting of a picture.
QStringList Faults(const pic::SheetRecord& sheet)
{
    QStringList faults;
    for (size_t i = 0; i < sheet.boxes.size(); ++i) {
        const QRectF& box = sheet.boxes[i];
        const QString& text = sheet.texts[static_cast<int>(i)];
        if (!sheet.bounds.contains(box))
            faults << QStringLiteral("\"%1\" leaves the picture").arg(text);
        for (size_t j = i + 1; j < sheet.boxes.size(); ++j) {
            // Side by side, texts keep a gap, or they read as one word.
            const double gap = 0.15 * std::min(box.height(), sheet.boxes[j].height());
            if (box.adjusted(-gap, 0, gap, 0).intersects(sheet.boxes[j]))
                faults << QStringLiteral("\"%1\" runs into \"%2\"").arg(text, sheet.texts[static_cast<int>(j)]);
        }
        for (const QPainterPath& part : sheet.parts)
            if (part.intersects(box)) {
                faults << QStringLiteral("\"%1\" covers a drawn part").arg(text);
                break;
            }
    }
    return faults;
}

// Does what the events say and computes (unless told not to), then paints
// every picture of the window. Returns false when the form refused the
// inputs (its picture then shows why, not a drawing).
bool Paint(CFormWindow& window, const FormCase& c, const Events& events, bool compute, QStringList& faults)
{
    window.Perform([&](CForm& form) {
        for (const Event& e : events)
            e.text.empty() ? form.Click(e.id) : form.Type(e.id, e.text);
        if (compute)
            PressCompute(form);
    });
    if (!window.Form().RefusedBecause().empty())
        return false;
    pic::SheetRecorder recorder;
    for (CPictureWidget* picture : window.findChildren<CPictureWidget*>())
        picture->grab();
    const QString what = compute ? QString::fromStdString(Describe(events)) : QStringLiteral("geöffnet");
    for (const pic::SheetRecord& sheet : recorder.Sheets()) {
        for (const QString& fault : Faults(sheet))
            faults << QStringLiteral("%1 (%2): %3").arg(c.form).arg(what, fault);
        if (events.empty()) // at the defaults every text finds its place
            for (const QString& text : sheet.dropped)
                faults << QStringLiteral("%1 (%2): \"%3\" left out").arg(c.form).arg(what, text);
    }
    return true;
}

std::string Number(double v) { return Format("%.4g", v); }

// Random accepted values: every radio group and every input field drawn
// at random, now and then at an end of its range.
Events RandomEvents(const FormCase& c, std::mt19937& rng)
{
    Events events;
    for (const auto& group : c.radios)
        events.push_back({group[std::uniform_int_distribution<size_t>(0, group.size() - 1)(rng)], ""});
    std::uniform_real_distribution<double> unit(0, 1);
    for (const Input& in : c.inputs) {
        if (!in.texts.empty()) {
            events.push_back({in.id, in.texts[std::uniform_int_distribution<size_t>(0, in.texts.size() - 1)(rng)]});
            continue;
        }
        const double u = unit(rng);
        double v = 0;
        if (u < 0.1)
            v = in.lo;
        else if (u < 0.2)
            v = in.hi;
        else if (in.log)
            v = in.lo * std::pow(in.hi / in.lo, unit(rng));
        else
            v = in.lo + (in.hi - in.lo) * unit(rng);
        events.push_back({in.id, Number(v)});
    }
    return events;
}

const FormCase* Find(int form)
{
    for (const FormCase& c : Forms())
        if (c.form == form)
            return &c;
    return nullptr;
}

QString Report(const QStringList& faults)
{
    QStringList shown = faults.mid(0, 12);
    if (faults.size() > shown.size())
        shown << QStringLiteral("... %1 in all").arg(faults.size());
    return shown.join('\n');
}

} // namespace

class PictureLabelsTest : public QObject {
    Q_OBJECT

    test::TempDataDir m_dir;

private slots:
    void initTestCase()
    {
        for (const auto& entry : std::filesystem::directory_iterator(test::MediumDir()))
            m_dir.CopyFromMedium(entry.path().filename().string());
    }

    void knownCollisionsAreGone_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<Events>("events");
        QTest::newRow("Rohrdrossel H max 1") << 170 << Events{{CThrottleSectionDlg::kIdHmax, "1"}};
        QTest::newRow("Rohrdrossel H max 40") << 170 << Events{{CThrottleSectionDlg::kIdHmax, "40"}};
        QTest::newRow("Drossel großes d, kleines h")
            << 171 << Events{{COrificeDlg::kIdQ, "2000"}, {COrificeDlg::kIdH, "0.05"}, {COrificeDlg::kIdMu, "0.1"}};
        QTest::newRow("Rohrdurchlass Sohle, voll")
            << 131 << Events{{CPipeCulvertDlg::kIdT, "0.3"}, {CPipeCulvertDlg::kIdH2, "0.5"}};
        QTest::newRow("Rohrdurchlass hohe Sohle, voll")
            << 131
            << Events{{CPipeCulvertDlg::kIdT, "0.35"}, {CPipeCulvertDlg::kIdH1, "2.1"}, {CPipeCulvertDlg::kIdH2, "2"}};
    }

    void knownCollisionsAreGone()
    {
        QFETCH(int, form);
        QFETCH(Events, events);
        CMessageLog log;
        CFormWindow window(*FindFormById(form), nullptr, &log);
        window.show();
        QStringList faults;
        QVERIFY(Paint(window, *Find(form), events, true, faults));
        QVERIFY2(faults.isEmpty(), qPrintable(Report(faults)));
    }

    // Every form with a picture, its ranges from the table above.
    void textsStayClear_data()
    {
        QTest::addColumn<int>("form");
        for (const FormInfo& info : AllForms())
            if (info.picture)
                QTest::newRow(info.title) << info.templateId;
    }

    void textsStayClear()
    {
        QFETCH(int, form);
        QVERIFY2(Find(form), qPrintable(QStringLiteral("Form %1 has a picture and no row in Forms() of this test: "
                                                      "give it the ranges of its inputs")
                                             .arg(form)));
        const FormCase& c = *Find(form);
        CMessageLog log;
        CFormWindow window(*FindFormById(form), nullptr, &log);
        window.show();
        QStringList faults;
        QVERIFY(Paint(window, c, {}, false, faults)); // as opened
        QVERIFY(Paint(window, c, {}, true, faults));  // the defaults computed
        // Each end of each range, the other fields as they are.
        for (const Input& in : c.inputs)
            if (in.texts.empty())
                for (double v : {in.lo, in.hi})
                    Paint(window, c, {{in.id, Number(v)}}, true, faults);
        std::mt19937 rng(static_cast<unsigned>(form));
        const int samples = 150;
        int accepted = 0;
        for (int i = 0; i < samples; ++i)
            accepted += Paint(window, c, RandomEvents(c, rng), true, faults) ? 1 : 0;
        QVERIFY2(accepted >= samples / 5, qPrintable(QStringLiteral("only %1 accepted").arg(accepted)));
        QVERIFY2(faults.isEmpty(), qPrintable(Report(faults)));
    }
};

DRALUN_QTEST(PictureLabelsTest);
#include "PictureLabelsTest.moc"
