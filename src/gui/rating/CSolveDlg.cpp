#include "gui/rating/CSolveDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Format.h"
#include "forms/MainFields.h"
#include "gui/CFormWindow.h"
#include "gui/DigitDisplay.h"
#include "gui/rating/CRatingTableDlg.h"
#include "rating/FormCopy.h"
#include "rating/SolveFor.h"
#include "rating/SolveStart.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// "h = 0.4543 m": the field's name, the value, its unit.
QString NameValueUnit(const CForm& form, int id, const QString& value)
{
    const FieldInfo* f = form.FindField(id);
    if (!f)
        return value;
    QString text = Q(f->name) + QStringLiteral(" = ") + value;
    if (!f->unit.empty() && f->unit != "-" && f->unit != "1")
        text += QLatin1Char(' ') + Q(f->unit);
    return text;
}

} // namespace

std::vector<int> SolveResultFieldIds(const CForm& form)
{
    std::vector<int> ids;
    for (const FieldInfo& f : form.Fields()) {
        if (IsVariableField(form, f.id))
            continue;
        if (f.kind == Kind::Text && f.role != Role::Out)
            continue; // a file name, a note
        ids.push_back(f.id);
    }
    return ids;
}

CSolveDlg::CSolveDlg(CFormWindow& window) : QDialog(&window), m_window(window), m_form(window.Form())
{
    setWindowTitle(QStringLiteral("Zielwert – ") + Q(m_form.Title()));

    m_result = new QComboBox;
    for (int id : SolveResultFieldIds(m_form))
        m_result->addItem(FieldChoiceText(m_form, id), id);
    m_target = new QLineEdit;
    m_vary = new QComboBox;
    for (int id : VariableFieldIds(m_form))
        m_vary->addItem(FieldChoiceText(m_form, id), id);
    m_from = new QLineEdit;
    m_to = new QLineEdit;
    const int chars = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (QLineEdit* edit : {m_target, m_from, m_to})
        edit->setMinimumWidth(chars * 16);

    auto* grid = new QGridLayout;
    int line = 0;
    const auto add = [&](const QString& text, QWidget* widget) {
        auto* label = new QLabel(text);
        label->setBuddy(widget);
        grid->addWidget(label, line, 0);
        grid->addWidget(widget, line++, 1);
    };
    add(QStringLiteral("&Ergebnis:"), m_result);
    add(QStringLiteral("&Zielwert:"), m_target);
    add(QStringLiteral("&Verändern:"), m_vary);
    add(QStringLiteral("Suchbereich v&on:"), m_from);
    add(QStringLiteral("&bis:"), m_to);
    grid->setColumnStretch(1, 1);

    m_outcome = new QLabel;
    m_outcome->setObjectName(QStringLiteral("outcome"));
    m_outcome->setWordWrap(true);
    m_outcome->setTextFormat(Qt::PlainText);
    m_outcome->setMinimumHeight(fontMetrics().height() * 3);
    m_outcome->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_outcome->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_search = new QPushButton(QStringLiteral("&Suchen"));
    m_search->setAutoDefault(false);
    m_search->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Schließen"));
    close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_search);
    buttons->addWidget(close);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addWidget(m_outcome, 1);
    outer->addLayout(buttons);

    connect(m_vary, &QComboBox::currentIndexChanged, this, &CSolveDlg::OnVaryChanged);
    connect(m_result, &QComboBox::currentIndexChanged, this, &CSolveDlg::OnResultChanged);
    connect(m_search, &QPushButton::clicked, this, &CSolveDlg::Search);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    const std::vector<int> main = MainResultIds(m_form);
    for (int id : main) {
        if (const int index = m_result->findData(id); index >= 0) {
            m_result->setCurrentIndex(index);
            break;
        }
    }
    OnResultChanged();
    OnVaryChanged();
    setMinimumWidth(chars * 70);
}

CSolveDlg::~CSolveDlg() = default;

QString CSolveDlg::Outcome() const { return m_outcome->text(); }

// The target starts at the result for the inputs as they stand: what the
// form shows, or, where that belongs to inputs since changed, the result
// computed on a copy. An input that does not act on the result (the
// pipe's length in a slope mode) gives way to the first one that does.
void CSolveDlg::OnResultChanged()
{
    const int id = m_result->currentData().toInt();
    if (m_result->currentIndex() < 0)
        return;
    m_target->setText(CDigitDisplay::Instance().Shown(Q(CurrentFieldText(m_form, id)).trimmed()));
    if (m_vary->currentIndex() < 0 || !ActsOn(m_form, m_vary->currentData().toInt(), id))
        if (const int index = m_vary->findData(SolveVariableFor(m_form, id)); index >= 0)
            m_vary->setCurrentIndex(index);
}

void CSolveDlg::OnVaryChanged()
{
    if (m_vary->currentIndex() < 0)
        return;
    // Six digits do for a bracket, and read better than fifteen.
    const auto [lo, hi] = DefaultSolveInterval(m_form, m_vary->currentData().toInt());
    m_from->setText(CDigitDisplay::Instance().Shown(QString::number(lo, 'g', 6)));
    m_to->setText(CDigitDisplay::Instance().Shown(QString::number(hi, 'g', 6)));
}

void CSolveDlg::Show(const QString& text, bool problem)
{
    QPalette palette = m_outcome->palette();
    palette.setColor(QPalette::WindowText, problem ? QColor(190, 0, 0) : QColor(0, 100, 0));
    m_outcome->setPalette(palette);
    m_outcome->setText(CDigitDisplay::Instance().Shown(text));
}

void CSolveDlg::Search()
{
    m_found = false;
    if (m_result->currentIndex() < 0 || m_vary->currentIndex() < 0) {
        Show(QStringLiteral("Das Formular hat kein Ergebnis oder keine Eingabe, die sich verändern lässt."), true);
        return;
    }
    SolveRequest request;
    request.result = m_result->currentData().toInt();
    request.vary = m_vary->currentData().toInt();
    const std::pair<QLineEdit*, double*> numbers[] = {
        {m_target, &request.target}, {m_from, &request.lo}, {m_to, &request.hi}};
    // The numbers by the forms' rule, with their message and the field selected.
    for (const auto& [edit, number] : numbers) {
        const std::optional<double> value = DialogNumber(edit->text());
        if (!value) {
            Show(NotANumberMessage(edit->text()), true);
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
            return;
        }
        *number = *value;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SolveOutcome outcome = SolveFor(m_form, request);
    QApplication::restoreOverrideCursor();
    if (!outcome.found) {
        Show(Q(outcome.problem), true);
        return;
    }
    if (!m_window.ApplySolution(request.vary, outcome)) {
        Show(QStringLiteral("Das Formular hat den gefundenen Wert %1 nicht angenommen.").arg(Q(outcome.valueText)),
             true);
        return;
    }
    m_found = true;
    Show(QStringLiteral("Gefunden: %1 nach %2 Rechnungen (%3).")
             .arg(NameValueUnit(m_form, request.vary, Q(outcome.valueText)))
             .arg(outcome.computations)
             .arg(NameValueUnit(m_form, request.result, Q(m_form.Text(request.result)).trimmed())),
         false);
}

} // namespace dralun
