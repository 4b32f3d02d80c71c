#pragma once
#include <QApplication>
#include <QTranslator>
#include <filesystem>

#include "install/CInstallCopy.h"

namespace dralun::install {

// The installer application with its window; German Qt texts.
class CInstallApp : public QApplication {
    Q_OBJECT
public:
    CInstallApp(int& argc, char** argv);
    // Shows the installer window; the program ends when it closes.
    int Run(const std::filesystem::path& medium, const std::filesystem::path& target, const InstallOptions& options);

private:
    QTranslator m_qtTexts;
};

} // namespace dralun::install
