#pragma once
// Output that is what it says. A program's standard output is written
// through a buffer that remembers the first byte the system would not take
// (a full disk, /dev/full), so the program ends with a German message and a
// failing exit status instead of a cut table and success. A report or a
// table is written to a file only where that cannot destroy anything else:
// a regular file the user may write, or a new name; never a device, a FIFO
// or the file the report is made from.
#include <cstdio>
#include <filesystem>
#include <streambuf>
#include <string>
#include <vector>

namespace dralun {

// The German reason for an errno value, for every message that shows a
// system error ("kein Platz mehr auf dem Datenträger", "Datei bereits
// vorhanden"); a value without a text of its own reads "Systemfehler N".
std::string SystemErrorText(int error);

// Why a report or a table must not be written to `path`, as German
// sentences to follow the message that names the file ("Das ist ein Gerät
// und keine Datei."); empty when it may be written. A symbolic link is
// followed only to a regular file the user may write. `source` is the file
// the output is made from (a project): writing over it is refused too.
std::string OutputFileProblem(const std::filesystem::path& path, const std::filesystem::path& source = {});

// A stream buffer over a file descriptor (1: standard output) that keeps
// the first error of writing; after one, further bytes are dropped.
class COutputBuffer : public std::streambuf {
public:
    explicit COutputBuffer(int fd);
    ~COutputBuffer() override;
    COutputBuffer(const COutputBuffer&) = delete;
    COutputBuffer& operator=(const COutputBuffer&) = delete;

    // Writes what is buffered; the errno of the first failed write, or 0.
    int Finish();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    bool Drain();

    int m_fd;
    int m_error = 0;
    std::vector<char> m_buffer;
};

// The message for output that could not be written:
// "dralun-calc: Die Ausgabe konnte nicht geschrieben werden: kein Platz mehr
// auf dem Datenträger".
std::string OutputFailedText(const std::string& program, int error);

// Flushes the C stream `stream` (stdout) and returns the errno of a failed
// write on it, or 0.
int FinishCStream(std::FILE* stream);

// The exit status of a run whose output failed with `error`: the run's own
// status when it wrote everything, else 2 (a file problem).
inline int StatusAfterOutput(int status, int error) { return error ? 2 : status; }

} // namespace dralun
