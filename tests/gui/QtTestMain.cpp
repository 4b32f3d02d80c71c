// The main of the Qt test programs: one registered class, named as the
// first argument (as ctest runs them, each in a process of its own), or all
// of them in turn with one application.
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>
#ifdef _WIN32
#include <process.h>
#endif

#include "QtTestRegistry.h"

namespace dralun::test {

namespace {

struct Entry {
    QtTestRun run = nullptr;
    bool ownApplication = false;
};

std::map<std::string, Entry>& Registry()
{
    static std::map<std::string, Entry> tests;
    return tests;
}

// Each class starts as it did as a program of its own: named as that
// program was, with no organisation, and with the environment the program
// was started with (a class may point XDG_DATA_HOME elsewhere).
void FreshStart(const std::string& name, const QProcessEnvironment& start)
{
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QString::fromStdString(name));
    const QProcessEnvironment now = QProcessEnvironment::systemEnvironment();
    for (const QString& key : now.keys())
        if (!start.contains(key))
            qunsetenv(key.toLocal8Bit().constData());
    for (const QString& key : start.keys())
        if (now.value(key) != start.value(key))
            qputenv(key.toLocal8Bit().constData(), start.value(key).toLocal8Bit());
}

int RunOne(const std::string& name, const Entry& entry, int argc, char** argv)
{
    if (entry.ownApplication)
        return entry.run(argc, argv);
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    QCoreApplication::setApplicationName(QString::fromStdString(name));
    return entry.run(argc, argv);
}

int RunAll(int argc, char** argv)
{
    const QProcessEnvironment start = QProcessEnvironment::systemEnvironment();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    QStringList options;
    for (int i = 1; i < argc; ++i)
        options << QString::fromLocal8Bit(argv[i]);
    std::vector<std::string> failed;
    for (const auto& [name, entry] : Registry()) {
        FreshStart(name, start);
        const int result = entry.ownApplication
                               ? QProcess::execute(QCoreApplication::applicationFilePath(),
                                                   QStringList{QString::fromStdString(name)} + options)
                               : entry.run(argc, argv);
        if (result != 0)
            failed.push_back(name);
    }
    for (const std::string& name : failed)
        std::fprintf(stderr, "FAILED: %s\n", name.c_str());
    return failed.empty() ? 0 : 1;
}

} // namespace

bool RegisterQtTest(const char* name, QtTestRun run, bool ownApplication)
{
    Registry()[name] = {run, ownApplication};
    return true;
}

} // namespace dralun::test

int main(int argc, char** argv)
{
    using namespace dralun::test;
#ifdef _WIN32
    // Windows keeps settings in the registry, which no test may share with
    // the user or with another test: they go to a file below the test home,
    // as they do on Linux.
    // Windows' own file dialogs cannot be filled in by a test: the tests
    // drive Qt's, as on Linux (the program shows Windows' own).
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).absolutePath());
#endif
    if (argc < 2 || argv[1][0] == '-')
        return RunAll(argc, argv);
    const auto found = Registry().find(argv[1]);
    if (found == Registry().end()) {
        std::fprintf(stderr, "no test class %s; the classes:\n", argv[1]);
        for (const auto& entry : Registry())
            std::fprintf(stderr, "  %s\n", entry.first.c_str());
        return 2;
    }
    // The class's name stands in for the program's; QTest reads the rest.
    std::vector<char*> args{argv[0]};
    args.insert(args.end(), argv + 2, argv + argc);
#ifdef _WIN32
    // QTest's plain log goes to the debugger, not to standard output, when
    // Windows (Wine) says the output is no console: it is written to a file
    // and copied to standard output after the run, for ctest to show.
    std::string log;
    if (std::find_if(args.begin(), args.end(), [](const char* a) { return std::string(a) == "-o"; }) == args.end()) {
        log = (std::filesystem::temp_directory_path() / ("qtest-" + found->first + "-" +
                                                          std::to_string(::_getpid()) + ".txt")).string();
        static std::string option;
        option = log + ",txt";
        args.push_back(const_cast<char*>("-o"));
        args.push_back(option.data());
    }
#endif
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    const int result = RunOne(found->first, found->second, count, args.data());
#ifdef _WIN32
    if (!log.empty()) {
        if (std::FILE* file = std::fopen(log.c_str(), "rb")) {
            char buffer[4096];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
                std::fwrite(buffer, 1, n, stdout);
            std::fclose(file);
        }
        std::remove(log.c_str());
    }
#endif
    return result;
}
