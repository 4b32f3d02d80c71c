#pragma once
// The pipe run form opened over a data folder with the diameters and the
// part-filling table, and entering a pipe run as the user does: choose how
// the slope is given, type the inputs, press "Rechne".
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "forms/CPipeRunDlg.h"
#include "testkit/TempDataDir.h"

namespace dralun::test {

class OpenPipeRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.CopyFromMedium("DN.ASC");
        dir.CopyFromMedium("A110KR.ASC");
        form = std::make_unique<CPipeRunDlg>(log);
        form->Open();
    }
    std::string Text(int id) const { return form->Text(id); }

    TempDataDir dir;
    CMessageLog log;
    std::unique_ptr<CPipeRunDlg> form;
};

inline void EnterAndCompute(CPipeRunDlg& form, int slopeMode, const std::vector<std::pair<int, const char*>>& typed)
{
    form.Click(slopeMode);
    for (const auto& [id, text] : typed)
        form.Type(id, text);
    form.Click(CPipeRunDlg::kIdCompute);
}

} // namespace dralun::test
