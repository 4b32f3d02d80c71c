#include "core/KeptFiles.h"

#include <algorithm>

#include "core/TextCase.h"

namespace dralun {

namespace {

thread_local CUseKeptFiles* t_active = nullptr;

// The last part of a name as a form gives it, with either separator.
std::string_view LastPart(std::string_view name)
{
    const size_t slash = name.find_last_of("/\\");
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

} // namespace

bool IsDeviceName(std::string_view name)
{
    // Windows takes the part before the first dot, blanks at its end left
    // out, as the device, whatever follows ("nul.txt", "COM1 .asc").
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"})
        if (EqualsIgnoringCase(stem, device))
            return true;
    if (stem.size() < 4 || !(EqualsIgnoringCase(stem.substr(0, 3), "COM") || EqualsIgnoringCase(stem.substr(0, 3), "LPT")))
        return false;
    // COM0 to COM9 and LPT0 to LPT9, also with a superscript ¹ ² ³.
    const std::string_view number = stem.substr(3);
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "\xC2\xB9" ||
           number == "\xC2\xB2" || number == "\xC2\xB3";
}

bool IsBareFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\:") != std::string_view::npos)
        return false;
    // Windows drops dots and blanks at the end of a name: "a." would be "a".
    if (name.back() == '.' || name.back() == ' ' || IsDeviceName(name))
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

CUseKeptFiles::CUseKeptFiles(std::vector<KeptFileCopy> copies) : m_copies(std::move(copies)), m_outer(t_active)
{
    t_active = this;
}

CUseKeptFiles::~CUseKeptFiles() { t_active = m_outer; }

const KeptFileCopy* CUseKeptFiles::Find(std::string_view fileName)
{
    CUseKeptFiles* scope = t_active;
    if (!scope)
        return nullptr;
    const std::string_view wanted = LastPart(fileName);
    for (const KeptFileCopy& copy : scope->m_copies) {
        if (!copy.content || !EqualsIgnoringCase(copy.name, wanted))
            continue;
        if (std::find(scope->m_used.begin(), scope->m_used.end(), copy.name) == scope->m_used.end())
            scope->m_used.push_back(copy.name);
        return &copy;
    }
    return nullptr;
}

} // namespace dralun
