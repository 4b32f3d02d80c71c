#include "forms/KostraRainfallFile.h"

#include <system_error>

#include "core/ReplaceFile.h"
#include "core/Platform.h"
#include "core/SafeOutput.h"
#include "forms/KostraMessages.h"

namespace dralun {

namespace {

using Path = std::filesystem::path;

} // namespace

std::string KostraTargetRefusal(const std::filesystem::path& target, const std::filesystem::path& source)
{
    const std::string refused = "Die Datei " + platform::TextOf(target) + " wird nicht geschrieben: ";
    std::error_code error;
    if (std::filesystem::exists(target, error) && std::filesystem::equivalent(target, source, error))
        return refused + "Das ist die Quelle des Imports; sie bleibt, wie sie ist.";
    const Path folder = target.parent_path().empty() ? Path(".") : target.parent_path();
    // "Ordner/" names the folder "Ordner" (Windows compares the two only so).
    const Path sourceFolder = source.has_filename() ? source : source.parent_path();
    if (std::filesystem::is_directory(sourceFolder, error) && IsKostraGridTableName(platform::TextOf(target.filename())) &&
        std::filesystem::equivalent(folder, sourceFolder, error))
        return refused + "Das ist die Quelle des Imports: der Name einer Rastertabelle im gelesenen Ordner.";
    if (std::string why = OutputFileProblem(target); !why.empty())
        return refused + why;
    return "";
}

std::string WriteKostraRainfallFile(const KostraCell& cell, const KostraOptions& options,
                                    const std::filesystem::path& target, const std::filesystem::path& source)
{
    if (const KostraProblem why = CheckKostraCell(cell, options); !why.Ok())
        return KostraProblemText(why);
    const std::string text = RainfallFileText(cell, options);
    if (text.empty())
        return "Eine Zeile der Regenreihe passt nicht in 128 Zeichen.";
    if (std::string why = KostraTargetRefusal(target, source); !why.empty())
        return why;
    if (const int error = ReplaceFileWhole(target, text, "kostra"))
        return "Die Datei " + platform::TextOf(target) + " konnte nicht geschrieben werden: " + SystemErrorText(error) + ".";
    return "";
}

} // namespace dralun
