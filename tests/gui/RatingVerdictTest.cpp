// The verdict column of a rating table: where the design stops carrying;
// and the input "Zielwert…" starts with for a result.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "QtTestRegistry.h"
#include "RatingTestKit.h"
#include "forms/CPipeRunDlg.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/rating/CRatingTableDlg.h"
#include "gui/rating/CSolveDlg.h"
#include "testkit/TempDataDir.h"

using namespace dralun;
using test::Button;
using test::Choose;
using test::Tick;

class RatingVerdictTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TempDataDir> m_dir;

private slots:
    void init() { m_dir = test::PipeRunData(); }

    // The pipe run at its defaults carries Qv = 97.94 l/s (Prandtl-Colebrook,
    // DN 300, I 1 %, kb 1.5 mm): with Q from 80 to 120 l/s the verdict
    // turns from "erfüllt" to "nicht erfüllt" between 90 and 100 l/s.
    void pipeRunVerdictColumnTurnsAtTheCapacity()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(130), nullptr, &log);
        QStringList utilisation, verdict;
        QString head;
        window.SetModalRunner([&](QDialog& dialog) {
            auto* dlg = qobject_cast<CRatingTableDlg*>(&dialog);
            if (!dlg)
                return int(QDialog::Rejected);
            Choose(dlg->VaryBox(), CPipeRunDlg::kIdQ);
            dlg->FromEdit()->setText(QStringLiteral("80"));
            dlg->ToEdit()->setText(QStringLiteral("120"));
            dlg->StepRadio()->setChecked(true);
            dlg->StepEdit()->setText(QStringLiteral("10"));
            Tick(dlg->ResultList(), {CPipeRunDlg::kIdQv});
            dlg->ComputeButton()->click();
            const QAbstractItemModel* model = dlg->View()->model();
            const int last = model->columnCount() - 1; // "Meldung"
            head = model->headerData(last - 1, Qt::Horizontal).toString();
            for (int r = 0; r < model->rowCount(); ++r) {
                utilisation << model->index(r, last - 2).data().toString();
                verdict << model->index(r, last - 1).data().toString();
            }
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Wertetabelle…"))->click();
        QCOMPARE(head, QStringLiteral("Nachweis\nQ ≤ Qv"));
        QCOMPARE(verdict, QStringList({"erfüllt", "erfüllt", "nicht erfüllt", "nicht erfüllt", "nicht erfüllt"}));
        // 80 / 97.94 and 120 / 97.94, to one decimal as the verdict line writes it.
        QCOMPARE(utilisation.front(), QStringLiteral("81.7"));
        QCOMPARE(utilisation.back(), QStringLiteral("122.5"));
    }

    // The pipe in the 1 : n mode does not use its length: "Zielwert…"
    // varies kb for Qv, and Q for Qt (= Q while the pipe is not overloaded).
    void solveStartsWithAnInputThatActsOnTheResult()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(130), nullptr, &log);
        QTest::mouseClick(window.Control(ComputeButtonId(window.Form())), Qt::LeftButton); // "Rechne"
        QList<int> varied;
        window.SetModalRunner([&](QDialog& dialog) {
            if (auto* dlg = qobject_cast<CSolveDlg*>(&dialog)) {
                varied << dlg->ResultBox()->currentData().toInt() << dlg->VaryBox()->currentData().toInt();
                Choose(dlg->ResultBox(), CPipeRunDlg::kIdQt);
                varied << dlg->VaryBox()->currentData().toInt();
            }
            return int(QDialog::Accepted);
        });
        Button(window, QStringLiteral("Zielwert…"))->click();
        QCOMPARE(varied, (QList<int>{CPipeRunDlg::kIdQv, CPipeRunDlg::kIdKb, CPipeRunDlg::kIdQ}));
    }

};

DRALUN_QTEST(RatingVerdictTest);
#include "RatingVerdictTest.moc"
