#include "core/FileAccess.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/Format.h"

namespace dralun {

std::string ErrorText(int error)
{
    switch (error) {
    case ENOENT: return "nicht vorhanden";
    case EACCES:
    case EPERM: return "Zugriff verweigert";
    case ENOSPC: return "kein Platz mehr auf dem Datenträger";
    case EROFS: return "Datenträger schreibgeschützt";
    case EISDIR: return "ein Verzeichnis";
    case ENOTDIR: return "ein Teil des Pfades ist kein Verzeichnis";
    case EIO: return "Ein-/Ausgabefehler";
    case ELOOP: return "zu viele symbolische Verknüpfungen";
    case ENAMETOOLONG: return "Name zu lang";
    default: return std::strerror(error);
    }
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
