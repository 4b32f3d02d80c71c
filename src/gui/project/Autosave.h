#pragma once
// The automatic copy of an unsaved project, for the case that the program
// does not end as it should: autosave.dralun (a project file, written
// atomically) and autosave.path (the UTF-8 path of the document it belongs
// to, empty for an unnamed one) in the program's local data folder.
#include <QString>
#include <memory>

#include "project/Project.h"

class QLockFile;

namespace dralun::autosave {

QString Folder();
QString ProjectPath(); // the copy itself
QString BoundPath();   // the side file naming the document

// The right to the copy, held while a main window lives: null when another
// running program holds it (that program's copy is not ours to offer or to
// overwrite). A program that was killed leaves a stale lock, which is taken.
std::unique_ptr<QLockFile> Claim();

bool Exists();
// false with a German reason when the copy could not be written.
bool Write(const Project& project, const QString& documentPath, QString* error);
void Remove();

struct Loaded {
    bool ok = false;
    QString error;        // why the copy cannot be read, in German
    Project project;
    QString documentPath; // empty: the project had no file
};
Loaded Load();

} // namespace dralun::autosave
