// The main of the Qt test programs: one registered class, named as the
// first argument (as ctest runs them, each in a process of its own), or all
// of them in turn with one application.
#include <QApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

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
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    return RunOne(found->first, found->second, count, args.data());
}
