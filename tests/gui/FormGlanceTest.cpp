// A form reads at a glance: results look read-only and are passed by the
// tab key, each group of mode buttons is one tab stop, every field says what
// it is, results show rounded and copy whole, the verdict stands in words
// beside the results, and F1 shows the form's help.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>

#include "ProbeForm.h"
#include "QtTestRegistry.h"
#include "forms/COrificeDlg.h"
#include "forms/CPipeRunDlg.h"
#include "forms/FormHelp.h"
#include "forms/FormRegistry.h"
#include "gui/CFieldEdit.h"
#include "gui/CFormWindow.h"
#include "gui/CHelpDlg.h"
#include "gui/DigitDisplay.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

class FormGlanceTest : public QObject {
    Q_OBJECT

    static CFieldEdit* Edit(CFormWindow& w, int id) { return qobject_cast<CFieldEdit*>(w.Control(id)); }

    static void Open(CFormWindow& w)
    {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

private slots:
    // Every form: a result's background differs from an input's, and going
    // round with Tab meets no result and one button of each mode group.
    void resultsLookReadOnlyAndTabPassesThemBy()
    {
        test::TempDataDir data;
        for (const char* file : {"DN.ASC", "A110KR.ASC"})
            data.CopyFromMedium(file);
        for (const FormInfo& info : AllForms()) {
            CMessageLog log;
            CFormWindow w(info, nullptr, &log);
            Open(w);
            const QString form = QString::number(info.templateId);
            QColor input, result;
            for (const FieldInfo& field : w.Form().Fields())
                if (CFieldEdit* edit = Edit(w, field.id))
                    (edit->IsResult() ? result : input) = edit->palette().color(QPalette::Active, QPalette::Base);
            if (input.isValid() && result.isValid())
                QVERIFY2(input != result, qPrintable(form));
            std::map<int, int> stopsPerGroup;
            QWidget* first = QApplication::focusWidget();
            QWidget* at = first;
            for (int i = 0; i < 200; ++i) {
                QVERIFY2(at, qPrintable(form));
                auto* edit = qobject_cast<CFieldEdit*>(at);
                QVERIFY2(!edit || !edit->IsResult(), qPrintable(form));
                if (auto* radio = qobject_cast<QRadioButton*>(at))
                    for (const ControlDef& def : w.Form().Controls())
                        if (w.Control(def.id) == radio)
                            ++stopsPerGroup[def.group];
                QTest::keyClick(at, Qt::Key_Tab);
                at = QApplication::focusWidget();
                if (at == first)
                    break;
            }
            QCOMPARE(at, first); // round once
            for (const auto& [group, stops] : stopsPerGroup)
                QVERIFY2(stops == 1, qPrintable(form + QStringLiteral(" group %1: %2 stops").arg(group).arg(stops)));
        }
    }

    // The throttle orifice (h 0.6 m, mü 0.67, Q 50 l/s): v = 0.67 √(2 g 0.6)
    // = 2.298401 m/s, A = Q / v = 0.0217543 m², d = √(4 A / π) = 0.166428 m.
    void resultsShowRoundedAndCopyWhole()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        Open(w);
        QTest::keyClick(&w, Qt::Key_Return);
        struct Case {
            int id;
            const char* shown;
            double value;
        };
        for (const Case& c : {Case{COrificeDlg::kIdV, "2.30", 2.298401}, Case{COrificeDlg::kIdA, "0.0218", 0.0217543},
                              Case{COrificeDlg::kIdD, "0.166", 0.166428}}) {
            CFieldEdit* edit = Edit(w, c.id);
            const QString full = QString::fromStdString(w.Form().Text(c.id));
            QCOMPARE(edit->text(), QString::fromLatin1(c.shown));
            QVERIFY(qAbs(full.toDouble() - c.value) < 5e-7);
            QVERIFY(full.size() > 12); // the model keeps every digit
            QVERIFY(edit->toolTip().contains(QStringLiteral("Wert: ") + full));
            edit->setFocus(Qt::MouseFocusReason);
            edit->selectAll();
            QGuiApplication::clipboard()->clear();
            QTest::keySequence(edit, QKeySequence::Copy);
            QCOMPARE(QGuiApplication::clipboard()->text(), full);
        }
        // "Alle Stellen anzeigen": the form's own texts.
        CDigitDisplay::Instance().SetAllDigits(true);
        const QString allShown = Edit(w, COrificeDlg::kIdV)->text();
        CDigitDisplay::Instance().SetAllDigits(false);
        QCOMPARE(allShown, QString::fromStdString(w.Form().Text(COrificeDlg::kIdV)));
        QCOMPARE(Edit(w, COrificeDlg::kIdV)->text(), QStringLiteral("2.30"));
    }

    // Levels 100.5 and 100.45 m over 10 m: I = 0.5 %, 1 : 200. The form
    // writes "0.499999999999972"; the window shows 0.50 and leaves the
    // form's text as it is, and shows what the user types as typed.
    void inputsTheFormWroteShowAsTheUserWouldTypeThem()
    {
        test::TempDataDir data;
        for (const char* file : {"DN.ASC", "A110KR.ASC"})
            data.CopyFromMedium(file);
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        Open(w);
        w.Perform([](CForm& form) {
            form.Click(1007);
            form.Type(CPipeRunDlg::kIdQ, "40");
            form.Type(1001, "100.5");
            form.Type(1002, "100.45");
            form.Click(1017);
        });
        const std::string slope = w.Form().Text(1004);
        QVERIFY(slope.size() >= 15);
        QCOMPARE(Edit(w, 1004)->text(), QStringLiteral("0.50")); // completed by the form: rounded like a result
        QCOMPARE(Edit(w, 1005)->text(), QStringLiteral("200"));
        QVERIFY(Edit(w, 1004)->toolTip().contains(QString::fromStdString("Wert: " + slope)));
        w.Perform([](CForm& form) { form.Click(1017); });
        QCOMPARE(w.Form().Text(1004), slope); // nothing shown went back
        CFieldEdit* zo = Edit(w, 1001);
        zo->setFocus();
        zo->selectAll();
        QTest::keyClicks(zo, "100.5000000000001");
        w.Perform([](CForm&) {});
        QCOMPARE(zo->text(), QStringLiteral("100.5000000000001"));
        QCOMPARE(w.Form().Text(1001), std::string("100.5000000000001"));
    }

    // The tool tip: meaning (the help's or the label), range, and for a
    // result "Ergebnis".
    void toolTipsSayWhatAFieldIs()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        const std::string meaning = FieldMeaning(171, COrificeDlg::kIdMu);
        const QStringList mu = Edit(w, COrificeDlg::kIdMu)->toolTip().split(QLatin1Char('\n'));
        QCOMPARE(mu.first(), QString::fromStdString(meaning.empty() ? "Ausflussbeiwert mü [1]" : meaning));
        QVERIFY(mu.contains(QStringLiteral("Bereich 0 … 1")));
        QVERIFY(!mu.contains(QStringLiteral("Ergebnis")));
        const QStringList d = Edit(w, COrificeDlg::kIdD)->toolTip().split(QLatin1Char('\n'));
        QVERIFY(d.contains(QStringLiteral("Einheit: m")));
        QVERIFY(d.contains(QStringLiteral("Ergebnis")));
    }

    // The pipe run DN 300, 1 : 100, kb 1.5 mm carries Qv = 97.94 l/s
    // (Prandtl-Colebrook by hand: v = 1.3856 m/s); 40 l/s is 40.8 % of it,
    // 120 l/s 122.5 %.
    void verdictStandsInWordsBesideTheResults()
    {
        test::TempDataDir data;
        for (const char* file : {"DN.ASC", "A110KR.ASC"})
            data.CopyFromMedium(file);
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        Open(w);
        QLabel* line = w.VerdictLine();
        QVERIFY(line->isVisible());
        QTest::keyClick(&w, Qt::Key_Return);
        QCOMPARE(line->text(), QStringLiteral("Nachweis erfüllt: Q = 40.0 l/s ≤ Qv = 97.9 l/s (Ausnutzung 40.8 %)"));
        const QColor met = line->palette().color(QPalette::WindowText);
        QVERIFY(met.green() > met.red());
        w.Perform([](CForm& form) { form.Type(CPipeRunDlg::kIdQ, "120"); });
        QVERIFY(line->text().startsWith(QStringLiteral("Veraltet – Nachweis erfüllt")));
        w.Perform([](CForm& form) { form.PressEnter(); });
        QCOMPARE(line->text(),
                 QStringLiteral("Nachweis nicht erfüllt: Q = 120.0 l/s > Qv = 97.9 l/s (Ausnutzung 122.5 %)"));
        const QColor unmet = line->palette().color(QPalette::WindowText);
        QVERIFY(unmet.red() > unmet.green());
        // A form that checks nothing has no line.
        CFormWindow table(*FindFormById(183), nullptr, &log);
        Open(table);
        QVERIFY(!table.VerdictLine()->isVisible());
    }

    void f1ShowsTheFormsHelp()
    {
        CMessageLog log;
        for (const FormInfo* info : {FindFormById(171), &test::ProbeForm::Info()}) {
            CFormWindow w(*info, nullptr, &log);
            Open(w);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            CHelpDlg* help = w.HelpWindow();
            QVERIFY(help && help->isVisible());
            QVERIFY(!help->isModal());
            QCOMPARE(help->windowTitle(), QStringLiteral("Hilfe – ") + w.windowTitle());
            const bool page = !HelpPageHtml(info->templateId).empty();
            QCOMPARE(help->Page()->toPlainText() == QStringLiteral("Für dieses Formular gibt es keine Hilfeseite."),
                     !page);
        }
    }
};

DRALUN_QTEST(FormGlanceTest);
#include "FormGlanceTest.moc"
