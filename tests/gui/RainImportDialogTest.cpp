// "Datei" → "Regendaten importieren…": a cell table is imported into the data
// directory after asking hN or rN when its head does not say; a refused
// source or "Abbrechen" to the replace question leaves the directory as it
// was. Values checked against rN = hN · 10000 / (60 · D), worked by hand.
// With DRALUN_SHOT_DIR set, the dialog is saved there as PNG files.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <map>

#include "QtTestRegistry.h"
#include "core/KostraImport.h"
#include "gui/CHydroDoc.h"
#include "gui/CMainFrame.h"
#include "gui/CRainImportDlg.h"
#include "gui/CommandTable.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

namespace {

const char* const kName = "KOSTRA2020_117111.txt";
using Changes = std::map<std::pair<int, int>, QString>;

// hN = 7.0 + 2·row + 3·column mm, rising with D and T: hN(5 min, 1 a) = 7.0,
// hN(60 min, 100 a) = 7 + 12 + 18 = 37.0 mm. dropRow leaves a duration out.
QString CellTable(const QTemporaryDir& dir, const QString& title, const Changes& changed = {}, int dropRow = -1)
{
    QString text = title + QStringLiteral("Dauerstufe;1 a;2 a;5 a;10 a;20 a;50 a;100 a\n");
    for (int d = 0; d < 18; ++d)
        for (int t = 0; t < 7 && d != dropRow; ++t) {
            const auto it = changed.find({d, t});
            text += (t ? QStringLiteral(";") : QString::number(kKostraDurations[size_t(d)]) + QLatin1Char(';')) +
                    (it != changed.end() ? it->second : QString::number(7.0 + 2 * d + 3 * t, 'f', 1).replace('.', ',')) +
                    (t == 6 ? QStringLiteral("\n") : QString());
        }
    QFile file(dir.filePath(QStringLiteral("zelle.csv")));
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0 ? file.fileName() : QString();
}

// The 18 grid tables of 2020 in a folder, the same hN as CellTable for the
// cell 117111 (and one row beside it).
QString GridFolder(const QTemporaryDir& dir)
{
    for (int d = 0; d < 18; ++d) {
        QString text = QStringLiteral("INDEX_RC;HN_001A;HN_002A;HN_005A;HN_010A;HN_020A;HN_050A;HN_100A\n");
        for (const char* cell : {"117110", "117111"}) {
            text += QLatin1String(cell);
            for (int t = 0; t < 7; ++t)
                text += ';' + QString::number(7.0 + 2 * d + 3 * t, 'f', 1).replace('.', ',');
            text += '\n';
        }
        QFile file(dir.filePath(QStringLiteral("StatRR_KOSTRA-DWD-2020_D%1.csv").arg(kKostraDurations[size_t(d)], 5, 10, QLatin1Char('0'))));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) <= 0)
            return {};
    }
    return dir.path();
}

// The row lines of a rainfall file by D in minutes, split at blanks.
std::map<int, QStringList> Rows(const std::string& text)
{
    std::map<int, QStringList> rows;
    for (const QString& line : QString::fromStdString(text).split('\n'))
        if (const QStringList f = line.simplified().split(' '); f.size() > 2 && (f[1] == "min" || f[1] == "h"))
            rows[f[2].toInt()] = f;
    return rows;
}

void Shoot(QWidget& widget, const char* name)
{
    if (const QString dir = qEnvironmentVariable("DRALUN_SHOT_DIR"); !dir.isEmpty()) {
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QDir().mkpath(dir);
        widget.grab().save(dir + QStringLiteral("/rain-import-%1.png").arg(QLatin1String(name)));
    }
}

template <class T = QWidget>
T* Find(QWidget& dialog, const char* name) { return dialog.findChild<T*>(QLatin1String(name)); }

} // namespace

class RainImportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void aCellTableIsImportedOnceTheUnitIsKnown_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("asked");
        QTest::newRow("head silent") << QString() << true;
        QTest::newRow("head says hN") << QStringLiteral("Niederschlagshöhen hN in mm\n") << false;
    }
    void aCellTableIsImportedOnceTheUnitIsKnown()
    {
        QFETCH(QString, title);
        QFETCH(bool, asked);
        test::TempDataDir data;
        QTemporaryDir sources;
        CRainImportDlg dialog;
        if (asked)
            Shoot(dialog, "empty");
        dialog.SetSource(CellTable(sources, title));
        QCOMPARE(Find(dialog, "depth")->isEnabled(), asked);
        QCOMPARE(Find(dialog, "import")->isEnabled(), !asked); // no silent default
        Find<QLineEdit>(dialog, "cell")->setText(QStringLiteral("117111"));
        emit Find<QLineEdit>(dialog, "cell")->editingFinished();
        QCOMPARE(Find<QLineEdit>(dialog, "target")->text(), QString::fromLatin1(kName));
        if (asked) {
            Shoot(dialog, "ask");
            Find<QRadioButton>(dialog, "depth")->click();
        }
        Find<QPushButton>(dialog, "import")->click();
        const std::map<int, QStringList> rows = Rows(data.Read(kName));
        QCOMPARE(rows.size(), size_t(18));
        // n = 1 (T = 1 a): fields 6 and 7; n = 0.01 (T = 100 a): fields 18 and 19.
        QCOMPARE(rows.at(5).mid(5, 2), (QStringList{"7.0", "233.3"}));    // 7.0 · 10000 / 300
        QCOMPARE(rows.at(60).mid(17, 2), (QStringList{"37.0", "102.8"})); // 37.0 · 10000 / 3600
        const QString result = Find<QLabel>(dialog, "result")->text();
        QVERIFY2(result.startsWith(QStringLiteral("Die Regendaten der Zelle 117111 (KOSTRA-DWD-2020) wurden nach „")) &&
                     result.endsWith(QStringLiteral("unter „Datei“ eintragen: ") + kName),
                 qPrintable(result));
        QCOMPARE(result.contains(QStringLiteral("als Niederschlagshöhen hN [mm] gelesen")), asked);
        QVERIFY(!Find(dialog, "copy")->isHidden());
        if (asked)
            Shoot(dialog, "success");
    }

    void aRefusedSourceWritesNothing_data()
    {
        QTest::addColumn<Changes>("changed");
        QTest::addColumn<int>("dropRow"); // -2: an empty folder
        QTest::addColumn<QString>("reason");
        Changes missing;
        for (int i = 0; i < 18 * 7; ++i)
            missing[{i / 7, i % 7}] = QStringLiteral("-99,9");
        QTest::newRow("missing duration") << Changes{} << 5 << QStringLiteral("Die Dauerstufe 45 min fehlt.");
        QTest::newRow("falling row") << Changes{{{1, 0}, "6,0"}} << -1
                                     << QStringLiteral("Nicht monoton: bei T = 1 a ist hN für D = 10 min");
        QTest::newRow("out of bounds") << Changes{{{17, 6}, "1200,0"}} << -1
                                       << QStringLiteral("außerhalb der physikalischen Grenzen");
        QTest::newRow("only -99,9") << missing << -1 << QStringLiteral("enthält nur fehlende Werte (-99,9)");
        QTest::newRow("folder without tables") << Changes{} << -2 << QStringLiteral("enthält keine Rastertabellen");
    }
    void aRefusedSourceWritesNothing()
    {
        QFETCH(Changes, changed);
        QFETCH(int, dropRow);
        QFETCH(QString, reason);
        test::TempDataDir data;
        QTemporaryDir sources;
        CRainImportDlg dialog;
        dialog.SetSource(dropRow == -2 ? sources.path() : CellTable(sources, {}, changed, dropRow));
        Find<QLineEdit>(dialog, "cell")->setText(QStringLiteral("117111"));
        if (Find(dialog, "depth")->isEnabled())
            Find<QRadioButton>(dialog, "depth")->click();
        QVERIFY(!dialog.Import());
        const QString result = Find<QLabel>(dialog, "result")->text();
        QVERIFY2(result.startsWith(QStringLiteral("Nicht importiert, nichts geschrieben: ")) && result.contains(reason),
                 qPrintable(result));
        QVERIFY(std::filesystem::is_empty(data.Path()));
        if (QTest::currentDataTag() == QByteArray("falling row"))
            Shoot(dialog, "refused");
    }

    void anExistingFileIsReplacedOnlyWhenTheUserSaysSo()
    {
        test::TempDataDir data;
        data.Write(kName, "eigene Regenreihe\n");
        QTemporaryDir sources;
        CRainImportDlg dialog;
        QStringList questions;
        int answer = QMessageBox::Cancel;
        dialog.SetModalRunner([&](QDialog& box) {
            questions << qobject_cast<QMessageBox*>(&box)->text();
            return answer;
        });
        dialog.SetSource(CellTable(sources, QStringLiteral("hN [mm]\n")));
        Find<QLineEdit>(dialog, "cell")->setText(QStringLiteral("117111"));
        QVERIFY(!dialog.Import());
        QCOMPARE(questions, QStringList{"Die Datei „KOSTRA2020_117111.txt“ gibt es im Datenverzeichnis schon. Ersetzen?"});
        QCOMPARE(data.Read(kName), std::string("eigene Regenreihe\n"));
        answer = QMessageBox::Yes;
        QVERIFY(dialog.Import());
        QCOMPARE(Rows(data.Read(kName)).size(), size_t(18));
    }

    // The tables are read while the window answers: it is told how far the
    // reading is, and "Abbrechen" stops it with nothing written.
    void gridTablesAreReadWhileTheWindowAnswers()
    {
        test::TempDataDir data;
        QTemporaryDir sources;
        CRainImportDlg dialog;
        QList<std::pair<std::size_t, std::size_t>> told;
        bool go = false, waited = true;
        dialog.show();
        dialog.SetProgressRunner([&](std::size_t done, std::size_t total) {
            told.append({done, total});
            // What is read and written stays what was asked: the inputs wait,
            // and the dialog stays open.
            waited = waited && !Find<QPushButton>(dialog, "import")->isEnabled() &&
                     !Find<QLineEdit>(dialog, "cell")->isEnabled();
            dialog.reject();
            return go;
        });
        dialog.SetSource(GridFolder(sources));
        Find<QLineEdit>(dialog, "cell")->setText(QStringLiteral("117111"));
        QVERIFY(!dialog.Import());
        QCOMPARE(Find<QLabel>(dialog, "result")->text(),
                 QStringLiteral("Nicht importiert, nichts geschrieben: Der Import wurde abgebrochen."));
        QVERIFY(std::filesystem::is_empty(data.Path()));
        QVERIFY(!told.isEmpty());
        QVERIFY(waited && dialog.isVisible());
        QVERIFY(Find<QPushButton>(dialog, "import")->isEnabled() && Find<QLineEdit>(dialog, "cell")->isEnabled());
        go = true;
        told.clear();
        QVERIFY(dialog.Import());
        QVERIFY(!told.isEmpty());
        for (const auto& [done, total] : told)
            QVERIFY(done <= total && (total == 0 || total == 18));
        const auto rows = Rows(data.Read(kName));
        QCOMPARE(rows.size(), size_t(18));
        QCOMPARE(rows.at(60).mid(17, 2), (QStringList{"37.0", "102.8"})); // 37.0 · 10000 / 3600
    }

    void theFileMenuOpensTheDialog()
    {
        test::TempDataDir data;
        CHydroDoc doc;
        CMainFrame frame(doc);
        QString opened; // the dialog is run through the frame's hook
        frame.SetModalRunner([&](QDialog& dialog) { return opened = dialog.metaObject()->className(), 0; });
        QCOMPARE(frame.Action(cmd::FileRainImport)->text(), QStringLiteral("Re&gendaten importieren…"));
        frame.Action(cmd::FileRainImport)->trigger();
        QCOMPARE(opened, QStringLiteral("dralun::CRainImportDlg"));
    }
};

DRALUN_QTEST(RainImportDialogTest);
#include "RainImportDialogTest.moc"
