// The rainfall series of the installation medium: the committed file is the
// generator's output, has the layout the reader expects, and follows the
// model (growing with duration and return period, 100 l/(s·ha) for 15 min
// at n = 1).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/CRainfallTable.h"
#include "core/NumberText.h"
#include "core/TableText.h"
#include "forms/RainfallFileLoad.h"
#include "generators/Rainfall.h"
#include "testkit/TempDataDir.h"
#include "testkit/MediumOfTree.h"

namespace dralun::gen {
namespace {

TEST(Rainfall, CommittedFileIsTheGeneratorsOutputIn29ShortLines)
{
    const std::string text = RainfallFileText();
    EXPECT_EQ(test::ReadFile(test::MediumDir() / kRainfallFileName), text) << "R3943MI.txt differs: run gen-rainfall";
    EXPECT_EQ(text.find_first_of("\r\t"), std::string::npos);
    int lines = 0;
    for (size_t start = 0; start < text.size(); ++lines) {
        const size_t end = text.find('\n', start);
        ASSERT_NE(end, std::string::npos);
        EXPECT_LE(end - start + 1, 129u); // one read of the reader
        if (lines == 16 || lines == 24) { // the two lines the reader skips
            EXPECT_EQ(TableColumn(text.c_str() + start, 2), "ueber");
        }
        start = end + 1;
    }
    EXPECT_EQ(lines, 29);
}

TEST(Rainfall, TheReaderTakesEveryColumnAndTheValuesGrowAsTheyShould)
{
    const auto path = (test::MediumDir() / kRainfallFileName).string();
    const std::vector<double> n = RainFrequencies();
    ASSERT_EQ(n, (std::vector<double>{2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01}));
    CRainfallTable previous;
    for (size_t k = 0; k < n.size(); ++k) {
        CRainfallTable t;
        const auto result = LoadRainfallFile(t, path, n[k]);
        ASSERT_TRUE(result.loaded && !result.warning) << result.message;
        for (int r = 1; r <= 18; ++r) {
            const RainDuration d = RainDurations()[static_cast<size_t>(r - 1)];
            EXPECT_EQ(t.RowAt(r).unitText, r <= 8 ? "min" : "h");
            EXPECT_EQ(t.RowAt(r).duration, d.minutes); // by position ...
            EXPECT_EQ(t.RainOfRow(r).durationMinutes, d.minutes); // ... and by unit word
            EXPECT_NEAR(t.RowAt(r).intensity, RainIntensity(d.minutes, 1 / n[k]), 0.05);
            if (r > 1) {
                EXPECT_LT(t.RowAt(r).intensity, t.RowAt(r - 1).intensity) << k << " " << r;
                EXPECT_GT(t.RowAt(r).intensity * d.minutes, t.RowAt(r - 1).intensity * t.RowAt(r - 1).duration);
            }
            if (k > 0) {
                EXPECT_GT(t.RowAt(r).intensity, previous.RowAt(r).intensity) << k << " " << r;
            }
        }
        previous = t;
    }
    // Depths (field 2k+2) agree with the intensities: 1 l/(s·ha) over a minute is 0.006 mm.
    const std::string text = RainfallFileText();
    const std::string row12 = text.substr(text.find("\n   6 h ") + 1);
    EXPECT_EQ(ClassicAtof(TableColumn(row12.c_str(), 3)), 360);
    EXPECT_NEAR(ClassicAtof(TableColumn(row12.c_str(), 6)), ClassicAtof(TableColumn(row12.c_str(), 7)) * 360 * 0.006,
                0.05 + 0.05 * 360 * 0.006);
}

TEST(Rainfall, TheModel)
{
    EXPECT_NEAR(RainIntensity(15, 1), 100, 1e-12);
    EXPECT_NEAR(RainDepth(15, 1), 9, 1e-12); // 100 l/(s·ha) over 900 s
    for (double D : {5.0, 60.0, 4320.0})     // (2.8 + ln T) / 2.8 for every duration
        EXPECT_NEAR(RainIntensity(D, 100) / RainIntensity(D, 1), (2.8 + std::log(100.0)) / 2.8, 1e-12);
    EXPECT_NEAR(RainIntensity(60, 1), 100 * std::pow(4.75 / 16, 0.75), 1e-12); // ((1 + 15/4)/(1 + D/4))^0.75
    EXPECT_NEAR(RainDepth(60, 1), 14.5, 0.05);
    EXPECT_NEAR(RainDepth(1440, 1), 33.6, 0.05);
}

} // namespace
} // namespace dralun::gen
