// Projects in the main window: keeping a form's calculation, the project
// panel (reopen, the note on changed results, rename, remove, reorder), the
// project file through the menu, the question about unsaved changes, a file
// that is not a project, and the project's PDF.
#include <QAction>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <numbers>

#include "QtTestRegistry.h"
#include "WindowTestKit.h"
#include "TestSettings.h"
#include "forms/COrificeDlg.h"
#include "forms/CSwaleDlg.h"
#include "forms/FormRegistry.h"
#include "gui/CFormWindow.h"
#include "gui/CHydroDoc.h"
#include "gui/CMainFrame.h"
#include "gui/CommandTable.h"
#include "gui/SaveLocations.h"
#include "gui/project/CKeepCalcDlg.h"
#include "gui/project/CProjectPanel.h"
#include "project/ProjectFile.h"

using namespace dralun;
using test::ButtonWithText;
using test::FileBytes;
using test::ShowActive;

namespace {

std::string Result(const Calculation& calc, int id)
{
    for (const auto& [field, text] : calc.results)
        if (field == id)
            return text;
    return {};
}

// The orifice after Torricelli: A = Q / (mu sqrt(2 g h)), d = sqrt(4 A / pi).
double OrificeDiameter(double qLitres, double h, double mu)
{
    const double area = qLitres / 1000.0 / (mu * std::sqrt(2 * 9.81 * h));
    return std::sqrt(4 * area / std::numbers::pi);
}

constexpr int kOrifice = 32777; // "Drosselblende"
constexpr int kSwale = 132;     // "Mulde"

} // namespace

class ProjectWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dataHome;
    CMessageLog m_log;

    // Opens a calculator from the menu, types the inputs and keeps the
    // calculation under the name given ("" keeps the proposed one).
    void Keep(CMainFrame& frame, int command, const std::vector<std::pair<int, std::string>>& inputs,
              const QString& name, QString* proposed = nullptr)
    {
        frame.SetModalRunner([&](QDialog& dialog) {
            if (auto* window = qobject_cast<CFormWindow*>(&dialog)) {
                window->Perform([&](CForm& form) {
                    for (const auto& [id, text] : inputs)
                        form.Type(id, text);
                });
                ButtonWithText(*window, QStringLiteral("In Projekt übernehmen"))->click();
            } else if (auto* keep = qobject_cast<CKeepCalcDlg*>(&dialog)) {
                if (proposed)
                    *proposed = keep->NameEdit()->text();
                if (!name.isEmpty())
                    keep->NameEdit()->setText(name);
                keep->HeadEdit(0)->setText(QStringLiteral("Umgehung Süd"));
                return int(QDialog::Accepted);
            }
            return int(QDialog::Rejected);
        });
        frame.OnCommand(command);
        frame.SetModalRunner([](QDialog&) { return int(QDialog::Rejected); });
    }

    // Reopens entry `row` by a double click; what the form window showed.
    struct Shown {
        bool opened = false;
        QString d;
        QString banner; // empty when hidden
    };
    Shown DoubleClick(CMainFrame& frame, int row)
    {
        Shown shown;
        frame.SetModalRunner([&](QDialog& dialog) {
            if (auto* window = qobject_cast<CFormWindow*>(&dialog)) {
                shown.opened = true;
                shown.d = QString::fromStdString(window->Form().Text(COrificeDlg::kIdD));
                if (!window->Banner()->isHidden())
                    shown.banner = window->Banner()->text();
            }
            return int(QDialog::Rejected);
        });
        QListWidget* list = frame.ProjectPanel()->List();
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        return shown;
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Dralun-Projekttest"));
        QCoreApplication::setApplicationName(QStringLiteral("ProjectWindowTest"));
        QVERIFY(test::SettingsAreBelow(qEnvironmentVariable("XDG_CONFIG_HOME")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
    }
    void init() { QSettings().clear(); }

    void theKeepButtonStandsUnderBerichtOnEveryComputingForm()
    {
        int forms = 0, computing = 0;
        for (const FormInfo& info : AllForms()) {
            computing += info.Computes() ? 1 : 0;
            CFormWindow window(info, nullptr, &m_log);
            window.SetKeeper([](CFormWindow&) {});
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QPushButton* keep = ButtonWithText(window, QStringLiteral("In Projekt übernehmen"));
            QPushButton* report = ButtonWithText(window, QStringLiteral("Bericht…"));
            const QString where = QStringLiteral("form %1").arg(info.templateId);
            QVERIFY2((keep != nullptr) == (report != nullptr), qPrintable(where));
            QVERIFY2((keep != nullptr) == info.Computes(), qPrintable(where));
            if (!keep)
                continue;
            ++forms;
            QVERIFY2(keep->isVisible(), qPrintable(where));
            const QRect k(keep->mapTo(&window, QPoint(0, 0)), keep->size());
            const QRect r(report->mapTo(&window, QPoint(0, 0)), report->size());
            QVERIFY2(k.top() >= r.bottom() && k.left() == r.left() && k.width() == r.width(), qPrintable(where));
            QVERIFY2(keep->width() >= keep->sizeHint().width(), qPrintable(where)); // the text whole
            QVERIFY2(window.width() <= 1280 && window.height() <= 1024, qPrintable(where));
        }
        QCOMPARE(forms, computing);
        QCOMPARE(forms, 15); // all but the emergency overflow
        // Without a keeper the button is not there.
        CFormWindow plain(*FindFormById(171), nullptr, &m_log);
        QVERIFY(ButtonWithText(plain, QStringLiteral("In Projekt übernehmen"))->isHidden());
    }

    void keepingComputesAndTakesTheNameAndHead()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        frame.SetMessageSink(&m_log);
        QString proposed;
        Keep(frame, kOrifice, {{COrificeDlg::kIdQ, "80"}, {COrificeDlg::kIdH, "1.2"}}, QStringLiteral("Drossel Schacht 4"), &proposed);
        QCOMPARE(doc.Project().Size(), std::size_t(1));
        const Calculation& calc = *doc.Project().At(0).calc;
        QCOMPARE(calc.name, std::string("Drossel Schacht 4"));
        QCOMPARE(calc.header.project, std::string("Umgehung Süd"));
        // Computed with the typed inputs before the dialog proposed its name.
        QVERIFY2(proposed.contains(QStringLiteral("Q 80")) && proposed.contains(QStringLiteral("h 1.2")),
                 qPrintable(proposed));
        QVERIFY(std::abs(std::stod(Result(calc, COrificeDlg::kIdD)) - OrificeDiameter(80, 1.2, 0.67)) < 0.0006);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Dralun Bemessungshilfen* - Dralun"));
        QListWidget* list = frame.ProjectPanel()->List();
        QCOMPARE(list->count(), 1);
        QVERIFY(list->item(0)->text().startsWith(QStringLiteral("Drossel Schacht 4\nDrossel")));
        QVERIFY(list->item(0)->text().contains(QString::fromStdString(calc.mainResult)));
        QVERIFY(frame.Action(cmd::FileProjectPdf)->isEnabled());
    }

    void reopeningShowsTheKeptCalculationAndMarksChangedResults()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        frame.SetMessageSink(&m_log);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        Keep(frame, kOrifice, {{COrificeDlg::kIdQ, "80"}, {COrificeDlg::kIdH, "1.2"}}, {});
        const std::string kept = Result(*doc.Project().At(0).calc, COrificeDlg::kIdD);

        const Shown same = DoubleClick(frame, 0);
        QVERIFY(same.opened);
        QCOMPARE(same.d.toStdString(), kept);
        QCOMPARE(same.banner, QString());
        QVERIFY(!frame.ProjectPanel()->List()->item(0)->text().contains(QStringLiteral("abweichend")));

        // A result kept with another value than the form gives now.
        Calculation tampered = *doc.Project().At(0).calc;
        for (auto& [id, text] : tampered.results)
            if (id == COrificeDlg::kIdD)
                text = "0.999";
        doc.Replace(0, tampered);
        const Shown changed = DoubleClick(frame, 0);
        QVERIFY(changed.banner.startsWith(QStringLiteral("Die Ergebnisse weichen von den gespeicherten ab:\n")));
        QVERIFY2(changed.banner.contains(QStringLiteral("gespeichert 0.999, jetzt ") + QString::fromStdString(kept)),
                 qPrintable(changed.banner));
        QListWidgetItem* item = frame.ProjectPanel()->List()->item(0);
        QVERIFY(item->text().contains(QStringLiteral("abweichend")));
        QVERIFY(item->toolTip().contains(QStringLiteral("gespeichert 0.999, jetzt ") + QString::fromStdString(kept)));
    }

    void keepingAReopenedFormReplacesOrAdds()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        frame.SetMessageSink(&m_log);
        Keep(frame, kOrifice, {{COrificeDlg::kIdQ, "80"}}, QStringLiteral("Drossel"));
        for (const bool replace : {true, false}) {
            bool replaceOffered = false;
            frame.SetModalRunner([&](QDialog& dialog) {
                if (auto* window = qobject_cast<CFormWindow*>(&dialog)) {
                    window->Perform([](CForm& form) { form.Type(COrificeDlg::kIdQ, "90"); });
                    ButtonWithText(*window, QStringLiteral("In Projekt übernehmen"))->click();
                } else if (auto* keep = qobject_cast<CKeepCalcDlg*>(&dialog)) {
                    replaceOffered = keep->ReplaceButton() && keep->ReplaceButton()->isChecked() &&
                                     keep->NameEdit()->text() == QStringLiteral("Drossel") &&
                                     keep->HeadEdit(0)->text() == QStringLiteral("Umgehung Süd");
                    keep->AddButton()->setChecked(!replace);
                    return int(QDialog::Accepted);
                }
                return int(QDialog::Rejected);
            });
            frame.ReopenEntry(0);
            QVERIFY(replaceOffered);
            QCOMPARE(doc.Project().Size(), std::size_t(replace ? 1 : 2));
            QCOMPARE(doc.Project().At(replace ? 0 : 1).calc->inputs.front(), (std::pair<int, std::string>{COrificeDlg::kIdQ, "90"}));
        }
    }

    void renameRemoveAndReorderWithTheKeyboard()
    {
        CHydroDoc doc;
        CMainFrame frame(doc);
        frame.SetMessageSink(&m_log);
        QVERIFY(ShowActive(frame));
        for (const char* name : {"Eins", "Zwei", "Drei"})
            Keep(frame, kOrifice, {}, QString::fromLatin1(name));
        auto names = [&] {
            QStringList all;
            for (const ProjectEntry& e : doc.Project().Entries())
                all << QString::fromStdString(e.Name());
            return all;
        };
        QListWidget* list = frame.ProjectPanel()->List();
        list->setFocus();
        list->setCurrentRow(1);
        frame.SetModalRunner([](QDialog& dialog) {
            auto* input = qobject_cast<QInputDialog*>(&dialog);
            if (!input || input->textValue() != QStringLiteral("Zwei"))
                return int(QDialog::Rejected);
            input->setTextValue(QStringLiteral("Zwei – Nachweis Süd"));
            return int(QDialog::Accepted);
        });
        QTest::keyClick(list, Qt::Key_F2);
        QCOMPARE(names(), (QStringList{"Eins", "Zwei – Nachweis Süd", "Drei"}));
        QVERIFY(list->item(1)->text().startsWith(QStringLiteral("Zwei – Nachweis Süd\n")));

        QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(names(), (QStringList{"Zwei – Nachweis Süd", "Eins", "Drei"}));
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(!frame.ProjectPanel()->Action(CProjectPanel::Up)->isEnabled());
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(names(), (QStringList{"Eins", "Drei", "Zwei – Nachweis Süd"}));

        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(names(), (QStringList{"Drei", "Zwei – Nachweis Süd"}));
        QCOMPARE(list->count(), 2);
    }

    void saveAsAndOpenThroughTheMenuKeepTheEntries()
    {
        QTemporaryDir dir;
        CHydroDoc doc;
        CMainFrame frame(doc);
        frame.SetMessageSink(&m_log);
        Keep(frame, kOrifice, {{COrificeDlg::kIdQ, "80"}}, QStringLiteral("Drossel"));
        Keep(frame, kSwale, {{CSwaleDlg::kIdB, "2.5"}}, QStringLiteral("Mulde"));
        QStringList filters;
        QString offered, offeredFolder;
        auto choose = [&](const QString& path) {
            return [&, path](QDialog& dialog) {
                auto* files = qobject_cast<QFileDialog*>(&dialog);
                if (!files)
                    return int(QDialog::Rejected);
                filters = files->nameFilters();
                offered = files->selectedFiles().value(0);
                offeredFolder = files->directory().absolutePath();
                files->selectFile(path);
                return int(QDialog::Accepted);
            };
        };
        const QString documents = SaveFolder(SaveKind::Project);
        frame.SetModalRunner(choose(dir.filePath(QStringLiteral("umgehung"))));
        frame.OnCommand(cmd::FileSaveAs);
        QCOMPARE(filters, (QStringList{"Dralun-Projekte (*.dralun)", "Alle Dateien (*)"}));
        // A new project is offered under its name in the documents folder.
        QCOMPARE(offered, QDir(documents).filePath(QStringLiteral("Umgehung Süd.dralun")));
        const QString path = dir.filePath(QStringLiteral("umgehung.dralun"));
        QVERIFY(QFile::exists(path));
        QCOMPARE(frame.windowTitle(), QStringLiteral("umgehung.dralun - Dralun"));
        QVERIFY(!doc.Modified());

        CHydroDoc other;
        CMainFrame second(other);
        second.SetModalRunner(choose(path));
        second.OnCommand(cmd::FileOpen);
        QCOMPARE(offeredFolder, QDir(dir.path()).absolutePath()); // where the last was saved
        QCOMPARE(second.windowTitle(), QStringLiteral("umgehung.dralun - Dralun"));
        QCOMPARE(other.Project().Size(), std::size_t(2));
        for (std::size_t i = 0; i < 2; ++i) {
            const Calculation& a = *doc.Project().At(i).calc;
            const Calculation& b = *other.Project().At(i).calc;
            QCOMPARE(b.name, a.name);
            QCOMPARE(b.inputs, a.inputs);
            QCOMPARE(b.results, a.results);
        }
        QCOMPARE(second.ProjectPanel()->List()->count(), 2);
        QVERIFY(!other.Modified());
    }

    // A script added to the file while the window had it open: "Speichern"
    // asks before it writes, and each answer does what it says.
    void aFileChangedMeanwhileIsAskedForBeforeSaving_data()
    {
        QTest::addColumn<QString>("choice");
        for (const char* choice : {"Neu laden", "Unter anderem Namen speichern…", "Überschreiben", "Abbrechen"})
            QTest::addRow("%s", choice) << QString::fromUtf8(choice);
    }
    void aFileChangedMeanwhileIsAskedForBeforeSaving()
    {
        QFETCH(QString, choice);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.dralun"));
        const QString otherPath = dir.filePath(QStringLiteral("kopie.dralun"));
        CHydroDoc doc;
        CMainFrame frame(doc);
        frame.SetMessageSink(&m_log);
        Keep(frame, kOrifice, {}, QStringLiteral("Fenster"));
        QVERIFY(frame.SaveDocument(path));
        Project script = LoadProjectFile(path.toStdString()).project;
        script.Add(doc.Project().At(0).calc.value());
        script.Rename(1, "Skript");
        QVERIFY(SaveProjectFile(path.toStdString(), script, nullptr));
        Keep(frame, kOrifice, {}, QStringLiteral("Fenster 2"));

        QStringList questions;
        frame.SetModalRunner([&](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
                questions << box->text().section('\n', 0, 0);
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == choice)
                        button->click();
                return 0;
            }
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                files->selectFile(otherPath);
                return int(QDialog::Accepted);
            }
            return int(QDialog::Rejected);
        });
        frame.OnCommand(cmd::FileSave);
        QCOMPARE(questions, QStringList{"Die Datei wurde inzwischen geändert, seit Dralun sie geöffnet oder "
                                        "gespeichert hat:"});
        const QByteArray saved = FileBytes(path);
        QCOMPARE(saved.contains("\"Skript\""), choice != QStringLiteral("Überschreiben"));
        QCOMPARE(saved.contains("\"Fenster 2\""), choice == QStringLiteral("Überschreiben"));
        QCOMPARE(FileBytes(otherPath).contains("\"Fenster 2\""), choice.startsWith(QStringLiteral("Unter")));
        QCOMPARE(doc.Modified(), choice == QStringLiteral("Abbrechen"));
        const std::string second = doc.Project().At(1).Name();
        QCOMPARE(second, std::string(choice == QStringLiteral("Neu laden") ? "Skript" : "Fenster 2"));
    }

    void unsavedChangesAreAskedFor_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        for (const char* action : {"close", "new", "open"})
            for (const int answer : {int(QMessageBox::Cancel), int(QMessageBox::No), int(QMessageBox::Yes)})
                QTest::addRow("%s-%d", action, answer) << QString::fromLatin1(action) << answer;
    }
    void unsavedChangesAreAskedFor()
    {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.dralun"));
        const QString otherPath = dir.filePath(QStringLiteral("b.dralun"));
        QVERIFY(SaveProjectFile(otherPath.toStdString(), Project(), nullptr));
        CHydroDoc doc;
        CMainFrame frame(doc);
        frame.SetMessageSink(&m_log);
        frame.show();
        Keep(frame, kOrifice, {}, QStringLiteral("Erste"));
        QVERIFY(frame.SaveDocument(path));
        frame.SetModalRunner([](QDialog& dialog) {
            qobject_cast<QInputDialog*>(&dialog)->setTextValue(QStringLiteral("Zweite"));
            return int(QDialog::Accepted);
        });
        frame.ProjectPanel()->Action(CProjectPanel::Rename)->trigger();
        QVERIFY(doc.Modified());
        QCOMPARE(frame.windowTitle(), QStringLiteral("a.dralun* - Dralun"));

        QStringList questions;
        frame.SetModalRunner([&](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
                questions << box->windowTitle() + '|' + box->text();
                return answer;
            }
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                files->selectFile(otherPath);
                return int(QDialog::Accepted);
            }
            return int(QDialog::Rejected);
        });
        if (action == "close")
            frame.close();
        else
            frame.OnCommand(action == "new" ? cmd::FileNew : cmd::FileOpen);
        QCOMPARE(questions, QStringList{"Dralun|Änderungen speichern?"});

        const bool cancelled = answer == QMessageBox::Cancel;
        QCOMPARE(frame.isVisible(), action != "close" || cancelled);
        if (action != "close")
            QCOMPARE(doc.Project().Size(), std::size_t(cancelled ? 1 : 0));
        if (cancelled)
            QVERIFY(doc.Modified() && doc.Project().At(0).Name() == "Zweite");
        const QByteArray saved = FileBytes(path);
        QCOMPARE(saved.contains("\"Zweite\""), answer == QMessageBox::Yes);
        QCOMPARE(saved.contains("\"Erste\""), answer != QMessageBox::Yes);
        if (action == "open" && !cancelled)
            QCOMPARE(doc.PathName(), otherPath);
    }

    void aFileThatIsNotAProjectIsRefusedAndNeverOverwritten()
    {
        QTemporaryDir dir;
        const QString notes = dir.filePath(QStringLiteral("notes.txt"));
        const QByteArray text = "nur ein Text.\n";
        QCOMPARE(text.size(), 14);
        QFile file(notes);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == 14);
        file.close();
        const QString bound = dir.filePath(QStringLiteral("bleibt.dralun"));

        for (const bool named : {false, true}) {
            CHydroDoc doc;
            CMainFrame frame(doc);
            frame.SetMessageSink(&m_log);
            QVERIFY(ShowActive(frame));
            Keep(frame, kOrifice, {}, QStringLiteral("Drossel"));
            if (named)
                QVERIFY(frame.SaveDocument(bound));
            const QString caption = frame.windowTitle();
            const QString path = doc.PathName();
            QStringList shown;
            frame.SetModalRunner([&](QDialog& dialog) {
                shown << QString::fromLatin1(dialog.metaObject()->className());
                if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
                    shown << box->text();
                    return int(box->standardButtons() & QMessageBox::No ? QMessageBox::No : QMessageBox::Ok);
                }
                auto* files = qobject_cast<QFileDialog*>(&dialog);
                if (files && files->acceptMode() == QFileDialog::AcceptOpen) {
                    files->selectFile(notes);
                    return int(QDialog::Accepted);
                }
                return int(QDialog::Rejected); // the save dialog: cancelled
            });
            frame.OnCommand(cmd::FileOpen);
            QVERIFY2(shown.join('|').contains(
                         QStringLiteral("Die Datei \"notes.txt\" ist kein Dralun-Projekt")),
                     qPrintable(shown.join('|')));
            QCOMPARE(frame.windowTitle(), caption);
            QCOMPARE(doc.PathName(), path);
            QCOMPARE(doc.Project().Size(), std::size_t(1));
            shown.clear();
            QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
            // Unnamed: the save dialog asks (and is cancelled); named: the project's own file.
            QCOMPARE(shown, named ? QStringList{} : QStringList{"QFileDialog"});
            QCOMPARE(FileBytes(notes), text);
        }
    }

    void anEntryThatCannotBeUsedIsShownAndWrittenBackUnchanged()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("alt.dralun"));
        {
            CHydroDoc doc;
            CMainFrame frame(doc);
            frame.SetMessageSink(&m_log);
            Keep(frame, kOrifice, {}, QStringLiteral("Drossel"));
            QVERIFY(frame.SaveDocument(path));
        }
        auto root = ProjectJsonValue::parse(FileBytes(path).toStdString());
        ProjectJsonValue unknown = root["calculations"][0];
        unknown["form"] = 999;
        unknown["name"] = "Aus einer anderen Version";
        unknown["zusatz"] = {{"a", 1}};
        root["calculations"].push_back(unknown);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray::fromStdString(root.dump()));
        file.close();

        CHydroDoc doc;
        CMainFrame frame(doc);
        frame.SetMessageSink(&m_log);
        QStringList messages;
        frame.SetModalRunner([&](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog))
                messages << box->text();
            return int(QDialog::Rejected);
        });
        QVERIFY(frame.OpenDocumentFile(path));
        QListWidgetItem* item = frame.ProjectPanel()->List()->item(1);
        QCOMPARE(item->text(), QStringLiteral("Aus einer anderen Version\nnicht verwendbar: unbekanntes Formular 999"));
        QVERIFY(item->toolTip().contains(QStringLiteral("unbekanntes Formular 999")));
        QVERIFY(item->foreground().color() != frame.ProjectPanel()->List()->item(0)->foreground().color());
        frame.ReopenEntry(1);
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().contains(QStringLiteral("kann nicht geöffnet werden")));

        frame.ProjectPanel()->List()->setCurrentRow(1);
        frame.ProjectPanel()->Action(CProjectPanel::Up)->trigger(); // a change, then save
        QVERIFY(frame.SaveDocument(path));
        const auto again = ProjectJsonValue::parse(FileBytes(path).toStdString());
        QCOMPARE(again["calculations"][0].dump(), unknown.dump());
    }

    void theProjectGoesIntoOnePdfThroughTheMenu()
    {
        QTemporaryDir dir;
        CHydroDoc doc;
        CMainFrame frame(doc);
        frame.SetMessageSink(&m_log);
        QVERIFY(!frame.Action(cmd::FileProjectPdf)->isEnabled() && !frame.Action(cmd::FileProjectPrint)->isEnabled());
        QCOMPARE(frame.Action(cmd::FileProjectPdf)->statusTip(),
                 QStringLiteral("Speichert alle Berechnungen des Projekts als PDF-Datei."));
        Keep(frame, kOrifice, {{COrificeDlg::kIdQ, "80"}}, QStringLiteral("Drossel"));
        Keep(frame, kSwale, {}, QStringLiteral("Mulde"));
        QVERIFY(frame.Action(cmd::FileProjectPdf)->isEnabled());
        QString filter;
        QStringList errors;
        QStringList offered;
        const QString documents = SaveFolder(SaveKind::ProjectPdf);
        frame.SetModalRunner([&](QDialog& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                filter = files->nameFilters().join(';');
                offered << files->selectedFiles().value(0);
                files->selectFile(dir.filePath(QStringLiteral("umgehung")));
                return int(QDialog::Accepted);
            }
            if (auto* box = qobject_cast<QMessageBox*>(&dialog))
                errors << box->text();
            return int(QDialog::Rejected);
        });
        frame.Action(cmd::FileProjectPdf)->trigger();
        QCOMPARE(errors, QStringList());
        QCOMPARE(filter, QStringLiteral("PDF-Dateien (*.pdf)"));
        const QString pdf = dir.filePath(QStringLiteral("umgehung.pdf"));
        QVERIFY(FileBytes(pdf).startsWith("%PDF-"));
        // Named after the project, in the documents folder; the next time
        // in the folder it was saved to.
        frame.Action(cmd::FileProjectPdf)->trigger();
        const QString name = QStringLiteral("Umgehung Süd.pdf");
        QCOMPARE(offered, (QStringList{QDir(documents).filePath(name), dir.filePath(name)}));
#ifdef _WIN32
        return; // the pages are counted by Linux's pdfinfo
#endif
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(30000));
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info.readAllStandardOutput()));
        QVERIFY(pages.hasMatch());
        QVERIFY2(pages.captured(1).toInt() > 1, qPrintable(pages.captured(1)));
    }
};

DRALUN_QTEST(ProjectWindowTest);
#include "ProjectWindowTest.moc"
