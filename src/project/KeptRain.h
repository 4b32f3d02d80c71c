#pragma once
// The rainfall series a project keeps copies of, against the files of the
// data directory: whether each is there as kept, missing, or another file
// of the same name; the copies put in use while a calculation is redone;
// and a copy written back into the data directory.
#include <memory>
#include <string>
#include <vector>

#include "core/KeptFiles.h"
#include "project/Project.h"

namespace dralun {

enum class KeptFileState {
    Same,      // the data directory holds these very bytes
    Missing,   // no file of that name
    Different, // a file of that name with other bytes (or one that cannot be read)
};

struct KeptRainFile {
    std::string name;
    std::string sha256;
    std::shared_ptr<const std::string> content;
    KeptFileState state = KeptFileState::Same;
    // Another calculation of the project keeps another copy under the same
    // name: which one belongs in the data directory cannot be told.
    bool ambiguous = false;
};

// Why a copy the calculation keeps is not its rainfall series, in German
// ("die Kopie „DN.ASC“ ist nicht die Regendatei, die das Feld „Datei“
// nennt"): a copy counts only when it is the file that the rainfall field
// of the calculation's form names, under that name. "" for such a copy and
// for a file kept without content.
std::string KeptFileRefusal(const Calculation& calc, const KeptDataFile& file);

// The copies of a calculation to be used while it is redone: its rainfall
// series only.
std::vector<KeptFileCopy> KeptCopies(const Calculation& calc);

// The state of one copy against the data directory.
KeptFileState StateInDataDirectory(const std::string& name, const std::string& sha256);

// Each kept rainfall series of the project once (by name and SHA-256), in
// project order, with its state; a copy KeptFileRefusal refuses is none.
std::vector<KeptRainFile> KeptRainFiles(const Project& project);

// "fehlt im Datenverzeichnis", "im Datenverzeichnis steht eine andere Datei
// dieses Namens", "gleich der Datei im Datenverzeichnis".
std::string StateText(KeptFileState state);

// The calculation as it is redone on this machine: an input that names a
// kept file by a path that does not exist here (the data directory of the
// machine it was made on) names the file of this data directory instead,
// when that holds the very bytes kept. Anything else stays as it was.
Calculation OnThisMachine(const Calculation& calc);

// Writes the copy into the data directory, whole or not at all (the file of
// that name replaced). "" on success, else why not, in German.
std::string RestoreKeptFile(const KeptRainFile& file);

} // namespace dralun
