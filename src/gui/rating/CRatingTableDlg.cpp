#include "gui/rating/CRatingTableDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <cerrno>
#include <cmath>

#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/SafeOutput.h"
#include "forms/FormLayout.h"
#include "forms/MainFields.h"
#include "gui/CFormWindow.h"
#include "gui/DigitDisplay.h"
#include "gui/SaveLocations.h"
#include "gui/WorkProgress.h"
#include "gui/rating/CRatingChart.h"
#include "gui/rating/RatingTableModel.h"
#include "rating/FormCopy.h"
#include "rating/RatingCsv.h"
#include "rating/RatingSweep.h"
#include "rating/SolveFor.h"
#include "rating/SolveStart.h"
#include "report/Report.h"

namespace dralun {

namespace {

constexpr int kDefaultRows = 21;
const QString kCsvGermanFilter = QStringLiteral("CSV mit Semikolon und Dezimalkomma (*.csv)");
const QString kCsvPointFilter = QStringLiteral("CSV mit Komma und Dezimalpunkt (*.csv)");

QString Number(double value)
{
    return CDigitDisplay::Instance().Shown(QString::fromStdString(NumberForField(FieldInfo{}, value)));
}


// The distance of the rows a table starts with: 1, 2, 2.5 or 5 times a power
// of ten, at least a twentieth of the interval.
double RoundStep(double rough)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (double nice : {1.0, 2.0, 2.5, 5.0})
        if (nice * magnitude >= rough * (1 - 1e-12))
            return nice * magnitude;
    return 10 * magnitude;
}

struct StartRange {
    double from, to;
    int rows;
};

// The interval a table starts with: the default interval of the input
// narrowed to round values, so that the rows read 0.2, 0.4 ... rather than
// 0.189736659610103, 0.275; it stays inside the field's range.
StartRange RoundRange(double lo, double hi)
{
    const StartRange raw{lo, hi, kDefaultRows};
    if (!(hi > lo) || !std::isfinite(hi - lo))
        return raw;
    const double step = RoundStep((hi - lo) / (kDefaultRows - 1));
    const double from = std::ceil(lo / step - 1e-9) * step;
    const double to = std::floor(hi / step + 1e-9) * step;
    const double count = std::round((to - from) / step) + 1;
    if (!(count >= 5) || count > kDefaultRows)
        return raw;
    return {from, to, static_cast<int>(count)};
}

} // namespace

std::optional<double> DialogNumber(const QString& text)
{
    return ParseFieldNumber(CDigitDisplay::Instance().Typed(text).toStdString());
}

QString NotANumberMessage(const QString& text)
{
    if (text.contains(QLatin1Char(',')) && !CDigitDisplay::Instance().DecimalComma())
        return QStringLiteral("Bitte geben Sie eine Zahl ein.\nDezimaltrennzeichen ist der Punkt, nicht das Komma.");
    return QStringLiteral("Bitte geben Sie eine Zahl ein.");
}

QString FieldChoiceText(const CForm& form, int id)
{
    const FieldInfo* f = form.FindField(id);
    if (!f)
        return QString::number(id);
    return RatingColumnTitle({id, f->name, ColumnLabel(*f), f->unit});
}

CRatingTableDlg::CRatingTableDlg(CFormWindow& window, std::function<int(QDialog&)> runModal)
    : QDialog(&window), m_window(window), m_form(window.Form()), m_runModal(std::move(runModal))
{
    setWindowTitle(QStringLiteral("Wertetabelle – ") + QString::fromStdString(m_form.Title()));
    setSizeGripEnabled(true);

    auto* inputs = new QGridLayout;
    int line = 0;
    m_vary = new QComboBox;
    for (int id : VariableFieldIds(m_form))
        m_vary->addItem(FieldChoiceText(m_form, id), id);
    // The form's main input is varied first, where it can be.
    for (int id : MainInputIds(m_form)) {
        if (const int index = m_vary->findData(id); index >= 0) {
            m_vary->setCurrentIndex(index);
            break;
        }
    }
    auto* varyLabel = new QLabel(QStringLiteral("&Veränderliche Eingabe:"));
    varyLabel->setBuddy(m_vary);
    inputs->addWidget(varyLabel, line++, 0, 1, 2);
    inputs->addWidget(m_vary, line++, 0, 1, 2);
    m_from = new QLineEdit;
    m_to = new QLineEdit;
    m_step = new QLineEdit;
    m_rows = new QLineEdit;
    m_byStep = new QRadioButton(QStringLiteral("&Schrittweite"));
    m_byRows = new QRadioButton(QStringLiteral("&Anzahl Zeilen"));
    m_byRows->setChecked(true);
    auto* fromLabel = new QLabel(QStringLiteral("v&on:"));
    fromLabel->setBuddy(m_from);
    auto* toLabel = new QLabel(QStringLiteral("&bis:"));
    toLabel->setBuddy(m_to);
    inputs->addWidget(fromLabel, line, 0);
    inputs->addWidget(m_from, line++, 1);
    inputs->addWidget(toLabel, line, 0);
    inputs->addWidget(m_to, line++, 1);
    inputs->addWidget(m_byStep, line, 0);
    inputs->addWidget(m_step, line++, 1);
    inputs->addWidget(m_byRows, line, 0);
    inputs->addWidget(m_rows, line++, 1);
    const auto byStep = [this] {
        m_step->setEnabled(m_byStep->isChecked());
        m_rows->setEnabled(m_byRows->isChecked());
        ShowRowsStep();
    };
    connect(m_byStep, &QRadioButton::toggled, this, byStep);
    for (QLineEdit* edit : {m_from, m_to, m_step, m_rows})
        connect(edit, &QLineEdit::textChanged, this, &CRatingTableDlg::ShowRowsStep);
    m_results = new QListWidget;
    auto* resultsLabel = new QLabel(QStringLiteral("&Ergebnisse:"));
    resultsLabel->setBuddy(m_results);
    inputs->addWidget(resultsLabel, line++, 0, 1, 2);
    inputs->addWidget(m_results, line++, 0, 1, 2);
    inputs->setRowStretch(line - 1, 1);
    m_compute = new QPushButton(QStringLiteral("Be&rechnen"));
    m_compute->setAutoDefault(false);
    m_compute->setDefault(true);
    inputs->addWidget(m_compute, line++, 0, 1, 2);
    const int chars = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (QLineEdit* edit : {m_from, m_to, m_step, m_rows})
        edit->setMinimumWidth(chars * 14);

    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setWordWrap(true);
    m_problem->setTextFormat(Qt::PlainText);
    QPalette red = m_problem->palette();
    red.setColor(QPalette::WindowText, QColor(190, 0, 0));
    m_problem->setPalette(red);
    m_problem->hide();

    m_model = new CRatingTableModel(this);
    m_view = new QTableView;
    m_view->setModel(m_model);
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + fontMetrics().height() / 3);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setWordWrap(false);
    m_chart = new CRatingChart;
    m_split = new QSplitter(Qt::Horizontal);
    m_split->addWidget(m_view);
    m_split->addWidget(m_chart);
    m_split->setStretchFactor(0, 2);
    m_split->setStretchFactor(1, 3);
    m_split->setChildrenCollapsible(false);

    auto* right = new QVBoxLayout;
    right->addWidget(m_problem);
    right->addWidget(m_split, 1);

    auto* top = new QHBoxLayout;
    top->addLayout(inputs);
    top->addLayout(right, 1);

    m_copy = new QPushButton(QStringLiteral("&Kopieren"));
    m_save = new QPushButton(QStringLiteral("CSV s&peichern…"));
    // The table shows, copies and saves its numbers rounded for their units
    // unless every digit is asked for; the table itself stays as computed.
    m_allDigits = new QCheckBox(QStringLiteral("A&lle Stellen"));
    m_allDigits->setToolTip(QStringLiteral(
        "Alle Stellen zeigen, kopieren und speichern, wie das Formular sie rechnet; sonst gerundet wie im Formular."));
    m_allDigits->setChecked(CDigitDisplay::Instance().AllDigits());
    m_report = new QCheckBox(QStringLiteral("In den Bericht &übernehmen"));
    auto* close = new QPushButton(QStringLiteral("Schließen"));
    for (QPushButton* button : {m_copy, m_save, close})
        button->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addWidget(m_save);
    buttons->addWidget(m_allDigits);
    buttons->addSpacing(chars * 2);
    buttons->addWidget(m_report);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top, 1);
    outer->addLayout(buttons);

    connect(m_vary, &QComboBox::currentIndexChanged, this, &CRatingTableDlg::OnVaryChanged);
    connect(m_compute, &QPushButton::clicked, this, &CRatingTableDlg::Compute);
    connect(m_copy, &QPushButton::clicked, this, &CRatingTableDlg::Copy);
    connect(m_save, &QPushButton::clicked, this, &CRatingTableDlg::SaveCsv);
    connect(m_report, &QCheckBox::toggled, this, &CRatingTableDlg::OnReportToggled);
    connect(m_allDigits, &QCheckBox::toggled, this, [this](bool all) {
        m_model->SetAllDigits(all);
        m_view->resizeColumnsToContents();
        FitTable();
    });
    m_model->SetAllDigits(m_allDigits->isChecked());
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    const std::optional<RatingRequest>& chosen = m_window.ReportRating();
    if (chosen && m_vary->findData(chosen->vary) >= 0) {
        SetRequest(*chosen);
        const QSignalBlocker block(m_report);
        m_report->setChecked(true);
    } else {
        OnVaryChanged();
    }
    byStep();
    resize(chars * 150, fontMetrics().height() * 34);
    Compute();
}

CRatingTableDlg::~CRatingTableDlg() = default;

void CRatingTableDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FitTable();
}

const RatingTable& CRatingTableDlg::Table() const { return m_model->Table(); }

QString CRatingTableDlg::Problem() const { return m_problem->isHidden() ? QString() : m_problem->text(); }

// The results the chosen input can be tabulated with, the given ones
// ticked (none given: the form's main results).
void CRatingTableDlg::FillResults(int vary, const std::vector<int>& checked)
{
    const std::vector<int> ticked = checked.empty() ? MainResultIds(m_form) : checked;
    m_results->clear();
    for (int id : TabulableFieldIds(m_form, vary)) {
        auto* item = new QListWidgetItem(FieldChoiceText(m_form, id), m_results);
        item->setData(Qt::UserRole, id);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(std::find(ticked.begin(), ticked.end(), id) != ticked.end() ? Qt::Checked
                                                                                          : Qt::Unchecked);
    }
    // Wide enough for the longest label, up to 45 characters.
    const int chars = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int wanted = m_results->sizeHintForColumn(0) + m_results->frameWidth() * 2 +
                       m_results->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + chars;
    m_results->setMinimumWidth(std::clamp(wanted, chars * 24, chars * 45));
}

// A new input: its default interval in about 21 rows, the ticked results kept.
void CRatingTableDlg::OnVaryChanged()
{
    const int vary = m_vary->currentData().toInt();
    std::vector<int> checked;
    for (int i = 0; i < m_results->count(); ++i)
        if (m_results->item(i)->checkState() == Qt::Checked)
            checked.push_back(m_results->item(i)->data(Qt::UserRole).toInt());
    std::erase(checked, vary);
    FillResults(vary, checked);
    const auto [lo, hi] = DefaultSolveInterval(m_form, vary);
    const StartRange range = RoundRange(lo, hi);
    m_from->setText(Number(range.from));
    m_to->setText(Number(range.to));
    m_rows->setText(QString::number(range.rows));
    m_step->setText(Number((range.to - range.from) / std::max(range.rows - 1, 1)));
    m_byRows->setChecked(true);
}

void CRatingTableDlg::SetRequest(const RatingRequest& request)
{
    {
        const QSignalBlocker block(m_vary);
        m_vary->setCurrentIndex(m_vary->findData(request.vary));
    }
    FillResults(request.vary, request.columns);
    m_from->setText(Number(request.from));
    m_to->setText(Number(request.to));
    const bool byRows = request.rows > 0;
    m_rows->setText(QString::number(byRows ? request.rows : kDefaultRows));
    m_step->setText(Number(byRows ? (request.to - request.from) / std::max(request.rows - 1, 1) : request.step));
    (byRows ? m_byRows : m_byStep)->setChecked(true);
}

std::optional<RatingRequest> CRatingTableDlg::Request(QString* problem)
{
    RatingRequest request;
    request.vary = m_vary->currentData().toInt();
    if (m_vary->currentIndex() < 0) {
        *problem = QStringLiteral("Das Formular hat keine Eingabe, die sich verändern lässt.");
        return std::nullopt;
    }
    // A text that is no number: the forms' message, and the field selected.
    const auto number = [problem](QLineEdit* edit) -> std::optional<double> {
        const std::optional<double> value = DialogNumber(edit->text());
        if (!value) {
            *problem = NotANumberMessage(edit->text());
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
        return value;
    };
    const auto from = number(m_from);
    const auto to = from ? number(m_to) : std::nullopt;
    if (!from || !to)
        return std::nullopt;
    request.from = *from;
    request.to = *to;
    if (m_byRows->isChecked()) {
        bool ok = false;
        request.rows = m_rows->text().trimmed().toInt(&ok);
        if (!ok || request.rows < 1) {
            *problem = QStringLiteral("Die Anzahl Zeilen muss eine ganze Zahl ab 1 sein.");
            return std::nullopt;
        }
    } else {
        const auto step = number(m_step);
        if (!step)
            return std::nullopt;
        request.step = *step;
    }
    for (int i = 0; i < m_results->count(); ++i)
        if (m_results->item(i)->checkState() == Qt::Checked)
            request.columns.push_back(m_results->item(i)->data(Qt::UserRole).toInt());
    if (request.columns.empty()) {
        *problem = QStringLiteral("Bitte mindestens ein Ergebnis ankreuzen.");
        return std::nullopt;
    }
    return request;
}

// The field not chosen shows what the chosen one gives: with a number of
// rows, the distance the rows have; with a step, the number of rows it
// gives (nothing while a value is no number or gives no table).
void CRatingTableDlg::ShowRowsStep()
{
    const std::optional<double> from = DialogNumber(m_from->text()), to = DialogNumber(m_to->text());
    if (m_byStep->isChecked()) {
        const std::optional<double> step = DialogNumber(m_step->text());
        RatingRequest request;
        request.vary = m_vary->currentData().toInt();
        request.from = from.value_or(0);
        request.to = to.value_or(0);
        request.step = step.value_or(0);
        // A field of a list (the pipe's DN) counts the entries between the bounds.
        const SweepValues values = SweepValuesOn(m_form, request);
        const QSignalBlocker quiet(m_rows);
        if (from && to && step && values.problem.empty())
            m_rows->setText(QString::number(values.values.size()));
        else
            m_rows->clear();
        return;
    }
    bool ok = false;
    const int rows = m_rows->text().trimmed().toInt(&ok);
    const QSignalBlocker quiet(m_step);
    if (!from || !to || !ok || rows < 1)
        m_step->clear();
    else
        m_step->setText(Number(rows == 1 ? 0.0 : (*to - *from) / (rows - 1)));
}

void CRatingTableDlg::ShowProblem(const QString& problem)
{
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
}

void CRatingTableDlg::Compute()
{
    if (m_computing) // a click while the rows are computed
        return;
    QString problem;
    const std::optional<RatingRequest> request = Request(&problem);
    if (!request) {
        ShowProblem(problem);
        return;
    }
    // A table that takes more than a moment shows how far it is and can be
    // stopped; the window goes on answering between the rows.
    RatingOutcome outcome;
    {
        CWorkProgress progress(QStringLiteral("Wertetabelle wird berechnet …"), this);
        m_computing = true;
        outcome = ComputeRatingTable(m_form, *request,
                                     [&](std::size_t done, std::size_t total) { return progress.Tell(done, total); });
        m_computing = false;
    }
    if (!outcome.problem.empty()) {
        ShowProblem(QString::fromStdString(outcome.problem));
        return;
    }
    ShowProblem({});
    m_computed = *request;
    m_model->SetTable(outcome.table);
    m_view->resizeColumnsToContents();
    FitTable();
    m_chart->SetTable(outcome.table);
    if (m_report->isChecked())
        m_window.SetReportRating(m_computed);
}

// The table as wide as its columns, up to half of the room beside the
// inputs; the chart takes the rest.
void CRatingTableDlg::FitTable()
{
    int wanted = m_view->verticalHeader()->sizeHint().width() + m_view->frameWidth() * 2 +
                 m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int c = 0; c < m_model->columnCount(); ++c)
        wanted += m_view->horizontalHeader()->sectionSize(c);
    const int room = m_split->isVisible() ? m_split->width() : width() * 3 / 4;
    const int table = std::min(wanted, room / 2);
    m_split->setSizes({table, room - table});
}

void CRatingTableDlg::Copy()
{
    const bool comma = QLocale().decimalPoint() == QStringLiteral(",");
    QApplication::clipboard()->setText(QString::fromStdString(RatingCsv(Table(), comma ? kTabsComma : kTabsPoint, Digits())));
}

void CRatingTableDlg::SaveCsv()
{
    QFileDialog dialog(this, QStringLiteral("Wertetabelle als CSV speichern"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({kCsvGermanFilter, kCsvPointFilter});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    // The form's title for a name, in the folder the last table was saved to.
    // The form window knows no "Bauwerk" until a report is made.
    const QFileInfo suggested(SuggestedSavePath(SaveKind::RatingCsv, QString::fromStdString(m_form.Title()), QString(),
                                                QStringLiteral("csv")));
    dialog.setDirectory(suggested.absolutePath());
    dialog.selectFile(suggested.fileName());
    if (m_runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().front();
    const CsvStyle style = dialog.selectedNameFilter() == kCsvPointFilter ? kCsvPoint : kCsvGerman;
    // Never over a device, a FIFO or a file the user may not write.
    if (const std::string problem = OutputFileProblem(platform::PathOf(path.toStdString())); !problem.empty()) {
        ShowProblem(QStringLiteral("Die Datei %1 wurde nicht geschrieben. %2").arg(path, QString::fromStdString(problem)));
        return;
    }
    const std::string text = RatingCsv(Table(), style, Digits());
    QSaveFile file(path);
    errno = 0;
    // On a full disk QSaveFile takes a short write without an error and
    // commits the cut file: the count is checked, and a cut file dropped.
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit()) {
        const int error = errno;
        file.cancelWriting();
        // The system's reason in German where it is known.
        const QString why = error != 0 ? QString::fromStdString(SystemErrorText(error)) : file.errorString();
        ShowProblem(QStringLiteral("Die Datei %1 wurde nicht geschrieben: %2").arg(path, why));
        return;
    }
    RememberSaveFolder(SaveKind::RatingCsv, path);
    ShowProblem({});
}

CsvDigits CRatingTableDlg::Digits() const
{
    return m_allDigits->isChecked() ? CsvDigits::All : CsvDigits::Rounded;
}

void CRatingTableDlg::OnReportToggled(bool on)
{
    m_window.SetReportRating(on ? m_computed : std::nullopt);
}

} // namespace dralun
