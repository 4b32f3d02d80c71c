// "Ansicht" → "Komma als Dezimalzeichen": a comma or a point typed is the
// decimal sign in every kind of field the window has, the numbers show with
// a comma, and the forms' own texts (what dralun-calc and projects keep)
// keep the point.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <cmath>
#include <memory>

#include "QtTestRegistry.h"
#include "RatingTestKit.h"
#include "forms/CBridgeDrainDlg.h"
#include "forms/CDitchDlg.h"
#include "forms/COrificeDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/CInflowDlg.h"
#include "gui/DigitDisplay.h"
#include "gui/StartScreen.h"
#include "gui/rating/CRatingTableDlg.h"
#include "gui/rating/CSolveDlg.h"
#include "testkit/TempDataDir.h"

using namespace dralun;
using test::Button;
using test::Choose;

namespace {

QLineEdit* Edit(CFormWindow& w, int id) { return qobject_cast<QLineEdit*>(w.Control(id)); }

void Type(QLineEdit* edit, const char* text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromUtf8(text));
}

// v = 0.67 · √(2 g h) of the orifice at its opening.
double OrificeV(double h) { return 0.67 * std::sqrt(2 * 9.80665 * h); }

} // namespace

class DecimalCommaTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> m_dir;

private slots:
    void init()
    {
        m_dir = test::PipeRunData();
        CDigitDisplay::Instance().SetDecimalComma(true);
    }
    void cleanup()
    {
        CDigitDisplay::Instance().SetDecimalComma(false);
        m_dir.reset();
    }

    void numberFieldTakesCommaAndPoint_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("number");
        QTest::newRow("comma") << "0,6" << true;
        QTest::newRow("point") << "0.6" << true;
        QTest::newRow("two signs") << "1.234,5" << false;
    }
    void numberFieldTakesCommaAndPoint()
    {
        QFETCH(QString, typed);
        QFETCH(bool, number);
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(Edit(w, COrificeDlg::kIdMu)->text(), QStringLiteral("0,67"));
        Type(Edit(w, COrificeDlg::kIdH), qPrintable(typed));
        QTest::keyClick(Edit(w, COrificeDlg::kIdH), Qt::Key_Enter);
        if (!number) {
            // No thousands separator: two decimal signs are no number, and
            // the hint about the point is not given.
            QCOMPARE(log.Texts(), std::vector<std::string>{"Bitte geben Sie eine Zahl ein."});
            return;
        }
        QVERIFY(log.Messages().empty());
        QCOMPARE(w.Form().Text(COrificeDlg::kIdH), std::string("0.6"));
        QCOMPARE(Edit(w, COrificeDlg::kIdH)->text(), QStringLiteral("0,6"));
        QCOMPARE(std::stod(w.Form().Text(COrificeDlg::kIdV)), OrificeV(0.6)); // 2.2984 m/s
        QCOMPARE(Edit(w, COrificeDlg::kIdV)->text(), QStringLiteral("2,30"));
        QVERIFY(!Edit(w, COrificeDlg::kIdV)->toolTip().contains(QLatin1Char('.')));
    }

    // The list of cross falls: "2,5" … "5,0" shown, "2.5" … kept.
    void dropDownShowsTheCommaAndKeepsThePoint()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(CBridgeDrainDlg::kTemplateId), nullptr, &log);
        auto* list = qobject_cast<QComboBox*>(w.Control(CBridgeDrainDlg::kIdQf));
        QVERIFY(list);
        QCOMPARE(list->itemText(0), QStringLiteral("2,5"));
        list->setCurrentIndex(2);
        emit list->activated(2); // as chosen by the user
        w.Perform([](CForm& f) { f.PressEnter(); });
        QVERIFY(log.Messages().empty());
        QCOMPARE(w.Form().Items(CBridgeDrainDlg::kIdQf)[2], std::string("3.5"));
        QCOMPARE(list->currentText(), QStringLiteral("3,5"));
    }

    // The ditch over t = 0,1 … 0,5 m in five rows.
    void ratingTableTakesTheComma()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(143), nullptr, &log);
        CRatingTableDlg table(w, [](QDialog&) { return int(QDialog::Rejected); });
        Choose(table.VaryBox(), CDitchDlg::kIdT);
        table.FromEdit()->setText(QStringLiteral("0,1"));
        table.ToEdit()->setText(QStringLiteral("0.5"));
        table.RowsRadio()->setChecked(true);
        table.RowsEdit()->setText(QStringLiteral("5"));
        table.ComputeButton()->click();
        QCOMPARE(table.Table().rows.size(), size_t(5));
        QCOMPARE(table.Table().rows.front().input, 0.1);
        QCOMPARE(table.Table().rows.back().input, 0.5);
    }

    // h for v = 2,0 m/s: (2 / 0.67)² / (2 g) = 0.4543 m.
    void targetTakesTheComma()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        CSolveDlg search(w);
        Choose(search.ResultBox(), COrificeDlg::kIdV);
        Choose(search.VaryBox(), COrificeDlg::kIdH);
        QVERIFY2(search.FromEdit()->text().contains(QLatin1Char(',')), qPrintable(search.FromEdit()->text()));
        search.TargetEdit()->setText(QStringLiteral("2,0"));
        search.SearchButton()->click();
        QVERIFY2(search.Outcome().startsWith(QStringLiteral("Gefunden: h = 0,454")), qPrintable(search.Outcome()));
        QVERIFY(std::abs(std::stod(w.Form().Text(COrificeDlg::kIdV)) - 2.0) < 1e-8);
    }

    // 5000 m² · 0,9 + 0,2 ha · 0,3 under r = 100 l/(s·ha): Q = 51 l/s.
    void inflowTableTakesTheComma()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        w.SetModalRunner([&](QDialog& dialog) {
            auto* d = qobject_cast<CInflowDlg*>(&dialog);
            if (!d)
                return int(QDialog::Rejected);
            d->Areas()->item(0, CInflowDlg::kArea)->setText(QStringLiteral("5000"));
            d->Areas()->item(0, CInflowDlg::kPsi)->setText(QStringLiteral("0,9"));
            d->AddRow();
            d->Areas()->item(1, CInflowDlg::kArea)->setText(QStringLiteral("0,2"));
            d->UnitBox(1)->setCurrentIndex(1);
            d->Areas()->item(1, CInflowDlg::kPsi)->setText(QStringLiteral("0.3"));
            d->TypedRain()->setChecked(true);
            d->RainEdit()->setText(QStringLiteral("100"));
            if (d->TakeButton()->isEnabled())
                d->TakeButton()->click();
            return dialog.result();
        });
        w.InflowButton()->click();
        QCOMPARE(w.Form().Text(w.Form().FindFieldByName("Q")->id), std::string("51"));
    }

    void startScreenSaysWhichSignIsTaken()
    {
        QVERIFY(StartScreenLines().back().text.contains(QStringLiteral("Komma oder ein Punkt")));
        CDigitDisplay::Instance().SetDecimalComma(false);
        QVERIFY(StartScreenLines().back().text.contains(QStringLiteral("ein Punkt und kein Komma")));
    }
};

DRALUN_QTEST(DecimalCommaTest);
#include "DecimalCommaTest.moc"
