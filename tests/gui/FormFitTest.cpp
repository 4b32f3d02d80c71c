// Every form fits a 1280 x 1024 screen and shows every number whole,
// whichever fonts the system has: CTest runs this once more for each of two
// fixed-pitch fonts (DRALUN_TEST_MONOSPACE names the one expected).
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <filesystem>
#include <memory>

#include "ProbeForm.h"
#include "QtTestRegistry.h"
#include "core/Format.h"
#include "gui/CFormWindow.h"
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

    // Every number field with the longest texts of its kind, every text
    // result with what the form wrote.
    static void CheckFields(CFormWindow& w)
    {
        const CForm& form = w.Form();
        for (const FieldInfo& field : form.Fields()) {
            auto* edit = qobject_cast<QLineEdit*>(w.Control(field.id));
            if (!edit)
                continue;
            if (field.kind == Kind::Text && field.role == Role::Out)
                QVERIFY2(ShowsWhole(edit), qPrintable(Where(form, field, edit->text())));
            const QString shown = edit->text();
            for (const QString& text : LongestTexts(field.kind)) {
                edit->setText(text);
                QVERIFY2(ShowsWhole(edit), qPrintable(Where(form, field, text)));
            }
            edit->setText(shown);
        }
    }

    static void CheckWindowSize(CFormWindow& w)
    {
        QCoreApplication::sendPostedEvents(); // the layout takes new sizes
        const QString size = QStringLiteral("form %1: %2 x %3").arg(w.Form().TemplateId()).arg(w.width()).arg(w.height());
        QVERIFY2(w.width() <= 1280 && w.height() <= 1024, qPrintable(size));
        QVERIFY2(w.sizeHint().width() <= 1280 && w.sizeHint().height() <= 1024, qPrintable(size));
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

    void everyFormFitsTheScreenAndShowsItsNumbersWhole()
    {
        int forms = 0;
        for (const FormInfo& info : AllForms()) {
            ++forms;
            CMessageLog log;
            CFormWindow w(info, nullptr, &log);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            CheckWindowSize(w);
            CheckFields(w);
            w.Perform([](CForm& form) { form.PressEnter(); });
            CheckWindowSize(w);
            CheckFields(w);
        }
        QVERIFY(forms >= 16);
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
