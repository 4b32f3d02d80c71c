#pragma once
// What the main window's parts share in their dialogs: the German yes/no
// question, the file dialog's size and the names it offers.
#include <QMessageBox>
#include <QString>
#include <string>

#include "gui/CMainFrame.h"

class QFileDialog;

namespace dralun {

class CHydroDoc;

namespace mainframe {

inline const QString kProjectFilter = QStringLiteral("Dralun-Projekte (*.dralun);;Alle Dateien (*)");

inline QString Q(const std::string& s) { return QString::fromStdString(s); }

// A question with German buttons; the answer is the QMessageBox value of the button.
int Ask(const CMainFrame::ModalRunner& run, QWidget* parent, const QString& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton = QMessageBox::Yes);

// The name a file dialog offers: the document's own, else "Projekt".
QString SuggestedName(const CHydroDoc& doc, const QString& suffix);
// What the project is called in a file name: the "Projekt" of its reports'
// head, else the document's file name without its suffix, else "Projekt".
QString ProjectName(const CHydroDoc& doc);
QString WithSuffix(QString path, const QString& suffix);

// Qt's own file dialog (where the platform has none of its own) opens large
// enough for its columns, and the size, type and date columns are as wide as
// their texts.
void FitFileDialog(QFileDialog& dialog);

} // namespace mainframe
} // namespace dralun
