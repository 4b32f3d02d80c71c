#include "install/CInstallCommand.h"

#include <ostream>

#include "core/CDataDirectory.h"
#include "core/Platform.h"
#include "install/CInstallCopy.h"

namespace dralun::install {

const char* const kUsage =
    "Aufruf: dralun-install [--yes [--missing-only]] [--source VERZEICHNIS]\n"
    "  ohne --yes         das Installationsfenster\n"
    "  --yes              ohne Fenster installieren (Meldungen auf stdout/stderr)\n"
    "  --missing-only     nur die Dateien kopieren, die im Datenverzeichnis fehlen\n"
    "  --source DIR       das Installationsmedium (Ordner mit den 36 Dateien)\n"
    "Ziel ist das Datenverzeichnis (DRALUN_DATA_DIR, sonst ~/Dralun/ bzw. C:\\Dralun\\).\n";

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine command;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--yes")
            command.yes = true;
        else if (a == "--missing-only")
            command.missingOnly = true;
        else if (a == "--help" || a == "-h")
            command.help = true;
        else if (a == "--source" && i + 1 < args.size())
            command.source = platform::PathOf(args[++i]);
        else
            command.error = "unbekanntes Argument \"" + a + "\"";
    }
    return command;
}

InstallOptions OptionsOf(const CommandLine& command)
{
    InstallOptions options;
    options.missingOnly = command.missingOnly;
    return options;
}

int InstallWithoutWindow(const CommandLine& command, std::ostream& out, std::ostream& err)
{
    const InstallResult result = Install(FindMedium(command.source), platform::PathOf(CDataDirectory::Path()), OptionsOf(command));
    if (!result.ok) {
        err << result.message << '\n';
        return 1;
    }
    out << result.message << " (" << result.copied << " Dateien nach " << CDataDirectory::Path() << ")\n";
    return 0;
}

} // namespace dralun::install
