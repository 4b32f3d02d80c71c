// gen-inlet-tables [FOLDER]: writes the 31 inlet capacity tables b1-0.bin
// ... sp15-0.bin into FOLDER (default medium/Dralun), byte for byte.
#include <string>

#include "generators/InletTables.h"

int main(int argc, char** argv)
{
    return dralun::gen::WriteDataFiles(argc, argv, "gen-inlet-tables", dralun::gen::InletTableFiles());
}
