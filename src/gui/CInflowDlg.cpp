#include "gui/CInflowDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/CDataDirectory.h"
#include "core/Format.h"
#include "core/NumberPresentation.h"
#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/TextCase.h"
#include "forms/CForm.h"
#include "forms/FormRegistry.h"
#include "forms/RunoffCoefficients.h"
#include "gui/CFormWindow.h"
#include "gui/CMessageBox.h"
#include "gui/CRunoffCoefficientDlg.h"
#include "gui/DigitDisplay.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The frequencies of a rainfall file's columns, 1/a.
constexpr double kFrequencies[] = {2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01};
const QString kRainUnit = QStringLiteral("l/(s·ha)");

// A number the user typed, by the rule of every field: a point, or with
// "Komma als Dezimalzeichen" a comma or a point.
std::optional<double> Number(const QString& text)
{
    const std::optional<double> value =
        ParseFieldNumber(CDigitDisplay::Instance().Typed(text.trimmed()).toStdString());
    if (value && !std::isfinite(*value))
        return std::nullopt;
    return value;
}

QString NotANumber(const QString& what, const QString& text)
{
    if (text.trimmed().isEmpty())
        return QStringLiteral("%1 fehlt.").arg(what);
    if (text.contains(QLatin1Char(',')) && !CDigitDisplay::Instance().DecimalComma())
        return QStringLiteral("%1 ist keine Zahl (Dezimaltrennzeichen ist der Punkt, nicht das Komma).").arg(what);
    return QStringLiteral("%1 ist keine Zahl.").arg(what);
}

// A number the dialog writes into a cell for the user to read and change.
QString Typed(double value) { return CDigitDisplay::Instance().Shown(Q(TypedText(FormatG15(value)))); }

QString Shown(double value, const char* unit) { return CDigitDisplay::Instance().Shown(Q(RoundedText(value, unit))); }

bool IsOffered(const std::string& name)
{
    const bool text = name.size() > 4 && EqualsIgnoringCase(name.substr(name.size() - 4), ".txt");
    return EqualsIgnoringCase(name, "R3943MI.txt") ||
           (text && name.size() >= 6 && EqualsIgnoringCase(name.substr(0, 6), "KOSTRA"));
}

} // namespace

QStringList RainfallFilesOffered()
{
    std::vector<std::string> names;
    std::error_code ec;
    const std::filesystem::path dir = platform::PathOf(CDataDirectory::Path());
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = platform::TextOf(it->path().filename());
        if (IsOffered(name) && it->is_regular_file(ec))
            names.push_back(name);
    }
    // The medium's series first, then the imported tables by name.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const bool medium = EqualsIgnoringCase(a, "R3943MI.txt");
        return medium != EqualsIgnoringCase(b, "R3943MI.txt") ? medium : a < b;
    });
    QStringList paths;
    for (const std::string& name : names)
        paths << Q(platform::TextOf(CDataDirectory::File(name)));
    return paths;
}

// ---- the dialog ----------------------------------------------------------------

CInflowDlg::CInflowDlg(CFormWindow& window, std::function<int(QDialog&)> runModal)
    : QDialog(&window), m_window(window), m_form(window.Form()), m_info(FindFormById(window.Form().TemplateId())),
      m_runModal(std::move(runModal))
{
    setWindowTitle(QStringLiteral("Zufluss – ") + Q(m_form.Title()));
    setSizeGripEnabled(true);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));

    m_areas = new QTableWidget(0, 4);
    m_areas->setHorizontalHeaderLabels(
        {QStringLiteral("Bezeichnung"), QStringLiteral("A"), QStringLiteral("Einheit"), QStringLiteral("ψ")});
    m_areas->horizontalHeaderItem(kArea)->setToolTip(QStringLiteral("Fläche A in der Einheit der Zeile"));
    m_areas->horizontalHeaderItem(kPsi)->setToolTip(QStringLiteral("Spitzenabflussbeiwert ψ, 0 bis 1"));
    m_areas->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    m_areas->setColumnWidth(kArea, digit * 12);
    m_areas->setColumnWidth(kUnit, digit * 8);
    m_areas->setColumnWidth(kPsi, digit * 8);
    m_areas->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_areas->setSelectionMode(QAbstractItemView::SingleSelection);
    m_areas->setMinimumSize(digit * 64, m_areas->horizontalHeader()->sizeHint().height() +
                                            m_areas->verticalHeader()->defaultSectionSize() * 5 +
                                            m_areas->frameWidth() * 2);
    auto* add = new QPushButton(QStringLiteral("Zeile &hinzufügen"));
    auto* remove = new QPushButton(QStringLiteral("Zeile &entfernen"));
    m_typical = new QPushButton(QStringLiteral("&Richtwerte für ψ…"));
    auto* rowButtons = new QHBoxLayout;
    for (QPushButton* b : {add, remove, m_typical}) {
        b->setAutoDefault(false);
        rowButtons->addWidget(b);
    }
    rowButtons->addStretch(1);

    auto* rain = new QGroupBox(QStringLiteral("Regenspende r"));
    m_typedRain = new QRadioButton(QStringLiteral("r [l/(s·ha)]:"));
    m_fileRain = new QRadioButton(QStringLiteral("aus Regendatei:"));
    m_rainEdit = new QLineEdit;
    m_rainEdit->setFixedWidth(digit * 12);
    m_file = new QComboBox;
    m_file->setEditable(true);
    m_file->setInsertPolicy(QComboBox::NoInsert);
    m_file->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_file->setMinimumContentsLength(32);
    for (const QString& path : RainfallFilesOffered())
        m_file->addItem(path);
    m_duration = new QComboBox;
    m_duration->setMinimumContentsLength(7);
    m_frequency = new QComboBox;
    for (double n : kFrequencies)
        m_frequency->addItem(CDigitDisplay::Instance().Shown(Q(FormatG15(n))), n);
    m_frequency->setCurrentIndex(1); // n = 1/a
    m_fileRainText = new QLabel;
    auto* durationLabel = new QLabel(QStringLiteral("&Dauer D:"));
    durationLabel->setBuddy(m_duration);
    auto* frequencyLabel = new QLabel(QStringLiteral("&Häufigkeit n [1/a]:"));
    frequencyLabel->setBuddy(m_frequency);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(durationLabel);
    fileRow->addWidget(m_duration);
    fileRow->addSpacing(digit * 2);
    fileRow->addWidget(frequencyLabel);
    fileRow->addWidget(m_frequency);
    fileRow->addSpacing(digit * 2);
    fileRow->addWidget(m_fileRainText, 1);
    auto* rainGrid = new QGridLayout(rain);
    rainGrid->addWidget(m_typedRain, 0, 0);
    rainGrid->addWidget(m_rainEdit, 0, 1, Qt::AlignLeft);
    rainGrid->addWidget(m_fileRain, 1, 0);
    rainGrid->addWidget(m_file, 1, 1);
    rainGrid->addLayout(fileRow, 2, 1);
    rainGrid->setColumnStretch(1, 1);

    m_result = new QLabel;
    m_result->setObjectName(QStringLiteral("result"));
    m_result->setTextFormat(Qt::PlainText);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_result->font();
    bold.setBold(true);
    m_result->setFont(bold);
    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setMinimumHeight(fontMetrics().height());
    QPalette red = m_problem->palette();
    red.setColor(QPalette::WindowText, QColor(190, 0, 0));
    m_problem->setPalette(red);

    m_take = new QPushButton(QStringLiteral("Übernehmen"));
    m_take->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_take);
    buttons->addWidget(cancel);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(m_areas, 1);
    outer->addLayout(rowButtons);
    outer->addWidget(rain);
    outer->addWidget(m_result);
    outer->addWidget(m_problem);
    outer->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &CInflowDlg::AddRowToType);
    connect(remove, &QPushButton::clicked, this, &CInflowDlg::RemoveRow);
    connect(m_typical, &QPushButton::clicked, this, &CInflowDlg::ChooseTypical);
    connect(m_areas, &QTableWidget::itemChanged, this, &CInflowDlg::Update);
    connect(m_typedRain, &QRadioButton::toggled, this, &CInflowDlg::ShowRainMode);
    connect(m_rainEdit, &QLineEdit::textChanged, this, &CInflowDlg::Update);
    connect(m_file, &QComboBox::currentIndexChanged, this, &CInflowDlg::LoadFile);
    connect(m_file->lineEdit(), &QLineEdit::editingFinished, this, &CInflowDlg::LoadFile);
    connect(m_frequency, &QComboBox::currentIndexChanged, this, &CInflowDlg::LoadFile);
    connect(m_duration, &QComboBox::currentIndexChanged, this, &CInflowDlg::Update);
    connect(m_take, &QPushButton::clicked, this, &CInflowDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (const FormInflow* kept = m_form.Inflow()) {
        Show(*kept);
    } else {
        AddRow();
        m_typedRain->setChecked(true);
        LoadFile();
    }
    ShowRainMode();
    m_areas->setCurrentCell(0, kName);
    m_opened = Entered();
}

// A cell still being edited is written back as the table goes: by then this
// dialog is no longer one to update.
CInflowDlg::~CInflowDlg() { m_areas->disconnect(this); }

QString CInflowDlg::Problem() const { return m_problem->text(); }
QString CInflowDlg::ResultText() const { return m_result->text(); }

QComboBox* CInflowDlg::UnitBox(int row) const { return qobject_cast<QComboBox*>(m_areas->cellWidget(row, kUnit)); }

// The table kept with the form, as the user left it; the file is read anew.
void CInflowDlg::Show(const FormInflow& inflow)
{
    m_updating = true;
    for (const InflowEntry& entry : inflow.areas) {
        AddRow();
        SetRow(m_areas->rowCount() - 1, entry);
    }
    const InflowRain& rain = inflow.rain;
    if (rain.file.empty()) {
        m_typedRain->setChecked(true);
        m_rainEdit->setText(Typed(rain.intensity));
    } else {
        m_fileRain->setChecked(true);
        for (int i = 0; i < m_frequency->count(); ++i)
            if (m_frequency->itemData(i).toDouble() == rain.n)
                m_frequency->setCurrentIndex(i);
        int known = -1;
        for (int i = 0; i < m_file->count(); ++i)
            if (EqualsIgnoringCase(platform::TextOf(platform::PathOf(m_file->itemText(i).toStdString()).filename()),
                                   rain.file))
                known = i;
        if (known >= 0)
            m_file->setCurrentIndex(known);
        else
            m_file->setEditText(Q(rain.file));
    }
    m_updating = false;
    LoadFile();
    if (!rain.file.empty()) {
        if (const int row = m_duration->findText(Q(rain.duration)); row >= 0)
            m_duration->setCurrentIndex(row);
        if (m_loaded && m_rainfall.Stamp().sha256 != rain.sha256)
            m_changedNote = QStringLiteral("Die Regendatei ist nicht mehr die, aus der r übernommen wurde.");
    }
    Update();
}

void CInflowDlg::AddRow()
{
    const bool updating = m_updating;
    m_updating = true;
    const int row = m_areas->rowCount();
    m_areas->insertRow(row);
    for (int column : {kName, kArea, kPsi}) {
        auto* item = new QTableWidgetItem;
        if (column != kName)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_areas->setItem(row, column, item);
    }
    auto* unit = new QComboBox;
    unit->addItems({QStringLiteral("m²"), QStringLiteral("ha")});
    connect(unit, &QComboBox::currentIndexChanged, this, &CInflowDlg::Update);
    m_areas->setCellWidget(row, kUnit, unit);
    m_areas->setCurrentCell(row, kName);
    m_updating = updating;
    Update();
}

// "Zeile hinzufügen": the new row's name is edited at once, so that what
// the user types next is its name and fires no button's access key.
void CInflowDlg::AddRowToType()
{
    AddRow();
    const int row = m_areas->rowCount() - 1;
    m_areas->setFocus(Qt::OtherFocusReason);
    m_areas->scrollToItem(m_areas->item(row, kName));
    m_areas->editItem(m_areas->item(row, kName));
}

void CInflowDlg::SetRow(int row, const InflowEntry& entry)
{
    m_areas->item(row, kName)->setText(Q(entry.name));
    m_areas->item(row, kArea)->setText(Typed(entry.hectares ? entry.areaM2 / 10000 : entry.areaM2));
    UnitBox(row)->setCurrentIndex(entry.hectares ? 1 : 0);
    m_areas->item(row, kPsi)->setText(Typed(entry.psi));
}

void CInflowDlg::RemoveRow()
{
    const int row = m_areas->currentRow();
    if (row < 0)
        return;
    m_areas->removeRow(row);
    Update();
}

void CInflowDlg::ChooseTypical()
{
    if (m_areas->rowCount() == 0)
        AddRow();
    const int row = std::max(0, m_areas->currentRow());
    CRunoffCoefficientDlg list(this);
    if (m_runModal(list) == QDialog::Accepted && list.Chosen() >= 0)
        TakeTypical(row, list.Chosen());
}

void CInflowDlg::TakeTypical(int row, int index)
{
    const auto coefficients = RunoffCoefficients();
    if (row < 0 || row >= m_areas->rowCount() || index < 0 || index >= static_cast<int>(coefficients.size()))
        return;
    const RunoffCoefficient& c = coefficients[static_cast<size_t>(index)];
    m_updating = true;
    if (m_areas->item(row, kName)->text().trimmed().isEmpty())
        m_areas->item(row, kName)->setText(Q(c.surface));
    QTableWidgetItem* psi = m_areas->item(row, kPsi);
    psi->setText(Typed(c.Taken()));
    psi->setToolTip(Q(RunoffCoefficientTip(c)));
    m_updating = false;
    Update();
}

// Reads the rainfall file chosen with the frequency chosen; the duration
// chosen before stays chosen where the file has it.
void CInflowDlg::LoadFile()
{
    if (m_updating)
        return;
    const QString before = m_duration->currentText();
    m_changedNote.clear();
    m_loaded = false;
    m_loadProblem.clear();
    QString text = m_file->currentText().trimmed();
    if (!text.isEmpty()) {
        const std::filesystem::path path = CDataDirectory::UserFile(text.toStdString());
        CRainfallTable table;
        const double n = m_frequency->currentData().toDouble();
        const CRainfallTable::LoadResult read = table.Load(platform::TextOf(path), n);
        const QString name = Q(platform::TextOf(path)); // the path tried
        if (!read.loaded)
            m_loadProblem = QStringLiteral("Regendatei %1 %2").arg(name, Q(ProblemText(read.opened)));
        else if (table.RowsRead() == 0)
            m_loadProblem = QStringLiteral("Regendatei %1 enthält keine Zeilen mit Regenspenden.").arg(name);
        m_loaded = read.loaded && table.RowsRead() > 0;
        m_rainfall = table;
        m_invalidLines = read.invalidLines;
    }
    const bool updating = m_updating;
    m_updating = true;
    m_duration->clear();
    if (m_loaded) {
        for (const std::string& entry : m_rainfall.FillDurationList())
            m_duration->addItem(Q(entry));
        int row = m_duration->findText(before.isEmpty() ? QStringLiteral("15 min") : before);
        m_duration->setCurrentIndex(std::max(row, 0));
    }
    m_updating = updating;
    Update();
}

void CInflowDlg::ShowRainMode()
{
    const bool file = m_fileRain->isChecked();
    m_rainEdit->setEnabled(!file);
    for (QWidget* w : std::initializer_list<QWidget*>{m_file, m_duration, m_frequency, m_fileRainText})
        w->setEnabled(file);
    Update();
}

std::optional<InflowRain> CInflowDlg::Rain(QString& problem) const
{
    InflowRain rain;
    if (!m_fileRain->isChecked()) {
        const QString text = m_rainEdit->text();
        const std::optional<double> r = Number(text);
        if (!r) {
            problem = NotANumber(QStringLiteral("r"), text);
            return std::nullopt;
        }
        rain.intensity = *r;
    } else {
        const int index = m_duration->currentIndex();
        if (!m_loaded) {
            problem = m_loadProblem.isEmpty() ? QStringLiteral("Keine Regendatei gewählt.") : m_loadProblem;
            return std::nullopt;
        }
        const double n = m_frequency->currentData().toDouble();
        const QString where = QStringLiteral("für D = %1 und n = %2/a").arg(m_duration->currentText(), Typed(n));
        const std::optional<CRainfallTable::Rain> row = m_rainfall.TakeSelectedDuration(index);
        const int line = index >= 0 ? m_rainfall.RowAt(index + 1).line : 0;
        // A row without a number ("fehlt"), an empty or a broken one has no rain, not 0.
        if (!row || row->intensity <= 0 ||
            std::find(m_invalidLines.begin(), m_invalidLines.end(), line) != m_invalidLines.end()) {
            problem = QStringLiteral("Die Regendatei hat %1 keinen Wert.").arg(where);
            return std::nullopt;
        }
        rain.intensity = row->intensity;
        rain.file = m_rainfall.Stamp().name;
        rain.sha256 = m_rainfall.Stamp().sha256;
        rain.duration = m_duration->currentText().toStdString();
        rain.n = n;
    }
    return rain;
}

std::optional<FormInflow> CInflowDlg::Areas(QString& problem) const
{
    FormInflow inflow;
    for (int row = 0; row < m_areas->rowCount(); ++row) {
        const QString line = QStringLiteral("Fläche %1: ").arg(row + 1);
        InflowEntry entry;
        entry.name = m_areas->item(row, kName)->text().trimmed().toStdString();
        entry.hectares = UnitBox(row)->currentIndex() == 1;
        const QString areaText = m_areas->item(row, kArea)->text();
        const std::optional<double> area = Number(areaText);
        if (!area) {
            problem = line + NotANumber(QStringLiteral("A"), areaText);
            return std::nullopt;
        }
        entry.areaM2 = entry.hectares ? *area * 10000 : *area;
        const QString psiText = m_areas->item(row, kPsi)->text();
        const std::optional<double> psi = Number(psiText);
        if (!psi) {
            problem = line + NotANumber(QStringLiteral("ψ"), psiText);
            return std::nullopt;
        }
        entry.psi = *psi;
        inflow.areas.push_back(entry);
    }
    return inflow;
}

// Q outside the range of the form's field would be refused there.
QString CInflowDlg::RangeProblem(double q) const
{
    const FieldInfo* field = m_info && m_info->inflowField ? m_form.FindFieldByName(m_info->inflowField) : nullptr;
    if (!field || !field->range || (q >= field->range->lo && q <= field->range->hi))
        return {};
    return QStringLiteral("Q liegt außerhalb des Bereichs von %1: %2 … %3 %4.")
        .arg(Q(field->label), Typed(field->range->lo), Typed(field->range->hi), Q(field->unit));
}

// The result and what stands in its way, after every change.
void CInflowDlg::Update()
{
    if (m_updating)
        return;
    m_table.reset();
    QString problem, rainProblem;
    std::optional<FormInflow> inflow = Areas(problem);
    std::optional<InflowRain> rain = Rain(rainProblem);
    if (problem.isEmpty())
        problem = rainProblem;
    m_fileRainText->setText(m_fileRain->isChecked() && rain ? QStringLiteral("r = %1 %2")
                                                                   .arg(Shown(rain->intensity, "l/(s ha)"), kRainUnit)
                                                             : QString());
    QString result;
    if (inflow && rain) {
        inflow->rain = *rain;
        const char* unit = m_info && m_info->inflowUnit ? m_info->inflowUnit : "l/s";
        const RationalInflowResult q = InflowOf(*inflow, InflowUnitOf(unit).value_or(InflowUnit::LitresPerSecond));
        if (q.status != RationalInflowStatus::Ok) {
            problem = Q(InflowRefusalText(q));
        } else {
            result = QStringLiteral("Σ ψ · A = %1 m², r = %2 %3:   Q = %4 l/s")
                         .arg(CDigitDisplay::Instance().Shown(Q(RoundedText(q.reducedArea, Rounding{0, 4, 2}))), Shown(rain->intensity, "l/(s ha)"),
                              kRainUnit, Shown(q.litres, "l/s"));
            if (std::string_view(unit) != "l/s")
                result += QStringLiteral(" = %1 %2").arg(Shown(q.Q, unit), Q(unit));
            problem = RangeProblem(q.Q);
            if (problem.isEmpty())
                m_table = std::move(inflow);
        }
    }
    if (problem.isEmpty())
        problem = m_changedNote;
    m_result->setText(result);
    m_problem->setText(problem);
    m_take->setEnabled(m_table.has_value());
}

// Everything the user can enter, in one text: rows, rain and file.
QString CInflowDlg::Entered() const
{
    QStringList parts;
    for (int row = 0; row < m_areas->rowCount(); ++row)
        for (int column : {kName, kArea, kPsi})
            parts << m_areas->item(row, column)->text() << QString::number(UnitBox(row)->currentIndex());
    parts << m_rainEdit->text() << QString::number(m_fileRain->isChecked()) << m_file->currentText()
          << m_frequency->currentText() << m_duration->currentText();
    return parts.join(QChar(0));
}

void CInflowDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !event->modifiers() && Entered() != m_opened) {
        CMessageBox box(QMessageBox::Question, windowTitle(),
                        QStringLiteral("Die eingegebenen Flächen und die Regenspende verwerfen?"),
                        QMessageBox::Yes | QMessageBox::Cancel, this);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Verwerfen"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("&Zurück"));
        box.setDefaultButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        if (m_runModal(box) == QMessageBox::Yes)
            reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CInflowDlg::accept()
{
    Update();
    if (!m_table)
        return;
    if (m_window.TypeInflow(*m_table) != Refusal::None) {
        m_problem->setText(QStringLiteral("Das Formular hat Q nicht angenommen."));
        return;
    }
    QDialog::accept();
}

} // namespace dralun
