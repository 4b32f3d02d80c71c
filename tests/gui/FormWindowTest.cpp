// A calculator form in its window: typing, Enter, Escape, messages, focus.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <tuple>

#include "QtTestRegistry.h"
#include "forms/COrificeDlg.h"
#include "forms/CPipeRunDlg.h"
#include "forms/CSwaleDlg.h"
#include "forms/CTimeCoefficientDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFieldEdit.h"
#include "gui/CFormWindow.h"
#include "gui/DigitDisplay.h"
#include "gui/FieldPresentation.h"
#include "gui/pictures/CPictureWidget.h"
#include "gui/pictures/Pictures.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

class FormWindowTest : public QObject {
    Q_OBJECT

    QLineEdit* Edit(CFormWindow& w, int id) { return qobject_cast<QLineEdit*>(w.Control(id)); }

private slots:
    // The fields show the form's own texts, every digit, as they are compared.
    void initTestCase() { CDigitDisplay::Instance().SetAllDigits(true); }
    void cleanupTestCase() { CDigitDisplay::Instance().SetAllDigits(false); }

    void orificeComputesOnEnterAndStaysOpen()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Drossel"));
        QCOMPARE(Edit(w, COrificeDlg::kIdH)->text(), QStringLiteral("0.6"));
        QVERIFY(Edit(w, COrificeDlg::kIdA)->isReadOnly());

        QLineEdit* h = Edit(w, COrificeDlg::kIdH);
        h->setFocus();
        h->selectAll();
        QTest::keyClicks(h, "1.2");
        QTest::keyClick(h, Qt::Key_Return);
        QVERIFY(w.isVisible());
        QVERIFY(Edit(w, COrificeDlg::kIdV)->text().startsWith("3.2504")); // sqrt(2 g 1.2) 0.67
        QVERIFY(log.Messages().empty());

        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QVERIFY(w.Form().IsClosed());
    }

    void rechneButtonIsTheDefaultAndAbbruchCancels()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        w.show();
        auto* rechne = qobject_cast<QPushButton*>(w.Control(kIdOk));
        auto* abbruch = qobject_cast<QPushButton*>(w.Control(kIdCancel));
        QCOMPARE(rechne->text(), QStringLiteral("Rechne"));
        QCOMPARE(abbruch->text(), QStringLiteral("Abbruch"));
        QVERIFY(rechne->isDefault());
        QTest::mouseClick(rechne, Qt::LeftButton);
        QVERIFY(qAbs(Edit(w, COrificeDlg::kIdD)->text().toDouble() - 0.16643) < 0.000005);
        QTest::mouseClick(abbruch, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void parseFailureShowsTheMessageAndSelectsTheField()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QLineEdit* mu = Edit(w, COrificeDlg::kIdMu);
        mu->setFocus();
        mu->selectAll();
        QTest::keyClicks(mu, "0,5");
        QTest::keyClick(mu, Qt::Key_Enter);
        QCOMPARE(log.Messages().size(), size_t(1));
        QCOMPARE(mu->text(), QStringLiteral("0.67"));
        QVERIFY(mu->hasFocus());
        QCOMPARE(mu->selectedText(), QStringLiteral("0.67"));
    }

    void closeBoxCancelsWithoutReading()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        w.show();
        Edit(w, COrificeDlg::kIdH)->setText("kein Wert");
        w.close();
        QVERIFY(w.Form().IsClosed());
        QVERIFY(log.Messages().empty());
    }

    void timeCoefficientShowsItsTableAtOnce()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(183), nullptr, &log);
        QCOMPARE(Edit(w, CTimeCoefficientDlg::kIdPhi1_1)->text(), QStringLiteral("1.71434"));
        QCOMPARE(Edit(w, CTimeCoefficientDlg::kIdPhi16_4)->text(), QStringLiteral("1.47669"));
        QVERIFY(Edit(w, CTimeCoefficientDlg::kIdPhi16_4)->isReadOnly());
        QVERIFY(!w.findChildren<CPictureWidget*>().isEmpty());
        QVERIFY(FindPicture(184) && FindPicture(195)); // the picture files registered themselves
    }

    void overflowOkDoesNothing()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(105), nullptr, &log);
        w.show();
        auto* ok = qobject_cast<QPushButton*>(w.Control(kIdOk));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QTest::keyClick(&w, Qt::Key_Return);
        QVERIFY(w.isVisible());
        QCOMPARE(qobject_cast<QPushButton*>(w.Control(kIdCancel))->text(), QStringLiteral("Abbrechen"));
        QVERIFY(w.Control(kIdCancel)->y() < ok->y()); // "Abbrechen" above "OK"
    }

    // Results of other inputs turn grey with the reason above the form as
    // soon as a value is typed, and black again when the inputs are those
    // computed (2.50 is 2.5) or "Rechne" is pressed; the form keeps its size.
    void staleResultsTurnGreyWhileTyping()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.StaleLine()->text(), QStringLiteral("Noch nicht gerechnet – Rechne drücken"));
        QTest::keyClick(&w, Qt::Key_Return);
        const QSize size = w.size();
        auto* v = qobject_cast<CFieldEdit*>(w.Control(COrificeDlg::kIdV));
        const QColor black = v->palette().color(QPalette::Text);
        auto* picture = w.findChild<CPictureWidget*>();
        struct Step {
            const char* typed;
            bool stale;
        };
        for (const Step& step : {Step{"1.2", true}, Step{"0.60", false}, Step{"0.7", true}}) {
            QLineEdit* h = Edit(w, COrificeDlg::kIdH);
            h->setFocus();
            h->selectAll();
            QTest::keyClicks(h, step.typed);
            w.grab();
            QCOMPARE(w.StaleLine()->text(),
                     step.stale ? QStringLiteral("Eingaben geändert – Rechne drücken") : QString());
            QCOMPARE(v->IsStale(), step.stale);
            QCOMPARE(v->palette().color(QPalette::Text) != black, step.stale);
            QCOMPARE(picture->LastGreyed(), step.stale);
            QCOMPARE(w.size(), size);
        }
        QTest::keyClick(Edit(w, COrificeDlg::kIdH), Qt::Key_Return);
        QVERIFY(w.StaleLine()->text().isEmpty());
        QCOMPARE(v->palette().color(QPalette::Text), black);
    }

    // The pipe run's vv and Qv lists are results: grey with the fields. With
    // DRALUN_SHOT_DIR set, the pipe run and the swale are saved there fresh
    // and after a value was typed.
    void resultListsAndShots()
    {
        test::TempDataDir data;
        data.CopyFromMedium("DN.ASC");
        data.CopyFromMedium("A110KR.ASC");
        CMessageLog log;
        using Case = std::tuple<int, int, const char*>;
        for (const auto& [form, field, typed] : {Case{130, CPipeRunDlg::kIdQ, "55"}, Case{132, CSwaleDlg::kIdB, "3"}}) {
            CFormWindow w(*FindFormById(form), nullptr, &log);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QVERIFY(w.StaleLine()->text().isEmpty());
            QWidget* vv = form == 130 ? w.Control(CPipeRunDlg::kIdListVv) : nullptr;
            const QColor black = vv ? vv->palette().color(QPalette::Disabled, QPalette::Text) : QColor();
            const QString dir = qEnvironmentVariable("DRALUN_SHOT_DIR");
            if (!dir.isEmpty())
                w.grab().save(dir + QStringLiteral("/form-%1-fresh.png").arg(form));
            QLineEdit* edit = Edit(w, field);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, typed);
            QCOMPARE(w.StaleLine()->text(), QStringLiteral("Eingaben geändert – Rechne drücken"));
            if (vv)
                QVERIFY(vv->palette().color(QPalette::Disabled, QPalette::Text) != black);
            if (!dir.isEmpty())
                w.grab().save(dir + QStringLiteral("/form-%1-typed.png").arg(form));
        }
    }

    // The verdict line states the comparison the check makes: "<" for a
    // strict one (qtmin < qT), and at the limit the sign that fails it.
    void verdictLineStatesTheComparisonOfItsCheck()
    {
        const std::tuple<bool, double, const char*> cases[] = {
            {false, 6, "nicht erfüllt: qtmin = 6.00 % ≥ qT = 6.00 %"},
            {false, 5, "erfüllt: qtmin = 5.00 % < qT = 6.00 %"},
            {true, 6, "erfüllt: qtmin = 6.00 % ≤ qT = 6.00 %"},
            {true, 7, "nicht erfüllt: qtmin = 7.00 % > qT = 6.00 %"},
        };
        for (const auto& [atMost, demand, expected] : cases) {
            CSteps steps;
            const Verdict v = CheckDemand(steps, {"Querneigung", "qtmin", "qtmin", "qT", "qT", "%", !atMost}, demand, 6);
            QVERIFY2(VerdictLineText(v, false).startsWith(QStringLiteral("Nachweis ") + QString::fromUtf8(expected)),
                     qPrintable(VerdictLineText(v, false)));
        }
    }
};

DRALUN_QTEST(FormWindowTest);
#include "FormWindowTest.moc"
