#pragma once
#include <QDialog>

namespace dralun {

// The about box: program name, credit, disclaimer, "OK".
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace dralun
