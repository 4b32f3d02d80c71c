#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "forms/CForm.h"
#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "forms/MainFields.h"

namespace dralun {
namespace {

// The picture ids a layout shows, its groups and panels included.
void CollectPictures(const FormLayout& items, std::vector<int>& ids)
{
    for (const LayoutItem& item : items) {
        if (item.type == Item::Picture)
            ids.push_back(item.id);
        CollectPictures(item.children, ids);
    }
}

// The button whose text says "Rechne", as the form's own control table has it.
int RechneButtonOf(const CForm& form)
{
    for (const ControlDef& c : form.Controls())
        if (c.type == Ctl::Button && c.text == "Rechne")
            return c.id;
    return kNoComputeButton;
}

TEST(Registry, EveryFormIsFoundByItsIdItsCommandAndItsShortName)
{
    std::set<int> ids, commands;
    std::set<std::string> names;
    for (const FormInfo& info : AllForms()) {
        EXPECT_TRUE(ids.insert(info.templateId).second) << info.templateId;
        EXPECT_TRUE(commands.insert(info.commandId).second) << info.templateId;
        EXPECT_TRUE(names.insert(info.shortName).second) << info.templateId;
        EXPECT_EQ(FindFormById(info.templateId), &info);
        EXPECT_EQ(FindFormByCommand(info.commandId), &info);
        EXPECT_EQ(FindForm(info.shortName), &info);
        EXPECT_EQ(FindForm(std::to_string(info.templateId)), &info);
    }
}

TEST(Registry, FormsAreFoundByNumberOrShortName)
{
    EXPECT_EQ(FindForm("171")->templateId, 171);
    EXPECT_EQ(FindForm("Drossel")->templateId, 171);
    EXPECT_EQ(FindForm("zeitbeiwert")->templateId, 183);
    EXPECT_EQ(FindFormByCommand(32773)->templateId, 152); // "&Bord-/Spitzrinne"
    EXPECT_EQ(FindForm("17"), nullptr);
    EXPECT_EQ(FindForm(""), nullptr);
}

TEST(Registry, EveryFormOpensWithUniqueFieldIdsAndNames)
{
    for (const FormInfo& info : AllForms()) {
        CMessageLog log;
        auto form = info.create(log);
        form->Open();
        EXPECT_EQ(form->Title(), info.title);
        EXPECT_EQ(form->TemplateId(), info.templateId);
        std::set<int> ids;
        std::set<std::string> names;
        for (const FieldInfo& f : form->Fields()) {
            EXPECT_TRUE(ids.insert(f.id).second) << info.templateId << " id " << f.id;
            EXPECT_TRUE(names.insert(f.name).second) << info.templateId << " name " << f.name;
        }
    }
}

// A misspelt main field would drop out of the names of kept calculations
// without a word: every name must be a field of its form, an input among
// the inputs and a result among the results.
TEST(Registry, EveryMainFieldIsAFieldOfItsForm)
{
    for (const FormInfo& info : AllForms()) {
        CMessageLog log;
        auto form = info.create(log);
        EXPECT_TRUE(MainFieldProblems(info, *form).empty()) << info.templateId;
        for (const char* name : info.mainInputs) {
            const FieldInfo* field = form->FindFieldByName(name);
            ASSERT_NE(field, nullptr) << info.templateId << " " << name;
            EXPECT_NE(field->role, Role::Out) << info.templateId << " " << name;
        }
        for (const char* name : info.mainResults) {
            const FieldInfo* field = form->FindFieldByName(name);
            ASSERT_NE(field, nullptr) << info.templateId << " " << name;
            EXPECT_EQ(field->role, Role::Out) << info.templateId << " " << name;
        }
        EXPECT_EQ(MainInputIds(*form).size(), info.mainInputs.size()) << info.templateId;
        EXPECT_EQ(MainResultIds(*form).size(), info.mainResults.size()) << info.templateId;
    }
}

TEST(Registry, TheComputeButtonIsTheButtonThatSaysRechne)
{
    int computing = 0;
    for (const FormInfo& info : AllForms()) {
        CMessageLog log;
        auto form = info.create(log);
        EXPECT_EQ(info.computeButton, RechneButtonOf(*form)) << info.templateId;
        EXPECT_EQ(ComputeButtonId(*form), info.computeButton) << info.templateId;
        computing += info.Computes() ? 1 : 0;
    }
    // Only the emergency overflow computes nothing.
    EXPECT_FALSE(FindFormById(105)->Computes());
    EXPECT_EQ(computing, static_cast<int>(AllForms().size()) - 1);
}

TEST(Registry, ThePictureIsTheOneTheLayoutShows)
{
    for (const FormInfo& info : AllForms()) {
        CMessageLog log;
        auto form = info.create(log);
        std::vector<int> shown;
        CollectPictures(form->Layout(), shown);
        if (info.picture == 0)
            EXPECT_TRUE(shown.empty()) << info.templateId;
        else
            EXPECT_EQ(shown, std::vector<int>{info.picture}) << info.templateId;
    }
}

// The forms of one menu stand together in the list, so that the menus keep
// the order of the list; each form the menu offers has its item text.
TEST(Registry, TheFormsOfOneMenuStandTogether)
{
    std::vector<std::string> menus;
    for (const FormInfo& info : AllForms()) {
        EXPECT_EQ(info.menu == nullptr, info.menuItem == nullptr) << info.templateId;
        EXPECT_NE(info.prompt, nullptr) << info.templateId;
        if (!info.menu)
            continue;
        if (menus.empty() || menus.back() != info.menu) {
            EXPECT_EQ(std::count(menus.begin(), menus.end(), info.menu), 0) << info.templateId;
            menus.push_back(info.menu);
        }
    }
    EXPECT_EQ(menus, (std::vector<std::string>{"&Rohrhydraulik", "Durchlass", "Gerinne", "Rinnen", "Ablauf", "RRR",
                                                "Versickerung"}));
}

} // namespace
} // namespace dralun
