#pragma once
#include <QApplication>
#include <QTranslator>
#include <filesystem>

namespace dralun::install {

// The installer application with its window; German Qt texts.
class CInstallApp : public QApplication {
    Q_OBJECT
public:
    CInstallApp(int& argc, char** argv);
    // Shows the installer window; the program ends when it closes.
    int Run(const std::filesystem::path& medium, const std::filesystem::path& target);

private:
    QTranslator m_qtTexts;
};

} // namespace dralun::install
