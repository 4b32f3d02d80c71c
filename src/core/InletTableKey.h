#pragma once
// The key of the inlet capacity tables: every word of a table file is
// combined by exclusive or with one word of this key, the key restarting at
// its first word with every table and used cyclically. The table files of
// the installation medium are written with it (tools/generators) and the
// program reads them with it (CInletTables); it is held here once for both.
//
// Every word has its top bit clear. A capacity is never negative, so a
// scrambled capacity keeps the top bit clear as well and can never take the
// value 0xFFF7, which marks a cell without a value and is stored unscrambled.
#include <array>
#include <cstdint>

namespace dralun {

inline constexpr std::array<std::int16_t, 35> kInletTableKey = {
    0x4ECE, 0x69D4, 0x63AE, 0x2C36, 0x2222, 0x6887, 0x142E, 0x2FCC, 0x5CF0, 0x61EC, 0x6FB9, 0x3036,
    0x2BD7, 0x0332, 0x1EA6, 0x5ABB, 0x57C9, 0x27F3, 0x745E, 0x4D12, 0x10E8, 0x6FA8, 0x0765, 0x351B,
    0x2ED8, 0x60DC, 0x2755, 0x5869, 0x4E06, 0x0BC7, 0x1842, 0x10F9, 0x04F9, 0x1AFB, 0x2AD2,
};

} // namespace dralun
