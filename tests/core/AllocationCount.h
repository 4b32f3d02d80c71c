#pragma once
// The bytes this test program holds through new and delete, and the most
// it held since a mark: how much memory a piece of work takes, counted.
#include <cstddef>

namespace dralun::test {

class CAllocationPeak {
public:
    CAllocationPeak(); // marks now
    // The most bytes held at once since the mark, beyond what was held then.
    std::size_t Bytes() const;

private:
    std::size_t m_start;
};

} // namespace dralun::test
