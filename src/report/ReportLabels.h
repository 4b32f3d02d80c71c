#pragma once
// The labels and units a report writes beside its inputs and results. A
// form's labels are made for the window, where the unit stands in brackets,
// a column heading or group box says what a row means, and one label may
// serve two fields ("Sohle oben / unten in mNN"). On a page every entry
// stands alone: its label must be whole, name its own field, and carry no
// unit, since the unit follows the value.
#include <map>
#include <string>

namespace dralun {

class CForm;

// A form label without what belongs to its unit: the unit in brackets, a
// trailing " in mNN", " in" or unit word ("DrH m", "Gefälle %"), the "1 :"
// of a slope ratio; lines broken on the form read as one line.
// "Q in l/s" -> "Q", "Druckhöhe in [m]" -> "Druckhöhe".
std::string RepairedLabel(const std::string& label, const std::string& unit);

// The label of every field of the form (inputs and results), by id: the
// field's meaning from the form's help where it names one, otherwise its
// repaired label. Labels that would stand twice are told apart: two fields
// sharing "oben / unten" or "li re" take one side each, then the column
// heading or group box of each ("Kreis: A (t)"), and last the field's name.
std::map<int, std::string> WholeLabels(const CForm& form);

// A unit as the program writes it: per mille "‰", the Strickler
// coefficient's "m^(1/3)/s"; other units unchanged.
std::string ProgramUnit(const std::string& unit);

} // namespace dralun
