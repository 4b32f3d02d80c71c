// gen-pipe-tables [FOLDER]: writes DN.ASC, A110KR.ASC, A110MA.ASC and
// A110EI.ASC into FOLDER (default medium/Dralun). The files are written byte
// for byte (LF line ends) so that they are the same from every platform; the
// program reads LF and CR LF alike.
#include <string>

#include "generators/PipeTables.h"

int main(int argc, char** argv)
{
    return dralun::gen::WriteDataFiles(argc, argv, "gen-pipe-tables", dralun::gen::PipeDataFiles());
}
