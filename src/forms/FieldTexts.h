#pragma once
// Texts a field shows in place of a number.
namespace dralun {

// Shown in a field whose value cannot be determined (a result that is not a
// number); reading it back never disturbs the exchange of a result field.
inline constexpr const char* kNotDeterminable = "-";

} // namespace dralun
