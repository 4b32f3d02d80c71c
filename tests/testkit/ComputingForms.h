#pragma once
// The template ids of every form that computes (the overflow form only draws
// what it is given), to run a test over each of them.
#include <vector>

#include "forms/FormRegistry.h"

namespace dralun::test {

inline std::vector<int> ComputingForms()
{
    std::vector<int> ids;
    for (const FormInfo& info : AllForms())
        if (info.Computes())
            ids.push_back(info.templateId);
    return ids;
}

} // namespace dralun::test
