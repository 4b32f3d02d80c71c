// "Wertetabelle…" and "Zielwert…" in the form window: the dialogs opened by
// their buttons and driven through the window's modal hook. The tabulated
// values and the values found are checked against the formulas worked by
// hand: Torricelli for the orifice, Manning-Strickler for the trapezoidal
// ditch, Prandtl-Colebrook for the pipe run.
//
// With DRALUN_SHOT_DIR set, the dialogs are also saved there as PNG files.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "QtTestRegistry.h"
#include "RatingTestKit.h"
#include "forms/CDitchDlg.h"
#include "forms/CGutterDlg.h"
#include "forms/COrificeDlg.h"
#include "forms/CPipeRunDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/SaveLocations.h"
#include "gui/rating/CRatingChart.h"
#include "gui/rating/CRatingTableDlg.h"
#include "gui/rating/CSolveDlg.h"
#include "testkit/TempDataDir.h"

using namespace dralun;
using test::Button;
using test::Choose;
using test::Tick;

namespace {

constexpr double kG = 9.80665;

// Every field of the form as it shows it.
std::map<int, std::string> Fields(CFormWindow& window)
{
    std::map<int, std::string> texts;
    for (const FieldInfo& f : window.Form().Fields())
        texts[f.id] = window.Form().Text(f.id);
    return texts;
}

int Index(const QComboBox* box, int id) { return box->findData(id); }

// Saves the dialog as it shows itself when DRALUN_SHOT_DIR names a folder.
void Shoot(QWidget& widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("DRALUN_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QApplication::processEvents();
    widget.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The mouse over the chart at a fraction of its width.
void Hover(CRatingChart* chart, double fraction)
{
    const QPointF at(chart->width() * fraction, chart->height() / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &move);
}

// Orifice: v = mu sqrt(2 g h), d = 2 sqrt(Q / v / pi), Q in m³/s. The
// guidelines take pi to ten digits: d differs from this in the 11th.
double OrificeV(double h, double mu = 0.67) { return mu * std::sqrt(2 * kG * h); }
double OrificeD(double h, double Q = 0.05) { return 2 * std::sqrt(Q / OrificeV(h) / M_PI); }

// Ditch with b = 0.5 m, banks 1 : 1.5, kSt = 25, I = 1 per mille:
// A = b t + 1.5 t², lu = b + 2 t sqrt(1 + 1.5²), v = kSt sqrt(I) (A / lu)^(2/3).
double DitchV(double t)
{
    const double A = 0.5 * t + 1.5 * t * t;
    const double lu = 0.5 + 2 * t * std::sqrt(1 + 2.25);
    return 25 * std::sqrt(0.001) * std::pow(A / lu, 2.0 / 3.0);
}
double DitchQ(double t) { return DitchV(t) * (0.5 * t + 1.5 * t * t); }

// Pipe DN 300, kb 1.5 mm, slope I in per cent, full flow after
// Prandtl-Colebrook with nu = 1.31e-6 m²/s: Qv in l/s.
double PipeQv(double percent)
{
    const double D = 0.3, J = percent / 100;
    const double s = std::sqrt(2 * kG * D * J);
    const double v = -2 * std::log10(2.51 * 1.31e-6 / (D * s) + 1.5e-3 / (3.71 * D)) * s;
    return M_PI * D * D / 4 * v * 1000;
}

bool Near(double value, double expected, double tolerance) { return std::abs(value - expected) <= tolerance; }

} // namespace

class RatingDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> m_dir;

private slots:
    void init() { m_dir = test::PipeRunData(); }
    void cleanup() { m_dir.reset(); }

    void everyComputingFormHasBothButtons()
    {
        CMessageLog log;
        for (const FormInfo& info : AllForms()) {
            CFormWindow window(info, nullptr, &log);
            QPushButton* report = Button(window, QStringLiteral("Bericht…"));
            QPushButton* table = Button(window, QStringLiteral("Wertetabelle…"));
            QPushButton* solve = Button(window, QStringLiteral("Zielwert…"));
            QCOMPARE(bool(table), bool(report));
            QCOMPARE(bool(solve), bool(report));
            if (!report)
                continue;
            QVERIFY(!table->autoDefault() && !solve->autoDefault() && !table->isDefault());
            QCOMPARE(table->isEnabled(), report->isEnabled());
            QCOMPARE(solve->isEnabled(), report->isEnabled());
        }
    }

    // Q = 50 l/s and mu = 0.67 as the form opens; h = 0 is refused.
    void orificeTableRefusesNoHeadAndLeavesTheFormAlone()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(171), nullptr, &log);
        const auto before = Fields(window);
        int opened = 0;
        RatingTable table;
        QString note, firstCell, commaProblem;
        window.SetModalRunner([&](QDialog& dialog) {
            auto* dlg = qobject_cast<CRatingTableDlg*>(&dialog);
            if (!dlg)
                return int(QDialog::Rejected);
            ++opened;
            Choose(dlg->VaryBox(), COrificeDlg::kIdH); // h
            dlg->FromEdit()->setText(QStringLiteral("0"));
            dlg->ToEdit()->setText(QStringLiteral("1"));
            dlg->StepRadio()->setChecked(true);
            Tick(dlg->ResultList(), {COrificeDlg::kIdD, COrificeDlg::kIdV});
            dlg->StepEdit()->setText(QStringLiteral("0,25")); // a decimal comma, as no form takes it
            dlg->ComputeButton()->click();
            commaProblem = dlg->Problem();
            dlg->StepEdit()->setText(QStringLiteral("0.25"));
            dlg->ComputeButton()->click();
            table = dlg->Table();
            const QAbstractItemModel* model = dlg->View()->model();
            note = model->index(0, model->columnCount() - 1).data().toString();
            firstCell = model->index(0, 1).data().toString();
            if (dlg->Chart()->Table().rows.size() != table.rows.size())
                return int(QDialog::Rejected);
            Hover(dlg->Chart(), 0.6);
            Shoot(*dlg, QStringLiteral("table-orifice"));
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Wertetabelle…"))->click();
        QCOMPARE(opened, 1);
        QCOMPARE(commaProblem,
                 QStringLiteral("Bitte geben Sie eine Zahl ein.\nDezimaltrennzeichen ist der Punkt, nicht das Komma."));
        QCOMPARE(table.rows.size(), size_t(5));
        QCOMPARE(table.varied.id, COrificeDlg::kIdH);
        QCOMPARE(table.current, 0.6);
        QVERIFY(note.contains(QStringLiteral("Die Druckhöhe muss größer als 0 m sein.")));
        QVERIFY(!table.rows[0].refused.empty());
        QCOMPARE(firstCell, QStringLiteral("–"));
        for (size_t r = 1; r < 5; ++r) {
            const double h = 0.25 * double(r);
            const RatingRow& row = table.rows[r];
            QVERIFY(row.refused.empty());
            QCOMPARE(row.input, h);
            QVERIFY2(Near(row.values[0], OrificeD(h), 1e-9), row.texts[0].c_str());
            QVERIFY2(Near(row.values[1], OrificeV(h), 1e-12), row.texts[1].c_str());
        }
        QVERIFY(Fields(window) == before);
        QVERIFY(log.Messages().empty()); // the refused row showed no box
        QVERIFY(!window.ReportRating());
    }

    // b 0.5 m, t 0.5 m, banks 1 : 1.5, kSt 25, I 1 per mille as it opens.
    void ditchTableByRowsFollowsManningStrickler()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(143), nullptr, &log);
        const auto before = Fields(window);
        RatingTable table;
        window.SetModalRunner([&](QDialog& dialog) {
            auto* dlg = qobject_cast<CRatingTableDlg*>(&dialog);
            if (!dlg)
                return int(QDialog::Rejected);
            // The form's main results are ticked to begin with.
            if (dlg->Table().columns.size() != 2)
                return int(QDialog::Rejected);
            Choose(dlg->VaryBox(), CDitchDlg::kIdT); // t
            dlg->FromEdit()->setText(QStringLiteral("0.1"));
            dlg->ToEdit()->setText(QStringLiteral("0.5"));
            dlg->RowsRadio()->setChecked(true);
            dlg->RowsEdit()->setText(QStringLiteral("5"));
            dlg->ComputeButton()->click();
            table = dlg->Table();
            Hover(dlg->Chart(), 0.45);
            Shoot(*dlg, QStringLiteral("table-ditch"));
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Wertetabelle…"))->click();
        QCOMPARE(table.rows.size(), size_t(5));
        QCOMPARE(table.columns.size(), size_t(2));
        QCOMPARE(table.columns[0].id, CDitchDlg::kIdV); // v, in the form's order
        QCOMPARE(table.columns[1].id, CDitchDlg::kIdQ); // Q
        for (size_t r = 0; r < 5; ++r) {
            const double t = 0.1 * double(r + 1);
            const RatingRow& row = table.rows[r];
            QVERIFY(Near(row.input, t, 1e-12));
            QVERIFY2(Near(row.values[0], DitchV(t), 1e-9), row.texts[0].c_str());
            QVERIFY2(Near(row.values[1], DitchQ(t), 1e-9), row.texts[1].c_str());
        }
        QVERIFY(Fields(window) == before);
    }

    // DN 300, kb 1.5 mm as it opens, the slope typed in per cent; Qv is
    // written "%5.1f".
    void pipeRunTableBySlope()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(130), nullptr, &log);
        qobject_cast<QRadioButton*>(window.Control(CPipeRunDlg::kIdModePercent))->click(); // "Gefälle in %"
        const auto before = Fields(window);
        RatingTable table;
        QString problem;
        window.SetModalRunner([&](QDialog& dialog) {
            auto* dlg = qobject_cast<CRatingTableDlg*>(&dialog);
            if (!dlg)
                return int(QDialog::Rejected);
            Choose(dlg->VaryBox(), CPipeRunDlg::kIdI); // I in %
            dlg->FromEdit()->setText(QStringLiteral("0.5"));
            dlg->ToEdit()->setText(QStringLiteral("2"));
            dlg->StepRadio()->setChecked(true);
            dlg->StepEdit()->setText(QStringLiteral("0"));
            dlg->ComputeButton()->click();
            problem = dlg->Problem(); // a step of 0 gives no table
            dlg->StepEdit()->setText(QStringLiteral("0.5"));
            dlg->ComputeButton()->click();
            if (!dlg->Problem().isEmpty())
                return int(QDialog::Rejected);
            table = dlg->Table();
            Hover(dlg->Chart(), 0.5);
            Shoot(*dlg, QStringLiteral("table-pipe-run"));
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Wertetabelle…"))->click();
        QVERIFY(!problem.isEmpty());
        QCOMPARE(table.rows.size(), size_t(4));
        QCOMPARE(table.columns[0].name, std::string("Qv"));
        for (size_t r = 0; r < 4; ++r) {
            const double percent = 0.5 * double(r + 1);
            QVERIFY2(Near(table.rows[r].values[0], PipeQv(percent), 0.05 + 1e-9), table.rows[r].texts[0].c_str());
        }
        QVERIFY(Fields(window) == before);
    }

    void copyAndCsvAndTheReportChoice()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(171), nullptr, &log);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("drossel.csv"));
        QString clip, allDigits, offered;
        window.SetModalRunner([&](QDialog& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                offered = files->selectedFiles().value(0);
                files->selectNameFilter(QStringLiteral("CSV mit Semikolon und Dezimalkomma (*.csv)"));
                files->selectFile(path);
                return int(QDialog::Accepted);
            }
            auto* dlg = qobject_cast<CRatingTableDlg*>(&dialog);
            if (!dlg)
                return int(QDialog::Rejected);
            Choose(dlg->VaryBox(), COrificeDlg::kIdH);
            dlg->FromEdit()->setText(QStringLiteral("0.5"));
            dlg->ToEdit()->setText(QStringLiteral("1"));
            dlg->RowsRadio()->setChecked(true);
            dlg->RowsEdit()->setText(QStringLiteral("2"));
            Tick(dlg->ResultList(), {COrificeDlg::kIdV});
            dlg->ComputeButton()->click();
            dlg->AllDigitsBox()->setChecked(true);
            dlg->CopyButton()->click();
            allDigits = QApplication::clipboard()->text();
            dlg->AllDigitsBox()->setChecked(false);
            dlg->CopyButton()->click();
            clip = QApplication::clipboard()->text();
            dlg->SaveButton()->click();
            dlg->ReportBox()->setChecked(true);
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Wertetabelle…"))->click();

        // Header, then h and v = 0.67 sqrt(2 g h) for h = 0.5 and 1: every
        // digit when asked for, else to cm/s (2.967 m/s).
        const QStringList lines = allDigits.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 3);
        QVERIFY2(lines[0].startsWith(QStringLiteral("Druckhöhe h [m]\tFließgeschwindigkeit v [m/s]\t")),
                 qPrintable(lines[0]));
        const QStringList cells = QString(lines[2]).replace(',', '.').split(QLatin1Char('\t'));
        QCOMPARE(cells[0], QStringLiteral("1"));
        QVERIFY(Near(cells[1].toDouble(), OrificeV(1.0), 1e-12));
        QVERIFY(QString(clip).replace(',', '.').split(QLatin1Char('\n'))[2].startsWith(QStringLiteral("1\t2.97\t")));

        // The name offered: the form's title, in the folder for tables.
        QCOMPARE(QFileInfo(offered).fileName(), QStringLiteral("Drossel.csv"));
        QCOMPARE(QDir(SaveFolder(SaveKind::RatingCsv)), QDir(folder.path()));
        // The file for German spreadsheets: the mark EF BB BF, then UTF-8
        // ("ö" is C3 B6), the decimal comma, v rounded: 2.098 m/s at 0.5 m.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF" "Druckh\xC3\xB6he h [m];"));
        const QStringList saved = QString::fromUtf8(bytes.mid(3)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(saved.size() >= 3);
        QVERIFY2(saved[1].startsWith(QStringLiteral("0,5;2,10;")), qPrintable(saved[1]));

        QVERIFY(window.ReportRating());
        QCOMPARE(window.ReportRating()->vary, COrificeDlg::kIdH);
        QCOMPARE(window.ReportRating()->rows, 2);
        QCOMPARE(window.ReportRating()->columns, std::vector<int>{COrificeDlg::kIdV});

        // Opened again, the dialog starts with the report's table; unticked,
        // the report has none.
        bool startedWithIt = false;
        window.SetModalRunner([&](QDialog& dialog) {
            auto* dlg = qobject_cast<CRatingTableDlg*>(&dialog);
            startedWithIt = dlg && dlg->ReportBox()->isChecked() && dlg->Table().rows.size() == 2;
            if (dlg)
                dlg->ReportBox()->setChecked(false);
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Wertetabelle…"))->click();
        QVERIFY(startedWithIt);
        QVERIFY(!window.ReportRating());
    }

    // v = mu sqrt(2 g h) = 2 m/s: h = (2 / 0.67)² / (2 g).
    void solveOrificeHeadForAVelocity()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(171), nullptr, &log);
        QString outcome;
        QStringList refused;
        bool found = false;
        window.SetModalRunner([&](QDialog& dialog) {
            auto* dlg = qobject_cast<CSolveDlg*>(&dialog);
            if (!dlg)
                return int(QDialog::Rejected);
            Choose(dlg->ResultBox(), COrificeDlg::kIdV);
            Choose(dlg->VaryBox(), COrificeDlg::kIdH);
            for (const char* typed : {"2,0", "2 m/s"}) {
                dlg->TargetEdit()->setText(QString::fromUtf8(typed));
                dlg->SearchButton()->click();
                if (dlg->Found())
                    return int(QDialog::Rejected);
                refused << dlg->Outcome();
            }
            dlg->TargetEdit()->setText(QStringLiteral("2.0"));
            // The interval around h = 0.6 m, a decade wide.
            if (!Near(DialogNumber(dlg->FromEdit()->text()).value_or(0), 0.6 / std::sqrt(10.0), 1e-6))
                return int(QDialog::Rejected);
            dlg->SearchButton()->click();
            outcome = dlg->Outcome();
            found = dlg->Found();
            Shoot(*dlg, QStringLiteral("solve-orifice"));
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Zielwert…"))->click();
        QCOMPARE(refused, (QStringList{QStringLiteral("Bitte geben Sie eine Zahl ein.\nDezimaltrennzeichen ist der "
                                                      "Punkt, nicht das Komma."),
                                       QStringLiteral("Bitte geben Sie eine Zahl ein.")}));
        QVERIFY2(found, qPrintable(outcome));
        QVERIFY(outcome.startsWith(QStringLiteral("Gefunden: h = 0.454")));
        QVERIFY(outcome.contains(QStringLiteral(" m nach ")));
        const double h = (2 / 0.67) * (2 / 0.67) / (2 * kG);
        auto* shown = qobject_cast<QLineEdit*>(window.Control(COrificeDlg::kIdH));
        QVERIFY2(Near(shown->text().toDouble(), h, 1e-8), qPrintable(shown->text()));
        QVERIFY(Near(qobject_cast<QLineEdit*>(window.Control(COrificeDlg::kIdV))->text().toDouble(), 2.0, 1e-8));
        QVERIFY(Near(std::stod(window.Form().Text(COrificeDlg::kIdD)), OrificeD(h), 1e-8));
    }

    void solveOutOfReachChangesNothing()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(171), nullptr, &log);
        QTest::mouseClick(window.Control(kIdOk), Qt::LeftButton); // "Rechne"
        const auto before = Fields(window);
        QString outcome;
        QPalette palette;
        bool found = true;
        window.SetModalRunner([&](QDialog& dialog) {
            auto* dlg = qobject_cast<CSolveDlg*>(&dialog);
            if (!dlg)
                return int(QDialog::Rejected);
            Choose(dlg->ResultBox(), COrificeDlg::kIdV);
            dlg->TargetEdit()->setText(QStringLiteral("10")); // needs h = 11.4 m
            Choose(dlg->VaryBox(), COrificeDlg::kIdH);
            dlg->SearchButton()->click();
            outcome = dlg->Outcome();
            palette = dlg->OutcomeLabel()->palette();
            found = dlg->Found();
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Zielwert…"))->click();
        QVERIFY(!found);
        QVERIFY2(outcome.contains(QStringLiteral("nicht erreicht")), qPrintable(outcome));
        QCOMPARE(palette.color(QPalette::WindowText), QColor(190, 0, 0));
        QVERIFY(Fields(window) == before);
    }

    // The depth at which the ditch carries Q(t = 0.3 m) worked by hand.
    void solveDitchDepthForADischarge()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(143), nullptr, &log);
        bool found = false;
        QString outcome;
        window.SetModalRunner([&](QDialog& dialog) {
            auto* dlg = qobject_cast<CSolveDlg*>(&dialog);
            if (!dlg)
                return int(QDialog::Rejected);
            // Starts with the first main result, Q, and t's range 0.03 to 3.
            if (dlg->ResultBox()->currentData().toInt() != CDitchDlg::kIdQ)
                return int(QDialog::Rejected);
            Choose(dlg->VaryBox(), CDitchDlg::kIdT);
            if (dlg->FromEdit()->text() != QStringLiteral("0.03") || dlg->ToEdit()->text() != QStringLiteral("3"))
                return int(QDialog::Rejected);
            dlg->TargetEdit()->setText(QString::number(DitchQ(0.3), 'g', 15));
            dlg->SearchButton()->click();
            found = dlg->Found();
            outcome = dlg->Outcome();
            Shoot(*dlg, QStringLiteral("solve-ditch"));
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Zielwert…"))->click();
        QVERIFY2(found, qPrintable(outcome));
        QVERIFY(Near(qobject_cast<QLineEdit*>(window.Control(CDitchDlg::kIdT))->text().toDouble(), 0.3, 1e-7));
        // The form's text: the window shows it rounded for its unit.
        QVERIFY(Near(std::stod(window.Form().Text(CDitchDlg::kIdQ)), DitchQ(0.3), 1e-9));
    }

    // With a number of rows the step shows the rows' distance,
    // (to - from) / (rows - 1), as the three are typed; with a step, the
    // number of rows shows what the step gives.
    void rowsStepFollowsTheInterval()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(171), nullptr, &log);
        QStringList steps;
        window.SetModalRunner([&](QDialog& dialog) {
            auto* dlg = qobject_cast<CRatingTableDlg*>(&dialog);
            if (!dlg)
                return int(QDialog::Rejected);
            dlg->RowsRadio()->setChecked(true);
            const char* typed[][3] = {{"0", "90", "10"}, {"0", "90", "4"}, {"1", "2", "11"}, {"1", "2,5", "11"}};
            for (const auto& [from, to, rows] : typed) {
                dlg->FromEdit()->setText(QString::fromUtf8(from));
                dlg->ToEdit()->setText(QString::fromUtf8(to));
                dlg->RowsEdit()->setText(QString::fromUtf8(rows));
                steps << dlg->StepEdit()->text();
            }
            dlg->StepRadio()->setChecked(true);
            dlg->FromEdit()->setText(QStringLiteral("0.5"));
            dlg->ToEdit()->setText(QStringLiteral("2"));
            dlg->StepEdit()->setText(QStringLiteral("0.5"));
            steps << dlg->RowsEdit()->text();
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Wertetabelle…"))->click();
        QCOMPARE(steps, (QStringList{QStringLiteral("10"), QStringLiteral("30"), QStringLiteral("0.1"), QString(),
                                     QStringLiteral("4")}));
    }

    // Curb and V-gutter: a negative curb width refuses the curb's results
    // only; the V-gutter's A = 0.5 · 0.035 m · 0.5 m stands beside them.
    void partRefusedRowShowsDashesAndWhy()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(152), nullptr, &log);
        QStringList cells;
        window.SetModalRunner([&](QDialog& dialog) {
            auto* dlg = qobject_cast<CRatingTableDlg*>(&dialog);
            if (!dlg)
                return int(QDialog::Rejected);
            Choose(dlg->VaryBox(), CGutterDlg::kIdB1); // b of the curb
            dlg->FromEdit()->setText(QStringLiteral("-0.1"));
            dlg->ToEdit()->setText(QStringLiteral("0.1"));
            dlg->RowsEdit()->setText(QStringLiteral("2"));
            Tick(dlg->ResultList(), {CGutterDlg::kIdA1, CGutterDlg::kIdA2});
            dlg->ComputeButton()->click();
            const QAbstractItemModel* model = dlg->View()->model();
            // Every digit on hover; the cell shows the area rounded.
            for (int c = 1; c < model->columnCount(); ++c)
                cells << model->index(0, c).data(c == 2 ? Qt::ToolTipRole : Qt::DisplayRole).toString();
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Wertetabelle…"))->click();
        // A1, A2, the verdict's two columns where the form states one, "Meldung".
        QVERIFY(cells.size() == 3 || cells.size() == 5);
        QCOMPARE(cells[0], QStringLiteral("–"));
        QVERIFY2(Near(cells[1].toDouble(), 0.5 * 0.035 * 0.5, 1e-15), qPrintable(cells[1]));
        QCOMPARE(cells.back(), QStringLiteral("Die Wasserspiegelbreite b der Bordrinne darf nicht negativ sein."));
    }

    // "Zielwert…" starts with the result for the inputs as they stand, not
    // with one shown for an h since changed: v = 0.67 sqrt(2 g 1.2).
    void solveTargetIsNeverAStaleResult()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(171), nullptr, &log);
        QTest::mouseClick(window.Control(kIdOk), Qt::LeftButton); // "Rechne" with h = 0.6
        auto* h = qobject_cast<QLineEdit*>(window.Control(COrificeDlg::kIdH));
        h->selectAll();
        QTest::keyClicks(h, "1.2");
        QString target;
        window.SetModalRunner([&](QDialog& dialog) {
            if (auto* dlg = qobject_cast<CSolveDlg*>(&dialog)) {
                Choose(dlg->ResultBox(), COrificeDlg::kIdV);
                target = dlg->TargetEdit()->text();
            }
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Zielwert…"))->click();
        QVERIFY2(Near(target.toDouble(), OrificeV(1.2), 1e-12), qPrintable(target));
    }

    // The result choices hold no variable input; the pipe run and the
    // infiltration swale open their dialogs for the pictures as well.
    void resultChoicesAndTheOtherForms()
    {
        CMessageLog log;
        for (int form : {130, 185}) {
            CFormWindow window(*FindFormById(form), nullptr, &log);
            bool ok = true;
            window.SetModalRunner([&](QDialog& dialog) {
                if (auto* solve = qobject_cast<CSolveDlg*>(&dialog)) {
                    for (int i = 0; i < solve->ResultBox()->count(); ++i)
                        ok = ok && Index(solve->VaryBox(), solve->ResultBox()->itemData(i).toInt()) < 0;
                    ok = ok && solve->ResultBox()->count() > 0 && solve->VaryBox()->count() > 0;
                    Shoot(*solve, QStringLiteral("solve-%1").arg(form));
                } else if (auto* table = qobject_cast<CRatingTableDlg*>(&dialog)) {
                    ok = ok && table->Problem().isEmpty() && !table->Table().rows.empty();
                    Hover(table->Chart(), 0.5);
                    Shoot(*table, QStringLiteral("table-%1").arg(form));
                }
                return int(QDialog::Accepted);
            });
            Button(window, QStringLiteral("Zielwert…"))->click();
            Button(window, QStringLiteral("Wertetabelle…"))->click();
            QVERIFY(ok);
            Shoot(window, QStringLiteral("window-%1").arg(form));
        }
    }

};

DRALUN_QTEST(RatingDialogTest);
#include "RatingDialogTest.moc"
