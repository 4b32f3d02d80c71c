#pragma once
// SHA-256 of a byte string, as lower-case hex: the calculation report names
// each data file it read by its digest, so an examiner can tell whether his
// copy of a table is the one the computation used. (Written here rather than
// taken from a crypto library: the engine builds for Windows as well, where
// the system offers none of the Debian libraries.)
#include <string>
#include <string_view>

namespace dralun {

std::string Sha256Hex(std::string_view bytes);

} // namespace dralun
