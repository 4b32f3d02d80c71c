#pragma once
// A calculation as a JSON object of the project file, and back.
#include <optional>
#include <string>
#include <string_view>

#include "project/Project.h"

namespace dralun {

// The longest text a calculation holds (a name, a field's text, a message).
inline constexpr std::size_t kLongestProjectText = 10000;

// The characters of a UTF-8 text (its bytes that begin one).
std::size_t CharacterCount(std::string_view text);

// Why a name or head text the user typed cannot be kept, in German, or "":
// longer than `longest` characters, or holding a control character.
// `what` names the text: "der Name", "Bemerkung".
std::string TypedTextProblem(std::string_view text, std::size_t longest, const std::string& what);

// A text from a file as it may be shown, on a terminal too: control
// characters (but for tab and newline where `lines`) as U+FFFD, and cut after
// `longest` characters with "…".
std::string Printable(std::string_view text, std::size_t longest, bool lines = false);

// The calculation's name and head texts as the file keeps them: each cut to
// its limit and without control characters.
ProjectJsonValue CalculationToJson(const Calculation& calc);

// The calculation of an entry; empty, with the reason in *problem, when the
// entry is not one this program can read (a member of the wrong type, a
// text too long, an id that is not a control id).
std::optional<Calculation> CalculationFromJson(const ProjectJsonValue& entry, std::string* problem);

} // namespace dralun
