// Shows the main window, the about box and each form the way the program
// does, and saves a picture of each: OUTDIR/main.png, about.png,
// form-ID.png (as opened), form-ID-rechne.png (after "Rechne") and
// form-ID-hilfe.png (its help page, F1).
// Optional: FORM followed by dralun-calc style events ID=TEXT, --click ID.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QThread>
#include <cstdio>

#include "forms/FormRegistry.h"
#include "gui/CAboutDlg.h"
#include "gui/CFormWindow.h"
#include "gui/CHelpDlg.h"
#include "gui/CHydroApp.h"
#include "gui/CHydroView.h"
#include "gui/CMainFrame.h"
#include "gui/CommandTable.h"

using namespace dralun;

namespace {

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

void Save(QWidget& w, const QString& path)
{
    Settle();
    w.grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

class PrintingSink : public IMessageSink {
public:
    void ShowMessage(const std::string& text, MsgIcon) override { std::printf("  message: %s\n", text.c_str()); }
};

void Apply(CForm& form, const QStringList& events)
{
    for (int i = 0; i < events.size(); ++i) {
        const QString e = events[i];
        if (e == "--click" && i + 1 < events.size())
            form.Click(events[++i].toInt());
        else if (e == "--leave" && i + 1 < events.size())
            form.Leave(events[++i].toInt());
        else if ((e == "--select" || e == "--dblclick") && i + 1 < events.size()) {
            const QStringList p = events[++i].split(':');
            if (e == "--select")
                form.Select(p[0].toInt(), p[1].toInt());
            else
                form.DoubleClick(p[0].toInt(), p[1].toInt());
        } else if (e.contains('=')) {
            form.Type(e.section('=', 0, 0).toInt(), e.section('=', 1).toStdString());
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    CHydroApp app(argc, argv);
    const QStringList args = app.arguments();
    const QString out = args.size() > 1 ? args[1] : QStringLiteral("shots");
    QDir().mkpath(out);
    app.InitInstance({});
    CMainFrame* frame = app.MainFrame();
    Settle();
    if (args.size() <= 2) {
        Save(*frame, out + "/main.png");
        frame->screen()->grabWindow(0).save(out + "/screen.png");
        CAboutDlg about(frame);
        about.show();
        Save(about, out + "/about.png");
        about.hide();
        // Qt's own dialogs, as the program shows them.
        frame->SetModalRunner([&](QDialog& dialog) {
            dialog.show();
            for (int i = 0; i < 10; ++i) // the directory is read in the background
                Settle();
            Save(dialog, out + "/qt-open.png");
            dialog.hide();
            return int(QDialog::Rejected);
        });
        frame->OnCommand(cmd::FileOpen);
        frame->SetModalRunner([](QDialog& dialog) { return dialog.exec(); });
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Dralun"),
                        QStringLiteral("Bitte geben Sie eine Zahl ein.\nDezimaltrennzeichen ist der Punkt, nicht das Komma."),
                        QMessageBox::Ok, frame);
        box.show();
        Save(box, out + "/qt-message.png");
        box.hide();
        QPrintPreviewDialog preview(frame);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, frame->View(), &CHydroView::Print);
        preview.resize(900, 700);
        preview.show();
        Save(preview, out + "/qt-preview.png");
        preview.hide();
    }

    PrintingSink sink;
    for (const FormInfo& info : AllForms()) {
        if (args.size() > 2 && FindForm(args[2].toStdString()) != &info)
            continue;
        std::printf("form %d\n", info.templateId);
        CFormWindow window(info, frame, &sink);
        window.show();
        const QString base = out + QStringLiteral("/form-%1").arg(info.templateId);
        Save(window, base + ".png");
        if (args.size() > 3) {
            window.Perform([&](CForm& form) { Apply(form, args.mid(3)); });
            Save(window, base + "-events.png");
            continue;
        }
        if (QWidget* rechne = window.Control(kIdOk))
            if (auto* b = qobject_cast<QAbstractButton*>(rechne); b && b->text() == "Rechne") {
                b->click();
                Save(window, base + "-rechne.png");
            }
        // Its help page (F1).
        window.ShowHelp();
        if (CHelpDlg* help = window.HelpWindow()) {
            Save(*help, base + "-hilfe.png");
            help->close();
        }
    }
    return 0;
}
