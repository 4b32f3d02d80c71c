#include "core/SafeOutput.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "core/Format.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace dralun {

namespace fs = std::filesystem;

std::string SystemErrorText(int error)
{
    switch (error) {
    case ENOENT: return "nicht vorhanden";
    case EACCES:
    case EPERM: return "Zugriff verweigert";
    case ENOSPC: return "kein Platz mehr auf dem Datenträger";
#ifdef EDQUOT
    case EDQUOT: return "Speicherkontingent erschöpft";
#endif
    case EROFS: return "Datenträger schreibgeschützt";
    case EEXIST: return "Datei bereits vorhanden";
    case EISDIR: return "ein Verzeichnis";
    case ENOTDIR: return "ein Teil des Pfades ist kein Verzeichnis";
    case ENOTEMPTY: return "Verzeichnis nicht leer";
    case EIO: return "Ein-/Ausgabefehler";
    case ELOOP: return "zu viele symbolische Verknüpfungen";
    case ENAMETOOLONG: return "Name zu lang";
    case EFBIG: return "Datei zu groß";
    case EBUSY: return "in Benutzung";
#ifdef ETXTBSY
    case ETXTBSY: return "in Benutzung";
#endif
    case EXDEV: return "nicht über Datenträgergrenzen möglich";
    case ENXIO:
    case ENODEV: return "kein solches Gerät";
    case EPIPE: return "der Empfänger hat die Verbindung beendet";
    case EMFILE:
    case ENFILE: return "zu viele offene Dateien";
    case ENOMEM: return "nicht genug Arbeitsspeicher";
    case EINVAL: return "ungültiges Argument";
    case EBADF: return "ungültiger Dateideskriptor";
    case EAGAIN: return "vorübergehend nicht verfügbar";
    case EINTR: return "unterbrochen";
    default: return Format("Systemfehler %d", error);
    }
}

namespace {

std::string KindOf(fs::file_type type)
{
    switch (type) {
    case fs::file_type::directory: return "ein Verzeichnis";
    case fs::file_type::fifo: return "eine benannte Pipe (FIFO)";
    case fs::file_type::character:
    case fs::file_type::block: return "ein Gerät";
    case fs::file_type::socket: return "ein Socket";
    default: return "keine gewöhnliche Datei";
    }
}

// errno of asking for write access, 0 when it is granted.
int WriteDenied(const fs::path& path, bool directory)
{
#ifdef _WIN32
    std::error_code ec;
    const fs::perms p = fs::status(path, ec).permissions();
    if (ec)
        return ec.value();
    (void)directory;
    return (p & fs::perms::owner_write) == fs::perms::none ? EACCES : 0;
#else
    return ::access(path.c_str(), directory ? W_OK | X_OK : W_OK) == 0 ? 0 : errno;
#endif
}

} // namespace

std::string OutputFileProblem(const fs::path& path, const fs::path& source)
{
    if (path.empty())
        return "Es ist kein Dateiname angegeben.";
    std::error_code ec;
    const fs::file_status own = fs::symlink_status(path, ec);
    const bool link = own.type() == fs::file_type::symlink;
    const fs::file_status target = link ? fs::status(path, ec) : own;
    const std::string subject = link ? "Die symbolische Verknüpfung zeigt auf " : "Das ist ";
    if (link && target.type() == fs::file_type::not_found)
        return "Die symbolische Verknüpfung zeigt auf keine vorhandene Datei.";
    if (target.type() != fs::file_type::not_found && target.type() != fs::file_type::regular)
        return subject + KindOf(target.type()) + " und keine Datei.";
    if (!source.empty() && target.type() == fs::file_type::regular && fs::equivalent(path, source, ec))
        return subject + "die Datei, aus der der Bericht entsteht.";
    if (target.type() == fs::file_type::regular) {
        if (const int error = WriteDenied(path, false))
            return "Die Datei darf nicht geschrieben werden (" + SystemErrorText(error) + ").";
    }
    // The file is written whole beside its final place and then renamed:
    // its folder must take a new file.
    const fs::path resolved = link ? fs::canonical(path, ec) : path;
    fs::path folder = (ec ? path : resolved).parent_path();
    if (folder.empty())
        folder = ".";
    const fs::file_status dir = fs::status(folder, ec);
    if (dir.type() == fs::file_type::not_found)
        return "Das Verzeichnis ist nicht vorhanden.";
    if (dir.type() != fs::file_type::directory)
        return "Ein Teil des Pfades ist kein Verzeichnis.";
    if (const int error = WriteDenied(folder, true))
        return "Im Verzeichnis kann keine Datei angelegt werden (" + SystemErrorText(error) + ").";
    return {};
}

// ---- standard output --------------------------------------------------------

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
} // namespace

COutputBuffer::COutputBuffer(int fd) : m_fd(fd), m_buffer(kBufferSize)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

COutputBuffer::~COutputBuffer() { Drain(); }

bool COutputBuffer::Drain()
{
    const char* data = pbase();
    std::size_t left = static_cast<std::size_t>(pptr() - pbase());
    while (left > 0 && m_error == 0) {
#ifdef _WIN32
        const int n = ::_write(m_fd, data, static_cast<unsigned>(left));
#else
        const ssize_t n = ::write(m_fd, data, left);
#endif
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_error = n < 0 ? errno : EIO;
            break;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return m_error == 0;
}

COutputBuffer::int_type COutputBuffer::overflow(int_type c)
{
    if (!Drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize COutputBuffer::xsputn(const char* s, std::streamsize n)
{
    std::streamsize done = 0;
    while (done < n) {
        if (pptr() == epptr() && !Drain())
            return done;
        const std::streamsize room = std::min<std::streamsize>(epptr() - pptr(), n - done);
        traits_type::copy(pptr(), s + done, static_cast<std::size_t>(room));
        pbump(static_cast<int>(room));
        done += room;
    }
    return done;
}

int COutputBuffer::sync() { return Drain() ? 0 : -1; }

int COutputBuffer::Finish()
{
    Drain();
    return m_error;
}

std::string OutputFailedText(const std::string& program, int error)
{
    return program + ": Die Ausgabe konnte nicht geschrieben werden: " + SystemErrorText(error);
}

int FinishCStream(std::FILE* stream)
{
    errno = 0;
    if (std::fflush(stream) != 0 || std::ferror(stream))
        return errno != 0 ? errno : EIO;
    return 0;
}

} // namespace dralun
