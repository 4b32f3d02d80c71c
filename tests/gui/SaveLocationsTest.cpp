// Where reports, PDFs and projects are offered for saving, and under which name.
#include <QDir>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "QtTestRegistry.h"
#include "TestSettings.h"
#include "gui/SaveLocations.h"

using namespace dralun;

class SaveLocationsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Dralun-Test"));
        QCoreApplication::setApplicationName(QStringLiteral("SaveLocationsTest"));
        QVERIFY(test::SettingsAreBelow(qEnvironmentVariable("XDG_CONFIG_HOME")));
    }
    void init() { QSettings().clear(); }

    void namesTakeNoCharacterAFileSystemRefuses_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("structure");
        QTest::addColumn<QString>("name");
        QTest::newRow("form and structure") << "Rohr" << "Haltung R12-R13" << "Rohr – Haltung R12-R13.pdf";
        QTest::newRow("no structure") << "Mulde" << "" << "Mulde.pdf";
        QTest::newRow("separators and quotes") << "Rohr" << "A/B\\C: \"Nord\"?" << "Rohr – A B C Nord.pdf";
        QTest::newRow("wildcards and pipes") << "Drossel" << "S*1 <2> |3|" << "Drossel – S 1 2 3.pdf";
        QTest::newRow("blanks and a line break") << "Rohr" << "  Haltung\n 7 " << "Rohr – Haltung 7.pdf";
        QTest::newRow("a point at the end") << "Graben" << "Schacht 3." << "Graben – Schacht 3.pdf";
        QTest::newRow("nothing left of the structure") << "Rohr" << "<|*>" << "Rohr.pdf";
        QTest::newRow("umlauts stay") << "Straßenseitengraben" << "Bühl-Süd"
                                      << "Straßenseitengraben – Bühl-Süd.pdf";
    }
    void namesTakeNoCharacterAFileSystemRefuses()
    {
        QFETCH(QString, title);
        QFETCH(QString, structure);
        QFETCH(QString, name);
        QCOMPARE(SuggestedFileName(title, structure, QStringLiteral("pdf")), name);
    }

    void theDocumentsFolderFirstThenTheLastOneOfEachKind()
    {
        QTemporaryDir home;
#ifdef _WIN32
        // Windows names the documents folder from the user's profile (under
        // Wine the prefix's, which may have none: then the home folder).
        const QString profile = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString documents = QFileInfo(profile).isDir() ? profile : QDir::homePath();
#else
        const QByteArray realHome = qgetenv("HOME");
        const auto restore = qScopeGuard([&] { qputenv("HOME", realHome); });
        qputenv("HOME", QFile::encodeName(home.path()));
        const QString documents = home.filePath(QStringLiteral("Documents"));
        // No documents folder: the home folder, and none is made.
        QCOMPARE(SaveFolder(SaveKind::ReportPdf), home.path());
        QVERIFY(!QFileInfo::exists(documents));
        QVERIFY(QDir().mkpath(documents));
#endif
        QCOMPARE(SaveFolder(SaveKind::ReportPdf), documents);
        QCOMPARE(SuggestedSavePath(SaveKind::ProjectPdf, QStringLiteral("B 27"), {}, QStringLiteral("pdf")),
                 QDir(documents).filePath(QStringLiteral("B 27.pdf")));

        // Each kind keeps its own; a folder that has gone is not offered.
        QTemporaryDir saved;
        const QString reports = saved.filePath(QStringLiteral("Berichte"));
        QVERIFY(QDir().mkpath(reports));
        RememberSaveFolder(SaveKind::ReportPdf, reports + QStringLiteral("/Rohr.pdf"));
        QCOMPARE(SaveFolder(SaveKind::ReportPdf), reports);
        QCOMPARE(SaveFolder(SaveKind::ProjectPdf), documents);
        QCOMPARE(SaveFolder(SaveKind::Project), documents);
        QVERIFY(QDir(reports).removeRecursively());
        QCOMPARE(SaveFolder(SaveKind::ReportPdf), documents);
    }
};

DRALUN_QTEST(SaveLocationsTest);
#include "SaveLocationsTest.moc"
