#include <iostream>
#include <string>
#include <vector>

#include "cli/CCalcDriver.h"
#include "core/Platform.h"
#include "core/SafeOutput.h"

int main(int argc, char** argv)
{
    dralun::platform::NoErrorBoxes();
    // Standard output goes through a buffer that keeps the first failed
    // write: a table cut short by a full disk must not end in success.
    dralun::COutputBuffer buffer(1);
    std::ostream out(&buffer);
    const int status = dralun::CCalcDriver::Run(dralun::platform::Arguments(argc, argv), out, std::cerr);
    const int error = buffer.Finish();
    if (error)
        std::cerr << dralun::OutputFailedText("dralun-calc", error) << '\n';
    return dralun::StatusAfterOutput(status, error);
}
