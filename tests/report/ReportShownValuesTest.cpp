// The values of a report as a person reads them: the digits the form window
// shows, and "–" for a result the computation did not give.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "core/NumberPresentation.h"
#include "forms/CPipeRunDlg.h"
#include "report/Report.h"
#include "report/ReportWriters.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

TEST(ReportShownValues, AResultNotComputedReadsAsADash)
{
    test::TempDataDir dir;
    dir.CopyFromMedium("DN.ASC");
    dir.CopyFromMedium("A110KR.ASC");
    CMessageLog log;
    CPipeRunDlg form(log);
    form.Open();
    form.Type(CPipeRunDlg::kIdQ, "120"); // above Qv = 97.9 l/s: no part filling
    form.Click(CPipeRunDlg::kIdCompute);
    const Report r = BuildReport(form);
    const std::string text = ReportText(r);
    // DrH, Qt and vt were not computed; Qv was.
    for (const char* line :
         {"Teilfüllung DrH: –\n", "Teilfüllung Qt: –\n", "Teilfüllung vt: –\n", "Vollfüllung Qv:  97.9 l/s\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
    // What a program reads keeps the field's text and says it is none.
    const nlohmann::json json = nlohmann::json::parse(ReportJson(r));
    for (const auto& result : json["results"]) {
        const std::string symbol = result["symbol"];
        EXPECT_EQ(result["computed"], symbol != "DrH" && symbol != "Qt" && symbol != "vt") << result;
    }
}

TEST(ReportShownValues, DigitsAreTheWindowsForEveryShape)
{
    struct Case {
        const char* text;
        const char* unit;
        FieldShape shape;
        bool comma;
        const char* shown;
    } cases[] = {
        {"44", "%", FieldShape::NumberResult, false, "44.00"},        // two decimals for per cent
        {"0.96321", "m³/s", FieldShape::NumberResult, true, "0,963"}, // three for m³/s
        {"0.500000000000007", "m", FieldShape::Input, true, "0,5"},   // as typed
        {"0.25", "m", FieldShape::Input, false, "0.25"},
        {"  97.9", "l/s", FieldShape::TextResult, true, "97,9"},      // the form's own format
        {"nicht möglich", "m", FieldShape::NumberResult, false, "nicht möglich"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PresentedText(c.text, c.unit, c.shape, c.comma), c.shown) << c.text;
    EXPECT_EQ(UtilisationText(91.386), "91.4");
    EXPECT_EQ(UtilisationText(40.84, true), "40,8");
}

} // namespace
} // namespace dralun
