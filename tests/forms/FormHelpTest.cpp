#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "forms/CForm.h"
#include "forms/FormHelp.h"
#include "forms/FormRegistry.h"
#include "testkit/TempDataDir.h"

namespace dralun {
namespace {

// Every form made as the program makes it, over a data directory that holds
// the whole medium (the pipe run reads its tables when it is made).
class FormHelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& entry : std::filesystem::directory_iterator(test::MediumDir()))
            m_data.CopyFromMedium(entry.path().filename().string());
    }
    test::TempDataDir m_data;
};

TEST_F(FormHelpTest, EveryFieldOfEveryFormHasAWholeMeaningOfItsOwn)
{
    for (const FormInfo& info : AllForms()) {
        CMessageLog log;
        auto form = info.create(log);
        const int id = info.templateId;
        if (!form->Fields().empty()) {
            ASSERT_NE(HelpOf(id), nullptr) << id;
        }
        std::set<std::string> meanings;
        for (const FieldInfo& field : form->Fields()) {
            const std::string meaning = FieldMeaning(id, field.id);
            SCOPED_TRACE(std::to_string(id) + " " + field.name + ": " + meaning);
            ASSERT_FALSE(meaning.empty());
            // A label the report prints before the unit: no unit of its own,
            // nothing dangling.
            EXPECT_EQ(meaning.find('['), std::string::npos);
            EXPECT_FALSE(meaning.ends_with(" in"));
            EXPECT_TRUE(meanings.insert(meaning).second) << "given twice";
        }
    }
}

TEST_F(FormHelpTest, APageNamesOnlyControlsOfItsFormOnceEachAndHasItsSections)
{
    for (const FormInfo& info : AllForms()) {
        const FormHelp* help = HelpOf(info.templateId);
        if (!help)
            continue;
        CMessageLog log;
        auto form = info.create(log);
        SCOPED_TRACE(info.templateId);
        EXPECT_FALSE(help->title.empty());
        std::set<int> ids;
        for (const auto& [id, meaning] : help->meanings) {
            EXPECT_TRUE(form->FindField(id) || form->FindControl(id)) << id << " is no control of the form";
            EXPECT_TRUE(ids.insert(id).second) << id << " given twice";
        }
        std::set<std::string> headings;
        for (const auto& [heading, body] : help->sections) {
            EXPECT_FALSE(body.empty()) << heading;
            headings.insert(heading);
        }
        for (const char* heading : {"Was geprüft wird", "Verfahren und Quelle", "Nachweis"})
            EXPECT_TRUE(headings.count(heading)) << heading;
    }
}

TEST(FormHelp, TheHtmlPageEscapesTheTextAndBuildsItsLists)
{
    // The bridge drain page quotes the form's range "5 <= L <= 50 m".
    const std::string html = HelpPageHtml(166);
    EXPECT_NE(html.find("5 &lt;= L &lt;= 50 m"), std::string::npos);
    for (const FormInfo& info : AllForms()) {
        const std::string page = HelpPageHtml(info.templateId);
        // Without the page's own tags, no "<" or ">" is left: the text is escaped.
        std::string text = page;
        for (const char* tag : {"<h2>", "</h2>", "<h3>", "</h3>", "<p>", "</p>", "<ul>", "</ul>", "<li>", "</li>"})
            for (size_t at; (at = text.find(tag)) != std::string::npos;)
                text.erase(at, std::char_traits<char>::length(tag));
        EXPECT_EQ(text.find_first_of("<>"), std::string::npos) << info.templateId;
        EXPECT_EQ(page.find("<li>") == std::string::npos, page.find("<ul>") == std::string::npos);
    }
    EXPECT_EQ(HelpPageHtml(999), "");
    EXPECT_EQ(FieldMeaning(130, 999), "");
}

} // namespace
} // namespace dralun
