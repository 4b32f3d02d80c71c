// "Zufluss…": the design discharge of the catchment typed into a form's
// discharge field from a table of areas and a rain intensity, typed or read
// from a rainfall file. With DRALUN_SHOT_DIR set, the test saves pictures
// of the pipe form with its button and of the dialog filled.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include "QtTestRegistry.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/CInflowDlg.h"
#include "gui/CRunoffCoefficientDlg.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

namespace {

void Shot(QWidget& widget, const char* name)
{
    if (const char* dir = std::getenv("DRALUN_SHOT_DIR"))
        widget.grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name)));
}

void SetRow(CInflowDlg& d, int row, const char* area, bool hectares, const char* psi)
{
    d.Areas()->item(row, CInflowDlg::kArea)->setText(QString::fromLatin1(area));
    d.UnitBox(row)->setCurrentIndex(hectares ? 1 : 0);
    d.Areas()->item(row, CInflowDlg::kPsi)->setText(QString::fromLatin1(psi));
}

// The hand-worked case: 5000 m² with ψ 0.9 and 0.2 ha with ψ 0.3 under
// r = 100 l/(s·ha): Q = (4500 + 600) · 100 / 10000 = 51 l/s.
void FillHandCase(CInflowDlg& d)
{
    d.Areas()->item(0, CInflowDlg::kName)->setText(QStringLiteral("Fahrbahn"));
    SetRow(d, 0, "5000", false, "0.9");
    d.AddRow();
    SetRow(d, 1, "0.2", true, "0.3");
    d.TypedRain()->setChecked(true);
    d.RainEdit()->setText(QStringLiteral("100"));
}

// The rain intensity of a duration and the n-th frequency column, read
// from the file's text: the row begins with the duration, and its values
// are hN and rN in turn for each frequency after the duration in minutes.
double RainInFile(const std::string& text, const std::string& duration, int column)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string number, unit, minutes, hN, rN;
        if (!(words >> number >> unit) || number + " " + unit != duration)
            continue;
        words >> minutes;
        for (int k = 1; k <= column; ++k)
            words >> hN >> rN;
        return std::stod(rN);
    }
    return -1;
}

} // namespace

class InflowDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<test::TempDataDir>();
        for (const char* name : {"DN.ASC", "A110KR.ASC", "R3943MI.txt"})
            m_dir->CopyFromMedium(name);
    }
    void cleanup() { m_dir.reset(); }

    // Exactly the forms that take a design discharge have the button.
    void buttonOnFormsWithDischargeField()
    {
        for (const FormInfo& info : AllForms()) {
            CMessageLog log;
            CFormWindow w(info, nullptr, &log);
            QCOMPARE(w.InflowButton() != nullptr, info.inflowField != nullptr);
        }
    }

    void handCaseTypesQIntoTheField_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("typed");
        QTest::newRow("rohr, l/s") << 130 << QStringLiteral("51");
        QTest::newRow("mulde, m³/s") << 132 << QStringLiteral("0.051");
    }
    void handCaseTypesQIntoTheField()
    {
        QFETCH(int, form);
        QFETCH(QString, typed);
        CMessageLog log;
        const FormInfo& info = *FindFormById(form);
        CFormWindow w(info, nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* field = qobject_cast<QLineEdit*>(w.Control(w.Form().FindFieldByName(info.inflowField)->id));
        bool filled = false;
        const auto answer = [&](CInflowDlg* d) {
            if (!filled) {
                filled = true;
                QCOMPARE(d->windowTitle(), QStringLiteral("Zufluss – ") + QString::fromStdString(w.Form().Title()));
                QVERIFY2(!d->TakeButton()->isEnabled(), "an empty row is no table");
                FillHandCase(*d);
                QVERIFY2(d->TakeButton()->isEnabled(), qPrintable(d->Problem()));
                QVERIFY2(d->ResultText().contains(QStringLiteral("Q = 51.0 l/s")), qPrintable(d->ResultText()));
                if (form == 130) {
                    d->show();
                    QVERIFY(QTest::qWaitForWindowExposed(d));
                    Shot(*d, "inflow-dialog.png");
                    CRunoffCoefficientDlg list(d);
                    list.show();
                    QVERIFY(QTest::qWaitForWindowExposed(&list));
                    Shot(list, "inflow-richtwerte.png");
                }
                d->TakeButton()->click();
                return;
            }
            // Opened again: the table kept.
            QCOMPARE(d->Areas()->rowCount(), 2);
            QCOMPARE(d->Areas()->item(1, CInflowDlg::kArea)->text(), QStringLiteral("0.2"));
            QCOMPARE(d->UnitBox(1)->currentText(), QStringLiteral("ha"));
            QCOMPARE(d->RainEdit()->text(), QStringLiteral("100"));
            QVERIFY(d->TakeButton()->isEnabled());
            d->reject();
        };
        w.SetModalRunner([&](QDialog& dialog) {
            if (auto* d = qobject_cast<CInflowDlg*>(&dialog))
                answer(d);
            return dialog.result();
        });
        w.Perform([](CForm& f) { f.PressEnter(); }); // fresh results
        QVERIFY(w.StaleLine()->text().isEmpty());
        w.InflowButton()->click();
        QCOMPARE(field->text(), typed);
        QVERIFY(w.Form().Inflow());
        QVERIFY2(!w.StaleLine()->text().isEmpty(), "results of the old Q are stale until Rechne");
        if (form == 130)
            Shot(w, "form-rohr-zufluss.png");
        w.InflowButton()->click();
        QCOMPARE(field->text(), typed);
    }

    // Each fault disables "Übernehmen" and says why.
    void faultsAreRefused_data()
    {
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("psi");
        QTest::addColumn<QString>("rain");
        QTest::newRow("A < 0") << "-1" << "0.5" << "100";
        QTest::newRow("ψ > 1") << "100" << "1.2" << "100";
        QTest::newRow("ψ < 0") << "100" << "-0.1" << "100";
        QTest::newRow("comma") << "100" << "0,5" << "100";
        QTest::newRow("no r") << "100" << "0.5" << "";
        QTest::newRow("r 0") << "100" << "0.5" << "0";
    }
    void faultsAreRefused()
    {
        QFETCH(QString, area);
        QFETCH(QString, psi);
        QFETCH(QString, rain);
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        CInflowDlg d(w, [](QDialog&) { return int(QDialog::Rejected); });
        SetRow(d, 0, area.toUtf8().constData(), false, psi.toUtf8().constData());
        d.RainEdit()->setText(rain);
        QVERIFY(!d.TakeButton()->isEnabled());
        QVERIFY(!d.Problem().isEmpty());
        d.Areas()->removeRow(0);
        d.RainEdit()->setText(QStringLiteral("100"));
        QVERIFY(!d.TakeButton()->isEnabled()); // no area at all
    }

    // r from the file is the file's value for the duration and n chosen; a
    // row without a value ("fehlt") is refused, never taken as 0.
    void rainFromFile()
    {
        const std::string text = m_dir->Read("R3943MI.txt");
        const double expected = RainInFile(text, "15 min", 4); // n = 0.2: fourth column
        QVERIFY(expected > 0);
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        CInflowDlg d(w, [](QDialog&) { return int(QDialog::Rejected); });
        SetRow(d, 0, "10000", false, "1");
        d.FileRain()->setChecked(true);
        QVERIFY(d.FileBox()->currentText().endsWith(QStringLiteral("R3943MI.txt"))); // offered first
        d.FrequencyBox()->setCurrentIndex(d.FrequencyBox()->findText(QStringLiteral("0.2")));
        d.DurationBox()->setCurrentIndex(d.DurationBox()->findText(QStringLiteral("15 min")));
        QVERIFY2(d.Table(), qPrintable(d.Problem()));
        QCOMPARE(d.Table()->rain.intensity, expected);
        QCOMPARE(d.Table()->rain.file, std::string("R3943MI.txt"));
        QCOMPARE(d.Table()->rain.duration, std::string("15 min"));
        QCOMPARE(d.Table()->rain.n, 0.2);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        Shot(d, "inflow-dialog-datei.png");
        QCOMPARE(w.TypeInflow(*d.Table()), Refusal::None);
        CInflowDlg again(w, [](QDialog&) { return int(QDialog::Rejected); }); // the file's row chosen again
        QVERIFY(again.FileRain()->isChecked());
        QVERIFY2(again.Table(), qPrintable(again.Problem()));
        QCOMPARE(again.DurationBox()->currentText(), QStringLiteral("15 min"));
        QCOMPARE(again.Table()->rain.intensity, expected);

        std::string gap = text;
        const size_t row = gap.find("  15 min");
        const std::string first = QString::number(RainInFile(text, "15 min", 1)).toStdString(); // n = 2
        gap.replace(gap.find(" " + first, row) + 1, first.size(), "fehlt");
        m_dir->Write("KOSTRA2020_1.txt", gap);
        CInflowDlg g(w, [](QDialog&) { return int(QDialog::Rejected); });
        SetRow(g, 0, "10000", false, "1");
        g.FileRain()->setChecked(true);
        g.FileBox()->setCurrentIndex(g.FileBox()->findText(QStringLiteral("KOSTRA2020_1.txt"), Qt::MatchEndsWith));
        g.FrequencyBox()->setCurrentIndex(0); // n = 2
        g.DurationBox()->setCurrentIndex(g.DurationBox()->findText(QStringLiteral("15 min")));
        QVERIFY(!g.Table());
        QVERIFY(!g.TakeButton()->isEnabled());
        QVERIFY2(g.Problem().contains(QStringLiteral("keinen Wert")), qPrintable(g.Problem()));
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        Shot(g, "inflow-dialog-fehlt.png");

        // A name typed without a folder is a file of the data directory;
        // one that cannot be opened is named with the path tried.
        const std::pair<const char*, bool> typed[] = {{"kostra2020_1.TXT", true}, {"fehlt.txt", false}};
        for (const auto& [name, opens] : typed) {
            CInflowDlg t(w, [](QDialog&) { return int(QDialog::Rejected); });
            SetRow(t, 0, "10000", false, "1");
            t.FileRain()->setChecked(true);
            t.FileBox()->setEditText(QString::fromLatin1(name));
            emit t.FileBox()->lineEdit()->editingFinished();
            QVERIFY2(t.DurationBox()->count() == (opens ? 18 : 0), name);
            if (!opens)
                QVERIFY2(t.Problem().contains(QString::fromStdString(m_dir->File(name).string() + " fehlt.")),
                         qPrintable(t.Problem()));
        }
    }

    // "Zeile hinzufügen" puts the cursor into the new row's name: a word
    // typed next is its name, and fires no button's access key ("e":
    // "Zeile entfernen").
    void aWordTypedAfterAddingARowIsItsName()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        CInflowDlg d(w, [](QDialog&) { return int(QDialog::Rejected); });
        d.show();
        d.activateWindow(); // the focus a key goes to is the active window's
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QPushButton* add = nullptr;
        for (QPushButton* b : d.findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Zeile &hinzufügen"))
                add = b;
        QVERIFY(add);
        QTest::mouseClick(add, Qt::LeftButton);
        QWidget* typed = QApplication::focusWidget();
        QVERIFY(typed && typed != add);
        QTest::keyClicks(typed, QStringLiteral("Bankett"));
        QTest::keyClick(typed, Qt::Key_Tab);
        QCOMPARE(d.Areas()->rowCount(), 2);
        QCOMPARE(d.Areas()->item(1, CInflowDlg::kName)->text(), QStringLiteral("Bankett"));
    }

    // Escape closes the dialog at once while nothing was entered; a table
    // entered goes only when the question "verwerfen?" is answered so.
    void escapeThrowsAwayATableOnlyWhenTheUserSaysSo_data()
    {
        QTest::addColumn<bool>("filled");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("closed");
        QTest::newRow("nothing entered") << false << int(QMessageBox::Cancel) << 0 << true;
        QTest::newRow("table, Zurück") << true << int(QMessageBox::Cancel) << 1 << false;
        QTest::newRow("table, Verwerfen") << true << int(QMessageBox::Yes) << 1 << true;
    }
    void escapeThrowsAwayATableOnlyWhenTheUserSaysSo()
    {
        QFETCH(bool, filled);
        QFETCH(int, answer);
        QFETCH(int, questions);
        QFETCH(bool, closed);
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        int asked = 0;
        CInflowDlg d(w, [&](QDialog& dialog) {
            asked += qobject_cast<QMessageBox*>(&dialog) != nullptr;
            return answer;
        });
        if (filled)
            FillHandCase(d);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QTest::keyClick(&d, Qt::Key_Escape);
        QCOMPARE(asked, questions);
        QCOMPARE(d.isVisible(), !closed);
    }

    // The list of typical ψ says that it lists mean coefficients and that a
    // peak discharge needs peak coefficients.
    void theListSaysWhichCoefficientsItHolds()
    {
        CRunoffCoefficientDlg list;
        auto* source = list.findChild<QLabel*>(QStringLiteral("source"));
        QVERIFY(source);
        QVERIFY2(source->text().contains(QStringLiteral("mittlere Abflussbeiwerte ψm")), qPrintable(source->text()));
        QVERIFY2(source->text().contains(QStringLiteral("Spitzenabflussbeiwerte")), qPrintable(source->text()));
        QCOMPARE(list.List()->horizontalHeaderItem(1)->text(), QStringLiteral("ψm"));
    }
};

DRALUN_QTEST(InflowDialogTest);
#include "InflowDialogTest.moc"
