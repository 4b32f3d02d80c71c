// Every form fits a 1366 x 768 screen, a 1920 x 1080 screen at 150 % and
// one at 200 % (its fields scroll, its buttons stay in view) and shows every
// number whole, rounded or with all digits, whichever fonts the system has:
// CTest runs this once more for each of two fixed-pitch fonts
// (DRALUN_TEST_MONOSPACE names the one expected).
#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "ProbeForm.h"
#include "QtTestRegistry.h"
#include "core/Format.h"
#include "gui/CFieldEdit.h"
#include "gui/CFormWindow.h"
#include "gui/CQtMessageSink.h"
#include "gui/DigitDisplay.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

namespace {

// The longest texts of a kind as the form writes them: 22 characters with
// %.15g, 12 with %.6g.
QStringList LongestTexts(Kind kind)
{
    QStringList texts;
    if (kind == Kind::Number)
        for (double v : {-1.23456789012345e-308, -9.99999999999999e+307, -8.88888888888888e-100, -0.000999999999999999})
            texts << QString::fromStdString(FormatG15(v));
    if (kind == Kind::Single)
        for (float v : {-1.17549e-38f, -3.40282e+38f, -8.88889e-38f, -0.000999999f})
            texts << QString::fromStdString(FormatG6(v));
    return texts;
}

// A line edit shows its text whole when moving the cursor to the end does
// not scroll it.
bool ShowsWhole(QLineEdit* edit)
{
    edit->clearFocus(); // no cursor in the pictures
    edit->setCursorPosition(0);
    const QImage start = edit->grab().toImage();
    edit->setCursorPosition(static_cast<int>(edit->text().size()));
    const QImage end = edit->grab().toImage();
    edit->setCursorPosition(0);
    return start == end;
}

QString Where(const CForm& form, const FieldInfo& field, const QString& text)
{
    return QStringLiteral("form %1, field %2: \"%3\"").arg(form.TemplateId()).arg(field.id).arg(text);
}

} // namespace

class FormFitTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> m_dir;

    // Every result and number field shows its own text whole; with all
    // digits shown, every
    // number field the longest texts of its kind, every text result what
    // the form wrote.
    static void CheckFields(CFormWindow& w)
    {
        const CForm& form = w.Form();
        const bool all = CDigitDisplay::Instance().AllDigits();
        for (const FieldInfo& field : form.Fields()) {
            auto* edit = qobject_cast<QLineEdit*>(w.Control(field.id));
            if (!edit)
                continue;
            const bool number = field.kind == Kind::Number || field.kind == Kind::Single;
            if (field.role == Role::Out || number)
                QVERIFY2(ShowsWhole(edit), qPrintable(Where(form, field, edit->text())));
            if (!all && field.role == Role::Out)
                continue; // a rounded result is never written longer
            const QString shown = edit->text();
            for (const QString& text : LongestTexts(field.kind)) {
                edit->setText(text);
                QVERIFY2(ShowsWhole(edit), qPrintable(Where(form, field, text)));
            }
            edit->setText(shown);
        }
    }

    // The window with its title bar and frame (at least Windows': 8 pixels
    // at the sides and below, 31 above) lies in the room, and every button
    // can be seen whole: those beside the fields at once, those among them
    // when scrolled to.
    static void CheckFit(CFormWindow& w, const QRect& room)
    {
        QCoreApplication::sendPostedEvents(); // the layout takes new sizes
        const QString where = QStringLiteral("form %1 in %2 x %3: %4 x %5")
                                  .arg(w.Form().TemplateId())
                                  .arg(room.width())
                                  .arg(room.height())
                                  .arg(w.width())
                                  .arg(w.height());
        QVERIFY2(w.width() + 16 <= room.width() && w.height() + 39 <= room.height(), qPrintable(where));
        // As large as the form needs, up to the room: a scroll bar only
        // where the room is used up in its direction.
        const QScrollArea& area = *w.FieldArea();
        QVERIFY2(!area.horizontalScrollBar()->isVisible() || w.width() + 16 == room.width(), qPrintable(where));
        QVERIFY2(!area.verticalScrollBar()->isVisible() || w.height() + 39 == room.height(), qPrintable(where));
        QVERIFY2(room.contains(w.frameGeometry()), qPrintable(where));
        QVERIFY2(w.ButtonColumn(), qPrintable(where));
        const auto whole = [&](QAbstractButton* b) {
            return b->visibleRegion().boundingRect() == b->rect() &&
                   w.rect().contains(QRect(b->mapTo(&w, QPoint(0, 0)), b->size()));
        };
        for (QAbstractButton* b : w.ButtonColumn()->findChildren<QAbstractButton*>())
            if (b->isVisibleTo(&w))
                QVERIFY2(whole(b), qPrintable(where + QStringLiteral(": ") + b->text()));
        for (QAbstractButton* b : w.FieldArea()->widget()->findChildren<QAbstractButton*>()) {
            if (!b->isVisibleTo(&w))
                continue;
            w.FieldArea()->ensureWidgetVisible(b, 0, 0);
            QVERIFY2(whole(b), qPrintable(where + QStringLiteral(": ") + b->text()));
        }
    }

private slots:
    void initTestCase()
    {
        const QFontInfo fixed(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        qInfo("fixed-pitch font: %s", qPrintable(fixed.family()));
        const QString expected = qEnvironmentVariable("DRALUN_TEST_MONOSPACE");
        if (!expected.isEmpty())
            QCOMPARE(fixed.family(), expected);
        QCOMPARE(LongestTexts(Kind::Number).first().size(), 22);
        QCOMPARE(LongestTexts(Kind::Single).first().size(), 12);
        // With the data files, so that every form shows its results.
        m_dir = std::make_unique<test::TempDataDir>();
        for (const auto& file : std::filesystem::directory_iterator(test::MediumDir()))
            m_dir->CopyFromMedium(file.path().filename().string());
    }
    void cleanupTestCase() { m_dir.reset(); }

    void everyFormFitsTheScreenAndShowsItsNumbersWhole_data()
    {
        QTest::addColumn<bool>("allDigits");
        QTest::newRow("gerundet") << false;
        QTest::newRow("alle Stellen") << true;
    }

    // Each form is opened once (a window costs a second or two under Wine)
    // and fitted into every screen in turn, before and after "Rechne".
    void everyFormFitsTheScreenAndShowsItsNumbersWhole()
    {
        QFETCH(bool, allDigits);
        // Screens less their task bar of 40 pixels: 1366 x 768 at 100 %,
        // 1920 x 1080 at 150 % (1280 x 720) and at 200 % (960 x 540), and
        // 1080 x 1920 at 150 %, a screen on its side: too narrow for some
        // forms, tall enough for all.
        const QRect rooms[] = {QRect(0, 0, 1366, 728), QRect(0, 0, 1280, 680), QRect(0, 0, 960, 500),
                               QRect(0, 0, 720, 1240)};
        CDigitDisplay::Instance().SetAllDigits(allDigits);
        const auto restore = qScopeGuard([] { CDigitDisplay::Instance().SetAllDigits(false); });
        int forms = 0;
        for (const FormInfo& info : AllForms()) {
            ++forms;
            CMessageLog log;
            CFormWindow w(info, nullptr, &log);
            w.FitInto(rooms[0]);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            for (bool computed : {false, true}) {
                if (computed)
                    w.Perform([](CForm& form) { form.PressEnter(); });
                // A field is as wide as its longest text whatever the room
                // (the fields scroll): its texts are checked once.
                CheckFields(w);
                for (const QRect& room : rooms) {
                    w.FitInto(room);
                    CheckFit(w, room);
                }
            }
        }
        QVERIFY(forms >= 16);
    }

    // As the program opens a form: over its main window, on the free area
    // of the window's screen.
    void everyFormOpensAtTheSizeItNeedsOnItsScreen()
    {
        QWidget main;
        main.resize(640, 480);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        for (const FormInfo& info : AllForms()) {
            CMessageLog log;
            CFormWindow w(info, &main, &log);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            CheckFit(w, w.screen()->availableGeometry());
        }
    }

    // A message naming a long file keeps its box well within the screen
    // (at most three quarters of its width), and says the whole name
    // (taking out the line breaks gives the text back).
    void aLongNameKeepsAMessageBoxOnTheScreen_data()
    {
        QTest::addColumn<QString>("text");
        const QString name = QStringLiteral("Ü") + QString(299, QLatin1Char('x'));
        QString path;
        for (int i = 0; i < 30; ++i)
            path += QStringLiteral("/ordner%1").arg(i, 2, 10, QLatin1Char('0'));
        QTest::newRow("name") << QStringLiteral("Die Datei %1.txt fehlt.").arg(name);
        QTest::newRow("path") << QStringLiteral("Regendatei %1/regen.txt fehlt.").arg(path);
        QTest::newRow("short") << QStringLiteral("Keine Fläche: mindestens eine Zeile eingeben.");
    }
    void aLongNameKeepsAMessageBoxOnTheScreen()
    {
        QFETCH(QString, text);
        CQtMessageSink sink(nullptr);
        QRect shown, screen;
        QString said;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->frameGeometry();
            screen = box->screen()->availableGeometry();
            said = box->text();
            box->accept();
        });
        sink.ShowMessage(text.toStdString(), MsgIcon::Exclamation);
        QVERIFY2(shown.width() * 4 <= screen.width() * 3,
                 qPrintable(QStringLiteral("%1 of %2").arg(shown.width()).arg(screen.width())));
        QCOMPARE(said.remove(QLatin1Char('\n')), text);
    }

    void aTextResultGrowsWithItsText()
    {
        CMessageLog log;
        CFormWindow w(test::ProbeForm::Info(), nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* text = qobject_cast<QLineEdit*>(w.Control(test::ProbeForm::kIdText));
        const int before = text->width();
        w.Perform([](CForm& form) {
            form.Type(test::ProbeForm::kIdLength, "40");
            form.PressEnter();
        });
        QCOMPARE(text->text(), QString(40, QLatin1Char('8')));
        QVERIFY(text->width() > before);
        QVERIFY(ShowsWhole(text));
        // A shorter text later leaves the width as it is.
        const int grown = text->width();
        w.Perform([](CForm& form) {
            form.Type(test::ProbeForm::kIdLength, "2");
            form.PressEnter();
        });
        QCOMPARE(text->width(), grown);
    }
};

DRALUN_QTEST(FormFitTest);
#include "FormFitTest.moc"
