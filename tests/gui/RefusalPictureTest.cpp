// A refused computation in the picture: the reason in place of the picture
// when no result was computed, below it when some were; nothing clipped.
#include <QLineEdit>
#include <QTest>

#include "ProbeForm.h"
#include "QtTestRegistry.h"
#include "forms/COrificeDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/pictures/CPictureWidget.h"

using namespace dralun;

class RefusalPictureTest : public QObject {
    Q_OBJECT

    using Shown = CPictureWidget::Shown;

    static CPictureWidget* Painted(CFormWindow& w)
    {
        QCoreApplication::sendPostedEvents(); // the window takes its new size
        auto* picture = w.findChild<CPictureWidget*>();
        picture->grab();
        return picture;
    }
    static void Compute(CFormWindow& w, int id, const char* text)
    {
        w.Perform([=](CForm& form) {
            form.Type(id, text);
            form.PressEnter();
        });
    }
    // The reason's box lies inside the widget (nothing clipped) and below
    // the picture's area when both are shown (nothing overlaps).
    static bool ReasonFits(CPictureWidget* picture, double below = 0)
    {
        const QRectF box = picture->LastReasonBox();
        return !box.isEmpty() && QRectF(picture->rect()).contains(box) && box.top() >= below;
    }

private slots:
    void orificeWithoutHeadSaysWhyInsteadOfThePicture()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(Painted(w)->LastShown(), Shown::Picture);
        Compute(w, COrificeDlg::kIdH, "0"); // h
        CPictureWidget* picture = Painted(w);
        QCOMPARE(picture->LastShown(), Shown::Reason);
        QVERIFY(picture->LastReason().startsWith(QStringLiteral("Die Druckhöhe muss größer als 0 m sein.")));
        QVERIFY(ReasonFits(picture));
        Compute(w, COrificeDlg::kIdH, "0.6"); // computed again: the picture is back
        QCOMPARE(Painted(w)->LastShown(), Shown::Picture);
        QVERIFY(Painted(w)->LastReason().isEmpty());
    }

    void theHeadingReplacesTheLeadingInvalidInputLine()
    {
        CMessageLog log;
        CFormWindow w(test::ProbeForm::Info(), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Compute(w, test::ProbeForm::kIdLength, "-1");
        CPictureWidget* picture = Painted(w);
        QCOMPARE(picture->LastShown(), Shown::Reason);
        QCOMPARE(picture->LastReason(), QStringLiteral("Die Länge darf nicht negativ sein."));
    }

    void aPartialRefusalStandsInAStripBelowThePicture()
    {
        CMessageLog log;
        CFormWindow w(test::ProbeForm::Info(), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const int pictureHeight = Painted(w)->height();
        Compute(w, test::ProbeForm::kIdLength, "120");
        CPictureWidget* picture = Painted(w);
        QCOMPARE(picture->LastShown(), Shown::PictureAndReason);
        QVERIFY(picture->LastReason().startsWith(QStringLiteral("Für Texte von mehr als 100 Zeichen")));
        QVERIFY(picture->height() > pictureHeight);
        QVERIFY(ReasonFits(picture, pictureHeight));
        // The long reason is wrapped to the picture's width.
        QVERIFY(picture->LastReasonBox().height() > 2 * picture->fontMetrics().height());
    }
};

DRALUN_QTEST(RefusalPictureTest);
#include "RefusalPictureTest.moc"
