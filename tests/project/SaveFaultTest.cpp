// Every step of writing a file whole fails once, at each place in turn:
// creating, writing, flushing, closing and renaming the temporary file,
// flushing the folder, opening and locking the lock file. Afterwards the
// file is the old one or the new one, whole; no temporary file is left; a
// write reported done is the new file. And what a killed writer left is
// cleaned by the next.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/KostraImport.h"
#include "forms/KostraRainfallFile.h"
#include "core/ReplaceFile.h"
#include "project/KeptRain.h"
#include "project/ProjectFile.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

namespace fs = std::filesystem;

Project Named(const std::string& name)
{
    Project p;
    p.AddRead(ProjectEntry{ProjectJsonValue::object({{"name", name}}), std::nullopt, "kein Formular"});
    return p;
}

KostraCell Cell(double step)
{
    KostraCell cell;
    cell.indexRc = "117111";
    cell.atlas = "KOSTRA-DWD-2020";
    for (int d = 0; d < 18; ++d)
        for (int t = 0; t < 7; ++t)
            cell.depth[d][t] = 7.0 + t + step * d;
    return cell;
}

// The files of the folder besides those named.
int Others(const fs::path& folder, std::initializer_list<std::string> named)
{
    int others = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        others += std::find(named.begin(), named.end(), entry.path().filename().string()) == named.end();
    return others;
}

TEST(SaveFault, EveryFailingStepLeavesTheOldFileOrTheNewWhole)
{
    const struct {
        const char* writer;
        const char* file;
        std::function<bool(const fs::path&, int)> write; // version 0 or 1; whether done
    } cases[] = {
        {"project save", "p.dralun",
         [](const fs::path& path, int v) { return SaveProjectFile(path, Named(v ? "neu" : "alt"), nullptr); }},
        {"rain import", "KOSTRA2020_117111.txt",
         [](const fs::path& path, int v) {
             return WriteKostraRainfallFile(Cell(v ? 3.0 : 2.5), {"2024-05-17", false}, path).empty();
         }},
        {"kept copy", "R.txt",
         [](const fs::path&, int v) {
             const std::string bytes = v ? "neu\n" : "alt\n";
             return RestoreKeptFile({"R.txt", "", std::make_shared<const std::string>(bytes)}).empty();
         }},
    };
    long injected = 0;
    for (const auto& c : cases) {
        test::TempDataDir data;
        const fs::path path = data.File(c.file);
        ASSERT_TRUE(c.write(path, 1)) << c.writer;
        const std::string newer = data.Read(c.file);
        ASSERT_TRUE(c.write(path, 0)) << c.writer;
        const std::string older = data.Read(c.file);
        ASSERT_NE(older, newer);
        for (long n = 1;; ++n) {
            ASSERT_TRUE(c.write(path, 0)) << c.writer;
            bool done = false;
            bool failed = false;
            {
                CInjectedFault fault(n, n % 2 ? ENOSPC : EIO);
                done = c.write(path, 1);
                failed = fault.Failed();
            }
            if (!failed) {
                EXPECT_TRUE(done) << c.writer << ": no step " << n;
                EXPECT_GT(n, 4) << c.writer;
                break;
            }
            ++injected;
            const std::string now = data.Read(c.file);
            EXPECT_TRUE(now == older || now == newer) << c.writer << ", step " << n;
            if (done) {
                EXPECT_EQ(now, newer) << c.writer << ", step " << n;
            }
            EXPECT_EQ(Others(data.Path(), {c.file, std::string(c.file) + ".lock"}), 0) << c.writer << ", step " << n;
        }
    }
    // Lock: open, lock; temporary file: create, write, flush, close, rename;
    // folder: flush (POSIX; Windows writes the rename through).
#ifdef _WIN32
    constexpr long kReplaceSteps = 5;
#else
    constexpr long kReplaceSteps = 6;
#endif
    EXPECT_EQ(injected, 2 + 3 * kReplaceSteps);
}

// What a writer killed an hour ago left is removed by the next write of its
// kind: the names of this version (hidden) and of earlier ones.
TEST(SaveFault, AbandonedTemporaryFilesOfEveryWriterAreRemoved)
{
    const struct {
        const char* writer;
        std::function<bool(const fs::path&)> write;
        std::vector<std::string> abandoned;
    } cases[] = {
        {"project save", [](const fs::path& d) { return SaveProjectFile(d / "p.dralun", Named("neu"), nullptr); },
         {".dralun-save-0123456789abcdef"}},
        {"rain import",
         [](const fs::path& d) {
             return WriteKostraRainfallFile(Cell(3.0), {"2024-05-17", false}, d / "K.txt").empty();
         },
         {".dralun-kostra-0123456789abcdef", "kostra0123456789abcdef"}},
        {"kept copy",
         [](const fs::path&) {
             return RestoreKeptFile({"R.txt", "", std::make_shared<const std::string>("neu")}).empty();
         },
         {".dralun-kept-0123456789abcdef", "kept0123456789abcdef"}},
    };
    for (const auto& c : cases) {
        test::TempDataDir data;
        const std::string young = c.abandoned[0].substr(0, c.abandoned[0].size() - 1) + "0";
        data.Write(young, "halb");
        for (const std::string& name : c.abandoned) {
            data.Write(name, "halb");
            fs::last_write_time(data.File(name), fs::file_time_type::clock::now() - std::chrono::minutes(61));
        }
        ASSERT_TRUE(c.write(data.Path())) << c.writer;
        for (const std::string& name : c.abandoned)
            EXPECT_FALSE(data.Exists(name)) << c.writer << ": " << name;
        EXPECT_TRUE(data.Exists(young)) << c.writer; // perhaps another program's write in progress
    }
}

} // namespace
} // namespace dralun
