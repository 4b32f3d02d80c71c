// The program as a user leaves it when it dies: the application object and
// the main window, a calculation kept from the orifice form (and, with a
// file name, the project saved there and a second calculation kept after
// it). Once the automatic copy is on disk it says so on standard output and
// waits to be killed.
#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QThread>
#include <cstdio>

#include "forms/COrificeDlg.h"
#include "gui/CFormWindow.h"
#include "gui/CHydroApp.h"
#include "gui/CHydroDoc.h"
#include "gui/CMainFrame.h"
#include "gui/project/Autosave.h"
#include "gui/project/CKeepCalcDlg.h"

using namespace dralun;

namespace {

void KeepOrifice(CMainFrame& frame, const char* q, const char* name)
{
    frame.SetModalRunner([&](QDialog& dialog) {
        if (auto* window = qobject_cast<CFormWindow*>(&dialog)) {
            window->Perform([&](CForm& form) { form.Type(COrificeDlg::kIdQ, q); });
            for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
                if (b->text() == QStringLiteral("In Projekt übernehmen"))
                    b->click();
        } else if (auto* keep = qobject_cast<CKeepCalcDlg*>(&dialog)) {
            keep->NameEdit()->setText(QString::fromUtf8(name));
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    });
    frame.OnCommand(32777);
}

} // namespace

int main(int argc, char** argv)
{
    CHydroApp app(argc, argv);
    CHydroDoc doc;
    CMainFrame frame(doc);
    CMessageLog log;
    frame.SetMessageSink(&log);
    KeepOrifice(frame, "80", "Drossel Schacht 4");
    if (argc > 1) {
        if (!frame.SaveDocument(QString::fromLocal8Bit(argv[1])))
            return 3;
        KeepOrifice(frame, "90", "Drossel Schacht 5");
    }
    QElapsedTimer waited;
    waited.start();
    while (!autosave::Exists()) {
        if (waited.elapsed() > 20000)
            return 2;
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    std::printf("Sicherung geschrieben\n");
    std::fflush(stdout);
    return app.exec();
}
