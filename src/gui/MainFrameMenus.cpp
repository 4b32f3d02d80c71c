// The main window's menu bar, key table, status bar and lock indicators.
#include "gui/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>

#include "gui/CRainImportDlg.h"
#include "gui/CommandTable.h"
#include "gui/DigitDisplay.h"

namespace dralun {

namespace {
const QString kReady = QStringLiteral("Bereit");
// "Ansicht" → "Alle Stellen anzeigen", kept from one run to the next.
const QString kAllDigitsKey = QStringLiteral("Ansicht/AlleStellen");
// "Ansicht" → "Komma als Dezimalzeichen", kept too.
const QString kDecimalCommaKey = QStringLiteral("Ansicht/Dezimalkomma");
} // namespace

void CMainFrame::BuildMenus()
{
    auto makeAction = [this](int command, const QString& text) {
        auto* a = new QAction(text, this);
        a->setStatusTip(cmd::Prompt(command));
        connect(a, &QAction::triggered, this, [this, command] { OnCommand(command); });
        if (!m_actions.count(command))
            m_actions[command] = a;
        return a;
    };

    for (const cmd::Menu& menu : cmd::MenuTable()) {
        if (menu.items.empty()) {
            menuBar()->addAction(makeAction(menu.command, menu.title));
            continue;
        }
        QMenu* m = menuBar()->addMenu(menu.title);
        for (const cmd::MenuItem& item : menu.items) {
            if (item.command == 0) {
                m->addSeparator();
                continue;
            }
            QAction* a = makeAction(item.command, item.text);
            m->addAction(a);
            if (item.command == cmd::FileMru) {
                m_fileMenu = m;
                m_mruPlaceholder = a;
            }
        }
    }

    connect(m_actions[cmd::FileRainImport], &QAction::triggered, this, [this] {
        CRainImportDlg dialog(this);
        dialog.SetModalRunner(m_runModal);
        m_runModal(dialog);
    });

    // The edit commands have no handler: always disabled.
    for (int command : {cmd::EditUndo, cmd::EditCut, cmd::EditCopy, cmd::EditPaste})
        m_actions[command]->setEnabled(false);

    QAction* statusBarAction = m_actions[cmd::ViewStatusBar];
    statusBarAction->setCheckable(true);
    statusBarAction->setChecked(true);

    // The form windows follow the choice of all digits; it is the one of the last run.
    CDigitDisplay& digits = CDigitDisplay::Instance();
    digits.SetAllDigits(QSettings().value(kAllDigitsKey, false).toBool());
    QAction* allDigits = m_actions[cmd::ViewAllDigits];
    allDigits->setCheckable(true);
    allDigits->setChecked(digits.AllDigits());
    connect(&digits, &CDigitDisplay::Changed, allDigits, &QAction::setChecked);
    digits.SetDecimalComma(QSettings().value(kDecimalCommaKey, false).toBool());
    QAction* comma = m_actions[cmd::ViewDecimalComma];
    comma->setCheckable(true);
    comma->setChecked(digits.DecimalComma());
    connect(&digits, &CDigitDisplay::DecimalSignChanged, comma, &QAction::setChecked);
}

void CMainFrame::ShowAllDigits(bool all)
{
    QSettings().setValue(kAllDigitsKey, all);
    CDigitDisplay::Instance().SetAllDigits(all);
    m_actions[cmd::ViewAllDigits]->setChecked(all);
}

void CMainFrame::TypeDecimalComma(bool comma)
{
    QSettings().setValue(kDecimalCommaKey, comma);
    CDigitDisplay::Instance().SetDecimalComma(comma);
    m_actions[cmd::ViewDecimalComma]->setChecked(comma);
}

void CMainFrame::BindKeys()
{
    // The key table binds keys to commands; F6 and Shift+F6 (next and
    // previous pane) have no menu item. The menu items show their key hints
    // in their own text.
    for (const cmd::KeyBinding& key : cmd::KeyTable()) {
        QAction* a = Action(key.command);
        if (!a) {
            a = new QAction(this);
            const int command = key.command;
            connect(a, &QAction::triggered, this, [this, command] { OnCommand(command); });
            m_actions[command] = a;
        }
        QList<QKeySequence> keys = a->shortcuts();
        keys.append(key.keys);
        a->setShortcuts(keys);
        addAction(a);
    }
}

void CMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    const char* const names[3] = {"UF", "NUM", "RF"};
    for (int i = 0; i < 3; ++i) {
        m_lockPanes[i] = new QLabel(QString::fromLatin1(names[i]));
        m_lockPanes[i]->setAlignment(Qt::AlignCenter);
        m_lockPanes[i]->setMinimumWidth(m_lockPanes[i]->fontMetrics().horizontalAdvance(QStringLiteral("NUMM")));
        m_lockPanes[i]->setFrameShape(QFrame::Panel);
        m_lockPanes[i]->setFrameShadow(QFrame::Sunken);
        m_lockPanes[i]->setEnabled(false); // shown grey while the lock is off
        bar->addPermanentWidget(m_lockPanes[i]);
    }
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& text) {
        if (text.isEmpty())
            bar->showMessage(kReady);
    });
    bar->showMessage(kReady);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The lock indicators follow the lock keys as they are pressed.
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int pane = key == Qt::Key_CapsLock ? 0 : key == Qt::Key_NumLock ? 1 : key == Qt::Key_ScrollLock ? 2 : -1;
        if (pane >= 0)
            m_lockPanes[pane]->setEnabled(!m_lockPanes[pane]->isEnabled());
    }
    return QMainWindow::eventFilter(watched, event);
}

QAction* CMainFrame::Action(int command) const
{
    auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

} // namespace dralun
