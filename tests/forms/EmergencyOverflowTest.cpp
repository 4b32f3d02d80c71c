#include <gtest/gtest.h>

#include "forms/CEmergencyOverflowDlg.h"

namespace dralun {
namespace {

TEST(EmergencyOverflow, OkAndEnterNeitherCloseNorChangeAnything)
{
    CMessageLog log;
    CEmergencyOverflowDlg form(log);
    form.Open();
    form.Click(kIdOk);
    form.PressEnter();
    EXPECT_FALSE(form.IsClosed());
    EXPECT_TRUE(form.Fields().empty());
    EXPECT_TRUE(log.Messages().empty());
    form.Click(kIdCancel);
    EXPECT_TRUE(form.IsClosed());
}

} // namespace
} // namespace dralun
