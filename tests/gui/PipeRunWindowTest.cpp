// The pipe run form in its window: the lists, the double click, leaving a
// slope field, Enter, the row button, Rohr.txt and the picture.
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "QtTestRegistry.h"
#include "forms/CPipeRunDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/DigitDisplay.h"
#include "gui/pictures/Pictures.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

namespace {

// The medium folder of this source tree, when the test environment does not
// name it.
const bool kMediumDirKnown = [] {
    const auto medium = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "medium" / "Dralun";
    setenv("DRALUN_MEDIUM_DIR", medium.string().c_str(), 0);
    return true;
}();
} // namespace

class PipeRunWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> m_dir;

    static QLineEdit* Edit(CFormWindow& w, int id) { return qobject_cast<QLineEdit*>(w.Control(id)); }
    static QListWidget* List(CFormWindow& w, int id) { return qobject_cast<QListWidget*>(w.Control(id)); }

private slots:
    // The fields show the form's own texts, every digit, as they are compared.
    void initTestCase() { CDigitDisplay::Instance().SetAllDigits(true); }
    void cleanupTestCase() { CDigitDisplay::Instance().SetAllDigits(false); }

    void init()
    {
        m_dir = std::make_unique<test::TempDataDir>();
        m_dir->CopyFromMedium("DN.ASC");
        m_dir->CopyFromMedium("A110KR.ASC");
    }
    void cleanup() { m_dir.reset(); }

    void opensWithResultsAndFilledLists()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Rohr"));
        QVERIFY(log.Messages().empty());
        QCOMPARE(Edit(w, CPipeRunDlg::kIdVv)->text(), QStringLiteral(" 1.39"));
        QCOMPARE(Edit(w, CPipeRunDlg::kIdQv)->text(), QStringLiteral(" 97.9"));
        QVERIFY(Edit(w, CPipeRunDlg::kIdVv)->isReadOnly());
        QCOMPARE(List(w, CPipeRunDlg::kIdListDiameters)->count(), 19);
        QCOMPARE(List(w, CPipeRunDlg::kIdListVv)->count(), 19);
        QCOMPARE(List(w, CPipeRunDlg::kIdListQv)->count(), 19);
        QVERIFY(List(w, CPipeRunDlg::kIdListDiameters)->isEnabled());
        QVERIFY(!List(w, CPipeRunDlg::kIdListVv)->isEnabled() && !List(w, CPipeRunDlg::kIdListQv)->isEnabled());
        QVERIFY(!Edit(w, CPipeRunDlg::kIdI)->isEnabled());
        QVERIFY(qobject_cast<QRadioButton*>(w.Control(CPipeRunDlg::kIdModeOneIn))->isChecked());
        QVERIFY(qobject_cast<QPushButton*>(w.Control(CPipeRunDlg::kIdCompute))->isDefault());
        QCOMPARE(qobject_cast<QPushButton*>(w.Control(CPipeRunDlg::kIdAppendRow))->text(),
                 QStringLiteral("Zeile in Rohr.txt"));
        // Row k of each list is diameter k: all of them in view at once.
        for (int id : {CPipeRunDlg::kIdListDiameters, CPipeRunDlg::kIdListVv, CPipeRunDlg::kIdListQv}) {
            QListWidget* list = List(w, id);
            QVERIFY2(list->visualItemRect(list->item(18)).bottom() <= list->viewport()->height(),
                     qPrintable(QString::number(id)));
        }
    }

    void doubleClickTakesTheDiameter()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QListWidget* list = List(w, CPipeRunDlg::kIdListDiameters);
        QListWidgetItem* item = list->item(5);
        QCOMPARE(item->text(), QStringLiteral(" 400"));
        const QRect rect = list->visualItemRect(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(Edit(w, CPipeRunDlg::kIdDN)->text(), QStringLiteral("400"));
        QCOMPARE(Edit(w, CPipeRunDlg::kIdVv)->text(), QStringLiteral(" 1.67"));
        QCOMPARE(Edit(w, CPipeRunDlg::kIdQv)->text(), QStringLiteral("210.0"));
    }

    // At 1 : 100 and kb = 1.5 mm a full DN 200 carries 33 l/s and a DN 250
    // 60 l/s (worked by hand: 60.4 l/s), a DN 400 210 l/s and a DN 500 379 l/s.
    void smallestSufficientDiameterStandsOut()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto marked = [&] {
            QList<int> rows;
            QListWidget* list = List(w, CPipeRunDlg::kIdListDiameters);
            for (int row = 0; row < list->count(); ++row)
                if (list->item(row)->font().bold())
                    rows.append(row);
            return rows;
        };
        QCOMPARE(marked(), QList<int>{2});
        QCOMPARE(List(w, CPipeRunDlg::kIdListDiameters)->item(2)->text(), QStringLiteral(" 250"));
        QVERIFY(List(w, CPipeRunDlg::kIdListDiameters)
                    ->item(2)
                    ->toolTip()
                    .contains(QStringLiteral("kleinste Nennweite, die Q = 40 l/s")));
        Edit(w, CPipeRunDlg::kIdQ)->selectAll();
        QTest::keyClicks(Edit(w, CPipeRunDlg::kIdQ), "250");
        QTest::mouseClick(qobject_cast<QPushButton*>(w.Control(CPipeRunDlg::kIdCompute)), Qt::LeftButton);
        QCOMPARE(marked(), QList<int>{6});
        QCOMPARE(List(w, CPipeRunDlg::kIdListDiameters)->item(6)->text(), QStringLiteral(" 500"));
        QVERIFY(List(w, CPipeRunDlg::kIdListDiameters)->item(2)->toolTip().isEmpty());
    }

    void leavingThePercentFieldComputesListsAndResults()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(130), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.Control(CPipeRunDlg::kIdModePercent), Qt::LeftButton);
        QLineEdit* percent = Edit(w, CPipeRunDlg::kIdI);
        QVERIFY(percent->isEnabled());
        percent->setFocus(Qt::MouseFocusReason);
        percent->selectAll();
        QTest::keyClicks(percent, "0.5");
        QTest::keyClick(percent, Qt::Key_Tab);
        // The lists are results: the fields beside them follow at once.
        QCOMPARE(List(w, CPipeRunDlg::kIdListVv)->item(3)->text(), QStringLiteral(" 0.98"));
        QCOMPARE(Edit(w, CPipeRunDlg::kIdVv)->text(), QStringLiteral(" 0.98"));
        QCOMPARE(Edit(w, CPipeRunDlg::kIdN)->text(), QStringLiteral("200"));
        QTest::keyClick(Edit(w, CPipeRunDlg::kIdQ), Qt::Key_Return);
        QCOMPARE(Edit(w, CPipeRunDlg::kIdVv)->text(), QStringLiteral(" 0.98"));
        QVERIFY(w.isVisible());
        QVERIFY(log.Messages().empty());
    }

    // Rounded as a person reads the window: a field without a value shows
    // "–", never its text 0; a slope the form completes reads as a result.
    void fieldsWithoutAValueShowADash()
    {
        struct Case {
            const char* what;
            int mode;
            std::vector<std::pair<int, const char*>> typed;
            std::vector<std::pair<int, const char*>> shown;
        };
        using D = CPipeRunDlg;
        const Case cases[] = {
            {"overloaded", D::kIdModeOneIn, {{D::kIdQ, "120"}},
             {{D::kIdVt, "–"}, {D::kIdQt, "–"}, {D::kIdDrH, "–"}, {D::kIdQv, "97.9"}, {D::kIdI, "1.00"}}},
            {"refused", D::kIdModeOneIn, {{D::kIdDN, "333"}}, {{D::kIdVv, "–"}, {D::kIdI, "–"}, {D::kIdN, "100"}}},
            // 0.05 m over 10 m: 0.5 %, 1 : 200.
            {"from the levels", D::kIdModeLevels, {{D::kIdZo, "10.05"}, {D::kIdZu, "10"}, {D::kIdL, "10"}},
             {{D::kIdI, "0.50"}, {D::kIdN, "200"}}},
        };
        CDigitDisplay::Instance().SetAllDigits(false);
        for (const Case& c : cases) {
            CMessageLog log;
            CFormWindow w(*FindFormById(130), nullptr, &log);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTest::mouseClick(w.Control(c.mode), Qt::LeftButton);
            for (const auto& [id, text] : c.typed) {
                Edit(w, id)->setFocus(Qt::MouseFocusReason);
                Edit(w, id)->selectAll();
                QTest::keyClicks(Edit(w, id), text);
            }
            QTest::mouseClick(w.Control(D::kIdCompute), Qt::LeftButton);
            for (const auto& [id, text] : c.shown)
                QVERIFY2(Edit(w, id)->text() == QString::fromUtf8(text),
                         qPrintable(QStringLiteral("%1, field %2: %3").arg(c.what).arg(id).arg(Edit(w, id)->text())));
        }
        CDigitDisplay::Instance().SetAllDigits(true);
    }

    void rowButtonWritesRohrTxtAndEscapeCloses()
    {
        {
            CMessageLog log;
            CFormWindow w(*FindFormById(130), nullptr, &log);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTest::mouseClick(w.Control(CPipeRunDlg::kIdAppendRow), Qt::LeftButton);
            QTest::keyClick(&w, Qt::Key_Escape);
            QVERIFY(!w.isVisible());
        }
        const std::string report = m_dir->ReadText("Rohr.txt");
        QVERIFY(report.rfind("Programmausgaben - Rohrhydraulik \n", 0) == 0);
        QVERIFY(report.find("\n\n  0.00   0.00  10.00  100.0   1.00    300  1.5     98   1.39     40") !=
                std::string::npos);
        QCOMPARE(std::count(report.begin(), report.end(), '\n'), 7);
    }

    void pictureDrawsEveryStateWithoutFault()
    {
        const Picture* picture = FindPicture(CPipeRunDlg::kPicture);
        QVERIFY(picture);
        const struct {
            int id;
            const char* text;
        } states[] = {
            {CPipeRunDlg::kIdQ, "40"}, {CPipeRunDlg::kIdQ, "120"}, {CPipeRunDlg::kIdN, "0"},
            {CPipeRunDlg::kIdDN, "0"}, {CPipeRunDlg::kIdDN, "-500"}, {CPipeRunDlg::kIdDN, "1e300"},
            {CPipeRunDlg::kIdQ, "0.01"},
        };
        for (const auto& state : states) {
            CMessageLog log;
            CPipeRunDlg form(log);
            form.Open();
            form.Type(state.id, state.text);
            form.Click(CPipeRunDlg::kIdCompute);
            QImage image(300, 300, QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            picture->paint(painter, QRectF(0, 0, 300, 300), form);
            painter.end();
            // Something is drawn inside the frame.
            int ink = 0;
            for (int y = 20; y < 280; y += 4)
                for (int x = 20; x < 280; x += 4)
                    ink += image.pixelColor(x, y) != QColor(Qt::white);
            QVERIFY2(ink > 20, state.text);
        }
    }
};

DRALUN_QTEST(PipeRunWindowTest);
#include "PipeRunWindowTest.moc"
