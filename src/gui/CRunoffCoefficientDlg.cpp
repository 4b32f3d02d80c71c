#include "gui/CRunoffCoefficientDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "forms/RunoffCoefficients.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

CRunoffCoefficientDlg::CRunoffCoefficientDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Richtwerte für ψ"));
    const auto coefficients = RunoffCoefficients();
    m_list = new QTableWidget(static_cast<int>(coefficients.size()), 2);
    m_list->setHorizontalHeaderLabels({QStringLiteral("Fläche"), QStringLiteral("ψm")});
    m_list->verticalHeader()->hide();
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < m_list->rowCount(); ++i) {
        const RunoffCoefficient& c = coefficients[static_cast<size_t>(i)];
        auto* surface = new QTableWidgetItem(Q(c.surface));
        auto* psi = new QTableWidgetItem(Q(RunoffCoefficientText(c)));
        psi->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (c.IsRange()) {
            surface->setToolTip(Q(RunoffCoefficientTip(c)));
            psi->setToolTip(Q(RunoffCoefficientTip(c)));
        }
        m_list->setItem(i, 0, surface);
        m_list->setItem(i, 1, psi);
    }
    m_list->resizeColumnsToContents();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setCurrentCell(0, 0);
    const int width = m_list->horizontalHeader()->length() + m_list->frameWidth() * 2 +
                      fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    // Every row in view: the header's height as it will be shown (its size
    // hint; before the dialog is shown its height may be less).
    m_list->setMinimumSize(width, m_list->verticalHeader()->length() +
                                      m_list->horizontalHeader()->sizeHint().height() + m_list->frameWidth() * 2 + 2);

    auto* source = new QLabel(Q(RunoffCoefficientSource()));
    source->setObjectName(QStringLiteral("source"));
    source->setWordWrap(true);
    auto* take = new QPushButton(QStringLiteral("Übernehmen"));
    take->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(take);
    buttons->addWidget(cancel);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(m_list, 1);
    outer->addWidget(source);
    outer->addLayout(buttons);
    connect(take, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
}

int CRunoffCoefficientDlg::Chosen() const { return m_list->currentRow(); }

} // namespace dralun
