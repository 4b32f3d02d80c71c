// The step log: how numbers are put into formulas, which binding counts,
// and the digest that names a data file.
#include <gtest/gtest.h>

#include "core/CalcSteps.h"
#include "core/Sha256.h"

namespace dralun {
namespace {

struct PutInCase {
    const char* formula;
    std::vector<std::pair<std::string, double>> args;
    const char* exact;
};

TEST(PutIn, PutsNumbersForSymbolsOnly)
{
    const PutInCase cases[] = {
        // A negative value keeps its sign against a power.
        {"h^2", {{"h", -0.5}}, "(-0.5)^2"},
        // Function names and the letters of a number's exponent stay.
        {"sqrt(2 * 9.80665 * h) * 1e-3", {{"h", 1.5}}, "sqrt(2 * 9.80665 * 1.5) * 1e-3"},
        {"log10(e) + e", {{"e", 2}}, "log10(2) + 2"},
        // Whole identifiers: "h" is not put into "h2" or "lu_h".
        {"h2 - h + lu_h", {{"h", 1}, {"h2", 0.25}, {"lu_h", 3}}, "0.25 - 1 + 3"},
        {"0.1 + B", {{"B", 0.1 + 0.2}}, "0.1 + 0.3"},
        {"x", {{"x", 1.0 / 3}}, "0.333333333333333"},
    };
    for (const PutInCase& c : cases)
        EXPECT_EQ(PutIn(c.formula, c.args), c.exact) << c.formula;
    EXPECT_EQ(PutIn("A / lu", {{"A", 0.40711009732863}, {"lu", -2}}, NumberStyle::Readable), "0.40711 / (-2)");
}

TEST(CSteps, TheLatestBindingOfASymbolCounts)
{
    CSteps steps;
    steps.Let("h", 2);
    steps.Step("erste Tiefe", "t", "h / 2", 1, "m");
    steps.Let("h", 4);
    steps.Step("zweite Tiefe", "t", "h / 2 + t", 3, "m");
    ASSERT_EQ(steps.Steps().size(), 2u);
    EXPECT_EQ(StepExpr(steps.Steps()[0]), "2 / 2");
    EXPECT_EQ(StepExpr(steps.Steps()[1]), "4 / 2 + 1");
}

TEST(CSteps, ATakenValueIsItsOwnFormulaAndALogThatDoesNotRecordKeepsNothing)
{
    CSteps steps;
    EXPECT_EQ(steps.Taken("aus Tabelle", "K1", -0.25, "-"), -0.25);
    EXPECT_EQ(StepExpr(steps.Steps().at(0)), "(-0.25)");

    CSteps none(false);
    EXPECT_EQ(none.Step("Abfluss", "Q", "v * A", 1.5, "m³/s"), 1.5);
    none.UseRow("DN.ASC", "Zeile 1");
    EXPECT_TRUE(none.Steps().empty());
    EXPECT_TRUE(none.Files().empty());
}

TEST(CSteps, RowsOfAFileAreKeptOnceInTheirOrder)
{
    CSteps steps;
    steps.UseFile({"A110KR.ASC", 1200, "ab", {}, nullptr});
    steps.UseRow("A110KR.ASC", "Zeile 12");
    steps.UseRow("A110KR.ASC", "Zeile 13");
    steps.UseRow("A110KR.ASC", "Zeile 12");
    ASSERT_EQ(steps.Files().size(), 1u);
    EXPECT_EQ(steps.Files()[0].rows, (std::vector<std::string>{"Zeile 12", "Zeile 13"}));
}

TEST(Sha256, KnownDigests)
{
    // The first three from the standard's examples, the rest by another
    // implementation, around the lengths where the padding needs a second block.
    const std::pair<std::string, const char*> cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(55, 'x'), "d5e285683cd4efc02d021a5c62014694958901005d6f71e89e0989fac77e4072"},
        {std::string(56, 'x'), "04c26261370ee7541549d16dee320c723e3fd14671e66a099afe0a377c16888e"},
        {std::string(63, 'x'), "75220b47218278e656f2013bb8f0c455a25eaf01e86c64924e9d48d89776d6f2"},
        {std::string(64, 'x'), "7ce100971f64e7001e8fe5a51973ecdfe1ced42befe7ee8d5fd6219506b5393c"},
        {std::string(119, 'x'), "000b48d4edf0fa7bee3c6236ecd2785baa5db4eeb8bb54341b029e0d9fa5fb0c"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& [bytes, digest] : cases)
        EXPECT_EQ(Sha256Hex(bytes), digest) << bytes.size() << " bytes";
}

} // namespace
} // namespace dralun
