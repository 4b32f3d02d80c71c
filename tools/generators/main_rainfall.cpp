// gen-rainfall [FOLDER]: writes the rainfall series R3943MI.txt into FOLDER
// (default medium/Dralun). The file is written byte for byte (LF line ends)
// so that it is the same from every platform; the program reads LF and
// CR LF alike.

#include "generators/DataFile.h"
#include "generators/Rainfall.h"

int main(int argc, char** argv)
{
    return dralun::gen::WriteDataFiles(argc, argv, "gen-rainfall",
                                       {{dralun::gen::kRainfallFileName, dralun::gen::RainfallFileText()}});
}
