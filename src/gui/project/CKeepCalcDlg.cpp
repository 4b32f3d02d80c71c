#include "gui/project/CKeepCalcDlg.h"

#include "gui/report/CReportHeaderDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

#include "project/Calculation.h"

namespace dralun {

namespace {

enum { kProject, kStructure, kEngineer, kDate, kRemark };

QString Q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

CKeepCalcDlg::CKeepCalcDlg(const QString& name, const ReportHeader* kept, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("In Projekt übernehmen"));
    const int pitch = fontMetrics().horizontalAdvance(QLatin1Char('0'));

    auto* nameForm = new QFormLayout;
    m_name = new QLineEdit;
    LimitTypedText(m_name, kLongestName);
    m_name->setText(name.left(static_cast<int>(kLongestName)));
    m_name->setMinimumWidth(pitch * 52);
    nameForm->addRow(QStringLiteral("&Name der Berechnung:"), m_name);

    auto* headBox = new QGroupBox(QStringLiteral("Kopf des Berichts"));
    auto* headForm = new QFormLayout(headBox);
    for (int i = 0; i < 5; ++i) {
        m_head[i] = new QLineEdit;
        LimitTypedText(m_head[i], kLongestHeadText[i]);
        m_head[i]->setMinimumWidth(pitch * 44);
        headForm->addRow(QString::fromUtf8(kReportHeadLabels[i]), m_head[i]);
        if (i == kProject) { // the project's number and client under its name
            m_number = new QLineEdit;
            LimitTypedText(m_number, kLongestNumber);
            headForm->addRow(QStringLiteral("Projekt-&Nr.:"), m_number);
            m_client = new QLineEdit;
            LimitTypedText(m_client, kLongestClient);
            headForm->addRow(QStringLiteral("&Auftraggeber:"), m_client);
        }
    }
    if (kept) {
        m_client->setText(Q(kept->client));
        m_number->setText(Q(kept->number));
        m_head[kProject]->setText(Q(kept->project));
        m_head[kStructure]->setText(Q(kept->structure));
        m_head[kEngineer]->setText(Q(kept->engineer));
        m_head[kRemark]->setText(Q(kept->remark));
    } else {
        const QSettings settings;
        m_head[kProject]->setText(settings.value(kReportProjectKey).toString());
        m_head[kEngineer]->setText(settings.value(kReportEngineerKey).toString());
        m_client->setText(settings.value(kReportClientKey).toString());
        m_number->setText(settings.value(kReportNumberKey).toString());
    }
    m_head[kDate]->setText(Q(TodayText()));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameForm);
    layout->addWidget(headBox);
    if (kept) {
        auto* entryBox = new QGroupBox(QStringLiteral("Gespeicherte Berechnung"));
        auto* entryColumn = new QVBoxLayout(entryBox);
        m_replace = new QRadioButton(QStringLiteral("Ein&trag ersetzen"));
        m_add = new QRadioButton(QStringLiteral("Als neue Berechnung &hinzufügen"));
        m_replace->setChecked(true);
        entryColumn->addWidget(m_replace);
        entryColumn->addWidget(m_add);
        layout->addWidget(entryBox);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_name->selectAll();
}

QLineEdit* CKeepCalcDlg::HeadEdit(int index) const { return index >= 0 && index < 5 ? m_head[index] : nullptr; }

QString CKeepCalcDlg::Name() const { return m_name->text().trimmed(); }

ReportHeader CKeepCalcDlg::Header() const
{
    auto text = [this](int i) { return m_head[i]->text().trimmed().toStdString(); };
    ReportHeader header{text(kProject), text(kStructure), text(kEngineer), text(kDate), text(kRemark)};
    header.client = m_client->text().trimmed().toStdString();
    header.number = m_number->text().trimmed().toStdString();
    return header;
}

bool CKeepCalcDlg::ReplaceEntry() const { return m_replace && m_replace->isChecked(); }

void CKeepCalcDlg::accept()
{
    QSettings settings;
    settings.setValue(kReportProjectKey, m_head[kProject]->text().trimmed());
    settings.setValue(kReportEngineerKey, m_head[kEngineer]->text().trimmed());
    settings.setValue(kReportClientKey, m_client->text().trimmed());
    settings.setValue(kReportNumberKey, m_number->text().trimmed());
    QDialog::accept();
}

} // namespace dralun
