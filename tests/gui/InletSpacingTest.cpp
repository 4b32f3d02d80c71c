// The inlet spacing form in its window, with the tables of the installation
// medium: the table for the defaults as soon as it opens, the gutter form
// buttons and the cross-fall list, spacings, the table drawn below the
// controls, messages once per action (never from painting), missing tables,
// and a picture that survives odd values.
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "QtTestRegistry.h"
#include "forms/CInletSpacingDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/pictures/CPictureWidget.h"
#include "gui/pictures/Pictures.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

using D = CInletSpacingDlg;

namespace {

const char* const kFiles[31] = {
    "b1-0.bin",  "b1-5.bin",  "b2-0.bin",  "b2-5.bin",  "b3-0.bin",   "b3-5.bin",   "b4-0.bin",   "b4-5.bin",
    "b5-0.bin",  "b5-5.bin",  "b6-0.bin",  "ab1-0.bin", "ab1-5.bin",  "ab2-0.bin",  "ab2-5.bin",  "ab3-0.bin",
    "ab3-5.bin", "ab4-0.bin", "ab4-5.bin", "ab5-0.bin", "ab5-5.bin",  "ab6-0.bin",  "sp7-0.bin",  "sp8-0.bin",
    "sp9-0.bin", "sp10-0.bin", "sp11-0.bin", "sp12-0.bin", "sp13-0.bin", "sp14-0.bin", "sp15-0.bin",
};

void InstallTables(const test::TempDataDir& dir)
{
    for (const char* name : kFiles)
        dir.CopyFromMedium(name);
}

std::string Line(const CForm& form, int y, int xChars = 0)
{
    std::string text;
    for (const DrawnText& d : form.Drawn())
        if (d.y == y && d.xChars == xChars)
            text = d.text;
    return text;
}

} // namespace

class InletSpacingTest : public QObject {
    Q_OBJECT

    template <class T>
    T* Get(CFormWindow& w, int id)
    {
        return qobject_cast<T*>(w.Control(id));
    }

    void ClickRadio(CFormWindow& w, int id)
    {
        QWidget* radio = w.Control(id);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(radio->height() / 2, radio->height() / 2));
    }

    void Pick(CFormWindow& w, int id, const QString& item)
    {
        auto* combo = Get<QComboBox>(w, id);
        const int index = combo->findText(item);
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    // The area of the drawn table: the widest picture widget.
    CPictureWidget* Table(CFormWindow& w)
    {
        CPictureWidget* widest = nullptr;
        for (CPictureWidget* p : w.findChildren<CPictureWidget*>())
            if (!widest || p->width() > widest->width())
                widest = p;
        return widest;
    }

    void Repaint(CFormWindow& w)
    {
        for (int i = 0; i < 3; ++i) {
            w.grab();
            w.repaint();
        }
    }

private slots:
    void opensWithTheTableOfTheDefaults()
    {
        test::TempDataDir dir;
        InstallTables(dir);
        CMessageLog log;
        CFormWindow w(*FindFormById(165), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Dralun Straßenablauf-Abstände"));
        QVERIFY(Get<QRadioButton>(w, D::kIdCurb)->isChecked());
        QCOMPARE(Get<QRadioButton>(w, D::kIdBay)->text(), QStringLiteral("Straßenablaufbucht"));
        QCOMPARE(Get<QComboBox>(w, D::kIdQf)->currentText(), QStringLiteral("2.5"));
        QCOMPARE(Get<QComboBox>(w, D::kIdGamma)->currentText(), QStringLiteral("1.5"));
        QCOMPARE(Get<QLineEdit>(w, D::kIdQd)->text(), QStringLiteral("0.165"));
        QVERIFY(Get<QLineEdit>(w, D::kIdQd)->isReadOnly());
        QVERIFY(!Get<QCheckBox>(w, D::kIdAbstand)->isChecked());
        QVERIFY(Get<QPushButton>(w, kIdOk)->isDefault());
        // B2-5 at s = 1 %, kSt 70: the curb gutter carries 0.19, 0.73, 1.79,
        // 3.00 and 4.63 l/s at b = 0.30 ... 1.00 m; at 1.00 m the gratings
        // take 3.32, 4.10 and 4.28 l/s (worked out by hand).
        QCOMPARE(Line(w.Form(), 210), std::string("      0.20        0.70        1.80        3.00        4.60   "));
        QCOMPARE(Line(w.Form(), 360, 16).substr(36, 6), std::string("  4.30"));
        QCOMPARE(Line(w.Form(), 320, 16).substr(36, 6), std::string("  3.30"));
        QVERIFY(FindPicture(165));
        QVERIFY(log.Messages().empty());
        Repaint(w);
        QVERIFY(log.Messages().empty());
    }

    void gutterFormButtonsAndListCorrectTheCrossFall()
    {
        test::TempDataDir dir;
        InstallTables(dir);
        CMessageLog log;
        CFormWindow w(*FindFormById(165), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ClickRadio(w, D::kIdVGutter);
        QVERIFY(Get<QRadioButton>(w, D::kIdVGutter)->isChecked());
        QVERIFY(!Get<QRadioButton>(w, D::kIdCurb)->isChecked());
        QCOMPARE(Get<QComboBox>(w, D::kIdQf)->currentText(), QStringLiteral("7.0"));
        // SP7-0 at 1 %: the V-gutter carries 3.94 l/s at b = 0.5 m and 5.19 l/s at 0.7 m.
        QCOMPARE(Line(w.Form(), 210).substr(0, 34), std::string("      1.00        3.90        5.20"));

        Pick(w, D::kIdQf, "10");
        QCOMPARE(Get<QComboBox>(w, D::kIdQf)->currentText(), QStringLiteral("10"));
        ClickRadio(w, D::kIdBay);
        QCOMPARE(Get<QComboBox>(w, D::kIdQf)->currentText(), QStringLiteral("2.5"));
        QCOMPARE(Line(w.Form(), 320), std::string("L I   LB 1.80 m=") + std::string(45, ' '));
        Pick(w, D::kIdQf, "9.0");
        QCOMPARE(Get<QComboBox>(w, D::kIdQf)->currentText(), QStringLiteral("2.5"));
        QVERIFY(log.Messages().empty());
    }

    void spacingsWithTheCheckBox()
    {
        test::TempDataDir dir;
        InstallTables(dir);
        CMessageLog log;
        CFormWindow w(*FindFormById(165), nullptr, &log);
        w.show();
        QTest::mouseClick(Get<QCheckBox>(w, D::kIdAbstand), Qt::LeftButton, {},
                          QPoint(5, Get<QCheckBox>(w, D::kIdAbstand)->height() / 2));
        QVERIFY(Get<QCheckBox>(w, D::kIdAbstand)->isChecked());
        QCOMPARE(Line(w.Form(), 210, 64), std::string("[m]  "));
        // 0.7 l/s over 0.165 l/(s m) and 4.6 l/s over it.
        QCOMPARE(Line(w.Form(), 210).substr(0, 22), std::string("      1.21        4.24"));
        QCOMPARE(Line(w.Form(), 210).substr(52), std::string(" 27.88  "));
        Pick(w, D::kIdGamma, "2.0");
        QCOMPARE(Get<QLineEdit>(w, D::kIdQd)->text(), QStringLiteral("0.22"));
        QCOMPARE(Line(w.Form(), 210).substr(52), std::string(" 20.91  ")); // 27.88 * 3/4
    }

    void tableStandsBelowTheControls()
    {
        test::TempDataDir dir;
        InstallTables(dir);
        CMessageLog log;
        CFormWindow w(*FindFormById(165), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        CPictureWidget* table = Table(w);
        QVERIFY(table);
        // The first line of the table is drawn 170 pixels below the top of its area.
        const int firstLine = table->mapTo(&w, QPoint(0, 170)).y();
        QList<QWidget*> above;
        for (int id : std::initializer_list<int>{D::kIdS, D::kIdQ, D::kIdQd, D::kIdAbstand, D::kIdQf, D::kIdGamma, D::kIdCurb,
                                                 D::kIdBay, D::kIdVGutter, kIdOk, kIdCancel})
            above << w.Control(id);
        for (QGroupBox* box : w.findChildren<QGroupBox*>())
            above << box;
        for (QLabel* label : w.findChildren<QLabel*>())
            if (label->objectName() != QLatin1String("verdictLine")) // the verdict stands at the foot
                above << label;
        for (CPictureWidget* p : w.findChildren<CPictureWidget*>())
            if (p != table)
                above << p;
        for (QWidget* widget : above) {
            if (!widget->isVisibleTo(&w)) // the note on changed results, hidden here
                continue;
            const int bottom = widget->mapTo(&w, QPoint(0, widget->height())).y();
            QVERIFY2(bottom < firstLine, qPrintable(QStringLiteral("%1 reaches %2, the table begins at %3")
                                                        .arg(widget->metaObject()->className())
                                                        .arg(bottom)
                                                        .arg(firstLine)));
        }
        // The value lines fit into the table's area: its columns stand at
        // the pitch of the fixed-pitch font.
        const QFontMetrics fixed(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        const int pitch = fixed.horizontalAdvance(QLatin1Char('0'));
        QVERIFY(20 + 64 * pitch + fixed.horizontalAdvance(QStringLiteral("[l/s]")) <= table->width());
        QVERIFY(360 + fixed.height() <= table->height());
    }

    void rangeFailureIsReportedOncePerActionNeverByPainting()
    {
        test::TempDataDir dir;
        InstallTables(dir);
        CMessageLog log;
        CFormWindow w(*FindFormById(165), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QLineEdit* slope = Get<QLineEdit>(w, D::kIdS);
        slope->setFocus();
        slope->selectAll();
        QTest::keyClicks(slope, "9");
        QTest::keyClick(slope, Qt::Key_Return);
        QCOMPARE(log.Messages().size(), size_t(1));
        QVERIFY(w.isVisible());
        QCOMPARE(Line(w.Form(), 210), std::string("         -           -           -           -           -   "));
        Repaint(w);
        QCOMPARE(log.Messages().size(), size_t(1));
        Pick(w, D::kIdQf, "3.0");
        QCOMPARE(log.Messages().size(), size_t(2));
        Repaint(w);
        QCOMPARE(log.Messages().size(), size_t(2));
    }

    void missingTablesAreReportedOnceAndDrawnAsNotAvailable()
    {
        test::TempDataDir dir; // empty
        CMessageLog log;
        CFormWindow w(*FindFormById(165), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(log.Messages().size(), size_t(1));
        QVERIFY(QString::fromStdString(log.Messages()[0].text).contains("B1-0.BIN"));
        QVERIFY(Line(w.Form(), 210).starts_with("Tabellen nicht verfügbar: B1-0.BIN fehlt"));
        Repaint(w);
        QTest::mouseClick(Get<QPushButton>(w, kIdOk), Qt::LeftButton);
        ClickRadio(w, D::kIdBay);
        QCOMPARE(log.Messages().size(), size_t(1));
        QVERIFY(Line(w.Form(), 210).starts_with("Tabellen nicht verfügbar"));
    }

    void pictureSurvivesOddValues()
    {
        test::TempDataDir dir;
        InstallTables(dir);
        const Picture* picture = FindPicture(165);
        QVERIFY(picture);
        for (const char* slope : {"0", "-5", "1e300", "8"}) {
            for (int radio : {D::kIdCurb, D::kIdBay, D::kIdVGutter}) {
                CMessageLog log;
                CFormWindow w(*FindFormById(165), nullptr, &log);
                w.Perform([&](CForm& form) {
                    form.Click(radio);
                    form.Type(D::kIdS, slope);
                    form.Click(kIdOk);
                });
                QImage image(300, 160, QImage::Format_ARGB32);
                QPainter painter(&image);
                picture->paint(painter, QRectF(0, 0, 300, 160), w.Form());
                QImage tiny(10, 6, QImage::Format_ARGB32);
                QPainter small(&tiny);
                picture->paint(small, QRectF(0, 0, 10, 6), w.Form());
            }
        }
    }
};

DRALUN_QTEST(InletSpacingTest);
#include "InletSpacingTest.moc"
