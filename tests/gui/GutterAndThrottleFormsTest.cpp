// The throttle section, gutter, oscillating gutter and bridge drain forms in
// their windows: computing on opening and on mode changes, Enter, disabled
// fields, drop-down list, messages once per action (never from painting),
// and pictures that survive odd values.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "QtTestRegistry.h"
#include "forms/CBridgeDrainDlg.h"
#include "forms/CGutterDlg.h"
#include "forms/COscillatingGutterDlg.h"
#include "forms/CThrottleSectionDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/DigitDisplay.h"
#include "gui/pictures/CPictureWidget.h"
#include "gui/pictures/Pictures.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

using Gutter = CGutterDlg;
using Oscillating = COscillatingGutterDlg;
using BridgeDrain = CBridgeDrainDlg;
using Throttle = CThrottleSectionDlg;

class GutterAndThrottleFormsTest : public QObject {
    Q_OBJECT

    QLineEdit* Edit(CFormWindow& w, int id) { return qobject_cast<QLineEdit*>(w.Control(id)); }

    // Types into a field as the user does, then presses Enter in it.
    void TypeAndEnter(CFormWindow& w, int id, const char* text)
    {
        QLineEdit* edit = Edit(w, id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // Clicks a radio button on its indicator (its middle may lie beyond the text).
    void ClickRadio(CFormWindow& w, int id)
    {
        QWidget* radio = w.Control(id);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(radio->height() / 2, radio->height() / 2));
    }

    // Paints the window a few times: nothing may be computed or reported by that.
    void Repaint(CFormWindow& w)
    {
        for (int i = 0; i < 3; ++i) {
            w.grab();
            w.repaint();
        }
    }

private slots:
    // The fields show the form's own texts, every digit, as they are compared.
    void initTestCase() { CDigitDisplay::Instance().SetAllDigits(true); }
    void cleanupTestCase() { CDigitDisplay::Instance().SetAllDigits(false); }

    void gutterShowsResultsWhenOpened()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(152), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Bord- / Spitzrinne"));
        QCOMPARE(Edit(w, Gutter::kIdH1)->text(), QStringLiteral("1.25"));
        QCOMPARE(Edit(w, Gutter::kIdH2)->text(), QStringLiteral("3.5"));
        QCOMPARE(Edit(w, Gutter::kIdA1)->text(), QStringLiteral("0.003125"));
        QVERIFY(qobject_cast<QRadioButton*>(w.Control(Gutter::kIdWidthGiven))->isChecked());
        QVERIFY(!Edit(w, Gutter::kIdH1)->isEnabled());
        QVERIFY(Edit(w, Gutter::kIdB1)->isEnabled());
        QVERIFY(Edit(w, Gutter::kIdLu1)->isReadOnly());
        QVERIFY(log.Messages().empty());
    }

    void gutterModeButtonSwapsFieldsAndComputes()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(152), nullptr, &log);
        w.show();
        ClickRadio(w, Gutter::kIdDepthGiven);
        QVERIFY(qobject_cast<QRadioButton*>(w.Control(Gutter::kIdDepthGiven))->isChecked());
        QVERIFY(!qobject_cast<QRadioButton*>(w.Control(Gutter::kIdWidthGiven))->isChecked());
        QVERIFY(Edit(w, Gutter::kIdH1)->isEnabled());
        QVERIFY(!Edit(w, Gutter::kIdB1)->isEnabled());
        TypeAndEnter(w, Gutter::kIdH2, "5"); // e = 0.015, c = 0.6: b = 1.1 m
        QVERIFY(w.isVisible());
        QCOMPARE(Edit(w, Gutter::kIdB2)->text().toDouble(), 1.1);
        QVERIFY(log.Messages().empty());
    }

    void gutterMessageOncePerActionNotPerPaint()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(152), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TypeAndEnter(w, Gutter::kIdS, "-1");
        QCOMPARE(log.Messages().size(), size_t(1));
        QCOMPARE(Edit(w, Gutter::kIdV1)->text(), QStringLiteral("-"));
        Repaint(w);
        QCOMPARE(log.Messages().size(), size_t(1));
        ClickRadio(w, Gutter::kIdDepthGiven); // a mode change computes: once more
        QCOMPARE(log.Messages().size(), size_t(2));
        Repaint(w);
        QCOMPARE(log.Messages().size(), size_t(2));
    }

    void throttleSlopeStaysDisabledAndEnterComputes()
    {
        test::TempDataDir dir;
        CMessageLog log;
        CFormWindow w(*FindFormById(170), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Rohrdrossel nach ATV-A 111"));
        QVERIFY(!Edit(w, Throttle::kIdI)->isEnabled());
        QCOMPARE(Edit(w, Throttle::kIdV)->text(), QStringLiteral("–")); // not computed yet
        QTest::keyClick(Edit(w, Throttle::kIdHmax), Qt::Key_Return);
        QVERIFY(w.isVisible());
        QVERIFY(Edit(w, Throttle::kIdV)->text().startsWith(QStringLiteral("2.898")));
        QVERIFY(Edit(w, Throttle::kIdQ)->text().startsWith(QStringLiteral("0.09105")));
        QVERIFY(!Edit(w, Throttle::kIdI)->isEnabled());
        QVERIFY(dir.Exists("dump-DrosselA111.txt"));
        QVERIFY(log.Messages().empty());
    }

    void throttleCrownWarningOnce()
    {
        test::TempDataDir dir;
        CMessageLog log;
        CFormWindow w(*FindFormById(170), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TypeAndEnter(w, Throttle::kIdHmax, "0.24");
        QCOMPARE(log.Messages().size(), size_t(1));
        QCOMPARE(QString::fromStdString(log.Messages()[0].text),
                 QStringLiteral(" WSP unterschreitet Rohrscheitel + 0,05 m "));
        QVERIFY(log.Messages()[0].icon == MsgIcon::Exclamation);
        QVERIFY(Edit(w, Throttle::kIdV)->text().startsWith(QStringLiteral("0.6436")));
        Repaint(w);
        QCOMPARE(log.Messages().size(), size_t(1));
    }

    void oscillatingGutterShowsSingleDigitsAndWarns()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(154), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(Edit(w, Oscillating::kIdL)->text(), QStringLiteral("–")); // nothing computed on opening
        QTest::mouseClick(w.Control(kIdOk), Qt::LeftButton);
        QCOMPARE(Edit(w, Oscillating::kIdL)->text(), QStringLiteral("15.625"));
        QCOMPARE(Edit(w, Oscillating::kIdQtmin)->text(), QStringLiteral("3.75424"));
        QVERIFY(log.Messages().empty());
        TypeAndEnter(w, Oscillating::kIdQT, "2");
        QCOMPARE(Edit(w, Oscillating::kIdQtmin)->text(), QStringLiteral("-"));
        QCOMPARE(log.Messages().size(), size_t(1));
        QVERIFY(QString::fromStdString(log.Messages()[0].text).contains(QStringLiteral("qtmin < qT")));
        Repaint(w);
        QCOMPARE(log.Messages().size(), size_t(1));
    }

    void bridgeDrainListAndGratingsCompute()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(166), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* combo = qobject_cast<QComboBox*>(w.Control(BridgeDrain::kIdQf));
        QVERIFY(combo);
        QCOMPARE(combo->count(), 6);
        QCOMPARE(combo->currentText(), QStringLiteral("2.5"));
        QVERIFY(qobject_cast<QRadioButton*>(w.Control(BridgeDrain::kIdGratingSmall))->isChecked());
        QTest::mouseClick(w.Control(kIdOk), Qt::LeftButton);
        QCOMPARE(Edit(w, BridgeDrain::kIdL)->text(), QStringLiteral("36.5"));
        ClickRadio(w, BridgeDrain::kIdGratingLarge);
        QVERIFY(Edit(w, BridgeDrain::kIdL)->text().startsWith(QStringLiteral("41.7857")));
        combo->setCurrentIndex(5);
        emit combo->activated(5); // the user picks "5.0": (185 5 - 170) / 7
        QVERIFY(Edit(w, BridgeDrain::kIdL)->text().startsWith(QStringLiteral("107.857")));
        QVERIFY(log.Messages().empty());
        TypeAndEnter(w, BridgeDrain::kIdBSt, "0");
        QCOMPARE(log.Messages().size(), size_t(1));
        QCOMPARE(Edit(w, BridgeDrain::kIdL)->text(), QStringLiteral("–")); // refused: no result
    }

    void picturesAreRegisteredAndShown()
    {
        for (int id : {157, 169, 170, 175})
            QVERIFY2(FindPicture(id), qPrintable(QString::number(id)));
        for (int form : {152, 154, 166, 170}) {
            CMessageLog log;
            CFormWindow w(*FindFormById(form), nullptr, &log);
            QVERIFY(!w.findChildren<CPictureWidget*>().isEmpty());
        }
    }

    void picturesSurviveOddValues()
    {
        test::TempDataDir dir;
        const struct {
            int form;
            std::vector<std::pair<int, const char*>> typed;
        } cases[] = {
            {152, {{Gutter::kIdQf, "0"}}},
            {152, {{Gutter::kIdB1, "1e12"}, {Gutter::kIdB2, "1e-9"}, {Gutter::kIdS, "-1"}}},
            {152, {{Gutter::kIdBS, "-0.5"}, {Gutter::kIdQS, "-7"}, {Gutter::kIdB1, "0"}, {Gutter::kIdB2, "0"}}},
            {154, {{Oscillating::kIdQT, "2"}}},
            {154, {{Oscillating::kIdSf, "0.5"}}},
            {154, {{Oscillating::kIdSf, "-3"}, {Oscillating::kIdSmin, "1e30"}}},
            {166, {{BridgeDrain::kIdBSt, "0"}}},
            {166, {{BridgeDrain::kIdBSt, "1e-6"}, {BridgeDrain::kIdS, "5"}}},
            {170, {{Throttle::kIdHmax, "-1e12"}}},
            {170, {{Throttle::kIdDu, "0"}, {Throttle::kIdL, "-5"}}},
            {170, {{Throttle::kIdDu, "1e9"}, {Throttle::kIdHmax, "1e9"}}},
        };
        for (const auto& c : cases) {
            CMessageLog log;
            CFormWindow w(*FindFormById(c.form), nullptr, &log);
            w.show();
            w.Perform([&](CForm& form) {
                for (const auto& [id, text] : c.typed)
                    form.Type(id, text);
                form.Click(kIdOk);
            });
            const QImage image = w.grab().toImage();
            QVERIFY(!image.isNull());
            for (CPictureWidget* picture : w.findChildren<CPictureWidget*>())
                QVERIFY(picture->width() > 0 && picture->height() > 0);
        }
    }
};

DRALUN_QTEST(GutterAndThrottleFormsTest);
#include "GutterAndThrottleFormsTest.moc"
