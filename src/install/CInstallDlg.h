#pragma once
// The installer window: a picture, "Start kopieren" and "Abbrechen/Ende",
// and a date picker that is only shown.
#include <QDialog>
#include <QMessageBox>
#include <filesystem>
#include <functional>

#include "install/CInstallCopy.h"

namespace dralun::install {

class CInstallDlg : public QDialog {
    Q_OBJECT
public:
    CInstallDlg(std::filesystem::path medium, std::filesystem::path target, InstallOptions options = {},
                QWidget* parent = nullptr);

    // How messages are shown (the tests record them instead).
    using MessageShower = std::function<void(QMessageBox::Icon, const QString&)>;
    void SetMessageShower(MessageShower shower) { m_show = std::move(shower); }

    void OnStartCopy();
    void OnAbout();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::filesystem::path m_medium;
    std::filesystem::path m_target;
    InstallOptions m_options; // from the command line: --missing-only holds here too
    MessageShower m_show;
};

// "Info über install": the version and what the program does.
class CInstallAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInstallAboutDlg(QWidget* parent = nullptr);
};

} // namespace dralun::install
