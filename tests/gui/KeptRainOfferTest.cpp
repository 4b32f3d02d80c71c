// Opening a project on a machine whose data directory lacks the rainfall
// series it was computed with, or holds another file of that name: the
// program asks, and restores the project's copy only when told so.
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <filesystem>
#include <memory>

#include "QtTestRegistry.h"
#include "forms/CInfiltrationForm.h"
#include "forms/FormRegistry.h"
#include "gui/CHydroDoc.h"
#include "gui/CMainFrame.h"
#include "project/KeepCalculation.h"
#include "project/ProjectFile.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

class KeptRainOfferTest : public QObject {
    Q_OBJECT

    QStringList m_questions;
    QList<bool> m_yesPreset; // whether Enter answers "Ja"
    std::string m_series;
    std::filesystem::path m_project;
    std::unique_ptr<test::TempDataDir> m_machineA; // keeps the project file

    std::unique_ptr<CMainFrame> Frame(CHydroDoc& doc, QMessageBox::StandardButton answer)
    {
        auto frame = std::make_unique<CMainFrame>(doc);
        frame->SetModalRunner([this, answer](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
                m_questions << box->text();
                m_yesPreset << (static_cast<QAbstractButton*>(box->defaultButton()) == box->button(QMessageBox::Yes));
            }
            return int(answer);
        });
        return frame;
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Dralun-Test"));
        QCoreApplication::setApplicationName(QStringLiteral("KeptRainOfferTest"));
        // Machine A: the swale computed with the medium's series, kept in a project.
        m_machineA = std::make_unique<test::TempDataDir>();
        m_machineA->CopyFromMedium("R3943MI.txt");
        m_series = m_machineA->Read("R3943MI.txt");
        CSilentSink sink;
        std::unique_ptr<CForm> form = FindFormById(185)->create(sink);
        form->Open();
        form->Click(CInfiltrationForm::kIdRainFromFile);
        form->Click(CInfiltrationForm::kIdLoadFile);
        form->Click(kIdOk);
        Project project;
        project.Add(KeepCalculation(*form, {}));
        m_project = m_machineA->File("mulde.dralun");
        QVERIFY(WriteProjectFile(m_project, project, nullptr));
    }
    void init()
    {
        QSettings().clear();
        m_questions.clear();
        m_yesPreset.clear();
    }

    void aMissingSeriesIsRestoredWhenAsked()
    {
        test::TempDataDir machineB;
        CHydroDoc doc;
        auto frame = Frame(doc, QMessageBox::Yes);
        QVERIFY(frame->OpenDocumentFile(QString::fromStdString(m_project.string())));
        QCOMPARE(m_questions.size(), 1);
        QVERIFY(m_questions[0].contains(QStringLiteral("Regendatei \u201ER3943MI.txt\u201C gerechnet; im Datenverzeichnis")));
        QVERIFY(m_questions[0].contains(QStringLiteral("fehlt sie")));
        QVERIFY(!m_yesPreset[0]); // a file planted by Enter is not what the user asked for
        QCOMPARE(machineB.Read("R3943MI.txt"), m_series);
        // There now: nothing more to ask.
        CHydroDoc again;
        auto second = Frame(again, QMessageBox::Yes);
        QVERIFY(second->OpenDocumentFile(QString::fromStdString(m_project.string())));
        QCOMPARE(m_questions.size(), 1);
    }

    void anotherFileOfThatNameIsKeptUnlessReplacingIsWanted()
    {
        test::TempDataDir machineB;
        machineB.Write("R3943MI.txt", "eigene Regenreihe\n");
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            CHydroDoc doc;
            auto frame = Frame(doc, answer);
            QVERIFY(frame->OpenDocumentFile(QString::fromStdString(m_project.string())));
            QVERIFY(m_questions.last().contains(QStringLiteral("eine andere Datei dieses Namens")));
            QVERIFY(m_questions.last().contains(QStringLiteral("wird dabei ersetzt")));
            QVERIFY(!m_yesPreset.last()); // replacing the user's file is not what Enter does
            QCOMPARE(machineB.Read("R3943MI.txt"), answer == QMessageBox::Yes ? m_series : "eigene Regenreihe\n");
        }
    }
};

DRALUN_QTEST(KeptRainOfferTest);
#include "KeptRainOfferTest.moc"
