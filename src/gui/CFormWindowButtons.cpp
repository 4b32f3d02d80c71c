// The buttons under "Rechne" of a form window: the report, the rating
// table, the search for a target value and the taking into the project;
// and "Zufluss…" beside the discharge field.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/CFormWindow.h"
#include "gui/CInflowDlg.h"
#include "gui/rating/CRatingTableDlg.h"
#include "gui/rating/CSolveDlg.h"
#include "gui/report/CReportHeaderDlg.h"
#include "gui/report/ReportPreview.h"
#include "rating/RatingSweep.h"
#include "rating/SolveFor.h"
#include "report/Report.h"

namespace dralun {

// "Bericht…", "Wertetabelle…" and "Zielwert…" under "Rechne", in a column of
// their own that takes the place of "Rechne" in the form's grid.
QWidget* CFormWindow::WithReportButton(QWidget* compute, const QGridLayout* grid)
{
    m_reportButton = new QPushButton(QStringLiteral("Bericht…"));
    m_reportButton->setAutoDefault(false);
    connect(m_reportButton, &QPushButton::clicked, this, &CFormWindow::OnReport);
    m_ratingButton = new QPushButton(QStringLiteral("Wertetabelle…"));
    m_ratingButton->setAutoDefault(false);
    connect(m_ratingButton, &QPushButton::clicked, this, &CFormWindow::OnRatingTable);
    m_solveButton = new QPushButton(QStringLiteral("Zielwert…"));
    m_solveButton->setAutoDefault(false);
    connect(m_solveButton, &QPushButton::clicked, this, &CFormWindow::OnSolve);
    m_keepButton = new QPushButton(QStringLiteral("In Projekt übernehmen"));
    m_keepButton->setAutoDefault(false);
    m_keepButton->hide(); // until the owner says who keeps it
    connect(m_keepButton, &QPushButton::clicked, this, &CFormWindow::OnKeep);
    auto* pair = new QWidget;
    auto* column = new QVBoxLayout(pair);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(grid->verticalSpacing());
    column->addWidget(compute);
    column->addWidget(m_reportButton);
    column->addWidget(m_ratingButton);
    column->addWidget(m_solveButton);
    column->addWidget(m_keepButton);
    return pair;
}

void CFormWindow::SetKeeper(std::function<void(CFormWindow&)> keeper)
{
    m_keeper = std::move(keeper);
    if (m_keepButton)
        m_keepButton->setVisible(bool(m_keeper));
}

void CFormWindow::ShowBanner(const QStringList& lines)
{
    m_banner->setText(lines.join(QLatin1Char('\n')));
    m_banner->setVisible(!lines.isEmpty());
    FitWindow();
}

// Presses "Rechne" as the user would; false when that closed the form.
bool CFormWindow::ComputeFirst()
{
    Run([this] { m_form->Click(m_computeId); });
    return !m_form->IsClosed();
}

// What goes into the project is what the inputs give: "Rechne" first.
void CFormWindow::OnKeep()
{
    if (m_busy || !m_keeper || !ComputeFirst())
        return;
    m_keeper(*this);
}

// The report belongs to the inputs as they stand: "Rechne" first, then the
// head of the report, then the preview.
void CFormWindow::OnReport()
{
    if (m_busy)
        return;
    if (!ComputeFirst())
        return;
    CReportHeaderDlg header(this);
    if (m_runModal(header) != QDialog::Accepted)
        return;
    const Report report = BuildRatedReport(*m_form, header.Header(), m_reportRating);
    ShowReportPreview(report, *m_form, this, m_runModal);
}

// The table is computed on a copy of the form with the inputs as they stand
// now, typed or computed; the window's form is not touched.
void CFormWindow::OnRatingTable()
{
    if (m_busy)
        return;
    CRatingTableDlg dialog(*this, m_runModal);
    m_runModal(dialog);
}

void CFormWindow::OnSolve()
{
    if (m_busy)
        return;
    CSolveDlg dialog(*this);
    m_runModal(dialog);
}

bool CFormWindow::ApplySolution(int vary, const SolveOutcome& outcome)
{
    if (m_busy)
        return false;
    bool taken = false;
    Run([this, vary, &outcome, &taken] { taken = TakeSolution(*m_form, vary, outcome); });
    return taken;
}

// The discharge field with "Zufluss…" right beside it, in the field's cell.
QWidget* CFormWindow::WithInflowButton(QWidget* edit)
{
    m_inflowButton = new QPushButton(QStringLiteral("Zufluss…"));
    m_inflowButton->setObjectName(QStringLiteral("inflow"));
    m_inflowButton->setAutoDefault(false);
    m_inflowButton->setToolTip(QStringLiteral("Q aus den Flächen des Einzugsgebiets, ihren Abflussbeiwerten und "
                                              "der Regenspende ermitteln: Q = Σ ψ · A · r"));
    connect(m_inflowButton, &QPushButton::clicked, this, &CFormWindow::OnInflow);
    auto* pair = new QWidget;
    auto* row = new QHBoxLayout(pair);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(edit);
    row->addWidget(m_inflowButton);
    row->addStretch(1);
    return pair;
}

void CFormWindow::OnInflow()
{
    if (m_busy)
        return;
    CInflowDlg dialog(*this, m_runModal);
    m_runModal(dialog);
}

// Q goes into the field as the user's own typing does: shown as typed, the
// results marked as no longer belonging to the inputs until "Rechne".
Refusal CFormWindow::TypeInflow(const FormInflow& inflow)
{
    if (m_busy)
        return Refusal::Disabled;
    Refusal refusal = Refusal::None;
    Run([this, &inflow, &refusal] {
        refusal = m_form->TypeInflow(inflow);
        if (refusal == Refusal::None)
            m_typed[m_inflowField] = QString::fromStdString(m_form->Text(m_inflowField));
    });
    return refusal;
}

} // namespace dralun
