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

void ApplyKeptHead(ReportHeader& header)
{
    const QSettings settings;
    header.office = settings.value(kReportOfficeKey).toString().toStdString();
    header.place = settings.value(kReportPlaceKey).toString().toStdString();
    header.shortForm = settings.value(kReportShortKey, false).toBool();
}

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
    auto edit = [&](std::size_t longest) {
        auto* e = new QLineEdit;
        LimitTypedText(e, longest);
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 44);
        return e;
    };
    for (int i = 0; i < 5; ++i)
        m_edits[i] = edit(kLongestHeadText[i]);
    m_client = edit(kLongestClient);
    m_number = edit(kLongestNumber);
    m_place = edit(kLongestPlace);
    for (QLineEdit*& line : m_office)
        line = edit(kLongestOffice / kMostOfficeLines);
    m_office[0]->setPlaceholderText(QStringLiteral("Büro"));
    for (std::size_t i = 1; i < kMostOfficeLines; ++i)
        m_office[i]->setPlaceholderText(QStringLiteral("Anschrift, Zeile %1").arg(i));
    form->addRow(QString::fromUtf8(kReportHeadLabels[kProject]), m_edits[kProject]);
    form->addRow(QStringLiteral("Projekt-&Nr.:"), m_number);
    form->addRow(QStringLiteral("&Auftraggeber:"), m_client);
    form->addRow(QString::fromUtf8(kReportHeadLabels[kStructure]), m_edits[kStructure]);
    for (std::size_t i = 0; i < kMostOfficeLines; ++i)
        form->addRow(i == 0 ? QStringLiteral("P&lanung:") : QString(), m_office[i]);
    form->addRow(QString::fromUtf8(kReportHeadLabels[kEngineer]), m_edits[kEngineer]);
    form->addRow(QStringLiteral("&Ort:"), m_place);
    for (int i : {kDate, kRemark})
        form->addRow(QString::fromUtf8(kReportHeadLabels[i]), m_edits[i]);
    const QSettings settings;
    m_edits[kProject]->setText(settings.value(kReportProjectKey).toString());
    m_edits[kEngineer]->setText(settings.value(kReportEngineerKey).toString());
    m_client->setText(settings.value(kReportClientKey).toString());
    m_number->setText(settings.value(kReportNumberKey).toString());
    m_place->setText(settings.value(kReportPlaceKey).toString());
    const QStringList office = settings.value(kReportOfficeKey).toString().split(QLatin1Char('\n'));
    for (int i = 0; i < office.size() && i < static_cast<int>(kMostOfficeLines); ++i)
        m_office[i]->setText(office[i]);
    m_edits[kDate]->setText(QString::fromStdString(TodayText()));
    m_comma = new QCheckBox(QStringLiteral("Dezimal&komma im gedruckten Bericht (sonst Punkt)"));
    m_comma->setToolTip(QStringLiteral("Zahlen im gedruckten Bericht und im PDF mit Dezimalkomma (0,133) "
                                       "oder mit Dezimalpunkt (0.133). Text-, JSON- und CSV-Ausgaben "
                                       "schreiben immer den Punkt."));
    m_comma->setChecked(settings.value(kReportDecimalCommaKey, true).toBool());
    form->addRow(QString(), m_comma);
    m_short = new QCheckBox(QStringLiteral("K&urzfassung (ohne Zwischenschritte)"));
    m_short->setToolTip(QStringLiteral("Eingaben, Ergebnisse, Nachweis, Daten und Bild; ohne Tabellenwerte, "
                                       "Interpolationen und Iterationen. Gilt auch für „Projekt drucken“. "
                                       "Der JSON-Bericht enthält immer alles."));
    m_short->setChecked(settings.value(kReportShortKey, false).toBool());
    form->addRow(QString(), m_short);

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

QLineEdit* CReportHeaderDlg::OfficeEdit(int line) const
{
    return line >= 0 && line < static_cast<int>(kMostOfficeLines) ? m_office[line] : nullptr;
}

namespace {

// The office's lines after line feeds; empty lines at the end are no lines.
QString OfficeText(QLineEdit* const (&lines)[kMostOfficeLines])
{
    QStringList texts;
    for (QLineEdit* line : lines)
        texts << line->text().trimmed();
    while (!texts.isEmpty() && texts.back().isEmpty())
        texts.removeLast();
    return texts.join(QLatin1Char('\n'));
}

} // namespace

ReportHeader CReportHeaderDlg::Header() const
{
    auto text = [this](int i) { return m_edits[i]->text().trimmed().toStdString(); };
    ReportHeader header{text(kProject), text(kStructure), text(kEngineer), text(kDate), text(kRemark)};
    header.client = m_client->text().trimmed().toStdString();
    header.number = m_number->text().trimmed().toStdString();
    header.place = m_place->text().trimmed().toStdString();
    header.office = OfficeText(m_office).toStdString();
    header.decimalComma = m_comma->isChecked();
    header.shortForm = m_short->isChecked();
    return header;
}

void CReportHeaderDlg::accept()
{
    QSettings settings;
    settings.setValue(kReportProjectKey, m_edits[kProject]->text().trimmed());
    settings.setValue(kReportEngineerKey, m_edits[kEngineer]->text().trimmed());
    settings.setValue(kReportClientKey, m_client->text().trimmed());
    settings.setValue(kReportNumberKey, m_number->text().trimmed());
    settings.setValue(kReportPlaceKey, m_place->text().trimmed());
    settings.setValue(kReportOfficeKey, OfficeText(m_office));
    settings.setValue(kReportDecimalCommaKey, m_comma->isChecked());
    settings.setValue(kReportShortKey, m_short->isChecked());
    QDialog::accept();
}

} // namespace dralun
