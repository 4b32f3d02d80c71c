// Qt's own dialogs in German in an English environment: dates and file
// sizes of the file dialog in German, its columns whole; the calculators
// keep their decimal point.
#include <QDeadlineTimer>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QTreeView>
#include <clocale>

#include "QtTestRegistry.h"
#include "core/Format.h"
#include "gui/CHydroApp.h"
#include "gui/CHydroDoc.h"
#include "gui/CMainFrame.h"
#include "gui/CommandTable.h"

using namespace dralun;

class GermanQtDialogsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QFile file(m_dir.filePath(QStringLiteral("bericht.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1000, 'x'));
        QVERIFY(file.flush());
        QVERIFY(file.setFileTime(QDateTime(QDate(2024, 12, 7), QTime(10, 30)), QFileDevice::FileModificationTime));
    }

    void qtsOwnGermanTextsAreFound()
    {
        QTranslator texts;
        QVERIFY2(CHydroApp::LoadGermanQtTexts(texts), qPrintable(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    }

    void systemLocaleIsGermanAndNumbersKeepThePoint()
    {
        QCOMPARE(QLocale::system().toString(QDate(2024, 12, 7), QLocale::ShortFormat), QStringLiteral("07.12.24"));
        QCOMPARE(QLocale::system().formattedDataSize(1536), QStringLiteral("1,50 KiB"));
        QCOMPARE(QLocale().formattedDataSize(1536), QStringLiteral("1,50 KiB"));
        QVERIFY(qgetenv("LC_ALL").isEmpty()); // the environment was given back
        QCOMPARE(std::string(std::setlocale(LC_NUMERIC, nullptr)), std::string("C"));
        QCOMPARE(Format("%.15g", 2.5), std::string("2.5"));
    }

    void fileDialogShowsGermanDatesAndSizesInWholeColumns()
    {
#ifdef _WIN32
        QSKIP("Windows zeigt dem Anwender seinen eigenen Dateidialog, nicht den von Qt");
#endif
        CHydroDoc doc;
        CMainFrame frame(doc);
        QStringList texts;
        QList<int> needed, widths;
        frame.SetModalRunner([&](QDialog& dialog) {
            auto* files = qobject_cast<QFileDialog*>(&dialog);
            auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
            auto* model = dialog.findChild<QFileSystemModel*>();
            if (!files || !view || !model)
                return int(QDialog::Rejected);
            files->setDirectory(m_dir.path());
            dialog.show();
            const QString path = m_dir.filePath(QStringLiteral("bericht.txt"));
            QDeadlineTimer deadline(3000);
            while (!deadline.hasExpired() && model->index(path, 3).data().toString().isEmpty())
                QTest::qWait(20); // the directory is read in the background
            QTest::qWait(50);
            const int margin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
            for (int column = 1; column < 4; ++column) {
                const QModelIndex cell = model->index(path, column);
                texts << cell.data().toString();
                needed << view->fontMetrics().horizontalAdvance(texts.last()) + margin;
                widths << view->visualRect(cell).width();
            }
            return int(QDialog::Rejected);
        });
        frame.OnCommand(cmd::FileOpen);
        QCOMPARE(texts.size(), 3);
        QCOMPARE(texts[0], QStringLiteral("1.000 Bytes"));
        QCOMPARE(texts[2], QStringLiteral("07.12.24 10:30"));
        for (int i = 0; i < 3; ++i) // size, type and date whole
            QVERIFY2(needed[i] <= widths[i], qPrintable(texts[i]));
    }
};

// Its own application: the program's, in an English environment.
static int GermanQtDialogsTestMain(int argc, char** argv)
{
    // An English environment, as many systems have.
    qputenv("LANG", "C.UTF-8");
    for (const char* name : {"LC_ALL", "LC_TIME", "LC_NUMERIC", "LC_MESSAGES", "LANGUAGE"})
        qunsetenv(name);
    CHydroApp app(argc, argv);
    GermanQtDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

DRALUN_QTEST_OWN_APP(GermanQtDialogsTest, GermanQtDialogsTestMain);

#include "GermanQtDialogsTest.moc"
