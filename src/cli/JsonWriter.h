#pragma once
#include <string>
#include <string_view>

namespace dralun {

// A JSON string literal with the escapes JSON requires.
std::string JsonString(std::string_view text);

} // namespace dralun
