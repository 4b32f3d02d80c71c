// Every computing form has its kept project beside this file, named
// "<template id>-<short name>.dralun", which CTest checks with dralun-calc.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "forms/FormRegistry.h"

namespace dralun {
namespace {

TEST(GoldenProjects, EveryComputingFormHasOne)
{
    int forms = 0;
    for (const FormInfo& info : AllForms()) {
        if (!info.Computes())
            continue;
        ++forms;
        const std::string name = std::to_string(info.templateId) + "-" + info.shortName + ".dralun";
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(DRALUN_GOLDEN_DIR) / name))
            << "kein Projekt " << name << " in tests/golden";
    }
    EXPECT_GE(forms, 15);
}

} // namespace
} // namespace dralun
