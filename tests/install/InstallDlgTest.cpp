// The installer window.
#include <QDateEdit>
#include <QPushButton>
#include <QTest>

#include "FakeMedium.h"
#include "install/CInstallDlg.h"
#include "testkit/TempDataDir.h"

using namespace dralun;
using namespace dralun::install;

class InstallDlgTest : public QObject {
    Q_OBJECT

private slots:
    void startCopiesReportsAndCloses()
    {
        test::FakeMedium medium;
        test::TempDataDir data;
        CInstallDlg dialog(medium.Path(), data.Path());
        QStringList shown;
        dialog.SetMessageShower([&](QMessageBox::Icon icon, const QString& text) {
            QCOMPARE(icon, QMessageBox::Information);
            shown << text;
        });
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Dralun Installationsprogramm"));
        auto* start = dialog.findChild<QPushButton*>("start");
        QCOMPARE(start->text(), QStringLiteral("Start kopieren"));
        QVERIFY(start->isDefault());
        QCOMPARE(dialog.findChild<QPushButton*>("cancel")->text(), QStringLiteral("Abbrechen/Ende"));
        QVERIFY(!dialog.findChild<QDateEdit*>()->isEnabled());
        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(shown, QStringList{"Verzeichnis Dralun erstellt, Dateien übertragen"});
        QVERIFY(!dialog.isVisible());
        QVERIFY(data.Exists("sp15-0.bin"));
    }

    void aFailureKeepsTheWindowOpen()
    {
        test::FakeMedium medium;
        std::filesystem::remove(medium.Path() / "A110MA.ASC");
        test::TempDataDir data;
        CInstallDlg dialog(medium.Path(), data.Path());
        QString shown;
        dialog.SetMessageShower([&](QMessageBox::Icon, const QString& text) { shown = text; });
        dialog.show();
        dialog.OnStartCopy();
        QVERIFY(shown.contains("A110MA.ASC"));
        QVERIFY(dialog.isVisible());
        medium.Write("A110MA.ASC", "nachgereicht");
        dialog.OnStartCopy(); // pressed again
        QVERIFY(!dialog.isVisible());
    }

    void missingOnlyHoldsInTheWindow()
    {
        test::FakeMedium medium;
        test::TempDataDir data;
        data.Write("DN.ASC", "eigene Durchmesser");
        InstallOptions options;
        options.missingOnly = true;
        CInstallDlg dialog(medium.Path(), data.Path(), options);
        QStringList shown;
        dialog.SetMessageShower([&](QMessageBox::Icon, const QString& text) { shown << text; });
        dialog.show();
        dialog.OnStartCopy();
        QCOMPARE(shown, QStringList{"Verzeichnis Dralun erstellt, Dateien übertragen"});
        QCOMPARE(data.Read("DN.ASC"), std::string("eigene Durchmesser"));
        QVERIFY(data.Exists("A110KR.ASC"));
    }

    void cancelCopiesNothing()
    {
        test::FakeMedium medium;
        test::TempDataDir data;
        CInstallDlg dialog(medium.Path(), data.Path());
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>("cancel"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!data.Exists("DN.ASC"));
    }
};

QTEST_MAIN(InstallDlgTest)
#include "InstallDlgTest.moc"
