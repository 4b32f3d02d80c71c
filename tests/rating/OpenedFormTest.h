#pragma once
// A data directory of its own with every file of the medium, and forms
// opened there as a user opens them and computed once.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "forms/ComputeButton.h"
#include "forms/FormRegistry.h"
#include "forms/IMessageSink.h"
#include "testkit/TempDataDir.h"

namespace dralun::test {

class OpenedFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& entry : std::filesystem::directory_iterator(MediumDir()))
            data.CopyFromMedium(entry.path().filename().string());
    }
    std::unique_ptr<CForm> Opened(int id)
    {
        std::unique_ptr<CForm> form = FindFormById(id)->create(sink);
        form->Open();
        PressCompute(*form);
        return form;
    }
    static int Id(const CForm& form, const char* name) { return form.FindFieldByName(name)->id; }

    TempDataDir data;
    CSilentSink sink;
};

} // namespace dralun::test
