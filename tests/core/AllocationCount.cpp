// Every new and delete of the test program counted: each block carries its
// size in front of it.
#include "AllocationCount.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_held{0}, g_peak{0};
constexpr std::size_t kHead = alignof(std::max_align_t);

void* Take(std::size_t n)
{
    void* block = std::malloc(n + kHead);
    if (!block)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = n;
    const std::size_t held = g_held += n;
    for (std::size_t peak = g_peak.load(); held > peak && !g_peak.compare_exchange_weak(peak, held);) {
    }
    return static_cast<char*>(block) + kHead;
}

void Give(void* p) noexcept
{
    if (!p)
        return;
    void* block = static_cast<char*>(p) - kHead;
    g_held -= *static_cast<std::size_t*>(block);
    std::free(block);
}

void* TakeOrNull(std::size_t n) noexcept
{
    try {
        return Take(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace

void* operator new(std::size_t n) { return Take(n); }
void* operator new[](std::size_t n) { return Take(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return TakeOrNull(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return TakeOrNull(n); }
void operator delete(void* p) noexcept { Give(p); }
void operator delete[](void* p) noexcept { Give(p); }
void operator delete(void* p, std::size_t) noexcept { Give(p); }
void operator delete[](void* p, std::size_t) noexcept { Give(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Give(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Give(p); }

namespace dralun::test {

CAllocationPeak::CAllocationPeak() : m_start(g_held.load())
{
    g_peak = m_start;
}

std::size_t CAllocationPeak::Bytes() const { return g_peak.load() - m_start; }

} // namespace dralun::test
