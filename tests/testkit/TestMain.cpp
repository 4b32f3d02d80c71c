// main of every GoogleTest program: the tests get a home and a data
// directory of their own below the build tree, whoever starts them, so they
// never touch the real home directory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv)
{
    const std::filesystem::path home = DRALUN_TEST_HOME;
    std::filesystem::create_directories(home / "runtime");
    setenv("HOME", home.string().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").string().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (home / "runtime").string().c_str(), 1);
    setenv("DRALUN_DATA_DIR", (home / "data-unset").string().c_str(), 1);
    setenv("DRALUN_MEDIUM_DIR", DRALUN_MEDIUM_DIR, 0);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
