#pragma once
// Every calculator form of the program and all that the program says about
// it outside the form itself: its template id, the menu command that opens
// it and where that command stands in the menu, its status-bar prompt, its
// line on the start screen, its picture, the fields that name and sum up a
// calculation, and how to make one. Its title, its "Rechne" button and its
// discharge field come from the description the form class declares
// (forms/FormDescription.h). The menu, the start screen, the script
// interface and the tests all read this table.
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/FormDescription.h"
#include "forms/IMessageSink.h"

namespace dralun {

class CForm;

struct FormInfo {
    int templateId = 0;
    int commandId = 0;
    const char* shortName = ""; // for scripts: dralun-calc mulde
    const char* title = "";
    // The menu the form's item stands in ("Gerinne") and the item's text with
    // its access key ("&Mulde"); nullptr for a form the menu does not offer.
    const char* menu = nullptr;
    const char* menuItem = nullptr;
    const char* prompt = "";         // the status-bar prompt of the command; "" for none
    const char* startLine = nullptr; // its verification on the start screen; nullptr
                                     // when the line of the form before covers it too
    int picture = 0;                 // the id its drawing is registered under; 0: none
    // Short names of the inputs that name a calculation ("Mulde B 2 m, h
    // 0.3 m") and of the results a designer looks at first.
    std::vector<const char*> mainInputs = {};
    std::vector<const char*> mainResults = {};
    // From the form's description (see FormDescription).
    int computeButton = kNoComputeButton;
    const char* inflowField = nullptr;
    const char* inflowUnit = nullptr;
    // A button that brings data into the form which its computation needs
    // (the rainfall series of a file), pressed again when a calculation is
    // redone while the radio button `reloadWhen` is checked; 0: none.
    int reloadButton = 0;
    int reloadWhen = 0;
    std::unique_ptr<CForm> (*create)(IMessageSink& sink) = nullptr;

    bool Computes() const { return computeButton != kNoComputeButton; }
};

// In the order of the menu and of the start screen.
std::span<const FormInfo> AllForms();
const FormInfo* FindFormById(int templateId);
const FormInfo* FindFormByCommand(int commandId);
// A template id ("171") or a short name ("drossel", any letter case).
const FormInfo* FindForm(std::string_view idOrName);

// The main field names of a form's description that are no field of the
// form made from it, one line each; empty when all are right. (A form is
// checked as it is made: making one can write files, the pipe run's
// protocol.)
std::vector<std::string> MainFieldProblems(const FormInfo& info, const CForm& form);

} // namespace dralun
