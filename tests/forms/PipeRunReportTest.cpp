// The report Rohr.txt of the pipe run: appended to, a header block before
// the first row of each opening, one row per computed reach, "-" for what
// cannot be determined.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/CPipeRunFlow.h"
#include "forms/PipeRunFiles.h"
#include "testkit/TempDataDir.h"
#include "PipeRunReportHeader.h"

namespace dralun {
namespace {

const char* const kHeader = test::kPipeRunReportHeader;

// Rows i = 1..100 with Q/Qv = i/100, v/vv = 0.5 + i/200, h/D = i*i/10000.
PipeTables TestTable()
{
    PipeTables t;
    for (int i = 1; i <= PipeTables::kMaxRows; ++i) {
        t.fillRatio[i] = i / 100.0;
        t.velocityRatio[i] = 0.5 + i / 200.0;
        t.depthRatio[i] = i * i / 10000.0;
    }
    t.rowCount = PipeTables::kMaxRows;
    return t;
}

PipeRunReach Computed(const PipeTables& table, const PipeReachInput& in)
{
    return {in, ComputePipeReach(table, in)};
}

// DN 300, kb 1.5, 1 : 100, L = 10 m.
PipeReachInput DefaultReach(double Q)
{
    PipeReachInput in;
    in.mode = PipeSlopeMode::OneIn;
    in.slopeN = 100;
    in.kb = 1.5;
    in.DN = 300;
    in.L = 10;
    in.Q = Q;
    return in;
}

TEST(PipeRunReport, OpeningWritesNothingUntilTheFirstRow)
{
    test::TempDataDir dir;
    {
        CPipeRunReport report;
        EXPECT_TRUE(report.IsOpen());
    }
    EXPECT_EQ(dir.ReadText("Rohr.txt"), ""); // the header comes with the first row
    EXPECT_EQ(std::string(kHeader).find("oben    unten") + 90 + 2,
              std::string(kHeader).find("m NN")); // padded to 90, then " \n"
}

TEST(PipeRunReport, AnExistingReportKeepsItsLines)
{
    test::TempDataDir dir;
    const std::string earlier = std::string("alter Bericht") + test::kLineEnd;
    dir.Write("Rohr.txt", earlier);
    { CPipeRunReport report; } // an opening without a row writes nothing
    EXPECT_EQ(dir.ReadText("Rohr.txt"), "alter Bericht\n");
}

TEST(PipeRunReport, RowsShowTheComputedReach)
{
    test::TempDataDir dir;
    const PipeTables table = TestTable();
    const PipeRunReach reach = Computed(table, DefaultReach(40));
    // vt = (0.70 + 0.005 * 0.84049) * 1.38560 = 0.975733 m/s,
    // DrH = (0.16 + 0.0081 * 0.84049) * 0.3 = 0.050042 m, L / vt = 10.249 s.
    const std::string row =
        "  0.00   0.00  10.00  100.0   1.00    300  1.5     98   1.39     40   0.98   0.05     10\n";
    // Overloaded: Qt, vt and DrH 0, no flow time.
    const std::string overloaded =
        "  0.00   0.00  10.00  100.0   1.00    300  1.5     98   1.39      0   0.00   0.00      -\n";
    const std::string first = std::string(kHeader) + row + overloaded;
    {
        CPipeRunReport report;
        EXPECT_EQ(PipeReportRow(reach), row);
        EXPECT_TRUE(report.Append(reach));
        EXPECT_TRUE(report.Append(Computed(table, DefaultReach(120))));
        EXPECT_EQ(dir.ReadText("Rohr.txt"), first);
    }
    // A later opening puts its own header before its rows. (One at a time:
    // Windows lets only one writer have the file open.)
    {
        CPipeRunReport again;
        EXPECT_TRUE(again.Append(reach));
    }
    EXPECT_EQ(dir.ReadText("Rohr.txt"), first + kHeader + row);
}

TEST(PipeRunReport, UndeterminedValuesShowADash)
{
    PipeReachInput in = DefaultReach(40);
    in.mode = PipeSlopeMode::Percent;
    in.slopePercent = 0;
    EXPECT_EQ(PipeReportRow(Computed(PipeTables{}, in)),
              "  0.00   0.00  10.00      -   0.00    300  1.5      -      -      -      -      -      -\n");
}

TEST(PipeRunReport, WithoutADataDirectoryNothingIsWritten)
{
    test::TempDataDir dir;
    setenv("DRALUN_DATA_DIR", (dir.Path() / "fehlt").string().c_str(), 1);
    CPipeRunReport report;
    EXPECT_FALSE(report.IsOpen());
    const PipeRunReach reach = Computed(PipeTables{}, DefaultReach(40));
    EXPECT_TRUE(reach.result.Computed());
    EXPECT_FALSE(report.Append(reach));
}

} // namespace
} // namespace dralun
