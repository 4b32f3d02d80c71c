#include "gui/CFormWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/CFieldEdit.h"
#include "gui/CQtMessageSink.h"
#include "gui/DigitDisplay.h"
#include "gui/ProgramStart.h"
#include "gui/pictures/CPictureWidget.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

Qt::Alignment ToQt(Align align)
{
    switch (align) {
    case Align::Left: return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Center: return Qt::AlignCenter;
    default: return {};
    }
}

template <class W>
QStringList ShownItems(const W* widget)
{
    QStringList items;
    for (int i = 0; i < widget->count(); ++i)
        items.append(widget->itemText(i));
    return items;
}

QStringList ShownItems(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

// Leaving a field counts when the user moves the focus, not when a message
// box or a menu takes it for a while.
bool IsUserFocusChange(Qt::FocusReason reason)
{
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
}

// A disabled selection list still shows values the user reads (the pipe
// run's vv and Qv): its entries keep the normal text colours.
void KeepTextColourWhenDisabled(QWidget* widget)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText, QPalette::HighlightedText})
        palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
    widget->setPalette(palette);
}

} // namespace

CFormWindow::CFormWindow(const FormInfo& info, QWidget* parent, IMessageSink* sink)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    if (!sink) {
        m_ownSink = std::make_unique<CQtMessageSink>(this);
        sink = m_ownSink.get();
    }
    m_form = info.create(*sink);
    m_computeId = info.computeButton;
    // A main field that the description names but the form does not have
    // would leave the calculations kept from it without their name and
    // results: said at once, on the console.
    for (const std::string& problem : MainFieldProblems(info, *m_form))
        qCritical("Formularbeschreibung %s", problem.c_str());
    setWindowTitle(Q(m_form->Title()));
    setModal(true);
    if (const FieldInfo* inflow = info.inflowField ? m_form->FindFieldByName(info.inflowField) : nullptr)
        m_inflowField = inflow->id;

    auto* outer = new QVBoxLayout(this);
    m_banner = new QLabel;
    m_banner->setTextFormat(Qt::PlainText);
    m_banner->setObjectName(QStringLiteral("banner"));
    m_banner->setFrameShape(QFrame::StyledPanel);
    m_banner->setMargin(fontMetrics().height() / 3);
    m_banner->setAutoFillBackground(true);
    QPalette note = m_banner->palette();
    note.setColor(QPalette::Window, QColor(255, 244, 200));
    note.setColor(QPalette::WindowText, QColor(90, 40, 0));
    m_banner->setPalette(note);
    m_banner->hide();
    outer->addWidget(m_banner);
    // The stale line keeps its room while empty, so that the form does not
    // move when it comes and goes as the user types.
    m_staleLine = new QLabel;
    m_staleLine->setObjectName(QStringLiteral("staleLine"));
    m_staleLine->setTextFormat(Qt::PlainText);
    m_staleLine->setWordWrap(true);
    m_staleLine->setMinimumHeight(fontMetrics().height());
    QPalette amber = m_staleLine->palette();
    amber.setColor(QPalette::WindowText, QColor(150, 70, 0));
    m_staleLine->setPalette(amber);
    outer->addWidget(m_staleLine);
    // The fields scroll where the screen is too small for them; the buttons
    // beside them and the verdict under them stay in view.
    m_fields = new QWidget;
    m_fields->setObjectName(QStringLiteral("fields"));
    auto* grid = new QGridLayout(m_fields);
    grid->setContentsMargins(0, 0, 0, 0);
    Build(m_form->Layout(), grid, true);
    m_fieldArea = MakeFieldArea(m_fields);
    m_fields->installEventFilter(this); // a field that grows refits the window
    auto* body = new QHBoxLayout;
    body->addWidget(m_fieldArea, 1);
    if (m_buttonColumn)
        body->addWidget(m_buttonColumn, 0, Qt::AlignTop);
    outer->addLayout(body, 1);
    m_verdictLine = MakeVerdictLine();
    outer->addWidget(m_verdictLine);
    m_verdictLine->setVisible(m_form->StatesVerdict());
    m_staleLine->setVisible(m_form->HasResults()); // a form without results has nothing to mark
    connect(&CDigitDisplay::Instance(), &CDigitDisplay::Changed, this, [this](bool all) {
        for (const auto& [id, widget] : m_widgets)
            if (auto* edit = qobject_cast<CFieldEdit*>(widget))
                edit->SetAllDigits(all);
        Sync();
    });
    connect(&CDigitDisplay::Instance(), &CDigitDisplay::DecimalSignChanged, this, [this] {
        Sync();
        ShowVerdict();
    });

    m_busy = true;
    m_form->Open();
    m_busy = false;
    Sync();
    FitWindow();
}

CFormWindow::~CFormWindow() = default;

QWidget* CFormWindow::Control(int id) const
{
    auto it = m_widgets.find(id);
    return it == m_widgets.end() ? nullptr : it->second;
}

// ---- building the window -------------------------------------------------

void CFormWindow::Build(const FormLayout& items, QGridLayout* grid, bool topLevel)
{
    for (const LayoutItem& item : items) {
        if (topLevel && !m_buttonColumn && IsButtonColumn(item)) {
            m_buttonColumn = new QWidget;
            m_buttonColumn->setObjectName(QStringLiteral("buttons"));
            auto* inner = new QGridLayout(m_buttonColumn);
            inner->setContentsMargins(0, 0, 0, 0);
            Build(item.children, inner);
            continue;
        }
        QWidget* widget = nullptr;
        switch (item.type) {
        case Item::Field: {
            const FieldInfo* field = m_form->FindField(item.id);
            auto* label = new QLabel(field ? Q(field->label) : QString());
            QWidget* edit = MakeControl(item.id, item.chars);
            label->setBuddy(edit);
            grid->addWidget(label, item.row, item.col, item.rowSpan, 1);
            if (item.id == m_inflowField)
                edit = WithInflowButton(edit);
            grid->addWidget(edit, item.row, item.col + 1, item.rowSpan, item.colSpan - 1);
            continue;
        }
        case Item::Edit:
        case Item::Control:
            widget = MakeControl(item.id, item.chars);
            if (item.id == m_inflowField)
                widget = WithInflowButton(widget);
            if (item.id == m_computeId && m_computeId != kNoComputeButton)
                widget = WithReportButton(widget, grid);
            break;
        case Item::Label: {
            auto* label = new QLabel(Q(item.text));
            label->setTextFormat(Qt::PlainText);
            widget = label;
            break;
        }
        case Item::Picture:
        case Item::Drawn: {
            auto* picture = new CPictureWidget(item.type == Item::Drawn ? CPictureWidget::kDrawnText : item.id, *m_form);
            m_drawn.push_back(picture);
            widget = picture;
            break;
        }
        case Item::Group: {
            auto* box = new QGroupBox(Q(item.text));
            auto* inner = new QGridLayout(box);
            Build(item.children, inner);
            widget = box;
            break;
        }
        case Item::Panel: {
            widget = new QWidget;
            auto* inner = new QGridLayout(widget);
            inner->setContentsMargins(0, 0, 0, 0);
            Build(item.children, inner);
            break;
        }
        case Item::Stretch: {
            const QFontMetrics fm = fontMetrics();
            grid->addItem(new QSpacerItem(item.chars * fm.horizontalAdvance(QLatin1Char('0')), item.lines * fm.height(),
                                          QSizePolicy::Expanding, QSizePolicy::Expanding),
                          item.row, item.col, item.rowSpan, item.colSpan);
            continue;
        }
        }
        grid->addWidget(widget, item.row, item.col, item.rowSpan, item.colSpan, ToQt(item.align));
    }
}

QWidget* CFormWindow::MakeEdit(int id, int chars)
{
    const FieldInfo* field = m_form->FindField(id);
    std::optional<Kind> kind;
    if (field)
        kind = field->kind;
    const bool number = kind == Kind::Number || kind == Kind::Single;
    // A number field is as wide as the longest number of its kind; a text
    // field takes the layout's width or 24 digits.
    auto* edit = new CFieldEdit(kind, field && field->role == Role::Out, chars ? chars : number ? 0 : 24);
    edit->SetAllDigits(CDigitDisplay::Instance().AllDigits());
    // Only what the user types goes into the form; the window never writes
    // a text it shows (rounded, say) back.
    // With the decimal comma, a comma typed into a number field is the
    // form's point.
    connect(edit, &QLineEdit::textEdited, this, [this, id, number](const QString& text) {
        const QString typed = number ? CDigitDisplay::Instance().Typed(text) : text;
        m_typed[id] = typed;
        m_form->SetEditText(id, typed.toStdString());
        ShowStale();
    });
    edit->installEventFilter(this);
    return edit;
}

QWidget* CFormWindow::MakeControl(int id, int chars)
{
    const ControlDef* def = m_form->FindControl(id);
    QWidget* widget = nullptr;
    if (!def) {
        widget = MakeEdit(id, chars);
    } else {
        const QString text = Q(def->text);
        switch (def->type) {
        case Ctl::Edit:
            widget = MakeEdit(id, chars);
            break;
        case Ctl::Button:
        case Ctl::Step: {
            auto* button = new QPushButton(text);
            button->setAutoDefault(false);
            button->setDefault(id == m_form->DefaultCommand());
            if (def->type == Ctl::Step)
                button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("+")) * 4);
            connect(button, &QPushButton::clicked, this, [this, id] { Run([this, id] { m_form->Click(id); }); });
            widget = button;
            break;
        }
        case Ctl::Radio: {
            auto* radio = new QRadioButton(text);
            radio->setAutoExclusive(false); // the form keeps its groups
            radio->installEventFilter(this); // arrow keys move within the group
            connect(radio, &QRadioButton::clicked, this, [this, id] { Run([this, id] { m_form->Click(id); }); });
            widget = radio;
            break;
        }
        case Ctl::Check: {
            auto* check = new QCheckBox(text);
            connect(check, &QCheckBox::clicked, this, [this, id] { Run([this, id] { m_form->Click(id); }); });
            widget = check;
            break;
        }
        case Ctl::Combo: {
            auto* combo = new QComboBox;
            KeepTextColourWhenDisabled(combo);
            connect(combo, &QComboBox::activated, this,
                    [this, id](int index) { Run([this, id, index] { m_form->Select(id, index); }); });
            combo->installEventFilter(this);
            widget = combo;
            break;
        }
        case Ctl::List: {
            auto* list = new QListWidget;
            KeepTextColourWhenDisabled(list);
            list->setFont(FixedPitchFont()); // printf-aligned entries
            list->setFixedWidth(list->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (chars ? chars : 12) +
                                list->fontMetrics().height() * 2);
            connect(list, &QListWidget::currentRowChanged, this, [this, id](int row) {
                if (!m_busy && row >= 0)
                    Run([this, id, row] { m_form->Select(id, row); });
            });
            connect(list, &QListWidget::itemDoubleClicked, this, [this, id, list](QListWidgetItem* item) {
                const int row = list->row(item);
                Run([this, id, row] { m_form->DoubleClick(id, row); });
            });
            list->installEventFilter(this);
            widget = list;
            break;
        }
        }
    }
    m_widgets[id] = widget;
    return widget;
}

// ---- events ------------------------------------------------------------------

void CFormWindow::Perform(const std::function<void(CForm&)>& action)
{
    Run([this, &action] { action(*m_form); });
}

void CFormWindow::Run(const std::function<void()>& action)
{
    if (m_busy)
        return;
    m_busy = true;
    action();
    m_busy = false;
    Sync();
}

bool CFormWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_fields) {
        if (event->type() == QEvent::LayoutRequest)
            FitWindow();
        return QDialog::eventFilter(watched, event);
    }
    if (auto* radio = qobject_cast<QRadioButton*>(watched)) {
        if (event->type() == QEvent::KeyPress && MoveInRadioGroup(radio, static_cast<QKeyEvent*>(event)->key()))
            return true;
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusOut && !m_busy &&
        IsUserFocusChange(static_cast<QFocusEvent*>(event)->reason())) {
        for (const auto& [id, widget] : m_widgets) {
            if (widget == watched) {
                const int leaving = id;
                Run([this, leaving] { m_form->Leave(leaving); });
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CFormWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !(event->modifiers() & ~Qt::KeypadModifier)) {
        // Enter runs the form's default command wherever the focus is, on a
        // step button or on "Abbruch" too, and never closes the form. Only
        // the default button takes Enter itself, for the same command.
        Run([this] { m_form->PressEnter(); });
        return;
    }
    if (key == Qt::Key_F1 && !event->modifiers()) {
        ShowHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CFormWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FitWindow(); // on the screen it is shown on, with its frame known
    // The first control takes the focus as a dialog gives it, a field with
    // its text selected, so that typing replaces the value.
    if (focusWidget())
        return;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) && w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                edit->selectAll();
            return;
        }
    }
}

void CFormWindow::reject()
{
    m_form->Cancel();
    QDialog::reject();
}

// ---- showing the form's state ----------------------------------------------

QStringList CFormWindow::Items(int id) const
{
    QStringList items;
    for (const std::string& item : m_form->Items(id))
        items.append(CDigitDisplay::Instance().Shown(Q(item)));
    return items;
}

void CFormWindow::Sync()
{
    m_busy = true;
    const bool allDigits = CDigitDisplay::Instance().AllDigits();
    for (const auto& [id, widget] : m_widgets) {
        widget->setEnabled(m_form->IsEnabled(id));
        if (auto* edit = qobject_cast<CFieldEdit*>(widget)) {
            ShowField(id, edit, allDigits);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (button->isCheckable()) {
                const QSignalBlocker block(button);
                button->setChecked(m_form->IsChecked(id));
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            const QSignalBlocker block(combo);
            const QStringList items = Items(id);
            if (ShownItems(combo) != items) {
                combo->clear();
                combo->addItems(items);
            }
            combo->setCurrentIndex(m_form->Selection(id));
        } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
            const QSignalBlocker block(list);
            const QStringList items = Items(id);
            if (ShownItems(list) != items) {
                list->clear();
                list->addItems(items);
            }
            list->setCurrentRow(m_form->Selection(id));
        }
    }
    ShowListMarks();
    SetRadioTabStops();
    if (m_reportButton)
        m_reportButton->setEnabled(m_form->IsEnabled(m_computeId));
    if (m_inflowButton)
        m_inflowButton->setEnabled(m_form->IsEnabled(m_inflowField));
    for (QPushButton* button : {m_ratingButton, m_solveButton, m_keepButton})
        if (button)
            button->setEnabled(m_form->IsEnabled(m_computeId));
    for (CPictureWidget* drawn : m_drawn)
        drawn->Refresh();
    ShowStale();
    if (const auto focus = m_form->TakeFocusRequest()) {
        if (QWidget* widget = Control(focus->id)) {
            widget->setFocus(Qt::OtherFocusReason);
            if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && focus->selectAll)
                edit->selectAll();
        }
    }
    m_busy = false;
    if (m_form->IsClosed()) {
        QDialog::reject();
        return;
    }
    if (NeedsFit())
        FitWindow(); // the verdict came, went or wraps anew, a field grew
}

// A list the form fills with results: one the user reads but does not pick
// from (the pipe run's vv and Qv beside its diameters).
bool CFormWindow::IsResultList(int id) const
{
    const ControlDef* def = m_form->FindControl(id);
    return def && def->type == Ctl::List && def->initiallyDisabled;
}

// Results that no longer belong to the inputs shown, after a keystroke or
// any other action that did not compute, are shown grey with the reason
// above the form; a computation shows them in black again.
void CFormWindow::ShowStale()
{
    const QString because = Q(m_form->StaleBecause());
    if (m_staleLine->text() != because)
        m_staleLine->setText(because);
    const bool stale = !because.isEmpty();
    ShowVerdict();
    if (m_shownStale == stale)
        return;
    m_shownStale = stale;
    for (const auto& [id, widget] : m_widgets) {
        if (auto* edit = qobject_cast<CFieldEdit*>(widget); edit && edit->IsResult()) {
            edit->SetStale(stale);
        } else if (IsResultList(id)) {
            if (!stale) {
                if (auto fresh = m_freshLists.find(widget); fresh != m_freshLists.end())
                    widget->setPalette(fresh->second);
                continue;
            }
            m_freshLists[widget] = widget->palette();
            QPalette grey = widget->palette();
            const QColor colour = StaleTextColour(grey);
            for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                grey.setColor(group, QPalette::Text, colour);
            widget->setPalette(grey);
        }
    }
    ShowListMarks(); // a mark is a result too
    for (CPictureWidget* drawn : m_drawn)
        drawn->update();
}

// The entries the form points out stand out in bold on a pale green, with
// the reason as their tool tip, grey while the results are; every other
// entry is shown plain.
void CFormWindow::ShowListMarks()
{
    const std::vector<ListMark> marks = m_form->ListMarks();
    const bool stale = m_shownStale.value_or(false);
    for (const auto& [id, widget] : m_widgets) {
        auto* list = qobject_cast<QListWidget*>(widget);
        if (!list)
            continue;
        for (int row = 0; row < list->count(); ++row) {
            QListWidgetItem* item = list->item(row);
            const auto mark = std::find_if(marks.begin(), marks.end(),
                                           [&](const ListMark& m) { return m.list == id && m.index == row; });
            QFont font = list->font();
            font.setBold(mark != marks.end());
            item->setFont(font);
            item->setBackground(mark != marks.end() ? QBrush(QColor(205, 238, 205)) : QBrush());
            item->setForeground(mark != marks.end() && stale ? QBrush(StaleTextColour(list->palette())) : QBrush());
            item->setToolTip(mark != marks.end() ? Q(mark->note) : QString());
        }
    }
}

} // namespace dralun
