// The first start with an empty or incomplete data directory: the program
// offers the data files of its installation medium, fills in only what is
// missing, and asks no more once told "Nein".
#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <filesystem>
#include <memory>

#include "QtTestRegistry.h"
#include "gui/CHydroDoc.h"
#include "gui/CMainFrame.h"
#include "install/CInstallCopy.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

class DataOfferTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> m_dir;
    QStringList m_questions;

    // A frame whose questions are answered with the given button.
    std::unique_ptr<CMainFrame> Frame(CHydroDoc& doc, QMessageBox::StandardButton answer)
    {
        auto frame = std::make_unique<CMainFrame>(doc);
        frame->SetModalRunner([this, answer](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog))
                m_questions << box->text();
            return int(answer);
        });
        return frame;
    }
    int FilesIn() const
    {
        int n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir->Path()))
            n += entry.is_regular_file();
        return n;
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Dralun-Test"));
        QCoreApplication::setApplicationName(QStringLiteral("DataOfferTest"));
    }
    void init()
    {
        QSettings().clear();
        m_questions.clear();
        m_dir = std::make_unique<test::TempDataDir>();
    }
    void cleanup() { m_dir.reset(); }

    void anEmptyDirectoryGetsAllFilesAfterAsking()
    {
        CHydroDoc doc;
        auto frame = Frame(doc, QMessageBox::Yes);
        QVERIFY(frame->OfferDataFiles());
        QCOMPARE(m_questions.size(), 1);
        QVERIFY(m_questions[0].contains(QStringLiteral("enthält noch keine Datendateien. Die 36 Dateien")));
        QCOMPARE(FilesIn(), 36);
        QCOMPARE(m_dir->Read("DN.ASC"), test::ReadFile(test::MediumDir() / "DN.ASC"));
        // Complete now: nothing more to ask.
        QVERIFY(!frame->OfferDataFiles());
        QCOMPARE(m_questions.size(), 1);
    }

    void aFileThatIsThereIsKept()
    {
        for (const install::CopyItem& item : install::CopyList())
            if (item.target != "A110KR.ASC" && item.target != "sp9-0.bin")
                m_dir->CopyFromMedium(item.source);
        m_dir->Write("DN.ASC", "eigene Rohrtabelle\r\n");
        CHydroDoc doc;
        auto frame = Frame(doc, QMessageBox::Yes);
        QVERIFY(frame->OfferDataFiles());
        QVERIFY(m_questions[0].contains(QStringLiteral("fehlen 2 Datendateien (A110KR.ASC, sp9-0.bin)")));
        QCOMPARE(FilesIn(), 36);
        QCOMPARE(m_dir->Read("DN.ASC"), std::string("eigene Rohrtabelle\r\n"));
        QCOMPARE(m_dir->Read("sp9-0.bin"), test::ReadFile(test::MediumDir() / "sp9-0.bin"));
    }

    void noIsRememberedAndNothingIsCopied()
    {
        {
            CHydroDoc doc;
            auto frame = Frame(doc, QMessageBox::No);
            QVERIFY(!frame->OfferDataFiles());
        }
        QCOMPARE(m_questions.size(), 1);
        QCOMPARE(FilesIn(), 0);
        CHydroDoc doc;
        auto frame = Frame(doc, QMessageBox::Yes);
        QVERIFY(!frame->OfferDataFiles());
        QCOMPARE(m_questions.size(), 1); // not asked again
        QCOMPARE(FilesIn(), 0);
    }
};

DRALUN_QTEST(DataOfferTest);
#include "DataOfferTest.moc"
