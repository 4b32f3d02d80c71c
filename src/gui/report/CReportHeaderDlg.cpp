#include "gui/report/CReportHeaderDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "project/Calculation.h"

namespace dralun {

namespace {

enum { kProject, kStructure, kEngineer, kDate, kRemark };

} // namespace

bool ReportDecimalComma() { return QSettings().value(kReportDecimalCommaKey, true).toBool(); }

void LimitTypedText(QLineEdit* edit, std::size_t longest)
{
    // The edit counts UTF-16 units, never fewer than the characters.
    edit->setMaxLength(static_cast<int>(std::min<std::size_t>(longest, INT_MAX)));
    static const QRegularExpression printable(QStringLiteral("[^\\x{0}-\\x{1F}\\x{7F}-\\x{9F}]*"));
    edit->setValidator(new QRegularExpressionValidator(printable, edit));
}

CReportHeaderDlg::CReportHeaderDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Kopf des Berichts"));
    auto* form = new QFormLayout;
    for (int i = 0; i < 5; ++i) {
        m_edits[i] = new QLineEdit;
        LimitTypedText(m_edits[i], kLongestHeadText[i]);
        m_edits[i]->setMinimumWidth(m_edits[i]->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 44);
        form->addRow(QString::fromUtf8(kReportHeadLabels[i]), m_edits[i]);
    }
    const QSettings settings;
    m_edits[kProject]->setText(settings.value(kReportProjectKey).toString());
    m_edits[kEngineer]->setText(settings.value(kReportEngineerKey).toString());
    m_edits[kDate]->setText(QString::fromStdString(TodayText()));
    m_comma = new QCheckBox(QStringLiteral("Dezimal&komma im gedruckten Bericht (sonst Punkt)"));
    m_comma->setToolTip(QStringLiteral("Zahlen im gedruckten Bericht und im PDF mit Dezimalkomma (0,133) "
                                       "oder mit Dezimalpunkt (0.133). Text-, JSON- und CSV-Ausgaben "
                                       "schreiben immer den Punkt."));
    m_comma->setChecked(settings.value(kReportDecimalCommaKey, true).toBool());
    form->addRow(QString(), m_comma);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* CReportHeaderDlg::Edit(int index) const { return index >= 0 && index < 5 ? m_edits[index] : nullptr; }

ReportHeader CReportHeaderDlg::Header() const
{
    auto text = [this](int i) { return m_edits[i]->text().trimmed().toStdString(); };
    ReportHeader header{text(kProject), text(kStructure), text(kEngineer), text(kDate), text(kRemark)};
    header.decimalComma = m_comma->isChecked();
    return header;
}

void CReportHeaderDlg::accept()
{
    QSettings settings;
    settings.setValue(kReportProjectKey, m_edits[kProject]->text().trimmed());
    settings.setValue(kReportEngineerKey, m_edits[kEngineer]->text().trimmed());
    settings.setValue(kReportDecimalCommaKey, m_comma->isChecked());
    QDialog::accept();
}

} // namespace dralun
