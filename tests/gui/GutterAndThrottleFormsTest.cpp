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
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/pictures/CPictureWidget.h"
#include "gui/pictures/Pictures.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

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
    void gutterShowsResultsWhenOpened()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(152), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Bord- / Spitzrinne"));
        QCOMPARE(Edit(w, 1006)->text(), QStringLiteral("1.25"));
        QCOMPARE(Edit(w, 1049)->text(), QStringLiteral("3.5"));
        QCOMPARE(Edit(w, 1016)->text(), QStringLiteral("0.003125"));
        QVERIFY(qobject_cast<QRadioButton*>(w.Control(1008))->isChecked());
        QVERIFY(!Edit(w, 1006)->isEnabled());
        QVERIFY(Edit(w, 1013)->isEnabled());
        QVERIFY(Edit(w, 1014)->isReadOnly());
        QVERIFY(log.Messages().empty());
    }

    void gutterModeButtonSwapsFieldsAndComputes()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(152), nullptr, &log);
        w.show();
        ClickRadio(w, 1007);
        QVERIFY(qobject_cast<QRadioButton*>(w.Control(1007))->isChecked());
        QVERIFY(!qobject_cast<QRadioButton*>(w.Control(1008))->isChecked());
        QVERIFY(Edit(w, 1006)->isEnabled());
        QVERIFY(!Edit(w, 1013)->isEnabled());
        TypeAndEnter(w, 1049, "5"); // e = 0.015, c = 0.6: b = 1.1 m
        QVERIFY(w.isVisible());
        QCOMPARE(Edit(w, 1043)->text().toDouble(), 1.1);
        QVERIFY(log.Messages().empty());
    }

    void gutterMessageOncePerActionNotPerPaint()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(152), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TypeAndEnter(w, 1001, "-1");
        QCOMPARE(log.Messages().size(), size_t(1));
        QCOMPARE(Edit(w, 1019)->text(), QStringLiteral("-"));
        Repaint(w);
        QCOMPARE(log.Messages().size(), size_t(1));
        ClickRadio(w, 1007); // a mode change computes: once more
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
        QVERIFY(!Edit(w, 1005)->isEnabled());
        QCOMPARE(Edit(w, 1014)->text(), QStringLiteral("0"));
        QTest::keyClick(Edit(w, 1013), Qt::Key_Return);
        QVERIFY(w.isVisible());
        QVERIFY(Edit(w, 1014)->text().startsWith(QStringLiteral("2.898")));
        QVERIFY(Edit(w, 1015)->text().startsWith(QStringLiteral("0.09105")));
        QVERIFY(!Edit(w, 1005)->isEnabled());
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
        TypeAndEnter(w, 1013, "0.24");
        QCOMPARE(log.Messages().size(), size_t(1));
        QCOMPARE(QString::fromStdString(log.Messages()[0].text),
                 QStringLiteral(" WSP unterschreitet Rohrscheitel + 0,05 m "));
        QVERIFY(log.Messages()[0].icon == MsgIcon::Exclamation);
        QVERIFY(Edit(w, 1014)->text().startsWith(QStringLiteral("0.6436")));
        Repaint(w);
        QCOMPARE(log.Messages().size(), size_t(1));
    }

    void oscillatingGutterShowsSingleDigitsAndWarns()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(154), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(Edit(w, 1030)->text(), QStringLiteral("0")); // nothing computed on opening
        QTest::mouseClick(w.Control(1), Qt::LeftButton);
        QCOMPARE(Edit(w, 1030)->text(), QStringLiteral("15.625"));
        QCOMPARE(Edit(w, 1016)->text(), QStringLiteral("3.75424"));
        QVERIFY(log.Messages().empty());
        TypeAndEnter(w, 1003, "2");
        QCOMPARE(Edit(w, 1016)->text(), QStringLiteral("-"));
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
        auto* combo = qobject_cast<QComboBox*>(w.Control(1047));
        QVERIFY(combo);
        QCOMPARE(combo->count(), 6);
        QCOMPARE(combo->currentText(), QStringLiteral("2.5"));
        QVERIFY(qobject_cast<QRadioButton*>(w.Control(1007))->isChecked());
        QTest::mouseClick(w.Control(1), Qt::LeftButton);
        QCOMPARE(Edit(w, 1003)->text(), QStringLiteral("36.5"));
        ClickRadio(w, 1008);
        QVERIFY(Edit(w, 1003)->text().startsWith(QStringLiteral("41.7857")));
        combo->setCurrentIndex(5);
        emit combo->activated(5); // the user picks "5.0": (185 5 - 170) / 7
        QVERIFY(Edit(w, 1003)->text().startsWith(QStringLiteral("107.857")));
        QVERIFY(log.Messages().empty());
        TypeAndEnter(w, 1002, "0");
        QCOMPARE(log.Messages().size(), size_t(1));
        QCOMPARE(Edit(w, 1003)->text(), QStringLiteral("0"));
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
            {152, {{1002, "0"}}},
            {152, {{1013, "1e12"}, {1043, "1e-9"}, {1001, "-1"}}},
            {152, {{1003, "-0.5"}, {1005, "-7"}, {1013, "0"}, {1043, "0"}}},
            {154, {{1003, "2"}}},
            {154, {{1000, "0.5"}}},
            {154, {{1000, "-3"}, {1001, "1e30"}}},
            {166, {{1002, "0"}}},
            {166, {{1002, "1e-6"}, {1001, "5"}}},
            {170, {{1013, "-1e12"}}},
            {170, {{1003, "0"}, {1004, "-5"}}},
            {170, {{1003, "1e9"}, {1013, "1e9"}}},
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
