// The infiltration swale and trench in their windows: opening with the
// defaults, computing with Enter and "Rechne", the radio buttons and the
// fields they enable, loading the rainfall file with the button and by
// leaving the frequency field, taking a duration from the drop-down list,
// and the longitudinal section that follows the values.
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "QtTestRegistry.h"
#include "forms/CInfiltrationSwaleDlg.h"
#include "forms/CInfiltrationTrenchDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/DigitDisplay.h"
#include "gui/pictures/Pictures.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

using Swale = CInfiltrationSwaleDlg;
using Trench = CInfiltrationTrenchDlg;

namespace {

// A rainfall file: row r has the intensity 10 r + 2.5 in column 2 (n = 1);
// rows 9 to 18 are hours.
std::string RainfallFile()
{
    std::string text;
    for (int i = 0; i < 9; ++i)
        text += "Kopf\n";
    for (int r = 1; r <= 18; ++r) {
        if (r == 8 || r == 15)
            text += "--\n";
        text += std::to_string(r) + (r <= 8 ? " min 0" : " h 0") + " 1 " + std::to_string(10 * r + 1) + ".5 1 " +
                std::to_string(10 * r + 2) + ".5\n";
    }
    return text;
}

// Pixels of the water colour in an image.
int WaterPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(120, 180, 235))
                ++count;
    return count;
}

} // namespace

class InfiltrationFormsWindowTest : public QObject {
    Q_OBJECT

    QLineEdit* Edit(CFormWindow& w, int id) { return qobject_cast<QLineEdit*>(w.Control(id)); }
    QRadioButton* Radio(CFormWindow& w, int id) { return qobject_cast<QRadioButton*>(w.Control(id)); }

    // A radio button takes a click on its indicator.
    void ClickRadio(CFormWindow& w, int id)
    {
        QRadioButton* radio = Radio(w, id);
        QStyleOptionButton option;
        option.initFrom(radio);
        const QRect indicator = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
        QTest::mouseClick(radio, Qt::LeftButton, {}, indicator.center());
    }

    static void Retype(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    static QImage Draw(CFormWindow& w, int pictureId)
    {
        const Picture* picture = FindPicture(pictureId);
        QImage image(900, 150, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        picture->paint(painter, QRectF(0, 0, 900, 150), w.Form());
        return image;
    }

private slots:
    // The fields show the form's own texts, every digit, as they are compared.
    void initTestCase() { CDigitDisplay::Instance().SetAllDigits(true); }
    void cleanupTestCase() { CDigitDisplay::Instance().SetAllDigits(false); }

    void swaleOpensWithItsGeometryAndComputesWithEnter()
    {
        test::TempDataDir dir;
        CMessageLog log;
        CFormWindow w(*FindFormById(185), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Versickermulde"));
        for (int id : std::initializer_list<int>{Swale::kIdModeCircle, Swale::kIdModeImmersion, Swale::kIdRainTyped,
                                                 Swale::kIdAreaAsmittelR})
            QVERIFY(Radio(w, id)->isChecked());
        QVERIFY(!Radio(w, Swale::kIdModeSpacing)->isChecked());
        for (int id : {Swale::kIdLs, Swale::kIdN, Swale::kIdDatei})
            QVERIFY(!Edit(w, id)->isEnabled());
        QCOMPARE(Edit(w, Swale::kIdLs)->text(), QStringLiteral("100"));
        QVERIFY(Edit(w, Swale::kIdV)->text().startsWith("11.17638"));
        QVERIFY(Edit(w, Swale::kIdV)->isReadOnly());
        QCOMPARE(Edit(w, Swale::kIdDatei)->text(), QString::fromStdString(dir.Named() + "R3943mi.txt"));
        QCOMPARE(qobject_cast<QPushButton*>(w.Control(kIdCancel))->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(qobject_cast<QPushButton*>(w.Control(Swale::kIdUpdate))->text(),
                 QStringLiteral("Daten Versickermulde aktualisieren"));
        QVERIFY(qobject_cast<QPushButton*>(w.Control(kIdOk))->isDefault());

        QLineEdit* r = Edit(w, Swale::kIdR);
        Retype(r, "100");
        QTest::keyClick(r, Qt::Key_Return);
        QVERIFY(w.isVisible());
        QVERIFY(Edit(w, Swale::kIdVGenutzt)->text().startsWith("8.791"));
        QCOMPARE(Edit(w, Swale::kIdDMass)->text(), QStringLiteral("15"));
        QVERIFY(log.Messages().empty());

        // The parabola computes at once.
        ClickRadio(w, Swale::kIdModeParabola);
        QVERIFY(Radio(w, Swale::kIdModeParabola)->isChecked());
        QVERIFY(!Radio(w, Swale::kIdModeCircle)->isChecked());
        QVERIFY(Edit(w, Swale::kIdAU)->text().startsWith("0.21773"));

        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }

    void trenchComputesWithRechneAndRefusesWithAMessage()
    {
        test::TempDataDir dir;
        CMessageLog log;
        CFormWindow w(*FindFormById(104), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Versickergraben"));
        QVERIFY(Radio(w, Trench::kIdAreaAsmittelR)->isChecked());
        QCOMPARE(Edit(w, Trench::kIdV)->text(), QStringLiteral("44"));
        QTest::mouseClick(w.Control(kIdOk), Qt::LeftButton);
        QCOMPARE(Edit(w, Trench::kIdVGenutzt)->text(), QStringLiteral("17.415"));

        Retype(Edit(w, Trench::kIdJ), "0");
        QTest::mouseClick(w.Control(kIdOk), Qt::LeftButton);
        QCOMPARE(log.Texts().size(), size_t(1));
        QVERIFY(QString::fromStdString(log.Texts()[0]).contains("nicht kleiner/gleich 0 sein."));
        QCOMPARE(Edit(w, Trench::kIdVGenutzt)->text(), QStringLiteral("–")); // refused: no result
    }

    void loadingTheFileAndTakingADuration()
    {
        test::TempDataDir dir;
        dir.Write("R3943MI.txt", RainfallFile());
        CMessageLog log;
        CFormWindow w(*FindFormById(104), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        // With "Regenspende" selected the button does nothing.
        QTest::mouseClick(w.Control(Trench::kIdLoadFile), Qt::LeftButton);
        QVERIFY(log.Messages().empty());
        ClickRadio(w, Trench::kIdModeSpacing);
        QVERIFY(Edit(w, Trench::kIdLs)->isEnabled());
        QVERIFY(!Edit(w, Trench::kIdTE)->isEnabled());

        ClickRadio(w, Trench::kIdRainFromFile);
        QVERIFY(Edit(w, Trench::kIdN)->isEnabled());
        QVERIFY(!Edit(w, Trench::kIdR)->isEnabled());
        QVERIFY(!w.Control(Trench::kIdListDurations)->isEnabled());
        QTest::mouseClick(w.Control(Trench::kIdLoadFile), Qt::LeftButton);
        QCOMPARE(log.Texts().size(), size_t(1));
        QVERIFY(QString::fromStdString(log.Texts()[0]).startsWith("Datei wurde geladen!\n"));
        auto* list = qobject_cast<QComboBox*>(w.Control(Trench::kIdListDurations));
        QCOMPARE(list->count(), 18);
        QCOMPARE(list->itemText(11), QStringLiteral("12 h"));
        QCOMPARE(list->currentIndex(), 0);
        QCOMPARE(Edit(w, Trench::kIdD)->text(), QStringLiteral("5"));
        QCOMPARE(Edit(w, Trench::kIdR)->text(), QStringLiteral("12.5"));

        // Leaving the frequency field loads again.
        QLineEdit* n = Edit(w, Trench::kIdN);
        Retype(n, "2");
        QTest::keyClick(n, Qt::Key_Tab);
        QCOMPARE(log.Texts().size(), size_t(2));
        QCOMPARE(Edit(w, Trench::kIdR)->text(), QStringLiteral("11.5")); // column 1

        // Back to typed rain: the list's row 12 (12 h) sets 720 min.
        ClickRadio(w, Trench::kIdRainTyped);
        list->setCurrentIndex(11);
        emit list->activated(11);
        QCOMPARE(Edit(w, Trench::kIdD)->text(), QStringLiteral("720"));
        QCOMPARE(Edit(w, Trench::kIdR)->text(), QStringLiteral("121.5"));
        QVERIFY(Edit(w, Trench::kIdR)->hasFocus());
        QCOMPARE(log.Texts().size(), size_t(2));
    }

    void theLongSectionFollowsTheValues()
    {
        test::TempDataDir dir;
        CMessageLog log;
        for (int id : {185, 104}) {
            CFormWindow w(*FindFormById(id), nullptr, &log);
            QVERIFY(FindPicture(id));
            const int lsField = id == 185 ? int(Swale::kIdLs) : int(Trench::kIdLs);
            const QImage defaults = Draw(w, id);
            QVERIFY(WaterPixels(defaults) > 100);

            // The spacing given, within the reach: the water stands at the upper threshold too.
            w.Perform([&](CForm& f) {
                f.Click(CInfiltrationForm::kIdModeSpacing);
                f.Type(lsField, id == 185 ? "60" : "100");
                f.Click(kIdOk);
            });
            const QImage spacing = Draw(w, id);
            QVERIFY(spacing != defaults);
            QVERIFY(WaterPixels(spacing) > 100);

            // Zero, negative and huge values draw without harm.
            for (const char* J : {"0", "-1", "1e-300", "1e300"}) {
                w.Perform([&](CForm& f) {
                    f.Type(id == 185 ? int(Swale::kIdJ) : int(Trench::kIdJ), J);
                    f.Click(kIdOk);
                });
                Draw(w, id);
            }
            w.Perform([&](CForm& f) {
                f.Type(lsField, "1e300");
                f.Click(kIdOk);
            });
            Draw(w, id);
        }
    }
};

DRALUN_QTEST(InfiltrationFormsWindowTest);
#include "InfiltrationFormsWindowTest.moc"
