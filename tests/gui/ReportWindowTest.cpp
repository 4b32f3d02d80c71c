// "Bericht…" in the form windows: under "Rechne" on every computing form;
// it computes first, asks for the head of the report, shows the preview,
// whose "Als PDF speichern…" writes the file. The head dialog remembers
// project and engineer.
#include <QAction>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "QtTestRegistry.h"
#include "WindowTestKit.h"
#include "TestSettings.h"
#include "forms/CSwaleDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/pictures/Pictures.h"
#include "gui/report/CReportHeaderDlg.h"
#include <QCheckBox>
#include "gui/report/ReportPicture.h"
#include "testkit/TempDataDir.h"

using namespace dralun;

class ReportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Dralun-Berichtstest"));
        QCoreApplication::setApplicationName(QStringLiteral("ReportWindowTest"));
        // The settings live below the tests' own home, never in the real one.
        QVERIFY(test::SettingsAreBelow(qEnvironmentVariable("XDG_CONFIG_HOME")));
        QSettings().clear();
    }

    void everyComputingFormHasTheReportButtonUnderRechne()
    {
        test::TempDataDir data;
        CMessageLog log;
        int forms = 0;
        for (const FormInfo& info : AllForms()) {
            ++forms;
            CFormWindow window(info, nullptr, &log);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QPushButton* report = test::ButtonWithText(window, QStringLiteral("Bericht…"));
            QPushButton* compute = test::ButtonWithText(window, QStringLiteral("Rechne"));
            const QString where = QStringLiteral("form %1").arg(info.templateId);
            // Only the emergency overflow (105) computes nothing.
            QVERIFY2((report != nullptr) == info.Computes(), qPrintable(where));
            QVERIFY2(info.Computes() == (info.templateId != 105), qPrintable(where));
            if (!report)
                continue;
            QVERIFY2(compute, qPrintable(where));
            const QRect r(report->mapTo(&window, QPoint(0, 0)), report->size());
            const QRect c(compute->mapTo(&window, QPoint(0, 0)), compute->size());
            QVERIFY2(r.top() >= c.bottom() && r.left() == c.left() && r.width() == c.width(), qPrintable(where));
            QVERIFY2(window.rect().contains(r), qPrintable(where));
        }
        QCOMPARE(forms, static_cast<int>(AllForms().size()));
    }

    // The picture a form's description names is registered, and it is the
    // picture its report prints; a form without one prints none.
    void everyFormsPictureIsRegisteredAndPrinted()
    {
        test::TempDataDir data;
        CMessageLog log;
        for (const FormInfo& info : AllForms()) {
            const QString where = QStringLiteral("form %1").arg(info.templateId);
            const std::unique_ptr<CForm> form = info.create(log);
            if (info.picture == 0) {
                QVERIFY2(PictureIdOf(*form) == -1, qPrintable(where));
                continue;
            }
            QVERIFY2(FindPicture(info.picture) != nullptr, qPrintable(where));
            QCOMPARE(PictureIdOf(*form), info.picture);
        }
    }

    void theReportComputesAsksForTheHeadAndSavesThePdf()
    {
        test::TempDataDir data;
        QTemporaryDir out;
        const QString pdf = out.filePath(QStringLiteral("bericht.pdf"));
        CMessageLog log;
        CFormWindow window(*FindFormById(132), nullptr, &log);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.Perform([](CForm& form) { form.Type(CSwaleDlg::kIdB, "3"); }); // B, not computed yet
        QVERIFY(window.Form().Text(CSwaleDlg::kIdRKreis) != "3.9");

        QStringList shown;
        int pages = 0;
        window.SetModalRunner([&](QDialog& dialog) {
            shown << QString::fromLatin1(dialog.metaObject()->className());
            if (auto* head = qobject_cast<CReportHeaderDlg*>(&dialog)) {
                // r = (B²/4 + h²) / (2 h) = (2.25 + 0.09) / 0.6: computed before the head is asked for.
                if (window.Form().Text(CSwaleDlg::kIdRKreis) != "3.9")
                    return int(QDialog::Rejected);
                head->Edit(0)->setText(QStringLiteral("Umgehung Süd"));
                return int(QDialog::Accepted);
            }
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog)) {
                auto* widget = preview->findChild<QPrintPreviewWidget*>();
                widget->updatePreview();
                pages = widget->pageCount();
                for (QAction* action : preview->findChildren<QAction*>())
                    if (action->text() == QStringLiteral("Als PDF speichern…"))
                        action->trigger();
                return int(QDialog::Rejected);
            }
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                files->selectFile(pdf);
                return int(QDialog::Accepted);
            }
            return int(QDialog::Rejected);
        });
        test::ButtonWithText(window, QStringLiteral("Bericht…"))->click();
        QCOMPARE(shown, (QStringList{"dralun::CReportHeaderDlg", "QPrintPreviewDialog", "QFileDialog"}));
        QVERIFY(pages >= 1);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
    }

    void aCancelledHeadShowsNoPreview()
    {
        CMessageLog log;
        CFormWindow window(*FindFormById(171), nullptr, &log);
        QStringList shown;
        window.SetModalRunner([&](QDialog& dialog) {
            shown << QString::fromLatin1(dialog.metaObject()->className());
            return int(QDialog::Rejected);
        });
        test::ButtonWithText(window, QStringLiteral("Bericht…"))->click();
        QCOMPARE(shown, QStringList{"dralun::CReportHeaderDlg"});
    }

    void theHeadRemembersProjectAndEngineer()
    {
        QSettings().clear();
        const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
        {
            CReportHeaderDlg first;
            QCOMPARE(first.Edit(0)->text(), QString());
            QCOMPARE(first.Edit(3)->text(), today);
            first.Edit(0)->setText(QStringLiteral("Umgehung Süd"));
            first.Edit(1)->setText(QStringLiteral("Brücke über den Ölbach"));
            first.Edit(2)->setText(QStringLiteral("Jürgen Weiß"));
            first.Edit(4)->setText(QStringLiteral("Vorabzug"));
            first.accept();
            const ReportHeader h = first.Header();
            QCOMPARE(h.structure, std::string("Brücke über den Ölbach"));
            QCOMPARE(h.remark, std::string("Vorabzug"));
        }
        {
            CReportHeaderDlg cancelled; // what a cancelled dialog held is not kept
            cancelled.Edit(0)->setText(QStringLiteral("Anderes Projekt"));
            cancelled.reject();
        }
        CReportHeaderDlg next;
        QCOMPARE(next.Edit(0)->text(), QStringLiteral("Umgehung Süd"));
        QCOMPARE(next.Edit(1)->text(), QString());
        QCOMPARE(next.Edit(2)->text(), QStringLiteral("Jürgen Weiß"));
        QCOMPARE(next.Edit(3)->text(), today);
        QCOMPARE(next.Edit(4)->text(), QString());
    }

    // Office, place and the short form are the same on every job: the next
    // head has them, and so has the project's print (ApplyKeptHead).
    void theHeadRemembersOfficePlaceAndShortForm()
    {
        QSettings().clear();
        {
            CReportHeaderDlg first;
            QVERIFY(!first.ShortFormBox()->isChecked()); // the long report by default
            first.OfficeEdit(0)->setText(QStringLiteral("Ingenieurbüro Nord"));
            first.OfficeEdit(1)->setText(QStringLiteral("Hafenstraße 3"));
            first.PlaceEdit()->setText(QStringLiteral("Kiel"));
            first.ClientEdit()->setText(QStringLiteral("Stadt Musterhausen"));
            first.ShortFormBox()->setChecked(true);
            first.accept();
            const ReportHeader h = first.Header();
            QCOMPARE(h.office, std::string("Ingenieurbüro Nord\nHafenstraße 3")); // no empty lines after
            QVERIFY(h.shortForm);
        }
        CReportHeaderDlg next;
        QCOMPARE(next.OfficeEdit(1)->text(), QStringLiteral("Hafenstraße 3"));
        QCOMPARE(next.PlaceEdit()->text(), QStringLiteral("Kiel"));
        QCOMPARE(next.ClientEdit()->text(), QStringLiteral("Stadt Musterhausen"));
        QVERIFY(next.ShortFormBox()->isChecked());
        ReportHeader print;
        ApplyKeptHead(print);
        QCOMPARE(print.place, std::string("Kiel"));
        QCOMPARE(print.office, std::string("Ingenieurbüro Nord\nHafenstraße 3"));
        QVERIFY(print.shortForm);
    }
};

DRALUN_QTEST(ReportWindowTest);
#include "ReportWindowTest.moc"
