#include <iostream>
#include <string>
#include <vector>

#include "cli/CCalcDriver.h"
#include "core/Platform.h"

int main(int argc, char** argv)
{
    return dralun::CCalcDriver::Run(dralun::platform::Arguments(argc, argv), std::cout, std::cerr);
}
