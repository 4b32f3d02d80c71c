// What the user can do with a form's controls.
#include <gtest/gtest.h>

#include "ExchangeForm.h"

namespace dralun {
namespace {

using test::ExchangeForm;

TEST(FormEvents, RadioButtonsOfAGroupExcludeEachOther)
{
    CMessageLog log;
    ExchangeForm form(log);
    form.Open();
    form.Click(22);
    form.Click(20);
    EXPECT_TRUE(form.IsChecked(20));
    form.Click(21);
    EXPECT_FALSE(form.IsChecked(20));
    EXPECT_TRUE(form.IsChecked(21));
    EXPECT_TRUE(form.IsChecked(22)); // another group
}

TEST(FormEvents, EnterRunsTheDefaultCommandAndCancelCloses)
{
    CMessageLog log;
    ExchangeForm form(log);
    form.Open();
    form.PressEnter();
    EXPECT_EQ(form.computed, 1);
    EXPECT_FALSE(form.IsClosed());
    form.Click(kIdCancel);
    EXPECT_TRUE(form.IsClosed());
}

TEST(FormEvents, WhatAUserCannotDoIsRefused)
{
    CMessageLog log;
    ExchangeForm form(log);
    form.Open();
    EXPECT_EQ(form.Type(13, "5"), Refusal::NotEditable);
    EXPECT_EQ(form.Type(17, "5"), Refusal::Disabled);
    EXPECT_EQ(form.Type(99, "5"), Refusal::UnknownControl);
    EXPECT_EQ(form.Type(15, "3.0"), Refusal::BadValue);
    EXPECT_EQ(form.Type(16, "ja"), Refusal::BadValue);
    EXPECT_EQ(form.Select(30, 0), Refusal::BadIndex);
    EXPECT_EQ(form.Select(10, 0), Refusal::WrongControl);
    form.AddItem(30, "200");
    EXPECT_EQ(form.DoubleClick(30, 0), Refusal::None);
    EXPECT_EQ(form.Selection(30), 0);
}

} // namespace
} // namespace dralun
