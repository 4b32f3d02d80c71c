// dralun-install: fills the data directory from the installation medium.
#include <iostream>
#include <string>
#include <vector>

#include "core/CDataDirectory.h"
#include "core/Platform.h"
#include "install/CInstallApp.h"
#include "install/CInstallCommand.h"
#include "install/CInstallCopy.h"

int main(int argc, char** argv)
{
    using namespace dralun::install;
    dralun::platform::NoErrorBoxes();
    // A window program: what it writes (--help, --yes, a wrong argument)
    // reaches the console it was started from.
    dralun::platform::UseParentConsole();
    // As the system gives them: UTF-16 on Windows, so "C:\Medium Müller" stays whole.
    const CommandLine command = ParseCommandLine(dralun::platform::Arguments(argc, argv));
    if (!command.error.empty()) {
        std::cerr << "dralun-install: " << command.error << '\n' << kUsage;
        return 2;
    }
    if (command.help) {
        std::cout << kUsage;
        return 0;
    }
    if (command.yes)
        return InstallWithoutWindow(command, std::cout, std::cerr);
    CInstallApp app(argc, argv);
    return app.Run(FindMedium(command.source), dralun::platform::PathOf(dralun::CDataDirectory::Path()), OptionsOf(command));
}
