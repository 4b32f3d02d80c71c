// Enter, the first focus and the disabled lists of a form window: Enter
// computes wherever the focus is and never steps, appends or closes; the
// first field's text is selected when the form opens.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "QtTestRegistry.h"
#include "forms/COrificeDlg.h"
#include "forms/CPipeRunDlg.h"
#include "forms/CSwaleDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/DigitDisplay.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

class FormKeysTest : public QObject {
    Q_OBJECT

    static QLineEdit* Edit(CFormWindow& w, int id) { return qobject_cast<QLineEdit*>(w.Control(id)); }

    static void Open(CFormWindow& w)
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

    // Clicks the button, then presses Enter with the focus on it.
    static void ClickThenEnter(CFormWindow& w, int id)
    {
        auto* button = qobject_cast<QPushButton*>(w.Control(id));
        QTest::mouseClick(button, Qt::LeftButton);
        button->setFocus(Qt::MouseFocusReason);
        QCOMPARE(QApplication::focusWidget(), button);
        QTest::keyClick(button, Qt::Key_Return);
    }

private slots:
    // The fields show the form's own texts, every digit, as they are compared.
    void initTestCase() { CDigitDisplay::Instance().SetAllDigits(true); }
    void cleanupTestCase() { CDigitDisplay::Instance().SetAllDigits(false); }

    void enterOnAStepButtonComputesInsteadOfStepping()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(132), nullptr, &log);
        Open(w);
        ClickThenEnter(w, CSwaleDlg::kIdBMinus); // B "-": 2 -> 1.9, then Enter
        QCOMPARE(Edit(w, CSwaleDlg::kIdB)->text(), QStringLiteral("1.9"));
        // A step writes the fields back unread; Enter reads what was typed.
        w.Perform([](CForm& form) { form.Type(CSwaleDlg::kIdI, "2"); });
        QTest::keyClick(w.Control(CSwaleDlg::kIdBMinus), Qt::Key_Return);
        QCOMPARE(Edit(w, CSwaleDlg::kIdB)->text(), QStringLiteral("1.9"));
        QCOMPARE(Edit(w, CSwaleDlg::kIdI)->text(), QStringLiteral("2"));
        QVERIFY(w.isVisible());
    }

    void enterAfterTheRowButtonAppendsNoSecondRow()
    {
        test::TempDataDir dir;
        dir.CopyFromMedium("DN.ASC");
        dir.CopyFromMedium("A110KR.ASC");
        {
            CMessageLog log;
            CFormWindow w(*FindFormById(130), nullptr, &log);
            Open(w);
            ClickThenEnter(w, CPipeRunDlg::kIdAppendRow); // "Zeile in Rohr.txt"
            QVERIFY(w.isVisible());
        }
        const std::string report = dir.ReadText("Rohr.txt");
        // The heading lines and one row (as the row button writes it alone).
        QCOMPARE(std::count(report.begin(), report.end(), '\n'), 7);
    }

    void enterOnTheCancelButtonComputesAndStaysOpen()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        Open(w);
        w.Perform([](CForm& form) { form.Type(COrificeDlg::kIdMu, "0.5"); }); // mu
        auto* abbruch = qobject_cast<QPushButton*>(w.Control(kIdCancel));
        abbruch->setFocus(Qt::TabFocusReason);
        QTest::keyClick(abbruch, Qt::Key_Return);
        QVERIFY(w.isVisible());
        QVERIFY(!w.Form().IsClosed());
        // d = sqrt(4 Q / (pi mu sqrt(2 g h))) = 0.19264 m for Q = 50 l/s, h = 0.6 m, mu = 0.5
        QLineEdit* d = Edit(w, COrificeDlg::kIdD);
        QVERIFY2(d->text().startsWith(QStringLiteral("0.1926")), qPrintable(d->text()));
        QTest::keyClick(abbruch, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(w.isVisible());
        // Only "Rechne" is a default button.
        for (QPushButton* button : w.findChildren<QPushButton*>()) {
            QVERIFY(!button->autoDefault());
            QCOMPARE(button->isDefault(), button->text() == QStringLiteral("Rechne"));
        }
    }

    void overflowFormIgnoresEnterRightAfterOpening()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(105), nullptr, &log);
        Open(w);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key_Return);
        QVERIFY(w.isVisible());
        QVERIFY(!w.Form().IsClosed());
        auto* abbrechen = qobject_cast<QPushButton*>(w.Control(kIdCancel));
        abbrechen->setFocus(Qt::TabFocusReason);
        QTest::keyClick(abbrechen, Qt::Key_Return);
        QVERIFY(w.isVisible());
        QVERIFY(qobject_cast<QPushButton*>(w.Control(kIdOk))->isDefault());
    }

    void typingReplacesTheFirstFieldWhenTheFormOpens()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        Open(w);
        auto* first = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(first);
        QCOMPARE(first, Edit(w, COrificeDlg::kIdQ));
        QTest::keyClicks(first, "7");
        QCOMPARE(first->text(), QStringLiteral("7"));
    }

    void disabledListsKeepTheNormalTextColour()
    {
        test::TempDataDir dir;
        dir.CopyFromMedium("DN.ASC");
        dir.CopyFromMedium("A110KR.ASC");
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        for (int id : {CPipeRunDlg::kIdListVv, CPipeRunDlg::kIdListQv}) { // vv and Qv
            auto* list = qobject_cast<QListWidget*>(w.Control(id));
            QVERIFY(!list->isEnabled());
            QVERIFY(list->count() > 0);
            const QPalette& p = list->palette();
            QCOMPARE(p.color(QPalette::Disabled, QPalette::Text), p.color(QPalette::Active, QPalette::Text));
            QCOMPARE(p.color(QPalette::Disabled, QPalette::WindowText),
                     p.color(QPalette::Active, QPalette::WindowText));
        }
    }
};

DRALUN_QTEST(FormKeysTest);
#include "FormKeysTest.moc"
