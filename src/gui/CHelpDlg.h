#pragma once
// The short help page of a form (F1): what the form checks, its method and
// source, its modes and what its verdict compares. A small window beside
// the form that stays open while the user works on.
#include <QDialog>

class QTextBrowser;

namespace dralun {

class CHelpDlg : public QDialog {
    Q_OBJECT
public:
    CHelpDlg(int templateId, const QString& formTitle, QWidget* parent);
    QTextBrowser* Page() const { return m_page; }

private:
    QTextBrowser* m_page;
};

} // namespace dralun
