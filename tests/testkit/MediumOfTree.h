#pragma once
// Points DRALUN_MEDIUM_DIR at the medium folder of this source tree when the
// test environment does not name one. Including this header is enough.
#include <cstdlib>
#include <filesystem>

namespace dralun::test {

inline const bool kMediumOfTreeKnown = [] {
    const auto medium = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "medium" / "Dralun";
    setenv("DRALUN_MEDIUM_DIR", medium.string().c_str(), 0);
    return true;
}();

} // namespace dralun::test
