#pragma once
// Writing the rainfall file of an imported KOSTRA-DWD cell, for the import
// dialog and dralun-calc --import-rain: the target checked, then the file
// replaced whole. The answers are the messages the user reads.
#include <filesystem>
#include <string>

#include "core/KostraImport.h"

namespace dralun {

// Why the rainfall file is not to be written to target, as a whole German
// sentence naming it; "" when it may be. Besides what makes any output file
// unfit (see OutputFileProblem), the import never writes over its source:
// the archive or table it read, or a grid table's name in the folder it read
// (over a table, or beside them where the next import would read it too).
std::string KostraTargetRefusal(const std::filesystem::path& target, const std::filesystem::path& source);

// Writes the rainfall file of the cell, imported from source (none: empty),
// to target, replacing it whole (a temporary file beside it, then renamed):
// "" when written, else the reason, and then nothing has been written.
std::string WriteKostraRainfallFile(const KostraCell& cell, const KostraOptions& options,
                                    const std::filesystem::path& target, const std::filesystem::path& source = {});

} // namespace dralun
