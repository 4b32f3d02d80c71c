#pragma once
// What the rain import and the zip reader say when they refuse a source, a
// table or a cell: one German message for each status, with the names and
// numbers the status carries.
#include <string>

#include "core/KostraImport.h"
#include "core/ZipArchive.h"

namespace dralun {

// "raster.zip, Eintrag „a.csv“: Der Eintrag ist beschädigt: …"; "" for Ok.
std::string ZipProblemText(const ZipProblem& problem);

// "zelle.csv: Die Dauerstufe 45 min fehlt."; "" for Ok.
std::string KostraProblemText(const KostraProblem& problem);

} // namespace dralun
