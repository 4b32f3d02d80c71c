// A project file as "Öffnen…" and dralun-calc --project read it. Nothing
// may crash or hang; a file that is read is written back, and what is
// written reads again with the same entries; every entry that can be used
// is redone on its form without a fault.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzDataDir.h"
#include "project/KeepCalculation.h"
#include "project/ProjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    dralun::fuzz::DataDir(); // the forms read their tables from a data directory of their own
    const dralun::ProjectRead read =
        dralun::ReadProject(std::string_view(reinterpret_cast<const char*>(data), size));
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
