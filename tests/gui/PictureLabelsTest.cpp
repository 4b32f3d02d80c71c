// The drawn pictures of the calculator forms keep their texts readable: at
// the defaults, at the ends of the ranges, at extreme and at many random
// accepted values no text covers another text or a drawn part (wall, pipe,
// basin, line), and none leaves its picture.
#include <QTest>
#include <filesystem>
#include <random>

#include "QtTestRegistry.h"
#include "core/Format.h"
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
    int compute; // the button that computes
    std::vector<Input> inputs;
    std::vector<std::vector<int>> radios; // groups of radio buttons: one of each is clicked
};

constexpr double kHuge = 1e7;

const std::vector<FormCase>& Forms()
{
    static const std::vector<FormCase> forms = {
        {130, 1017,
         {{1001, -10, 500}, {1002, -10, 500}, {1003, 0.5, 5000, true}, {1006, 0.25, 3}, {1004, 0.01, 100, true},
          {1005, 1, 1e5, true}, {1019, 0, 0, false, {"150", "200", "300", "500", "800", "1200", "2000", "3000"}}, {1000, 0.01, 1e6, true}},
         {{1007, 1008, 1009}}},
        {131, 1025,
         {{1024, 0, 0, false, {"0", "1"}}, // the check box first: it writes the fields
          {1000, 80, 2000}, {1001, 0, 2}, {1002, 1, 100}, {1003, 1, 100}, {1014, 0.001, kHuge, true},
          {1015, 0.001, kHuge, true}, {1016, 0, 1}, {1018, 0, 1}, {1043, 0, 200}, {1004, 0.5, 1000}, {1005, 0, 1000}},
         {{1007, 1008}}},
        {158, 1,
         {{1000, 0.2, 5}, {1001, 0.4, 3}, {1002, 0, 1}, {1015, 0.001, kHuge, true}, {1016, 0.001, kHuge, true},
          {1018, 0.01, 1}, {1019, 0.01, 1}, {1049, 0, 200}, {1005, 0.5, 1000}, {1006, 0, 1000}},
         {{1007, 1008}}},
        {132, 1,
         {{1024, 0, 0, false, {"0", "1"}},
          {1001, 0, 0.6}, {1000, 0.5, 4}, {1002, 0, 0.6}, {1003, 0.001, 100, true}, {1004, 1, 95}},
         {}},
        {143, 1,
         {{1002, 0.5, 5}, {1000, 0.3, 3}, {1004, 0.03, 3}, {1006, 1, 90}, {1005, 0.01, 50}, {1003, 0.5, 5}},
         {}},
        {176, 1, {{1000, 0.001, 100, true}, {1001, 0, 1e4}, {1002, 0, 0.41}, {1003, 0, 2000}}, {}},
        {152, 1,
         {{1000, 1, 95}, {1002, 1, 7}, {1001, 0.001, 100, true}, {1003, 0.01, 10, true}, {1005, 0.1, 100, true},
          {1013, 0.001, 1000, true}, {1043, 0.001, 1000, true}, {1006, 0.01, 1000, true}, {1049, 0.01, 1000, true}},
         {{1007, 1008}}},
        {154, 1,
         {{1000, 0, 0.5}, {1001, 0.5, 1}, {1002, 0.5, 20}, {1003, 0.5, 20}, {1004, 0.1, 2}, {1005, 0.0001, 1}},
         {}},
        {165, 1,
         {{1000, 0, 8},
          {1001, 0.01, 1},
          {1046, 0, 0, false, {"1.0", "2.5", "4.0", "6.0", "7.0", "10", "15"}},
          {1064, 0, 0, false, {"1.0", "1.5", "2.0"}}},
         {{1007, 1008, 1009}}},
        {166, 1,
         {{1001, 0.5, 5}, {1002, 0.01, kHuge, true}, {1047, 0, 0, false, {"2.5", "3.0", "4.0", "5.0"}}},
         {{1007, 1008}}},
        {170, 1,
         {{1000, 0.01, 2}, {1001, 0.01, 1}, {1002, 0.1, 1}, {1003, 50, 600}, {1004, 0.1, 100}, {1006, -100, 1000},
          {1013, -100, 2000}, {1016, 0, 5}},
         {}},
        {171, 1, {{1000, 0.001, kHuge, true}, {1001, 0.001, kHuge, true}, {1002, 0, 1}}, {}},
        {185, 1,
         {{1000, 0.5, 5}, {1002, -50, 200}, {1001, 0.1, 0.7}, {1018, 1e-8, 0.01, true}, {1019, 0, 1},
          {1004, 0.1, 1e5, true}, {1030, 0, 1000}, {1051, 0.01, 2}, {1043, 1, 1000, true}, {1049, 0, 4320},
          {1003, 0, 0.7}, {1005, 0, 0.7}},
         {{1007, 1008}, {1009, 1053}, {1069, 1070}}},
        {104, 1,
         {{1000, 1, 10}, {1001, 1, 10}, {1002, 0.3, 10}, {1003, 0.3, 2}, {1004, -50, 200}, {1005, 0.2, 2},
          {1006, 1e-8, 0.01, true}, {1014, 0, 1000}, {1051, 10, 10000, true}, {1018, 0.01, 2}, {1054, 1, 1000, true},
          {1063, 0, 4320}, {1052, 0, 2}},
         {{1007, 1008}, {1009, 1053}}},
        {183, 1, {{1000, 0.01, 2}, {1001, 0.01, 2}, {1002, 0.01, 2}, {1003, 0.01, 2}, {1004, -8, 10000}}, {}},
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
            form.Click(c.compute);
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

const FormCase& Find(int form)
{
    for (const FormCase& c : Forms())
        if (c.form == form)
            return c;
    throw std::invalid_argument("no case for form " + std::to_string(form));
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
        QTest::addColumn<QStringList>("typed");
        QTest::newRow("Rohrdrossel H max 1") << 170 << QStringList{"1013=1"};
        QTest::newRow("Rohrdrossel H max 40") << 170 << QStringList{"1013=40"};
        QTest::newRow("Drossel großes d, kleines h") << 171 << QStringList{"1000=2000", "1001=0.05", "1002=0.1"};
        QTest::newRow("Rohrdurchlass Sohle, voll") << 131 << QStringList{"1001=0.3", "1015=0.5"};
        QTest::newRow("Rohrdurchlass hohe Sohle, voll") << 131 << QStringList{"1001=0.35", "1014=2.1", "1015=2"};
    }

    void knownCollisionsAreGone()
    {
        QFETCH(int, form);
        QFETCH(QStringList, typed);
        Events events;
        for (const QString& t : typed)
            events.push_back({t.section('=', 0, 0).toInt(), t.section('=', 1).toStdString()});
        CMessageLog log;
        CFormWindow window(*FindFormById(form), nullptr, &log);
        window.show();
        QStringList faults;
        QVERIFY(Paint(window, Find(form), events, true, faults));
        QVERIFY2(faults.isEmpty(), qPrintable(Report(faults)));
    }

    void textsStayClear_data()
    {
        QTest::addColumn<int>("form");
        for (const FormCase& c : Forms())
            QTest::newRow(FindFormById(c.form)->title) << c.form;
    }

    void textsStayClear()
    {
        QFETCH(int, form);
        const FormCase& c = Find(form);
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
