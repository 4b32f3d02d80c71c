#include "core/FileAccess.h"

#include <cerrno>
#include <system_error>

#include "core/Format.h"
#include "core/SafeOutput.h"

namespace dralun {

std::string ErrorText(int error) { return SystemErrorText(error); }

std::optional<std::string> ReadRest(std::FILE* file, std::uintmax_t largest)
{
    std::string bytes;
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, n);
        if (bytes.size() > largest)
            return std::nullopt;
    }
    if (std::ferror(file))
        return std::nullopt;
    return bytes;
}

std::string ProblemText(const ReadableFile& file)
{
    switch (file.problem) {
    case FileProblem::None:
        return {};
    case FileProblem::Missing:
        return "fehlt.";
    case FileProblem::NotRegular:
        return "ist " + file.kind + " und keine Datei.";
    case FileProblem::TooLarge:
        return Format("ist mit %ju Bytes zu groß (eine Datendatei hat höchstens %ju Bytes).", file.size,
                      file.largest);
    case FileProblem::Unreadable:
        return "kann nicht gelesen werden (" + ErrorText(file.error) + ").";
    }
    return {};
}

} // namespace dralun
