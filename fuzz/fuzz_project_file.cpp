// A project file as "Öffnen…" and dralun-calc --project read it. Nothing
// may crash or hang; a file that is read is written back, and what is
// written reads again with the same entries; every entry that can be used
// is redone on its form without a fault.
#include <cstdint>
#include <cstdlib>

#include "FuzzDataDir.h"
#include "project/KeepCalculation.h"
#include "project/ProjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The forms read their tables from a data directory of their own; the
    // project is read from a file there, as the program reads it.
    dralun::fuzz::WriteFile("fuzz.dralun", data, size);
    const dralun::ProjectRead read = dralun::LoadProjectFile(dralun::fuzz::DataDir() + "fuzz.dralun");
    if (read.ok == !read.error.empty())
        std::abort();
    if (!read.ok)
        return 0;
    const std::string text = dralun::ProjectText(read.project);
    const dralun::ProjectRead again = dralun::ReadProject(text);
    if (!again.ok || again.project.Size() != read.project.Size())
        std::abort();
    dralun::CSilentSink sink;
    for (const dralun::ProjectEntry& entry : read.project.Entries()) {
        if (entry.Usable() != again.project.At(&entry - read.project.Entries().data()).Usable())
            std::abort();
        if (entry.calc)
            (void)dralun::Reopen(*entry.calc, sink);
    }
    return 0;
}
