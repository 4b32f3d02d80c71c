#pragma once
// The help of every form, from one source: the pages under help/ in the
// source tree (one per form), built into the program and installed beside
// it. A page says what the form checks, the method and its source, what each
// mode means and what the verdict compares, and gives every field its
// meaning in words. The window's F1 page, the fields' tool tips and the
// report's labels all read it.
#include <string>
#include <utility>
#include <vector>

namespace dralun {

struct FormHelp {
    int form = 0;
    std::string title;
    // The page's sections in order: heading ("Was geprüft wird") and text
    // (paragraphs separated by blank lines, "- " items).
    std::vector<std::pair<std::string, std::string>> sections;
    // Field or control id and its meaning in words, whole and without unit:
    // "Sohlhöhe am oberen Ende der Haltung".
    std::vector<std::pair<int, std::string>> meanings;
};

// The help of a form; nullptr for a form without a page.
const FormHelp* HelpOf(int templateId);
// The meaning of a field of a form in words; "" when the page names none.
std::string FieldMeaning(int templateId, int fieldId);
// The page as simple HTML (headings, paragraphs, lists), for a help window.
std::string HelpPageHtml(int templateId);

} // namespace dralun
