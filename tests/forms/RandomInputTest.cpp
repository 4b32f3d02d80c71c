// Random input on every form: random text in every input field, random
// clicks on every button, radio button, check box and step button, list
// selections and focus changes, in random order. After each action no field,
// message or drawn line may show "nan", "inf" or a number field text that
// the program wrote but that is not a number, nor "-0"; and while a
// computation stands refused, its result fields show 0; and whatever the
// form shows as current (not marked stale) is what a form redone from the
// inputs shown computes. Seeded and repeatable;
// RANDOM_SEED and RANDOM_ACTIONS (default 3000 a form) vary it by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cctype>
#include <map>
#include <random>
#include <string>

#include "core/NumberText.h"
#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "project/KeepCalculation.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

class CountingSink : public IMessageSink {
public:
    void ShowMessage(const std::string& text, MsgIcon) override { last = text; ++count; }
    std::string last;
    int count = 0;
};

// printf writes "nan", "-nan", "inf", "-inf" (any letter case): a word of
// its own, not a part of a German word such as "Infiltration".
bool LooksLikeNotANumber(const std::string& text)
{
    std::string word;
    for (size_t i = 0; i <= text.size(); ++i) {
        const unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
        if (std::isalpha(c)) {
            word += static_cast<char>(std::tolower(c));
            continue;
        }
        if (word == "nan" || word == "inf" || word == "infinity")
            return true;
        word.clear();
    }
    return false;
}

std::string RandomText(std::mt19937& rng)
{
    static const char* const fixed[] = {
        "",       " ",      "0",       "-0",     "1",       "-1",     "1,5",    "1.5x",    "abc",
        "1e308",  "-1e308", "1e300",   "1e-300", "5e-324",  "1e39",   "-1e39",  "1e-45",   "3.4e38",
        "0.0001", "1e5",    "-1e5",    "2.5E-3", "  7  ",   "\t0.5",  "999999", "-999999", "0.01",
        "100",    "2",      "0.5",     "10000",  "4320",    "-9",     "-10",    "1e15",    "123456789012345678901234567890",
        ".5",     "5.",     "+3",      "--1",    "1 2",     "0x10",   "inf",    "nan",     "8",
    };
    std::uniform_int_distribution<int> pick(0, 3);
    switch (pick(rng)) {
    case 0:
    case 1: {
        std::uniform_int_distribution<size_t> i(0, std::size(fixed) - 1);
        return fixed[i(rng)];
    }
    case 2: {
        std::uniform_real_distribution<double> v(-3, 3);
        std::uniform_int_distribution<int> e(-8, 8);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.6g", v(rng) * std::pow(10.0, e(rng)));
        return buffer;
    }
    default: {
        std::uniform_real_distribution<double> v(0, 10);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.3f", v(rng));
        return buffer;
    }
    }
}

class RandomInput : public ::testing::TestWithParam<int> {};

TEST_P(RandomInput, NoActionLeavesNotANumberInAField)
{
    test::TempDataDir data;
    for (const char* file : {"DN.ASC", "A110KR.ASC", "R3943MI.txt"})
        if (std::filesystem::exists(test::MediumDir() / file))
            data.CopyFromMedium(file);
    for (const auto& entry : std::filesystem::directory_iterator(test::MediumDir()))
        if (entry.path().extension() == ".bin")
            data.CopyFromMedium(entry.path().filename().string());

    const FormInfo* info = FindFormById(GetParam());
    ASSERT_NE(info, nullptr);

    const unsigned seed = std::getenv("RANDOM_SEED") ? std::atoi(std::getenv("RANDOM_SEED")) : 20261207u;
    std::mt19937 rng(seed + static_cast<unsigned>(GetParam()));
    CountingSink sink;
    auto form = info->create(sink);
    form->Open();
    std::map<int, std::string> typed; // what the user typed last, per field

    const int actions = std::getenv("RANDOM_ACTIONS") ? std::atoi(std::getenv("RANDOM_ACTIONS")) : 3000;
    for (int step = 0; step < actions; ++step) {
        if (form->IsClosed()) {
            form = info->create(sink);
            form->Open();
            typed.clear();
        }
        std::vector<int> edits, clickables, lists;
        for (const FieldInfo& f : form->Fields())
            if (f.role != Role::Out && form->IsEnabled(f.id) &&
                (f.kind == Kind::Number || f.kind == Kind::Single || f.kind == Kind::Text))
                edits.push_back(f.id);
        for (const ControlDef& c : form->Controls()) {
            if (!form->IsEnabled(c.id))
                continue;
            if (c.type == Ctl::Button || c.type == Ctl::Radio || c.type == Ctl::Check || c.type == Ctl::Step)
                clickables.push_back(c.id);
            if ((c.type == Ctl::List || c.type == Ctl::Combo) && !form->Items(c.id).empty())
                lists.push_back(c.id);
        }
        std::uniform_int_distribution<int> kind(0, 9);
        std::string action;
        const int k = kind(rng);
        if (k <= 3 && !edits.empty()) {
            const int id = edits[std::uniform_int_distribution<size_t>(0, edits.size() - 1)(rng)];
            const FieldInfo* f = form->FindField(id);
            std::string text = f->kind == Kind::Text ? std::string("x") + RandomText(rng) : RandomText(rng);
            if (f->kind == Kind::Text && std::bernoulli_distribution(0.5)(rng))
                text = form->Text(id); // keep file names usable now and then
            form->Type(id, text);
            typed[id] = text;
            action = "type " + std::to_string(id) + "=" + text;
        } else if (k <= 6 && !clickables.empty()) {
            int id = clickables[std::uniform_int_distribution<size_t>(0, clickables.size() - 1)(rng)];
            if (id == kIdCancel && std::bernoulli_distribution(0.9)(rng))
                id = kIdOk;
            form->Click(id);
            action = "click " + std::to_string(id);
        } else if (k == 7 && !lists.empty()) {
            const int id = lists[std::uniform_int_distribution<size_t>(0, lists.size() - 1)(rng)];
            const int n = static_cast<int>(form->Items(id).size());
            const int index = std::uniform_int_distribution<int>(0, n - 1)(rng);
            if (std::bernoulli_distribution(0.5)(rng))
                form->Select(id, index);
            else
                form->DoubleClick(id, index);
            action = "select " + std::to_string(id) + ":" + std::to_string(index);
        } else if (k == 8 && !form->Fields().empty()) {
            const auto& fields = form->Fields();
            const int id = fields[std::uniform_int_distribution<size_t>(0, fields.size() - 1)(rng)].id;
            form->Leave(id);
            action = "leave " + std::to_string(id);
        } else {
            form->PressEnter();
            action = "enter";
        }

        const std::string where = "form " + std::to_string(GetParam()) + ", step " + std::to_string(step) + " (" +
                                  action + ")";
        for (const FieldInfo& f : form->Fields()) {
            const std::string text = form->Text(f.id);
            auto it = typed.find(f.id);
            if (it != typed.end() && it->second == text)
                continue; // the user's own text, not read yet
            ASSERT_FALSE(LooksLikeNotANumber(text)) << where << ": field " << f.id << " shows \"" << text << '"';
            if ((f.kind == Kind::Number || f.kind == Kind::Single) && text != "-") {
                ASSERT_TRUE(ParseFieldNumber(text).has_value())
                    << where << ": field " << f.id << " shows \"" << text << '"';
            }
        }
        // A refused computation leaves no result of an earlier one standing:
        // until a computation goes through, its result fields show 0.
        if (!form->RefusedBecause().empty()) {
            for (int id : form->RefusedFields()) {
                const auto value = ParseFieldNumber(form->Text(id));
                ASSERT_TRUE(value && *value == 0) << where << ": refused (" << form->RefusedBecause() << "), field "
                                                  << id << " shows \"" << form->Text(id) << '"';
            }
        }
        for (const FieldInfo& f : form->Fields()) {
            const std::string text = form->Text(f.id);
            const auto it = typed.find(f.id);
            if (f.kind != Kind::Number && f.kind != Kind::Single)
                continue;
            if (it != typed.end() && it->second == text)
                continue;
            ASSERT_NE(text, "-0") << where << ": field " << f.id;
        }
        // No result is shown as current unless it was computed from the
        // inputs shown: redone from them, the form reads the same.
        if (!form->IsClosed() && ComputeButtonId(*form) >= 0 && !form->ResultsStale()) {
            CSilentSink quiet;
            const Reopened again = Reopen(KeepCalculation(*form, {}), quiet);
            ASSERT_EQ(again.problem, "") << where;
            for (const ResultChange& change : again.changes)
                ADD_FAILURE() << where << ": shown as current, but redone " << ChangeText(change);
            if (!again.changes.empty())
                return;
        }
        ASSERT_FALSE(LooksLikeNotANumber(sink.last) && sink.count > 0) << where << ": message \"" << sink.last << '"';
        for (const DrawnText& d : form->Drawn())
            ASSERT_FALSE(LooksLikeNotANumber(d.text)) << where << ": drawn \"" << d.text << '"';
    }
    EXPECT_GT(sink.count + static_cast<int>(form->Fields().empty()), 0) << "the actions reached no handler";
}

std::vector<int> AllTemplateIds()
{
    std::vector<int> ids;
    for (const FormInfo& info : AllForms())
        ids.push_back(info.templateId);
    return ids;
}

std::string FormName(const ::testing::TestParamInfo<int>& info) { return "Form" + std::to_string(info.param); }

INSTANTIATE_TEST_SUITE_P(EveryForm, RandomInput, ::testing::ValuesIn(AllTemplateIds()), FormName);

} // namespace
} // namespace dralun
