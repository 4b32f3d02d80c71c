// The main window: menu, keys, status bar, document and form dispatch.
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSet>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "QtTestRegistry.h"
#include "TestSettings.h"
#include "forms/COrificeDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/CHydroApp.h"
#include "gui/CHydroDoc.h"
#include "gui/CMainFrame.h"
#include "gui/CommandTable.h"
#include "gui/DigitDisplay.h"
#include <functional>

using namespace dralun;

class MainFrameTest : public QObject {
    Q_OBJECT

    QStringList MenuTexts(QMenu* menu)
    {
        QStringList texts;
        for (QAction* a : menu->actions())
            if (a->isVisible())
                texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    }
    QMenu* TopMenu(CMainFrame& frame, const QString& title)
    {
        for (QAction* a : frame.menuBar()->actions())
            if (a->text() == title)
                return a->menu();
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Dralun-Test"));
        QCoreApplication::setApplicationName(QStringLiteral("MainFrameTest"));
    }
    void init()
    {
        QSettings().clear();
        CDigitDisplay::Instance().SetAllDigits(false);
    }

    void menuBarHasTheEntriesInOrder()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        QStringList titles;
        for (QAction* a : frame.menuBar()->actions())
            titles << a->text();
        // "RRR" can have no other key than R: "Rohrhydraulik" gives it up.
        QCOMPARE(titles, (QStringList{"&Datei", "&Bearbeiten", "&Ansicht", "R&ohrhydraulik", "D&urchlass",
                                      "&Gerinne", "R&innen", "Ab&lauf", "&RRR", "&Versickerung", "&?"}));
    }

    void everyMenuItemHasItsOwnAccessKeyAndBeendenStandsOnce()
    {
        QTemporaryDir dir;
        CHydroDoc doc;
        CMainFrame frame(doc);
        int menus = 0;
        QStringList exits;
        std::function<void(const QString&, const QList<QAction*>&)> walk = [&](const QString& where,
                                                                               const QList<QAction*>& actions) {
            ++menus;
            QSet<QChar> keys;
            for (QAction* a : actions) {
                if (a->isSeparator() || !a->isVisible())
                    continue;
                const QString at = where + QStringLiteral(" → ") + a->text();
                const QChar key = cmd::AccessKey(a->text());
                QVERIFY2(!key.isNull(), qPrintable(at + QStringLiteral(": kein Zugriffsbuchstabe")));
                QVERIFY2(!keys.contains(key), qPrintable(at + QStringLiteral(": Buchstabe doppelt")));
                keys.insert(key);
                if (QString(a->text()).remove(QLatin1Char('&')) == QStringLiteral("Beenden"))
                    exits << where;
                if (a->menu())
                    walk(at, a->menu()->actions());
            }
        };
        walk(QStringLiteral("Menüleiste"), frame.menuBar()->actions());
        QCOMPARE(menus, 1 + 11);
        QCOMPARE(exits, QStringList{QStringLiteral("Menüleiste → &Datei")});
        // With recent files in place of "Letzte Datei".
        for (const char* name : {"a.dralun", "b&c.dralun"})
            QVERIFY(frame.SaveDocument(dir.filePath(QString::fromLatin1(name))));
        exits.clear();
        walk(QStringLiteral("Menüleiste"), frame.menuBar()->actions());
        QCOMPARE(exits, QStringList{QStringLiteral("Menüleiste → &Datei")});
    }

    void accessKeysGoToFreeLettersAndMoveWhenOnlyATakenOneRemains_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("keyed");
        QTest::newRow("first free letter") << QStringList{"Drosselstrecke nach ATV-A 111", "Drosselblende"}
                                           << QStringList{"&Drosselstrecke nach ATV-A 111", "D&rosselblende"};
        QTest::newRow("a given key stays") << QStringList{"Versickermulde", "&Versickergraben"}
                                           << QStringList{"V&ersickermulde", "&Versickergraben"};
        QTest::newRow("letters before the key hint") << QStringList{"&Neu\tStrg+N", "&Eins", "Ne\tStrg+S"}
                                                     << QStringList{"Ne&u\tStrg+N", "&Eins", "&Ne\tStrg+S"};
        QTest::newRow("the holder moves") << QStringList{"&Rohr", "RRR"} << QStringList{"R&ohr", "&RRR"};
        QTest::newRow("a plain ampersand") << QStringList{"&&B", "&Bx"} << QStringList{"&&&B", "B&x"};
        QTest::newRow("no letter left") << QStringList{"&A", "A"} << QStringList{"&A", "A"};
    }
    void accessKeysGoToFreeLettersAndMoveWhenOnlyATakenOneRemains()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, keyed);
        std::vector<QString*> pointers;
        for (QString& text : texts)
            pointers.push_back(&text);
        cmd::GiveAccessKeys(pointers);
        QCOMPARE(texts, keyed);
    }

    void allDigitsIsAViewChoiceKeptForTheNextStart()
    {
        CDigitDisplay& digits = CDigitDisplay::Instance();
        digits.SetAllDigits(false);
        {
            CHydroDoc doc;
            CMainFrame frame(doc);
            QAction* all = frame.Action(cmd::ViewAllDigits);
            QVERIFY(TopMenu(frame, "&Ansicht")->actions().contains(all));
            QVERIFY(all->isCheckable() && !all->isChecked());
            all->trigger();
            QVERIFY(all->isChecked() && digits.AllDigits());
        }
        digits.SetAllDigits(false); // as a new run starts
        {
            CHydroDoc doc;
            CMainFrame frame(doc);
            QVERIFY(digits.AllDigits() && frame.Action(cmd::ViewAllDigits)->isChecked());
            frame.OnCommand(cmd::ViewAllDigits);
            QVERIFY(!digits.AllDigits() && !frame.Action(cmd::ViewAllDigits)->isChecked());
        }
        CHydroDoc doc;
        CMainFrame frame(doc);
        QVERIFY(!digits.AllDigits());
    }

    void earlierSettingsAreTakenOverOnceAndKept()
    {
        const QString app = QCoreApplication::applicationName();
        QSettings earlier(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("Dralun-Test-Frueher"), app);
        earlier.clear();
        earlier.setValue("Recent File List/File1", "C:/Projekte/b27.dralun");
        earlier.setValue("Bericht/Bearbeiter", "Jörg Maier");
        earlier.sync();
        QVERIFY(CHydroApp::TakeOverEarlierSettings(QStringLiteral("Dralun-Test-Frueher")));
        QSettings now;
        QCOMPARE(now.value("Recent File List/File1").toString(), QStringLiteral("C:/Projekte/b27.dralun"));
        QCOMPARE(now.value("Bericht/Bearbeiter").toString(), QStringLiteral("Jörg Maier"));
        CHydroDoc doc;
        QCOMPARE(CMainFrame(doc).RecentFiles(), QStringList{"C:/Projekte/b27.dralun"});

        // The earlier ones stay; a later start takes nothing over again, not
        // even when the user has removed every setting since.
        QVERIFY(earlier.contains("Recent File List/File1"));
        now.remove("Recent File List");
        now.remove("Bericht");
        QVERIFY(!CHydroApp::TakeOverEarlierSettings(QStringLiteral("Dralun-Test-Frueher")));
        QVERIFY(!now.contains("Recent File List/File1") && !now.contains("Bericht/Bearbeiter"));
        earlier.clear();
    }

    void fileMenuItemsAndKeyHints()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        QCOMPARE(MenuTexts(TopMenu(frame, "&Datei")),
                 (QStringList{"&Neu\tStrg+N", "Ö&ffnen...\tStrg+O", "S&peichern\tStrg+S", "Speichern &unter...", "-", "Re&gendaten importieren…", "-",
                              "&Drucken...\tStrg+P", "Sei&tenansicht", "P&rojekt drucken…", "Projekt &als PDF…",
                              "Drucker&einrichtung...", "-", "&Letzte Datei",
                              "-", "&Beenden"}));
        QCOMPARE(MenuTexts(TopMenu(frame, "&Gerinne")), (QStringList{"&Mulde", "&Graben", "&Raubettmulde"}));
        QCOMPARE(MenuTexts(TopMenu(frame, "&?")), (QStringList{"Inf&o über Dralun..."}));
    }

    void editItemsStayDisabledAndRecentListIsGreyWhileEmpty()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        for (QAction* a : TopMenu(frame, "&Bearbeiten")->actions())
            QVERIFY(a->isSeparator() || !a->isEnabled());
        QVERIFY(!frame.Action(cmd::FileMru)->isEnabled());
    }

    void keyTableBindsItsKeys()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        QCOMPARE(frame.Action(cmd::FileNew)->shortcuts(), QList<QKeySequence>{QKeySequence("Ctrl+N")});
        QCOMPARE(frame.Action(cmd::EditUndo)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));
        QCOMPARE(frame.Action(cmd::EditPaste)->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}));
        QVERIFY(frame.Action(cmd::NextPane) && frame.Action(cmd::NextPane)->shortcuts().contains(QKeySequence("F6")));
        // No key opens a calculator.
        for (const FormInfo& info : AllForms())
            if (QAction* a = frame.Action(info.commandId))
                QVERIFY(a->shortcuts().isEmpty());
    }

    void statusBarHasFourPanesAndPrompts()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        QCOMPARE(frame.statusBar()->currentMessage(), QStringLiteral("Bereit"));
        QStringList panes;
        for (QLabel* label : frame.statusBar()->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                panes << label->text();
        QVERIFY(panes.contains("UF") && panes.contains("NUM") && panes.contains("RF"));
        QCOMPARE(frame.Action(cmd::FileNew)->statusTip(), QStringLiteral("Erstellt ein neues Dokument."));
        QCOMPARE(frame.Action(130)->statusTip(), QStringLiteral("Rohrhydraulik"));
        QCOMPARE(frame.Action(32775)->statusTip(), QString());
        frame.OnCommand(cmd::ViewStatusBar);
        QVERIFY(!frame.Action(cmd::ViewStatusBar)->isChecked());
    }

    void everyCommandOpensItsFormModallyWithDefaults()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        CMessageLog log; // forms that miss their data files say so
        frame.SetMessageSink(&log);
        QStringList titles;
        QStringList firstTexts;
        frame.SetModalRunner([&](QDialog& dialog) {
            titles << dialog.windowTitle();
            if (auto* form = qobject_cast<CFormWindow*>(&dialog))
                firstTexts << QString::fromStdString(form->Form().Text(1001));
            return int(QDialog::Rejected);
        });
        for (const FormInfo& info : AllForms())
            frame.OnCommand(info.commandId);
        QCOMPARE(titles.size(), int(AllForms().size()));
        QVERIFY(titles.contains("Drossel"));
        QVERIFY(titles.contains("Zeitbeiwert"));
        QVERIFY(titles.contains("Notentlastung - freier Überfall"));
        QVERIFY(titles.contains("Rohr"));

        // Twice in a row: the defaults again.
        firstTexts.clear();
        frame.SetModalRunner([&](QDialog& dialog) {
            auto* form = qobject_cast<CFormWindow*>(&dialog);
            firstTexts << QString::fromStdString(form->Form().Text(COrificeDlg::kIdH));
            form->Form().Type(COrificeDlg::kIdH, "2");
            return int(QDialog::Rejected);
        });
        frame.OnCommand(32777);
        frame.OnCommand(32777);
        QCOMPARE(firstTexts, (QStringList{"0.6", "0.6"}));
    }

    void hiddenCommandsHaveNoMenuItem()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        for (QAction* top : frame.menuBar()->actions())
            if (top->menu())
                for (QAction* a : top->menu()->actions())
                    QVERIFY(a->text() != "Zeitbeiwert" && !a->text().contains("Notentlastung"));
        QVERIFY(frame.Action(183) == nullptr && frame.Action(32779) == nullptr);
    }

    void savingWritesAnEmptyProjectAndOpeningSetsTheCaption()
    {
        QTemporaryDir dir;
        CHydroDoc doc;
        CMainFrame frame(doc);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Dralun Bemessungshilfen - Dralun"));
        const QString path = dir.filePath("projekt.dra");
        QVERIFY(frame.SaveDocument(path));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("\"format\": \"Dralun-Projekt\""));
        QCOMPARE(frame.windowTitle(), QStringLiteral("projekt.dra - Dralun"));

        // A file that is not a project is refused and does not become the document's.
        const QString other = dir.filePath("irgendwas.txt");
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("nicht gelesen");
        f.close();
        frame.SetModalRunner([](QDialog&) { return int(QDialog::Accepted); });
        QVERIFY(!frame.OpenDocumentFile(other));
        QCOMPARE(frame.windowTitle(), QStringLiteral("projekt.dra - Dralun"));
        frame.NewDocument();
        QCOMPARE(frame.windowTitle(), QStringLiteral("Dralun Bemessungshilfen - Dralun"));
        QVERIFY(frame.OpenDocumentFile(path));
        QCOMPARE(frame.windowTitle(), QStringLiteral("projekt.dra - Dralun"));
        QCOMPARE(frame.RecentFiles(), QStringList{QFileInfo(path).absoluteFilePath()});
    }

    void recentListKeepsFourEntries()
    {
        QTemporaryDir dir;
        CHydroDoc doc;
        CMainFrame frame(doc);
        for (int i = 0; i < 6; ++i)
            QVERIFY(frame.SaveDocument(dir.filePath(QStringLiteral("d%1").arg(i))));
        QCOMPARE(frame.RecentFiles().size(), 4);
        QVERIFY(frame.RecentFiles().first().endsWith("d5"));
        CMainFrame again(doc); // kept in the settings
        QCOMPARE(again.RecentFiles(), frame.RecentFiles());
    }

    void aRecentFileThatIsGoneLeavesTheList()
    {
        // The settings are the test's own, below the test home.
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(test::SettingsAreBelow(config));
        QTemporaryDir dir;
        const QString kept = dir.filePath("bleibt.dra");
        const QString gone = dir.filePath("weg.dra");
        CHydroDoc doc;
        CMainFrame frame(doc);
        QVERIFY(frame.SaveDocument(kept) && frame.SaveDocument(gone));
        QVERIFY(QFile::remove(gone));
        QStringList messages;
        frame.SetModalRunner([&](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog))
                messages << box->text();
            return int(QDialog::Accepted);
        });
        auto itemFor = [&](const QString& path) -> QAction* {
            for (QAction* a : TopMenu(frame, "&Datei")->actions())
                if (a->isVisible() && a->text().endsWith(QDir::toNativeSeparators(path)))
                    return a;
            return nullptr;
        };
        QVERIFY(itemFor(gone) && itemFor(kept));
        itemFor(gone)->trigger();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().contains(QStringLiteral("kann nicht geöffnet werden")));
        QCOMPARE(frame.RecentFiles(), QStringList{kept});
        QVERIFY(!itemFor(gone) && itemFor(kept));
        CMainFrame again(doc); // gone from the settings as well
        QCOMPARE(again.RecentFiles(), QStringList{kept});
    }

    void openingAMissingFileReportsIt()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        QString shown;
        frame.SetModalRunner([&](QDialog& dialog) {
            shown = dialog.findChildren<QLabel*>().isEmpty() ? QString() : dialog.windowTitle();
            return int(QDialog::Accepted);
        });
        QVERIFY(!frame.OpenDocumentFile("/nicht/vorhanden.dra"));
        QCOMPARE(shown, QStringLiteral("Dralun"));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Dralun Bemessungshilfen - Dralun"));
    }

    void theWindowFitsASmallScreenAtLargeScale()
    {
        // 1920 × 1080 at 200 % leaves 960 × 540 to the program, less a task bar.
        CHydroDoc doc;
        CMainFrame frame(doc);
        const QSize least = frame.minimumSizeHint().expandedTo(frame.minimumSize());
        QVERIFY2(least.width() <= 960 && least.height() <= 500,
                 qPrintable(QStringLiteral("%1 × %2").arg(least.width()).arg(least.height())));
    }

    void qtDialogsSpeakGerman()
    {
        QTranslator translator;
        QVERIFY(CHydroApp::LoadGermanQtTexts(translator));
        QCOMPARE(translator.translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    }
};

DRALUN_QTEST(MainFrameTest);
#include "MainFrameTest.moc"
