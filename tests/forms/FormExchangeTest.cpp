// The field exchange rules every calculator form shares.
#include <gtest/gtest.h>

#include <cmath>

#include "ExchangeForm.h"

namespace dralun {
namespace {

using test::ExchangeForm;

class FormExchange : public ::testing::Test {
protected:
    void SetUp() override { form.Open(); }
    CMessageLog log;
    ExchangeForm form{log};
};

TEST_F(FormExchange, MembersTakeTheirDefaultsAndOpeningWritesThem)
{
    EXPECT_EQ(form.a, 1.5);
    EXPECT_EQ(form.s, 0.1f);
    EXPECT_EQ(form.text, "C:\\Dralun\\R3943mi.txt");
    EXPECT_EQ(form.Text(10), "1.5");
    EXPECT_EQ(form.Text(12), "0.1");
    EXPECT_EQ(form.Text(14), "C:\\Dralun\\R3943mi.txt");
    EXPECT_EQ(form.Text(15), "2.5");
    EXPECT_TRUE(form.IsChecked(16));
    EXPECT_FALSE(form.IsEnabled(17));
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(FormExchange, AcceptedTextIsWrittenBackInShortestForm)
{
    form.Type(10, " 2.50\t");
    form.Type(11, "1e1");
    form.Click(kIdOk);
    EXPECT_TRUE(form.readOk);
    EXPECT_EQ(form.Text(10), "2.5");
    EXPECT_EQ(form.Text(11), "10");
    EXPECT_EQ(form.Text(13), "25");
}

TEST_F(FormExchange, ParseFailureStopsTheReadKeepsTheOldValueAndStillComputes)
{
    form.Type(10, "1,5");
    form.Type(11, "4"); // after the failing field: not read
    form.Click(kIdOk);
    EXPECT_FALSE(form.readOk);
    EXPECT_EQ(form.computed, 1);
    EXPECT_EQ(form.a, 1.5);
    EXPECT_EQ(form.b, 2);
    EXPECT_EQ(form.Text(10), "1.5"); // the rejected text is replaced
    EXPECT_EQ(form.Text(11), "2");   // and so is the text typed after it
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_NE(log.Messages()[0].text.find("Zahl"), std::string::npos);
    const auto focus = form.TakeFocusRequest();
    ASSERT_TRUE(focus);
    EXPECT_EQ(focus->id, 10);
    EXPECT_TRUE(focus->selectAll);
}

TEST_F(FormExchange, EmptyFieldFailsToParse)
{
    form.Type(11, "");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(11), "2");
    EXPECT_EQ(log.Messages().size(), 1u);
}

TEST_F(FormExchange, RangeFailureStoresTheValueAndShowsBothBounds)
{
    form.Type(10, "3.01");
    form.Type(11, "4");
    form.Click(kIdOk);
    EXPECT_EQ(form.a, 3.01);         // stored and used
    EXPECT_EQ(form.b, 2);            // read stopped before it
    EXPECT_EQ(form.Text(10), "3.01"); // shown as typed
    EXPECT_DOUBLE_EQ(form.r, 6.02);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 0.25 und 3 ein.");
}

TEST_F(FormExchange, SingleFieldsAreRoundedToSinglePrecisionAndShowSixDigits)
{
    form.Type(12, "0.123456789");
    form.Click(kIdOk);
    EXPECT_EQ(form.s, 0.123456789f);
    EXPECT_EQ(form.Text(12), "0.123457");
    form.Type(12, "3");
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 0.01 und 2 ein.");
}

TEST_F(FormExchange, ASingleFieldBeyondSinglePrecisionIsNotANumber)
{
    form.Type(12, "1e39");
    form.Click(kIdOk);
    EXPECT_EQ(form.s, 0.1f);
    EXPECT_EQ(form.Text(12), "0.1");
}

TEST_F(FormExchange, DisabledFieldsAreStillExchanged)
{
    form.SetEditText(17, "8"); // as if text had been placed there
    form.Click(kIdOk);
    EXPECT_EQ(form.off, 8);
}

TEST_F(FormExchange, WritingAChoiceSelectsTheFirstEntryBeginningWithIt)
{
    form.choice = "1";
    form.UpdateData(false);
    EXPECT_EQ(form.Text(15), "1.0");
    form.choice = "10";
    form.UpdateData(false);
    EXPECT_EQ(form.Text(15), "10");
    form.choice = "7";
    form.UpdateData(false);
    EXPECT_EQ(form.Text(15), "10"); // no entry begins with it: unchanged
}

TEST_F(FormExchange, AChoiceLongerThanItsLimitIsRejected)
{
    ASSERT_EQ(form.Type(15, "1000"), Refusal::None);
    form.Click(kIdOk);
    ASSERT_EQ(log.Texts().size(), 1u);
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie höchstens 3 Zeichen ein.");
}

TEST_F(FormExchange, AResultThatIsNotANumberShowsADashAndDoesNotBlockTheRead)
{
    form.r = std::nan("");
    form.UpdateData(false);
    EXPECT_EQ(form.Text(13), "-");
    form.b = 5;
    form.Type(14, "anders.txt");
    EXPECT_TRUE(form.UpdateData(true));
    EXPECT_EQ(form.text, "anders.txt"); // read on past the result field
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(FormExchange, OneActionShowsAMessageOnceEvenWhenItReadsTwice)
{
    form.Type(10, "5");
    form.Click(40);
    EXPECT_EQ(log.Texts().size(), 1u);
    form.Click(40); // the next action shows it again
    EXPECT_EQ(log.Texts().size(), 2u);
}

TEST_F(FormExchange, CheckBoxesAreReadAndWritten)
{
    form.Type(16, "0");
    form.Click(kIdOk);
    EXPECT_EQ(form.check, 0);
    EXPECT_FALSE(form.IsChecked(16));
}

} // namespace
} // namespace dralun
