#pragma once
// Every calculator form of the program: its template id, the menu command
// that opens it, a short name for scripts, its title, and how to make one.
#include <memory>
#include <span>
#include <string_view>

#include "forms/IMessageSink.h"

namespace dralun {

class CForm;

struct FormInfo {
    int templateId;
    int commandId;
    const char* shortName;
    const char* title;
    std::unique_ptr<CForm> (*create)(IMessageSink& sink); // nullptr: not built yet
};

std::span<const FormInfo> AllForms();
const FormInfo* FindFormById(int templateId);
const FormInfo* FindFormByCommand(int commandId);
// A template id ("171") or a short name ("drossel", any letter case).
const FormInfo* FindForm(std::string_view idOrName);

} // namespace dralun
