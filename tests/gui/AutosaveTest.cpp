// The automatic copy of an unsaved project: written after a change, gone
// after a save, "Neu", an open or a normal quit; after the program was
// killed, the next start offers it and brings it back as it was.
#include <QDialog>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "QtTestRegistry.h"
#include "forms/COrificeDlg.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "gui/CHydroApp.h"
#include "gui/CHydroDoc.h"
#include "gui/CMainFrame.h"
#include "gui/CommandTable.h"
#include "gui/project/Autosave.h"
#include "gui/project/CProjectPanel.h"
#include "project/KeepCalculation.h"
#include "project/ProjectFile.h"

using namespace dralun;

namespace {

const QString kRestoreQuestion = QStringLiteral(
    "Dralun wurde nicht ordnungsgemäß beendet. Ein nicht gespeichertes Projekt ist vorhanden. Wiederherstellen?");

// Runs the child until it has written its copy, then kills it.
bool KillAfterAutosave(const QStringList& args)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
#ifndef _WIN32
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
#endif
    child.setProcessEnvironment(env);
    child.start(QStringLiteral(DRALUN_AUTOSAVE_CHILD), args);
    if (!child.waitForStarted(10000))
        return false;
    while (!child.canReadLine())
        if (!child.waitForReadyRead(30000))
            return false;
    if (child.readLine().trimmed() != "Sicherung geschrieben")
        return false;
    child.kill(); // SIGKILL, or TerminateProcess on Windows: no chance to clean up
    child.waitForFinished(10000);
    return child.exitStatus() == QProcess::CrashExit;
}

} // namespace

class AutosaveTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dataHome;

    // Answers the restore question, records every question asked.
    static CMainFrame::ModalRunner Answer(int answer, QStringList& asked)
    {
        return [answer, &asked](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            if (!box)
                return int(QDialog::Rejected);
            asked << box->text();
            return answer;
        };
    }

private slots:
    void initTestCase()
    {
        // The names the program gives itself: the copy is where it looks.
        QCoreApplication::setOrganizationName(CHydroApp::kOrganization);
        QCoreApplication::setApplicationName(CHydroApp::kApplication);
#ifdef _WIN32
        // Windows asks the profile, not the environment: under Wine that of
        // the build's own prefix, never the user's. init() clears it.
        QVERIFY(autosave::Folder().contains(QStringLiteral("/AppData/")));
#else
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
        QVERIFY(autosave::Folder().startsWith(m_dataHome.path() + '/'));
#endif
    }
    void init() { autosave::Remove(); }

    void afterAKillTheCopyComesBackModifiedAndBound()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("b27.dralun"));
        QVERIFY(KillAfterAutosave({path}));
        QVERIFY(autosave::Exists());
        CHydroDoc doc;
        CMainFrame frame(doc);
        QStringList asked;
        frame.SetModalRunner(Answer(QMessageBox::Yes, asked));
        QVERIFY(frame.OfferRestore());
        QCOMPARE(asked, QStringList{kRestoreQuestion});
        QCOMPARE(doc.Project().Size(), std::size_t(2));
        QCOMPARE(doc.Project().At(1).Name(), std::string("Drossel Schacht 5"));
        QCOMPARE(doc.Project().At(1).calc->inputs.front(), (std::pair<int, std::string>{COrificeDlg::kIdQ, "90"}));
        QVERIFY(doc.Modified());
        QCOMPARE(doc.PathName(), path);
        QCOMPARE(frame.windowTitle(), QStringLiteral("b27.dralun* - Dralun"));
        QCOMPARE(frame.ProjectPanel()->List()->count(), 2);
        // The file itself holds what was saved before the second calculation.
        QCOMPARE(LoadProjectFile(path.toStdString()).project.Size(), std::size_t(1));
    }

    void anUnnamedCopyStaysUnnamedAndNeinRemovesIt()
    {
        QVERIFY(KillAfterAutosave({}));
        {
            CHydroDoc doc;
            CMainFrame frame(doc);
            QStringList asked;
            frame.SetModalRunner(Answer(QMessageBox::Yes, asked));
            QVERIFY(frame.OfferRestore());
            QCOMPARE(doc.Project().At(0).Name(), std::string("Drossel Schacht 4"));
            QVERIFY(doc.PathName().isEmpty() && doc.Modified());
            QCOMPARE(frame.windowTitle(), QStringLiteral("Dralun Bemessungshilfen* - Dralun"));
        }
        QVERIFY(autosave::Exists()); // the window was not closed as it should be
        CHydroDoc doc;
        CMainFrame frame(doc);
        QStringList asked;
        frame.SetModalRunner(Answer(QMessageBox::No, asked));
        QVERIFY(!frame.OfferRestore());
        QCOMPARE(asked.size(), 1);
        QVERIFY(!autosave::Exists() && doc.Project().Empty());
        QVERIFY(!frame.OfferRestore()); // nothing left to offer
        QCOMPARE(asked.size(), 1);
    }

    void theCopyFollowsChangesAndGoesWithSaveNewOpenAndQuit()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.dralun"));
        {
            CMessageLog log;
            auto form = FindFormById(171)->create(log);
            form->Open();
            PressCompute(*form);
            Project project;
            project.Add(KeepCalculation(*form, {}, "Drossel"));
            QVERIFY(SaveProjectFile(path.toStdString(), project, nullptr));
        }
        CHydroDoc doc;
        CMainFrame frame(doc);
        QStringList asked;
        auto rename = [&](const QString& name) {
            frame.SetModalRunner([name](QDialog& dialog) {
                qobject_cast<QInputDialog*>(&dialog)->setTextValue(name);
                return int(QDialog::Accepted);
            });
            frame.ProjectPanel()->Action(CProjectPanel::Rename)->trigger();
            frame.SetModalRunner(Answer(QMessageBox::No, asked));
        };
        auto copiedName = [] { return autosave::Load().project.At(0).Name(); };

        QVERIFY(frame.OpenDocumentFile(path));
        QVERIFY(!autosave::Exists());
        rename(QStringLiteral("Drossel 2"));
        QTRY_VERIFY_WITH_TIMEOUT(autosave::Exists(), 1000);
        QCOMPARE(copiedName(), std::string("Drossel 2"));
        QCOMPARE(autosave::Load().documentPath, path);
        rename(QStringLiteral("Drossel 3"));
        QTRY_COMPARE_WITH_TIMEOUT(copiedName(), std::string("Drossel 3"), 1000);

        frame.OnCommand(cmd::FileSave);
        QVERIFY(!autosave::Exists());
        rename(QStringLiteral("Drossel 4"));
        QTRY_VERIFY_WITH_TIMEOUT(autosave::Exists(), 1000);
        QVERIFY(frame.OpenDocumentFile(path));
        QVERIFY(!autosave::Exists());
        rename(QStringLiteral("Drossel 5"));
        QTRY_VERIFY_WITH_TIMEOUT(autosave::Exists(), 1000);
        frame.OnCommand(cmd::FileNew); // "Nein": discarded
        QVERIFY(!autosave::Exists() && doc.Project().Empty());

        QVERIFY(frame.OpenDocumentFile(path));
        rename(QStringLiteral("Drossel 6"));
        QTRY_VERIFY_WITH_TIMEOUT(autosave::Exists(), 1000);
        frame.show();
        QVERIFY(frame.close()); // "Nein"
        QVERIFY(!autosave::Exists());
        QCOMPARE(asked, (QStringList{"Änderungen speichern?", "Änderungen speichern?"}));
    }

    void aSecondWindowLeavesTheCopyOfTheFirstAlone()
    {
        QTemporaryDir dir;
        CHydroDoc doc;
        CMainFrame first(doc);
        QVERIFY(autosave::Write(Project(), QString(), nullptr));
        CHydroDoc other;
        CMainFrame second(other);
        QStringList asked;
        second.SetModalRunner(Answer(QMessageBox::Yes, asked));
        QVERIFY(!second.OfferRestore());
        QVERIFY(asked.isEmpty());
        second.NewDocument();
        QVERIFY(autosave::Exists());
    }
};

DRALUN_QTEST(AutosaveTest);
#include "AutosaveTest.moc"
