#include "gui/project/CProjectPanel.h"

#include <QAction>
#include <algorithm>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/CHydroDoc.h"
#include "gui/report/CReportHeaderDlg.h"
#include "project/KeepCalculation.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

struct CommandInfo {
    const char* text;
    QKeySequence key;
    const char* tip;
};

const CommandInfo kCommands[] = {
    {"Öffnen", QKeySequence(Qt::Key_Return), "Öffnet das Formular der Berechnung mit ihren Eingaben (Eingabetaste)."},
    {"Umbenennen…", QKeySequence(Qt::Key_F2), "Gibt der Berechnung einen anderen Namen (F2)."},
    {"Entfernen", QKeySequence(Qt::Key_Delete), "Entfernt die Berechnung aus dem Projekt (Entf)."},
    {"Nach oben", QKeySequence(Qt::CTRL | Qt::Key_Up), "Schiebt die Berechnung eine Stelle nach oben (Strg+Pfeil auf)."},
    {"Nach unten", QKeySequence(Qt::CTRL | Qt::Key_Down), "Schiebt die Berechnung eine Stelle nach unten (Strg+Pfeil ab)."},
};

} // namespace

CProjectPanel::CProjectPanel(CHydroDoc& doc, QWidget* parent)
    : QDockWidget(QStringLiteral("Projekt"), parent), m_doc(doc),
      m_runModal([](QDialog& dialog) { return dialog.exec(); })
{
    setObjectName(QStringLiteral("projectPanel"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* body = new QWidget;
    auto* column = new QVBoxLayout(body);
    m_empty = new QLabel(QStringLiteral("Das Projekt enthält noch keine Berechnung. "
                                        "\u201EIn Projekt übernehmen\u201C in einem Formular fügt eine hinzu."));
    m_empty->setWordWrap(true);
    column->addWidget(m_empty);
    m_list = new QListWidget;
    m_list->setWordWrap(true);
    m_list->setAlternatingRowColors(true); // two lines an entry: where one ends
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_list->setMinimumWidth(m_list->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 44);
    column->addWidget(m_list, 1);

    auto* buttons = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
        auto* action = new QAction(QString::fromUtf8(kCommands[i].text), this);
        action->setShortcut(kCommands[i].key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setStatusTip(QString::fromUtf8(kCommands[i].tip));
        action->setToolTip(QString::fromUtf8(kCommands[i].tip));
        connect(action, &QAction::triggered, this, [this, i] { Run(static_cast<Command>(i)); });
        m_list->addAction(action);
        auto* button = new QToolButton;
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        buttons->addWidget(button, i < 3 ? 0 : 1, i < 3 ? i : i - 3);
        m_actions[i] = action;
    }
    column->addLayout(buttons);
    setWidget(body);

    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { Run(Open); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { UpdateActions(); });
    Refresh();
}

int CProjectPanel::Current() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < static_cast<int>(m_doc.Project().Size()) ? row : -1;
}

void CProjectPanel::Refresh()
{
    const int keep = m_list->currentRow();
    const Project& project = m_doc.Project();
    m_list->clear();
    for (std::size_t i = 0; i < project.Size(); ++i) {
        const ProjectEntry& entry = project.At(i);
        const QString name = Q(entry.Name());
        auto* item = new QListWidgetItem;
        if (!entry.Usable()) {
            const QString why = QStringLiteral("nicht verwendbar: ") + Q(entry.problem);
            item->setText(name + QLatin1Char('\n') + why);
            item->setToolTip(name + QLatin1Char('\n') + why);
            item->setForeground(m_list->palette().color(QPalette::Disabled, QPalette::Text));
        } else {
            const Calculation& calc = *entry.calc;
            QString second = Q(calc.title) + QStringLiteral(": ") + Q(calc.mainResult);
            QString tip = name + QLatin1Char('\n') + second;
            const std::vector<ResultChange>& changes = m_doc.Changes(i);
            if (!changes.empty()) {
                second += QStringLiteral(" \u2013 abweichend");
                tip += QStringLiteral("\nBeim letzten Öffnen abweichend:");
                for (const ResultChange& change : changes)
                    tip += QLatin1Char('\n') + Q(ChangeText(change));
                item->setForeground(QColor(170, 60, 0));
            }
            item->setText(name + QLatin1Char('\n') + second);
            item->setToolTip(tip);
        }
        m_list->addItem(item);
    }
    m_empty->setVisible(project.Empty());
    if (m_list->count() > 0)
        m_list->setCurrentRow(std::clamp(keep, 0, m_list->count() - 1));
    UpdateActions();
}

void CProjectPanel::UpdateActions()
{
    const int row = Current();
    const int last = m_list->count() - 1;
    for (Command c : {Open, Rename, Remove})
        m_actions[c]->setEnabled(row >= 0);
    m_actions[Up]->setEnabled(row > 0);
    m_actions[Down]->setEnabled(row >= 0 && row < last);
}

void CProjectPanel::Run(Command command)
{
    const int row = Current();
    if (row < 0 || !m_actions[command]->isEnabled())
        return;
    const auto index = static_cast<std::size_t>(row);
    switch (command) {
    case Open:
        if (m_open)
            m_open(index);
        return;
    case Rename: {
        QInputDialog dialog(this);
        dialog.setWindowTitle(QStringLiteral("Umbenennen"));
        dialog.setLabelText(QStringLiteral("Name der Berechnung:"));
        dialog.setTextValue(Q(m_doc.Project().At(index).Name()));
        if (auto* edit = dialog.findChild<QLineEdit*>())
            LimitTypedText(edit, kLongestName);
        dialog.setOkButtonText(QStringLiteral("OK"));
        dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
        dialog.resize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 60, dialog.sizeHint().height());
        if (m_runModal(dialog) != QDialog::Accepted)
            return;
        const std::string name = dialog.textValue().trimmed().toStdString();
        if (name.empty() || name == m_doc.Project().At(index).Name())
            return;
        m_doc.Rename(index, name);
        break;
    }
    case Remove:
        m_doc.Remove(index);
        break;
    case Up:
    case Down:
        m_doc.Move(index, command == Up ? index - 1 : index + 1);
        m_list->setCurrentRow(command == Up ? row - 1 : row + 1);
        break;
    }
    Refresh();
    if (m_changed)
        m_changed();
}

} // namespace dralun
