// A calculator form in its window: typing, Enter, Escape, messages, focus.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/pictures/CPictureWidget.h"
#include "gui/pictures/Pictures.h"

using namespace dralun;

class FormWindowTest : public QObject {
    Q_OBJECT

    QLineEdit* Edit(CFormWindow& w, int id) { return qobject_cast<QLineEdit*>(w.Control(id)); }

private slots:
    void orificeComputesOnEnterAndStaysOpen()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Drossel"));
        QCOMPARE(Edit(w, 1001)->text(), QStringLiteral("0.6"));
        QVERIFY(Edit(w, 1003)->isReadOnly());

        QLineEdit* h = Edit(w, 1001);
        h->setFocus();
        h->selectAll();
        QTest::keyClicks(h, "1.2");
        QTest::keyClick(h, Qt::Key_Return);
        QVERIFY(w.isVisible());
        QVERIFY(Edit(w, 1005)->text().startsWith("3.2504")); // sqrt(2 g 1.2) 0.67
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
        auto* rechne = qobject_cast<QPushButton*>(w.Control(1));
        auto* abbruch = qobject_cast<QPushButton*>(w.Control(2));
        QCOMPARE(rechne->text(), QStringLiteral("Rechne"));
        QCOMPARE(abbruch->text(), QStringLiteral("Abbruch"));
        QVERIFY(rechne->isDefault());
        QTest::mouseClick(rechne, Qt::LeftButton);
        QVERIFY(qAbs(Edit(w, 1004)->text().toDouble() - 0.16643) < 0.000005);
        QTest::mouseClick(abbruch, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void parseFailureShowsTheMessageAndSelectsTheField()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(171), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QLineEdit* mu = Edit(w, 1002);
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
        Edit(w, 1001)->setText("kein Wert");
        w.close();
        QVERIFY(w.Form().IsClosed());
        QVERIFY(log.Messages().empty());
    }

    void timeCoefficientShowsItsTableAtOnce()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(183), nullptr, &log);
        QCOMPARE(Edit(w, 1052)->text(), QStringLiteral("1.71434"));
        QCOMPARE(Edit(w, 1083)->text(), QStringLiteral("1.47669"));
        QVERIFY(Edit(w, 1083)->isReadOnly());
        QVERIFY(!w.findChildren<CPictureWidget*>().isEmpty());
        QVERIFY(FindPicture(184) && FindPicture(195)); // the picture files registered themselves
    }

    void overflowOkDoesNothing()
    {
        CMessageLog log;
        CFormWindow w(*FindFormById(105), nullptr, &log);
        w.show();
        auto* ok = qobject_cast<QPushButton*>(w.Control(1));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QTest::keyClick(&w, Qt::Key_Return);
        QVERIFY(w.isVisible());
        QCOMPARE(qobject_cast<QPushButton*>(w.Control(2))->text(), QStringLiteral("Abbrechen"));
        QVERIFY(w.Control(2)->y() < ok->y()); // "Abbrechen" above "OK"
    }

    void everyBuiltFormOpensQuickly()
    {
        for (const FormInfo& info : AllForms()) {
            if (!info.create)
                continue;
            QElapsedTimer timer;
            timer.start();
            CMessageLog log;
            CFormWindow w(info, nullptr, &log);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.grab(); // first paint
            QVERIFY2(timer.elapsed() < 300, qPrintable(QStringLiteral("form %1: %2 ms").arg(info.templateId).arg(timer.elapsed())));
        }
    }
};

QTEST_MAIN(FormWindowTest)
#include "FormWindowTest.moc"
