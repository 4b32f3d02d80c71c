// Every form in its window, with its defaults, "Rechne" pressed once: the
// window shows in every field what dralun-calc prints for the same form,
// the form driven without a window (the window showing every digit, as the
// form wrote them). With DRALUN_FIELDS_OUT set the fields
// are written there too (ID<TAB>text, one file per form, the data
// directory written "DATEN/"), so the Windows build's window can be
// compared with the Linux dralun-calc.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sstream>

#include "QtTestRegistry.h"
#include "cli/CCalcDriver.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/DigitDisplay.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

namespace {

// The field lines of dralun-calc's output ("ID<TAB>text"), as a map.
QMap<int, QString> CalcFields(const FormInfo& info)
{
    std::ostringstream out, err;
    CCalcDriver::Run({std::to_string(info.templateId)}, out, err);
    QMap<int, QString> fields;
    for (const QString& line : QString::fromStdString(out.str()).split(QLatin1Char('\n'))) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        bool number = false;
        const int id = line.left(tab).toInt(&number);
        if (tab > 0 && number)
            fields[id] = line.mid(tab + 1);
    }
    return fields;
}

QString Escaped(QString text) { return text.replace(QLatin1Char('\n'), QStringLiteral("\\n")).replace(QLatin1Char('\t'), QStringLiteral("\\t")); }

} // namespace

class FormDefaultsTest : public QObject {
    Q_OBJECT

private slots:
    // The fields show the form's own texts, every digit, as they are compared.
    void initTestCase() { CDigitDisplay::Instance().SetAllDigits(true); }
    void cleanupTestCase() { CDigitDisplay::Instance().SetAllDigits(false); }

    void windowShowsWhatDralunCalcPrints_data()
    {
        QTest::addColumn<int>("form");
        for (const FormInfo& info : AllForms())
            QTest::newRow(info.shortName) << info.templateId;
    }

    void windowShowsWhatDralunCalcPrints()
    {
        QFETCH(int, form);
        test::TempDataDir data;
        for (const QString& name : QDir(QString::fromStdString(test::MediumDir().string())).entryList(QDir::Files))
            data.CopyFromMedium(name.toStdString());
        const FormInfo& info = *FindFormById(form);
        const QMap<int, QString> expected = CalcFields(info);
        if (expected.isEmpty())
            QSKIP("ein Formular ohne Felder (nur Text)");

        CMessageLog log;
        CFormWindow w(info, nullptr, &log);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (info.Computes())
            QTest::mouseClick(qobject_cast<QPushButton*>(w.Control(info.computeButton)), Qt::LeftButton);
        QString written;
        int compared = 0;
        for (const FieldInfo& f : w.Form().Fields()) {
            auto* edit = qobject_cast<QLineEdit*>(w.Control(f.id));
            if (!edit)
                continue;
            const QString shown = Escaped(edit->text());
            QVERIFY2(expected.contains(f.id), qPrintable(QString::number(f.id)));
            // A field without a value shows "–" where dralun-calc prints its text.
            QVERIFY2(shown == (w.Form().Computed(f.id) ? expected[f.id] : QStringLiteral("–")), qPrintable(QStringLiteral("%1: Fenster \"%2\", dralun-calc \"%3\"")
                                                             .arg(f.id).arg(shown, expected[f.id])));
            // The data directory (a file name in it) differs by system.
            written += QStringLiteral("%1\t%2\n").arg(f.id).arg(QString(shown).replace(QString::fromStdString(data.Named()), QStringLiteral("DATEN/")));
            ++compared;
        }
        QVERIFY(compared > 0);
        if (const QString out = qEnvironmentVariable("DRALUN_FIELDS_OUT"); !out.isEmpty()) {
            QFile file(QDir(out).filePath(QStringLiteral("%1.txt").arg(form)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(written.toUtf8());
        }
    }
};

DRALUN_QTEST(FormDefaultsTest);

#include "FormDefaultsTest.moc"
