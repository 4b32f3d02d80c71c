// The document behind the main window: a project bound to a file; what
// cannot be read leaves it as it was; the marks of changed results follow
// their entries.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "QtTestRegistry.h"
#include "forms/COrificeDlg.h"
#include "forms/FormRegistry.h"
#include "forms/ComputeButton.h"
#include "gui/CHydroDoc.h"
#include "project/KeepCalculation.h"
#include "project/ProjectFile.h"

using namespace dralun;

namespace {

// The orifice computed with the discharge given, kept under a name.
Calculation Orifice(const std::string& q, const std::string& name)
{
    CMessageLog log;
    auto form = FindFormById(171)->create(log);
    form->Open();
    form->Type(COrificeDlg::kIdQ, q);
    PressCompute(*form);
    return KeepCalculation(*form, {}, name);
}

std::filesystem::path FsPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class ProjectDocTest : public QObject {
    Q_OBJECT

private slots:
    void savedAndOpenedTheProjectIsTheSame()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("b27.dralun"));
        CHydroDoc doc;
        QCOMPARE(doc.Title(), QStringLiteral("Dralun Bemessungshilfen"));
        doc.Add(Orifice("50", "Schacht 1"));
        doc.Add(Orifice("80", "Schacht 2"));
        QVERIFY(doc.Modified());
        QString error;
        QVERIFY2(doc.OnSaveDocument(path, &error), qPrintable(error));
        QVERIFY(!doc.Modified());
        QCOMPARE(doc.Title(), QStringLiteral("b27.dralun"));

        CHydroDoc again;
        QVERIFY(again.OnOpenDocument(path, &error));
        QVERIFY(!again.Modified());
        QCOMPARE(again.PathName(), path);
        QCOMPARE(again.Project().Size(), std::size_t(2));
        QCOMPARE(again.Project().At(1).calc->results, doc.Project().At(1).calc->results);
    }

    void whatIsNotAProjectLeavesTheDocumentAsItWas_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::addRow("text") << QByteArray("nur ein Text.\n") << QStringLiteral("keine JSON-Datei");
        QTest::addRow("other json") << QByteArray("{\"a\": 1}") << QStringLiteral("Formatkennung");
        QTest::addRow("missing") << QByteArray() << QStringLiteral("fehlt");
    }
    void whatIsNotAProjectLeavesTheDocumentAsItWas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString bound = dir.filePath(QStringLiteral("bleibt.dralun"));
        const QString other = dir.filePath(QStringLiteral("notes.txt"));
        if (!bytes.isEmpty())
            WriteFile(other, bytes);
        CHydroDoc doc;
        doc.Add(Orifice("50", "Schacht 1"));
        QVERIFY(doc.OnSaveDocument(bound, nullptr));
        doc.Rename(0, "Schacht 1a");
        QString error;
        QVERIFY(!doc.OnOpenDocument(other, &error));
        QVERIFY2(error.startsWith(QStringLiteral("Das Projekt kann nicht geöffnet werden.\nDie Datei \"notes.txt\"")),
                 qPrintable(error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(doc.PathName(), bound);
        QVERIFY(doc.Modified());
        QCOMPARE(doc.Project().At(0).Name(), std::string("Schacht 1a"));
    }

    void anEmptyFileIsAnEmptyProject()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("alt.dra"));
        WriteFile(path, {});
        CHydroDoc doc;
        doc.Add(Orifice("50", "Schacht 1"));
        QVERIFY(doc.OnOpenDocument(path, nullptr));
        QVERIFY(doc.Project().Empty() && !doc.Modified());
        QCOMPARE(doc.Title(), QStringLiteral("alt.dra"));
    }

    void theMarksOfChangedResultsFollowTheirEntries()
    {
        CHydroDoc doc;
        for (const char* name : {"A", "B", "C"})
            doc.Add(Orifice("50", name));
        doc.SetChanges(0, {{COrificeDlg::kIdD, "d", "0.1", "0.2"}});
        doc.Move(0, 2); // B C A
        QVERIFY(doc.Changes(0).empty() && doc.Changes(1).empty());
        QCOMPARE(doc.Changes(2).size(), std::size_t(1));
        doc.Remove(0); // C A
        QCOMPARE(doc.Changes(1).front().before, std::string("0.1"));
        doc.Replace(1, Orifice("60", "A")); // kept anew: nothing differs
        QVERIFY(doc.Changes(1).empty());
        doc.SetChanges(0, {{COrificeDlg::kIdD, "d", "0.1", "0.2"}});
        doc.Restore(doc.Project(), {});
        QVERIFY(doc.Changes(0).empty() && doc.Modified() && doc.PathName().isEmpty());
    }

    // A script added to the file after the document read it: the save asks
    // first and writes nothing; without asking, the file is overwritten.
    void aFileChangedOnDiskIsNotOverwrittenUnasked()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.dralun"));
        CHydroDoc doc;
        doc.Add(Orifice("50", "Fenster"));
        QVERIFY(doc.OnSaveDocument(path, nullptr));
        bool changed = false;
        QVERIFY(doc.OnSaveDocument(path, nullptr, &changed)); // unchanged on disk: saved
        QVERIFY(!changed);
        Project other = LoadProjectFile(FsPath(path)).project;
        other.Add(Orifice("80", "Skript"));
        QVERIFY(SaveProjectFile(FsPath(path), other, nullptr));
        doc.Rename(0, "Fenster 1");
        QVERIFY(!doc.OnSaveDocument(path, nullptr, &changed));
        QVERIFY(changed && doc.Modified());
        QCOMPARE(LoadProjectFile(FsPath(path)).project.Size(), std::size_t(2));
        QVERIFY(doc.OnSaveDocument(path, nullptr));
        QCOMPARE(LoadProjectFile(FsPath(path)).project.Size(), std::size_t(1));
        changed = false;
        QVERIFY(doc.OnOpenDocument(path, nullptr));
        QVERIFY(doc.OnSaveDocument(path, nullptr, &changed) && !changed);
    }
};

DRALUN_QTEST(ProjectDocTest);
#include "ProjectDocTest.moc"
