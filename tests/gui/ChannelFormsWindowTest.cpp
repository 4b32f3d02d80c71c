// The culvert and open-channel forms in their windows: computing with Enter
// and "Rechne", step buttons, check boxes and modes, refusals, and pictures
// that follow the values.
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "QtTestRegistry.h"
#include "forms/CBoxCulvertDlg.h"
#include "forms/CDitchDlg.h"
#include "forms/CPipeCulvertDlg.h"
#include "forms/CRoughBedSwaleDlg.h"
#include "forms/CSwaleDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/DigitDisplay.h"
#include "gui/pictures/CPictureWidget.h"
#include "gui/pictures/Pictures.h"

using namespace dralun;

using Pipe = CPipeCulvertDlg;
using Box = CBoxCulvertDlg;
using Swale = CSwaleDlg;
using Ditch = CDitchDlg;
using RoughBed = CRoughBedSwaleDlg;

// The check box that ties one field to another: "DN/10" in the pipe culvert,
// "t = h" in the swale (the other forms have none).
constexpr int kTieBox = Pipe::kIdDn10;
static_assert(Swale::kIdTEqualsH == kTieBox);

class ChannelFormsWindowTest : public QObject {
    Q_OBJECT

    QLineEdit* Edit(CFormWindow& w, int id) { return qobject_cast<QLineEdit*>(w.Control(id)); }
    QPushButton* Button(CFormWindow& w, int id) { return qobject_cast<QPushButton*>(w.Control(id)); }

    static void Retype(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // The picture as drawn from the form's current values.
    static QImage Draw(CFormWindow& w, int pictureId)
    {
        const Picture* picture = FindPicture(pictureId);
        QImage image(360, 240, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        picture->paint(painter, QRectF(0, 0, 360, 240), w.Form());
        return image;
    }

private slots:
    // The fields show the form's own texts, every digit, as they are compared.
    void initTestCase() { CDigitDisplay::Instance().SetAllDigits(true); }
    void cleanupTestCase() { CDigitDisplay::Instance().SetAllDigits(false); }

    void pipeCulvertComputesWithEnterAndRechne()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(131), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Rohrdurchlass"));
        QCOMPARE(Edit(w, Pipe::kIdI)->text(), QStringLiteral("14"));
        QVERIFY(!Edit(w, Pipe::kIdI)->isEnabled());
        QVERIFY(w.Control(kIdOk) == nullptr);
        QPushButton* rechne = Button(w, Pipe::kIdRechne);
        QCOMPARE(rechne->text(), QStringLiteral("Rechne"));
        QVERIFY(!rechne->isDefault());
        QCOMPARE(Button(w, kIdCancel)->text(), QStringLiteral("Abbruch"));

        QLineEdit* h2 = Edit(w, Pipe::kIdH2);
        Retype(h2, "0.2");
        QTest::keyClick(h2, Qt::Key_Return);
        QVERIFY(w.isVisible());
        // Half the 0.4 m pipe: A = 0.0628319 m².
        QCOMPARE(Edit(w, Pipe::kIdA)->text(), QStringLiteral("0.06283185308"));
        QVERIFY(Edit(w, Pipe::kIdQ)->text().startsWith("0.124440870396"));
        QVERIFY(Edit(w, Pipe::kIdQ)->isReadOnly());

        Retype(h2, "0.5");
        QTest::mouseClick(rechne, Qt::LeftButton);
        QVERIFY(Edit(w, Pipe::kIdV)->text().startsWith("0.99026898218"));
        QVERIFY(log.Messages().empty());
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
    }

    void pipeCulvertStepsChecksAndModes()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(131), nullptr, &log);
        w.show();
        auto* dn10 = qobject_cast<QCheckBox*>(w.Control(Pipe::kIdDn10));
        QCOMPARE(dn10->text(), QStringLiteral("DN/10"));
        QTest::mouseClick(dn10, Qt::LeftButton);
        QVERIFY(dn10->isChecked());
        QVERIFY(!Edit(w, Pipe::kIdT)->isEnabled());
        QCOMPARE(Edit(w, Pipe::kIdT)->text(), QStringLiteral("0.04"));
        Edit(w, Pipe::kIdKStS)->setText("55"); // typed, never read by a step
        QTest::mouseClick(Button(w, Pipe::kIdDnPlus), Qt::LeftButton);
        QCOMPARE(Edit(w, Pipe::kIdDN)->text(), QStringLiteral("500"));
        QCOMPARE(Edit(w, Pipe::kIdT)->text(), QStringLiteral("0.05"));
        QCOMPARE(Edit(w, Pipe::kIdKStS)->text(), QStringLiteral("40"));
        QCOMPARE(Edit(w, Pipe::kIdQ)->text(), QStringLiteral("–")); // not computed yet

        // The mode buttons have no caption: the click goes to the indicator.
        auto* mode2 = qobject_cast<QRadioButton*>(w.Control(Pipe::kIdMode2));
        QStyleOptionButton option;
        option.initFrom(mode2);
        const QRect indicator = mode2->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, mode2);
        QTest::mouseClick(mode2, Qt::LeftButton, {}, indicator.center());
        QVERIFY(mode2->isChecked());
        QVERIFY(!qobject_cast<QRadioButton*>(w.Control(Pipe::kIdMode1))->isChecked());
        QVERIFY(Edit(w, Pipe::kIdI)->isEnabled());
        QVERIFY(!Edit(w, Pipe::kIdH1)->isEnabled());
        QTest::mouseClick(Button(w, Pipe::kIdH1Plus), Qt::LeftButton); // h1 + does nothing in mode 2
        QCOMPARE(Edit(w, Pipe::kIdH1)->text(), QStringLiteral("0.6"));
    }

    // The slope the form completes from the levels reads as a result, rounded
    // for ‰: (0.7 − 0.5 − 0.03) m over 6 m is 28.33 ‰, not 28.3333333333.
    void pipeCulvertShowsTheCompletedSlopeRounded()
    {
        CDigitDisplay::Instance().SetAllDigits(false);
        CMessageLog log;
        CFormWindow w(*FindFormById(131), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Retype(Edit(w, Pipe::kIdH1), QStringLiteral("0.7"));
        Retype(Edit(w, Pipe::kIdL), QStringLiteral("6"));
        QTest::mouseClick(Button(w, Pipe::kIdRechne), Qt::LeftButton);
        const QString slope = Edit(w, Pipe::kIdI)->text(), h1 = Edit(w, Pipe::kIdH1)->text();
        CDigitDisplay::Instance().SetAllDigits(true);
        QCOMPARE(slope, QStringLiteral("28.33"));
        QCOMPARE(h1, QStringLiteral("0.7")); // an input reads as typed
    }

    void pipeCulvertRefusesADryCulvert()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(131), nullptr, &log);
        w.show();
        QTest::mouseClick(Button(w, Pipe::kIdRechne), Qt::LeftButton);
        const QString q = Edit(w, Pipe::kIdQ)->text();
        Retype(Edit(w, Pipe::kIdH2), "0");
        QTest::mouseClick(Button(w, Pipe::kIdRechne), Qt::LeftButton);
        QCOMPARE(log.Messages().size(), size_t(1));
        QCOMPARE(log.Messages()[0].icon, MsgIcon::Exclamation);
        QVERIFY(q != QStringLiteral("0"));
        QCOMPARE(Edit(w, Pipe::kIdQ)->text(), QStringLiteral("–")); // no result beside inputs it does not belong to
    }

    void boxCulvertComputesWithTheDefaultButton()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(158), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Rechteckdurchlass"));
        QVERIFY(Button(w, kIdOk)->isDefault());
        QTest::keyClick(Edit(w, Box::kIdB), Qt::Key_Enter);
        QVERIFY(Edit(w, Box::kIdQ)->text().startsWith("1.0443333598"));
        QCOMPARE(Edit(w, Box::kIdLuBeton)->text(), QStringLiteral("2"));
        QVERIFY(w.isVisible());
    }

    void swaleOpensComputedWithColumns()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(132), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Mulde"));
        QVERIFY(Edit(w, Swale::kIdQKreis)->text().startsWith("0.08575843"));
        QVERIFY(Edit(w, Swale::kIdQParabel)->text().startsWith("0.08339225"));
        QVERIFY(Edit(w, Swale::kIdQGl7)->text().startsWith("0.08502867"));
        auto* tied = qobject_cast<QCheckBox*>(w.Control(Swale::kIdTEqualsH));
        QVERIFY(tied->isChecked());
        QVERIFY(!Edit(w, Swale::kIdT)->isEnabled());
        // The columns: "Kreis" left of "Parabel" left of "Dralun", rows aligned.
        QVERIFY(Edit(w, Swale::kIdQKreis)->mapTo(&w, QPoint()).x() < Edit(w, Swale::kIdQParabel)->mapTo(&w, QPoint()).x());
        QVERIFY(Edit(w, Swale::kIdQParabel)->mapTo(&w, QPoint()).x() < Edit(w, Swale::kIdQGl7)->mapTo(&w, QPoint()).x());
        QCOMPARE(Edit(w, Swale::kIdQKreis)->mapTo(&w, QPoint()).y(), Edit(w, Swale::kIdQParabel)->mapTo(&w, QPoint()).y());
        QCOMPARE(Edit(w, Swale::kIdQKreis)->mapTo(&w, QPoint()).y(), Edit(w, Swale::kIdQGl7)->mapTo(&w, QPoint()).y());
        QCOMPARE(Edit(w, Swale::kIdVKreis)->mapTo(&w, QPoint()).y(), Edit(w, Swale::kIdVParabel)->mapTo(&w, QPoint()).y());
        QCOMPARE(Edit(w, Swale::kIdAKreis)->mapTo(&w, QPoint()).y(), Edit(w, Swale::kIdAParabel)->mapTo(&w, QPoint()).y());

        QTest::mouseClick(Button(w, Swale::kIdHPlus), Qt::LeftButton);
        QCOMPARE(Edit(w, Swale::kIdH)->text(), QStringLiteral("0.31"));
        QCOMPARE(Edit(w, Swale::kIdT)->text(), QStringLiteral("0.31"));

        QTest::mouseClick(tied, Qt::LeftButton);
        QVERIFY(Edit(w, Swale::kIdT)->isEnabled());
        Retype(Edit(w, Swale::kIdT), "0.4");
        QTest::keyClick(Edit(w, Swale::kIdT), Qt::Key_Return);
        QCOMPARE(log.Texts().size(), 1);
        QCOMPARE(QString::fromStdString(log.Texts()[0]),
                 QStringLiteral("Unzulässige Eingabe!\n\nWassertiefe darf nicht größer als Muldenhöhe sein."));
        QCOMPARE(Edit(w, Swale::kIdQKreis)->text(), QStringLiteral("–"));
    }

    void ditchStepsThenRechneCarryTheBankHeight()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(143), nullptr, &log);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Straßenseitengraben"));
        QVERIFY(Edit(w, Ditch::kIdH)->isReadOnly());
        QTest::mouseClick(Button(w, Ditch::kIdTPlus), Qt::LeftButton);
        QCOMPARE(Edit(w, Ditch::kIdT)->text(), QStringLiteral("0.51"));
        QTest::mouseClick(Button(w, kIdOk), Qt::LeftButton);
        QCOMPARE(Edit(w, Ditch::kIdH)->text(), QStringLiteral("0.51"));
        QTest::mouseClick(Button(w, Ditch::kIdTMinus), Qt::LeftButton);
        QTest::mouseClick(Button(w, kIdOk), Qt::LeftButton);
        QVERIFY(Edit(w, Ditch::kIdQ)->text().startsWith("0.2071280676"));
    }

    void roughBedSwaleComputesAndRefuses()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(176), nullptr, &log);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Raubettmulde"));
        QCOMPARE(Button(w, kIdCancel)->text(), QStringLiteral("Abbrechen"));
        QTest::keyClick(Edit(w, RoughBed::kIdH), Qt::Key_Return);
        QVERIFY(Edit(w, RoughBed::kIdQm)->text().startsWith("0.83925017"));
        Retype(Edit(w, RoughBed::kIdD), "0.05");
        QTest::keyClick(Edit(w, RoughBed::kIdD), Qt::Key_Return);
        QCOMPARE(log.Messages().size(), size_t(1));
        QCOMPARE(Edit(w, RoughBed::kIdQm)->text(), QStringLiteral("–")); // refused: no result
    }

    void picturesFollowTheValues_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("other");
        QTest::newRow("pipe culvert, water depth") << 131 << 142 << int(Pipe::kIdH2) << "0.1";
        QTest::newRow("pipe culvert, bed") << 131 << 142 << int(Pipe::kIdT) << "0.15";
        QTest::newRow("box culvert, water depth") << 158 << 162 << int(Box::kIdH2) << "0.3";
        QTest::newRow("swale, width") << 132 << 149 << int(Swale::kIdB) << "3";
        QTest::newRow("ditch, left bank") << 143 << 151 << int(Ditch::kIdM1) << "3";
        QTest::newRow("rough-bed swale, stones") << 176 << 176 << int(RoughBed::kIdD) << "0.3";
    }

    void picturesFollowTheValues()
    {
        QFETCH(int, form);
        QFETCH(int, picture);
        QFETCH(int, field);
        QFETCH(QString, other);
        CMessageLog log;
        CFormWindow w(*FindFormById(form), nullptr, &log);
        QVERIFY(FindPicture(picture));
        const QImage before = Draw(w, picture);
        w.Perform([&](CForm& f) {
            f.Type(field, other.toStdString());
            f.PressEnter();
        });
        QVERIFY(Draw(w, picture) != before);
    }

    void picturesSurviveOddValues_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("picture");
        QTest::addColumn<QList<int>>("fields");
        const QList<int> pipe{Pipe::kIdDN, Pipe::kIdT, Pipe::kIdH2};
        const QList<int> box{Box::kIdB, Box::kIdH, Box::kIdT, Box::kIdH2};
        const QList<int> swale{Swale::kIdB, Swale::kIdH, Swale::kIdT};
        const QList<int> ditch{Ditch::kIdB, Ditch::kIdM1, Ditch::kIdM2, Ditch::kIdT};
        const QList<int> rough{RoughBed::kIdH, RoughBed::kIdB, RoughBed::kIdD, RoughBed::kIdI};
        QTest::newRow("pipe culvert") << 131 << 142 << pipe;
        QTest::newRow("box culvert") << 158 << 162 << box;
        QTest::newRow("swale") << 132 << 149 << swale;
        QTest::newRow("ditch") << 143 << 151 << ditch;
        QTest::newRow("rough-bed swale") << 176 << 176 << rough;
    }

    void picturesSurviveOddValues()
    {
        QFETCH(int, form);
        QFETCH(int, picture);
        QFETCH(QList<int>, fields);
        for (const char* value : {"0", "-1", "1e300", "1e-300"}) {
            CMessageLog log;
            CFormWindow w(*FindFormById(form), nullptr, &log);
            w.show();
            w.Perform([&](CForm& f) {
                if (f.IsEnabled(kTieBox) && f.IsChecked(kTieBox))
                    f.Click(kTieBox);
                for (int id : fields)
                    f.Type(id, value);
                f.PressEnter();
            });
            const QImage image = Draw(w, picture);
            QVERIFY(!image.isNull());
            w.grab();
            for (const FieldInfo& info : w.Form().Fields()) {
                const QString text = Edit(w, info.id) ? Edit(w, info.id)->text() : QString();
                QVERIFY2(!text.contains("nan") && !text.contains("inf"), qPrintable(text));
            }
        }
    }
};

DRALUN_QTEST(ChannelFormsWindowTest);
#include "ChannelFormsWindowTest.moc"
