// The field exchange rules every calculator form shares.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

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

TEST_F(FormExchange, ParseFailureKeepsTheOldValueReadsOnAndStillComputes)
{
    form.Type(10, "1,5");
    form.Type(11, "4"); // typed after the failing field: read all the same
    form.Click(kIdOk);
    EXPECT_EQ(form.computed, 1);
    EXPECT_EQ(form.a, 1.5);
    EXPECT_EQ(form.b, 4);
    EXPECT_EQ(form.r, 6);
    EXPECT_EQ(form.Text(10), "1.5"); // the rejected text is replaced
    EXPECT_EQ(form.Text(11), "4");
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(log.Messages()[0].text, "Bitte geben Sie eine Zahl ein.\nDezimaltrennzeichen ist der Punkt, nicht das Komma.");
    const auto focus = form.TakeFocusRequest();
    ASSERT_TRUE(focus);
    EXPECT_EQ(focus->id, 10);
    EXPECT_TRUE(focus->selectAll);
    EXPECT_FALSE(form.ResultsStale()); // 1.5 and 4 are shown, and computed with
}

// The hint on the separator only where a comma was typed; one message names
// every field that fails, in the order of the form.
TEST_F(FormExchange, OneMessageNamesEveryFailingField)
{
    const struct {
        std::vector<std::pair<int, const char*>> typed;
        const char* message;
    } cases[] = {
        {{{11, "abc"}}, "Bitte geben Sie eine Zahl ein."},
        {{{11, "2.5e"}}, "Bitte geben Sie eine Zahl ein."},
        {{{11, "--"}}, "Bitte geben Sie eine Zahl ein."},
        {{{11, "2,5"}}, "Bitte geben Sie eine Zahl ein.\nDezimaltrennzeichen ist der Punkt, nicht das Komma."},
        {{{10, "7"}, {11, "x"}, {12, "0,5"}},
         "Bitte prüfen Sie diese Eingaben:\n„A“: Bitte geben Sie eine Zahl zwischen 0.25 und 3 ein.\n"
         "„B“: Bitte geben Sie eine Zahl ein.\n„S“: Bitte geben Sie eine Zahl ein. Dezimaltrennzeichen ist der "
         "Punkt, nicht das Komma."},
    };
    for (const auto& c : cases) {
        CMessageLog messages;
        ExchangeForm fresh(messages);
        fresh.Open();
        for (const auto& [id, text] : c.typed)
            fresh.Type(id, text);
        fresh.Click(kIdOk);
        ASSERT_EQ(messages.Texts().size(), 1u) << c.message;
        EXPECT_EQ(messages.Texts()[0], c.message);
    }
}

TEST_F(FormExchange, EmptyFieldFailsToParse)
{
    form.Type(11, "");
    form.Click(kIdOk);
    EXPECT_EQ(form.Text(11), "2");
    EXPECT_EQ(log.Messages().size(), 1u);
}

TEST_F(FormExchange, RangeFailureKeepsTheValueAndRefusesTheComputation)
{
    form.Click(kIdOk);
    ASSERT_EQ(form.r, 3);
    form.Type(10, "3.01");
    form.Type(11, "4");
    form.Click(kIdOk);
    EXPECT_EQ(form.a, 3.01);
    EXPECT_EQ(form.b, 4);
    EXPECT_EQ(form.Text(10), "3.01"); // shown as typed
    EXPECT_EQ(form.r, 0);             // no result from a refused value
    EXPECT_EQ(form.Text(13), "0");
    EXPECT_TRUE(form.RefusedWhole());
    EXPECT_EQ(form.RefusedBecause(), "„A“ = 3.01 m liegt außerhalb des zulässigen Bereichs 0.25 bis 3 m.");
    ASSERT_EQ(log.Texts().size(), 1u); // the range message, not a second box
    EXPECT_EQ(log.Texts()[0], "Bitte geben Sie eine Zahl zwischen 0.25 und 3 ein.");
    form.Type(10, "3");
    form.Click(kIdOk);
    EXPECT_EQ(form.r, 12);
    EXPECT_EQ(form.RefusedBecause(), "");
}

// The results belong to the inputs of the last computation: a value typed,
// a mode or a box changed since marks them; the same value written otherwise
// does not; "Rechne" makes them current again.
TEST_F(FormExchange, ResultsAreStaleOnceTheInputsDifferFromTheComputedOnes)
{
    EXPECT_EQ(form.StaleBecause(), "Noch nicht gerechnet – Rechne drücken");
    EXPECT_FALSE(form.Computed(13)); // its 0 is no result
    form.Click(kIdOk);
    EXPECT_FALSE(form.ResultsStale());
    EXPECT_TRUE(form.Computed(13));
    const std::function<void()> changes[] = {
        [&] { form.Type(11, "5"); },
        [&] { form.Click(21); },
        [&] { form.Type(16, "0"); },
        [&] { form.Select(15, 0); },
        [&] { form.SetEditText(10, "2"); },
    };
    for (const auto& change : changes) {
        change();
        EXPECT_EQ(form.StaleBecause(), "Eingaben geändert – Rechne drücken");
        form.Click(kIdOk);
        EXPECT_FALSE(form.ResultsStale());
    }
    form.Type(11, "5.000"); // the same number
    form.AddItem(30, "DN 300");
    form.Select(30, 0); // a list of results is no input
    EXPECT_FALSE(form.ResultsStale());
    form.MarkResultsStale("Regendaten neu geladen – Rechne drücken");
    EXPECT_EQ(form.StaleBecause(), "Regendaten neu geladen – Rechne drücken");
    form.Click(kIdOk);
    EXPECT_FALSE(form.ResultsStale());
}

TEST_F(FormExchange, SingleFieldsAreRoundedToSinglePrecisionAndShowSixDigits)
{
    form.Type(12, "0.123456789");
    form.Click(kIdOk);
    EXPECT_EQ(form.s, 0.123457f); // computed with the value it shows
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
