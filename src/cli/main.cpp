#include <iostream>
#include <string>
#include <vector>

#include "cli/CCalcDriver.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return dralun::CCalcDriver::Run(args, std::cout, std::cerr);
}
