#include <gtest/gtest.h>

#include <set>

#include "forms/CForm.h"
#include "forms/FormRegistry.h"

namespace dralun {
namespace {

TEST(Registry, EveryCommandOfTheCommandTableHasItsForm)
{
    const std::pair<int, int> commands[] = {{130, 130},   {131, 131},   {132, 132},   {143, 143},
                                            {32773, 152}, {32772, 154}, {158, 158},   {32774, 166},
                                            {32775, 165}, {32777, 171}, {32776, 170}, {32778, 104},
                                            {32779, 105}, {176, 176},   {183, 183},   {185, 185}};
    EXPECT_EQ(AllForms().size(), std::size(commands));
    for (const auto& [command, form] : commands) {
        const FormInfo* info = FindFormByCommand(command);
        ASSERT_NE(info, nullptr) << command;
        EXPECT_EQ(info->templateId, form);
    }
}

TEST(Registry, FormsAreFoundByNumberOrShortName)
{
    EXPECT_EQ(FindForm("171")->templateId, 171);
    EXPECT_EQ(FindForm("Drossel")->templateId, 171);
    EXPECT_EQ(FindForm("zeitbeiwert")->templateId, 183);
    EXPECT_EQ(FindForm("17"), nullptr);
    EXPECT_EQ(FindForm(""), nullptr);
}

TEST(Registry, EveryBuiltFormOpensWithUniqueFieldIdsAndNames)
{
    for (const FormInfo& info : AllForms()) {
        if (!info.create)
            continue;
        CMessageLog log;
        auto form = info.create(log);
        form->Open();
        EXPECT_EQ(form->Title(), info.title);
        std::set<int> ids;
        std::set<std::string> names;
        for (const FieldInfo& f : form->Fields()) {
            EXPECT_TRUE(ids.insert(f.id).second) << info.templateId << " id " << f.id;
            EXPECT_TRUE(names.insert(f.name).second) << info.templateId << " name " << f.name;
        }
    }
}

} // namespace
} // namespace dralun
