#include "project/KeptRain.h"

#include <algorithm>

#include "core/CDataDirectory.h"
#include "core/FileStamp.h"
#include "core/Platform.h"
#include "core/ReplaceFile.h"
#include "core/SafeOutput.h"
#include "core/TextCase.h"
#include "forms/CInfiltrationSwaleDlg.h"
#include "project/CalculationJson.h"
#include "forms/CInfiltrationTrenchDlg.h"

namespace dralun {

namespace {

// The field of a form that names its rainfall file; 0 for a form that reads none.
int RainFileField(int form)
{
    switch (form) {
    case CInfiltrationSwaleDlg::kTemplateId: return CInfiltrationSwaleDlg::kIdDatei;
    case CInfiltrationTrenchDlg::kTemplateId: return CInfiltrationTrenchDlg::kIdDatei;
    default: return 0;
    }
}

} // namespace

std::string KeptFileRefusal(const Calculation& calc, const KeptDataFile& file)
{
    const std::string copy = "die Kopie \u201E" + Printable(file.name, 80) + "\u201C";
    if (!file.content)
        return {};
    if (!IsBareFileName(file.name))
        return copy + " hat keinen Dateinamen";
    const int field = RainFileField(calc.form);
    if (!field)
        return copy + " gehört zu keiner Regendatei: das Formular liest keine";
    const auto named = std::find_if(calc.inputs.begin(), calc.inputs.end(),
                                    [field](const auto& input) { return input.first == field; });
    const std::string text = named == calc.inputs.end() ? std::string() : named->second;
    const std::size_t slash = text.find_last_of("/\\");
    if (!EqualsIgnoringCase(slash == std::string::npos ? text : text.substr(slash + 1), file.name))
        return copy + " ist nicht die Regendatei, die das Feld \u201EDatei\u201C nennt";
    return {};
}

std::vector<KeptFileCopy> KeptCopies(const Calculation& calc)
{
    std::vector<KeptFileCopy> copies;
    for (const KeptDataFile& file : calc.files)
        if (file.content && KeptFileRefusal(calc, file).empty())
            copies.push_back({file.name, file.sha256, file.content});
    return copies;
}

KeptFileState StateInDataDirectory(const std::string& name, const std::string& sha256)
{
    if (!IsBareFileName(name))
        return KeptFileState::Different;
    const std::filesystem::path path = CDataDirectory::File(name);
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return KeptFileState::Missing;
    return StampFile(name, path).sha256 == sha256 ? KeptFileState::Same : KeptFileState::Different;
}

std::vector<KeptRainFile> KeptRainFiles(const Project& project)
{
    std::vector<KeptRainFile> files;
    for (const ProjectEntry& entry : project.Entries()) {
        if (!entry.calc)
            continue;
        for (const KeptDataFile& kept : entry.calc->files) {
            if (!kept.content || !KeptFileRefusal(*entry.calc, kept).empty())
                continue;
            bool known = false;
            for (KeptRainFile& file : files) {
                if (!EqualsIgnoringCase(file.name, kept.name))
                    continue;
                if (file.sha256 == kept.sha256)
                    known = true;
                else
                    file.ambiguous = true;
            }
            if (known)
                continue;
            const bool ambiguous = std::any_of(files.begin(), files.end(), [&](const KeptRainFile& file) {
                return EqualsIgnoringCase(file.name, kept.name);
            });
            files.push_back({kept.name, kept.sha256, kept.content, StateInDataDirectory(kept.name, kept.sha256),
                             ambiguous});
        }
    }
    return files;
}

Calculation OnThisMachine(const Calculation& calc)
{
    Calculation here = calc;
    for (auto& [id, text] : here.inputs) {
        const size_t slash = text.find_last_of("/\\");
        if (slash == std::string::npos)
            continue;
        const std::string name = text.substr(slash + 1);
        for (const KeptDataFile& kept : calc.files) {
            if (!kept.content || !EqualsIgnoringCase(kept.name, name))
                continue;
            std::error_code error;
            if (!std::filesystem::exists(platform::PathOf(text), error) &&
                StateInDataDirectory(kept.name, kept.sha256) == KeptFileState::Same)
                text = CDataDirectory::Path() + kept.name;
            break;
        }
    }
    return here;
}

std::string StateText(KeptFileState state)
{
    switch (state) {
    case KeptFileState::Same:
        return "gleich der Datei im Datenverzeichnis";
    case KeptFileState::Missing:
        return "fehlt im Datenverzeichnis";
    case KeptFileState::Different:
        return "im Datenverzeichnis steht eine andere Datei dieses Namens";
    }
    return {};
}

std::string RestoreKeptFile(const KeptRainFile& file)
{
    if (!file.content)
        return "Das Projekt enthält keine Kopie der Datei \"" + file.name + "\".";
    if (!IsBareFileName(file.name))
        return "\"" + file.name + "\" ist kein Dateiname im Datenverzeichnis.";
    const std::filesystem::path target = CDataDirectory::File(file.name);
    if (std::string why = OutputFileProblem(target); !why.empty())
        return "Die Datei \"" + file.name + "\" wird nicht geschrieben: " + why;
    if (const int error = ReplaceFileWhole(target, *file.content, "kept"))
        return "Die Datei \"" + file.name + "\" konnte nicht geschrieben werden: " + SystemErrorText(error) + ".";
    return {};
}

} // namespace dralun
