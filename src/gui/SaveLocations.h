#pragma once
// Where the program offers to save what the user makes for others to read
// (reports as PDF, rating tables as CSV, projects), and under which name.
// By default the user's documents folder; each kind remembers the folder it
// was last saved to.
#include <QString>

namespace dralun {

enum class SaveKind { ReportPdf, ProjectPdf, RatingCsv, ChartPicture, Project };

// The folder to offer for a kind: the one last saved to, else the
// documents folder.
QString SaveFolder(SaveKind kind);
// Remembers the folder of a file just saved.
void RememberSaveFolder(SaveKind kind, const QString& savedFile);
// A file name from the form's title and the "Bauwerk" of the report head,
// with characters no file system takes replaced: "Rohr – Haltung R12-R13.pdf";
// the title alone when the structure is empty. suffix without the point.
QString SuggestedFileName(const QString& formTitle, const QString& structure, const QString& suffix);
// Folder and name together, for a save dialog.
QString SuggestedSavePath(SaveKind kind, const QString& formTitle, const QString& structure, const QString& suffix);

} // namespace dralun
