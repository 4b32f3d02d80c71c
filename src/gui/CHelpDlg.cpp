#include "gui/CHelpDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "forms/FormHelp.h"

namespace dralun {

CHelpDlg::CHelpDlg(int templateId, const QString& formTitle, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Hilfe – %1").arg(formTitle));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    m_page = new QTextBrowser;
    m_page->setOpenExternalLinks(false);
    const QString html = QString::fromStdString(HelpPageHtml(templateId));
    if (html.trimmed().isEmpty())
        m_page->setPlainText(QStringLiteral("Für dieses Formular gibt es keine Hilfeseite."));
    else
        m_page->setHtml(html);
    layout->addWidget(m_page);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schließen"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // About 60 characters wide and 30 lines high, never beyond the screen.
    const QFontMetrics metrics = fontMetrics();
    resize(metrics.horizontalAdvance(QLatin1Char('n')) * 70, metrics.height() * 30);
}

} // namespace dralun
