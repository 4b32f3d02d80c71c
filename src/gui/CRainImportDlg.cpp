#include "gui/CRainImportDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

#include "core/CDataDirectory.h"
#include "core/KostraSource.h"
#include "core/Platform.h"
#include "forms/KostraMessages.h"
#include "forms/KostraRainfallFile.h"
#include "gui/CMessageBox.h"
#include "gui/MainFrameDialogs.h"
#include "gui/WorkProgress.h"

namespace dralun {

namespace {

using mainframe::Q;

std::filesystem::path PathOf(const QString& text) { return platform::PathOf(text.toStdString()); }
QString TextOf(const std::filesystem::path& path) { return Q(platform::TextOf(path)); }

// A folder or a zip archive holds grid tables, whose columns say hN in mm.
bool HoldsGridTables(const QString& path)
{
    return QFileInfo(path).isDir() || path.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive);
}

KostraResult<KostraCell> Read(const QString& source, const QString& cell, KostraUnit unit)
{
    KostraImportRequest request;
    request.indexRc = cell.trimmed().toStdString();
    request.assumed = unit;
    return ImportKostra(PathOf(source), request);
}

// Reading the values as hN and as rN gives two different results only when
// the head of the table does not say which they are.
bool UnitMatters(const KostraResult<KostraCell>& depth, const KostraResult<KostraCell>& intensity)
{
    if (depth.value.has_value() != intensity.value.has_value())
        return true;
    return depth.value ? depth.value->depth != intensity.value->depth : depth.problem != intensity.problem;
}

const QString kUnitQuestion = QStringLiteral(
    "Der Tabellenkopf sagt nicht, ob die Werte Niederschlagshöhen hN oder Regenspenden rN sind: bitte wählen.");

} // namespace

CRainImportDlg::CRainImportDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Regendaten importieren"));
    auto* layout = new QVBoxLayout(this);

    auto* sourceBox = new QGroupBox(QStringLiteral("Quelle: KOSTRA-DWD"));
    auto* sourceLayout = new QVBoxLayout(sourceBox);
    auto* choose = new QHBoxLayout;
    auto* folder = new QPushButton(QStringLiteral("&Ordner mit Rastertabellen…"));
    auto* file = new QPushButton(QStringLiteral("&Datei…"));
    choose->addWidget(folder);
    choose->addWidget(file);
    choose->addStretch();
    sourceLayout->addLayout(choose);
    m_sourceEdit = new QLineEdit;
    m_sourceEdit->setReadOnly(true);
    m_sourceEdit->setPlaceholderText(QStringLiteral("keine Quelle gewählt"));
    sourceLayout->addWidget(m_sourceEdit);
    layout->addWidget(sourceBox);

    auto* form = new QFormLayout;
    m_cell = new QLineEdit;
    m_cell->setObjectName(QStringLiteral("cell"));
    m_cell->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), m_cell));
    m_cell->setPlaceholderText(QStringLiteral("für Rastertabellen, z. B. 117111"));
    auto* cellLabel = new QLabel(QStringLiteral("&Zelle (INDEX_RC):"));
    cellLabel->setBuddy(m_cell);
    form->addRow(cellLabel, m_cell);
    layout->addLayout(form);

    m_unitBox = new QGroupBox(QStringLiteral("Werte der Tabelle"));
    auto* unitLayout = new QVBoxLayout(m_unitBox);
    m_unit = new QButtonGroup(this);
    auto* depth = new QRadioButton(QStringLiteral("Niederschlags&höhen hN [mm]"));
    auto* intensity = new QRadioButton(QStringLiteral("Regen&spenden rN [l/(s·ha)]"));
    depth->setObjectName(QStringLiteral("depth"));
    intensity->setObjectName(QStringLiteral("intensity"));
    m_unit->addButton(depth, Depth);
    m_unit->addButton(intensity, Intensity);
    m_unitNote = new QLabel;
    m_unitNote->setWordWrap(true);
    // Room for the question, so that the dialog need not grow when it is put.
    m_unitNote->setMinimumHeight(fontMetrics().lineSpacing() * 2);
    unitLayout->addWidget(m_unitNote);
    unitLayout->addWidget(depth);
    unitLayout->addWidget(intensity);
    layout->addWidget(m_unitBox);

    m_tolerance = new QCheckBox(QStringLiteral("&Toleranz (UC) zu jedem Wert addieren"));
    layout->addWidget(m_tolerance);

    auto* target = new QFormLayout;
    m_target = new QLineEdit;
    m_target->setObjectName(QStringLiteral("target"));
    m_target->setPlaceholderText(QStringLiteral("wird nach dem Lesen vorgeschlagen"));
    auto* targetLabel = new QLabel(QStringLiteral("Datei&name:"));
    targetLabel->setBuddy(m_target);
    target->addRow(targetLabel, m_target);
    target->addRow(QString(), new QLabel(QStringLiteral("im Datenverzeichnis ") + Q(CDataDirectory::Path())));
    layout->addLayout(target);

    m_result = new QLabel;
    m_result->setObjectName(QStringLiteral("result"));
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_result->setMinimumHeight(fontMetrics().lineSpacing() * 5);
    m_result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_result, 1);

    auto* buttons = new QDialogButtonBox;
    m_import = buttons->addButton(QStringLiteral("&Importieren"), QDialogButtonBox::ActionRole);
    m_copy = buttons->addButton(QStringLiteral("Namen &kopieren"), QDialogButtonBox::ActionRole);
    m_import->setObjectName(QStringLiteral("import"));
    m_copy->setObjectName(QStringLiteral("copy"));
    buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    m_import->setDefault(true);
    m_copy->hide();
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 72);

    connect(folder, &QPushButton::clicked, this, &CRainImportDlg::ChooseFolder);
    connect(file, &QPushButton::clicked, this, &CRainImportDlg::ChooseFile);
    connect(m_cell, &QLineEdit::editingFinished, this, &CRainImportDlg::ReadHead);
    connect(m_unit, &QButtonGroup::idClicked, this, &CRainImportDlg::UpdateButtons);
    // A name the user typed stays; an emptied field takes proposals again.
    connect(m_target, &QLineEdit::textEdited, this, [this](const QString& text) { m_targetTyped = !text.isEmpty(); });
    connect(m_import, &QPushButton::clicked, this, &CRainImportDlg::Import);
    connect(m_copy, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(m_written); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    SetSource({});
}

void CRainImportDlg::ChooseFolder()
{
    QFileDialog dialog(this, QStringLiteral("Ordner mit Rastertabellen wählen"), QFileInfo(m_source).path());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    mainframe::FitFileDialog(dialog);
    if (m_runModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        SetSource(dialog.selectedFiles().first());
}

void CRainImportDlg::ChooseFile()
{
    QFileDialog dialog(this, QStringLiteral("Tabelle eines Rasterfelds wählen"), QFileInfo(m_source).path(),
                       QStringLiteral("KOSTRA-Tabellen (*.csv *.txt *.zip);;Alle Dateien (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    mainframe::FitFileDialog(dialog);
    if (m_runModal(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        SetSource(dialog.selectedFiles().first());
}

void CRainImportDlg::SetSource(const QString& path)
{
    m_source = path;
    m_sourceEdit->setText(QDir::toNativeSeparators(path));
    m_unitAsked = false;
    m_unit->setExclusive(false);
    for (QAbstractButton* button : m_unit->buttons())
        button->setChecked(false);
    m_unit->setExclusive(true);
    m_copy->hide();
    m_result->clear();
    ReadHead();
    UpdateButtons();
}

void CRainImportDlg::ReadHead()
{
    // Grid tables are read only on "Importieren", a whole country's tables
    // being large.
    if (m_source.isEmpty() || HoldsGridTables(m_source)) {
        m_unitNote->setText(m_source.isEmpty() ? QString()
                                               : QStringLiteral("Rastertabellen nennen Niederschlagshöhen hN [mm]."));
        m_unitBox->setEnabled(false);
        return;
    }
    const auto depth = Read(m_source, m_cell->text(), KostraUnit::Depth);
    const auto intensity = Read(m_source, m_cell->text(), KostraUnit::Intensity);
    if (UnitMatters(depth, intensity)) {
        AskUnit(kUnitQuestion);
    } else if (!m_unitAsked) {
        m_unitNote->setText(depth.value ? QStringLiteral("Der Tabellenkopf nennt die Einheit.") : QString());
        m_unitBox->setEnabled(false);
    }
    const auto& read = depth.value ? depth : intensity;
    if (!m_targetTyped && read.value && !read.value->indexRc.empty())
        m_target->setText(Q(SuggestedRainfallFileName(*read.value)));
}

void CRainImportDlg::AskUnit(const QString& why)
{
    m_unitAsked = true;
    m_unitBox->setEnabled(true);
    m_unitNote->setText(why);
    UpdateButtons();
}

void CRainImportDlg::UpdateButtons()
{
    m_import->setEnabled(!m_source.isEmpty() && (!m_unitAsked || m_unit->checkedId() != -1));
}

void CRainImportDlg::ShowResult(const QString& text, bool success)
{
    m_result->setText(success ? text : QStringLiteral("Nicht importiert, nichts geschrieben: ") + text);
    m_copy->setVisible(success);
}

KostraResult<KostraCell> CRainImportDlg::ReadGridTables()
{
    KostraImportRequest request;
    request.indexRc = m_cell->text().trimmed().toStdString();
    const std::filesystem::path source = PathOf(m_source);
    // What the reading and the window tell each other, under the mutex.
    std::mutex mutex;
    std::condition_variable news;
    std::size_t done = 0, total = 0;
    bool shown = false, stop = false, finished = false;
    request.progress = [&](std::size_t read, std::size_t tables) {
        std::unique_lock lock(mutex);
        done = read;
        total = tables;
        news.notify_all();
        // The first table is read once the window has shown that reading began.
        news.wait(lock, [&] { return shown || stop; });
        return !stop;
    };
    // While the tables are read the window answers, but its inputs wait:
    // what is read and written stays what was asked for.
    QList<QWidget*> waiting;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && child->isEnabled())
            waiting.append(child);
    for (QWidget* child : waiting)
        child->setEnabled(false);
    m_reading = true;
    KostraResult<KostraCell> result;
    std::thread reader([&] {
        KostraResult<KostraCell> read;
        try {
            read = ImportKostra(source, request);
        } catch (const std::bad_alloc&) {
            read = {std::nullopt, {.status = KostraStatus::OutOfMemory}};
        }
        const std::lock_guard lock(mutex);
        result = std::move(read);
        finished = true;
        news.notify_all();
    });
    std::optional<CWorkProgress> progress;
    if (!m_tell)
        progress.emplace(QStringLiteral("Die Rastertabellen werden gelesen …"), this);
    std::unique_lock lock(mutex);
    while (!finished) {
        const std::size_t read = done, tables = total;
        lock.unlock();
        const bool go = m_tell ? m_tell(read, tables) : progress->Tell(read, tables);
        lock.lock();
        shown = true;
        stop = stop || !go;
        news.notify_all();
        news.wait_for(lock, std::chrono::milliseconds(20), [&] { return finished || done != read; });
    }
    lock.unlock();
    reader.join();
    m_reading = false;
    for (QWidget* child : waiting)
        child->setEnabled(true);
    return result;
}

void CRainImportDlg::reject()
{
    if (!m_reading)
        QDialog::reject();
}

bool CRainImportDlg::Import()
{
    m_written.clear();
    if (!m_import->isEnabled())
        return false;
    // A cell table is read both ways (it may have changed since it was
    // chosen): when that makes a difference, the user must say what its
    // values are.
    KostraResult<KostraCell> imported;
    const int chosen = m_unit->checkedId();
    if (!HoldsGridTables(m_source) && chosen == -1) {
        imported = Read(m_source, m_cell->text(), KostraUnit::Depth);
        if (UnitMatters(imported, Read(m_source, m_cell->text(), KostraUnit::Intensity))) {
            AskUnit(kUnitQuestion);
            ShowResult(kUnitQuestion, false);
            return false;
        }
    } else if (HoldsGridTables(m_source)) {
        imported = ReadGridTables();
    } else {
        imported = Read(m_source, m_cell->text(), chosen == Intensity ? KostraUnit::Intensity : KostraUnit::Depth);
    }
    if (!imported.value) {
        ShowResult(Q(KostraProblemText(imported.problem)), false);
        return false;
    }
    const KostraCell& cell = *imported.value;

    QString name = m_target->text().trimmed();
    if (!m_targetTyped || name.isEmpty()) {
        if (cell.indexRc.empty()) {
            ShowResult(QStringLiteral("Die Zelle (INDEX_RC) oder den Dateinamen angeben (der Dateiname nennt die Zelle)."),
                       false);
            return false;
        }
        name = Q(SuggestedRainfallFileName(cell));
        m_target->setText(name);
    }
    // A bare name: no folder, no drive ("C:name" would leave the data directory).
    if (name.contains(QRegularExpression(QStringLiteral("[/\\\\:]"))) || name == QStringLiteral(".") ||
        name == QStringLiteral("..")) {
        ShowResult(QStringLiteral("Als Dateinamen nur einen Namen ohne Ordner angeben: die Regenreihe kommt ins "
                                  "Datenverzeichnis."),
                   false);
        return false;
    }
    const std::filesystem::path path = CDataDirectory::File(name.toStdString());
    const QString shownName = TextOf(path.filename());
    std::error_code error;
    if (std::filesystem::exists(path, error) || error) {
        CMessageBox box(QMessageBox::Question, QStringLiteral("Dralun"),
                        QStringLiteral("Die Datei „%1“ gibt es im Datenverzeichnis schon. Ersetzen?").arg(shownName),
                        QMessageBox::Yes | QMessageBox::Cancel, this);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ersetzen"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
        box.setDefaultButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        if (m_runModal(box) != QMessageBox::Yes) {
            ShowResult(QStringLiteral("Die Datei „%1“ bleibt, wie sie ist.").arg(shownName), false);
            return false;
        }
    }

    KostraOptions options;
    options.importDate = QDateTime::currentDateTimeUtc().date().toString(Qt::ISODate).toStdString();
    options.addTolerance = m_tolerance->isChecked();
    if (const std::string why = WriteKostraRainfallFile(cell, options, path, PathOf(m_source)); !why.empty()) {
        ShowResult(Q(why), false);
        return false;
    }
    m_written = shownName;
    QString text = (cell.indexRc.empty() ? QStringLiteral("Die Regendaten (%2)")
                                         : QStringLiteral("Die Regendaten der Zelle %1 (%2)"))
                       .arg(Q(cell.indexRc), Q(cell.atlas)) +
                   QStringLiteral(" wurden nach „%1“ geschrieben.").arg(QDir::toNativeSeparators(TextOf(path)));
    if (chosen != -1)
        text += chosen == Intensity ? QStringLiteral(" Die Werte wurden als Regenspenden rN [l/(s·ha)] gelesen.")
                                    : QStringLiteral(" Die Werte wurden als Niederschlagshöhen hN [mm] gelesen.");
    if (options.addTolerance)
        text += QStringLiteral(" Die Unsicherheit UC ist zu jedem Wert addiert.");
    ShowResult(text + QStringLiteral("\nIn den Versickerungsformularen unter „Datei“ eintragen: ") + shownName, true);
    return true;
}

} // namespace dralun
