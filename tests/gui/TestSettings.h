#pragma once
// Whether the program's settings go to the test's own folder (the test home
// below the build tree), never the user's. Under Wine that folder is named
// "/work/..." in the environment and "Z:/work/..." by Qt: the drive is not
// compared.
#include <QDir>
#include <QSettings>

namespace dralun::test {

inline bool SettingsAreBelow(const QString& folder)
{
    const auto plain = [](QString path) {
        path = QDir::fromNativeSeparators(path);
        return path.size() > 1 && path[1] == QLatin1Char(':') ? path.mid(2) : path;
    };
    return !folder.isEmpty() && plain(QSettings().fileName()).startsWith(plain(folder) + QLatin1Char('/'));
}

} // namespace dralun::test
