// How a form window fits its screen and reads at a glance: the fields
// scrolled where the room is too small, the buttons always in view, the
// verdict under the results, each field's text and tool tip, one tab stop
// per group of mode buttons, and the help page on F1.
#include <QLabel>
#include <QLayout>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "gui/CFieldEdit.h"
#include "gui/CFormWindow.h"
#include "gui/CHelpDlg.h"
#include "gui/DigitDisplay.h"
#include "gui/FieldPresentation.h"

namespace dralun {

namespace {

// The room a window's title bar and frame take at least: Windows' caption
// and resize borders (in device-independent pixels at any scaling).
const QMargins kLeastFrame(8, 31, 8, 8);

// A scroll area that asks for the whole of its fields; the window limits it.
class CFieldArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return (widget() ? widget()->sizeHint() : QSize()) + QSize(frame, frame);
    }
};

} // namespace

QScrollArea* CFormWindow::MakeFieldArea(QWidget* fields)
{
    auto* area = new CFieldArea;
    area->setObjectName(QStringLiteral("fieldArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(fields);
    area->setFocusPolicy(Qt::NoFocus); // the tab key goes to its fields, and scrolls to them
    // At least a few fields' room, however small the screen.
    const QFontMetrics metrics = fields->fontMetrics();
    area->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('0')) * 24, metrics.height() * 6);
    return area;
}

QLabel* CFormWindow::MakeVerdictLine()
{
    auto* line = new QLabel;
    line->setObjectName(QStringLiteral("verdictLine"));
    line->setTextFormat(Qt::PlainText);
    line->setWordWrap(true);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    line->setFrameShape(QFrame::StyledPanel);
    line->setMargin(line->fontMetrics().height() / 4);
    line->setAutoFillBackground(true);
    // Its room is kept while there is no verdict, so that the form does not
    // move when one comes.
    line->setMinimumHeight(line->fontMetrics().height() + 2 * line->margin() + 2);
    return line;
}

// The form's buttons at the top level ("Rechne", "Abbruch"…): a panel of
// push buttons that holds the cancel button.
bool CFormWindow::IsButtonColumn(const LayoutItem& item) const
{
    if (item.type != Item::Panel)
        return false;
    bool cancel = false;
    for (const LayoutItem& child : item.children) {
        if (child.type == Item::Stretch)
            continue;
        const ControlDef* def = m_form->FindControl(child.id);
        if (child.type != Item::Control || !def || def->type != Ctl::Button)
            return false;
        cancel = cancel || child.id == kIdCancel;
    }
    return cancel;
}

void CFormWindow::FitInto(const QRect& room)
{
    m_room = room;
    FitWindow();
}

// The room of a window that is on no screen yet: a common desktop.
constexpr QRect kRoomWithoutScreen(0, 0, 1280, 1024);

QRect CFormWindow::Room() const
{
    if (m_room)
        return *m_room;
    if (const QScreen* shown = screen())
        return shown->availableGeometry();
    return kRoomWithoutScreen;
}

void CFormWindow::FitWindow()
{
    if (!layout())
        return;
    QMargins frame = kLeastFrame;
    if (isVisible()) {
        const QRect outer = frameGeometry(), inner = geometry();
        frame = QMargins(std::max(frame.left(), inner.left() - outer.left()),
                         std::max(frame.top(), inner.top() - outer.top()),
                         std::max(frame.right(), outer.right() - inner.right()),
                         std::max(frame.bottom(), outer.bottom() - inner.bottom()));
    }
    const QRect room = Room();
    const QSize most = room.size().shrunkBy(frame);
    m_fieldArea->updateGeometry(); // its fields may have grown
    layout()->activate();
    const QSize natural = sizeHint();
    m_fittedNatural = natural;
    // The scroll bars as the field area lays them out.
    const int barHeight = m_fieldArea->horizontalScrollBar()->sizeHint().height();
    const int barWidth = m_fieldArea->verticalScrollBar()->sizeHint().width();
    // The height the whole form needs at a width: the lines that wrap
    // (the verdict, the stale note) wrapped to it, the fields unscrolled.
    const bool wraps = layout()->hasHeightForWidth();
    const auto heightAt = [&](int width) {
        return wraps ? std::max(natural.height(), layout()->totalHeightForWidth(width)) : natural.height();
    };
    // As wide as the form needs, up to the room; a horizontal scroll bar
    // adds its height, a vertical one (only where the room's height is
    // used up) its width.
    int width = std::min(natural.width(), most.width());
    const bool across = natural.width() > most.width();
    int height = heightAt(width) + (across ? barHeight : 0);
    if (height > most.height()) {
        height = most.height();
        if (!across)
            width = std::min(most.width(), natural.width() + barWidth);
    }
    QSize size = QSize(width, height).expandedTo(minimumSizeHint());
    setMaximumSize(natural.width() + barWidth, wraps ? QWIDGETSIZE_MAX : natural.height() + barHeight);
    resize(size);
    m_fittedWidth = size.width();
    m_fittedWrapped = wraps ? layout()->totalHeightForWidth(size.width()) : 0;
    if (!isVisible())
        return;
    // The whole window, frame included, on the screen.
    const QSize whole = size.grownBy(frame);
    const QPoint at(std::clamp(pos().x(), room.left(), std::max(room.left(), room.right() + 1 - whole.width())),
                    std::clamp(pos().y(), room.top(), std::max(room.top(), room.bottom() + 1 - whole.height())));
    if (at != pos())
        move(at);
}

// The form needs another size than it was fitted to: its natural size
// changed, or a line that wraps at the width fitted to (a verdict come
// after a computation) needs another height there.
bool CFormWindow::NeedsFit() const
{
    if (!m_fittedNatural.isValid())
        return false;
    if (sizeHint() != m_fittedNatural)
        return true;
    return layout()->hasHeightForWidth() && layout()->totalHeightForWidth(m_fittedWidth) != m_fittedWrapped;
}

void CFormWindow::ShowField(int id, CFieldEdit* edit, bool allDigits)
{
    const std::string model = m_form->Text(id);
    const QString full = QString::fromStdString(model);
    const FieldInfo* field = m_form->FindField(id);
    if (!field) {
        edit->ShowText(full);
        return;
    }
    const auto typed = m_typed.find(id);
    const bool typedByUser = typed != m_typed.end() && typed->second == full;
    QString shown = ShownFieldText(*m_form, *field, model, typedByUser, allDigits);
    QString whole = full;
    // A number, and every text the form writes, with the decimal sign chosen;
    // a text typed (a file name) as it is.
    if (field->kind == Kind::Number || field->kind == Kind::Single || field->role == Role::Out) {
        shown = CDigitDisplay::Instance().Shown(shown);
        whole = CDigitDisplay::Instance().Shown(full);
    }
    edit->ShowText(shown, m_form->Computed(id) ? whole : shown); // no value: nothing to copy
    const QString tip = CDigitDisplay::Instance().Shown(FieldToolTip(*m_form, *field, whole, shown));
    if (edit->toolTip() != tip)
        edit->setToolTip(tip);
}

// The verdict in words and colour: green when met, red when not, grey and
// said to be old while the results do not belong to the inputs.
void CFormWindow::ShowVerdict()
{
    if (!m_verdictLine || !m_form->StatesVerdict())
        return;
    const std::optional<Verdict>& verdict = m_form->FormVerdict();
    QString text;
    QColor ink, paper = palette().color(QPalette::Window);
    if (verdict && !m_form->RefusedWhole()) {
        text = CDigitDisplay::Instance().Shown(VerdictLineText(*verdict, CDigitDisplay::Instance().AllDigits()));
        if (m_form->ResultsStale()) {
            text = QStringLiteral("Veraltet – %1").arg(text);
            ink = StaleTextColour(palette(), QPalette::WindowText, QPalette::Window);
        } else if (verdict->met) {
            ink = QColor(0, 100, 0);
            paper = QColor(225, 245, 225);
        } else {
            ink = QColor(160, 0, 0);
            paper = QColor(252, 228, 228);
        }
    }
    if (m_verdictLine->text() == text && m_verdictLine->palette().color(QPalette::WindowText) == ink)
        return;
    m_verdictLine->setText(text);
    QPalette colours = palette();
    if (!text.isEmpty())
        colours.setColor(QPalette::WindowText, ink);
    colours.setColor(QPalette::Window, paper);
    m_verdictLine->setPalette(colours);
    m_verdictLine->setFrameShape(text.isEmpty() ? QFrame::NoFrame : QFrame::StyledPanel);
}

namespace {

// The radio buttons of the form's group, in the form's order.
std::vector<QRadioButton*> GroupOf(const CForm& form, const std::map<int, QWidget*>& widgets, int group)
{
    std::vector<QRadioButton*> radios;
    for (const ControlDef& def : form.Controls()) {
        if (def.type != Ctl::Radio || def.group != group)
            continue;
        if (auto it = widgets.find(def.id); it != widgets.end())
            if (auto* radio = qobject_cast<QRadioButton*>(it->second))
                radios.push_back(radio);
    }
    return radios;
}

} // namespace

// One tab stop per group of mode buttons, on the checked one (or the first
// that can be pressed); the arrow keys move within the group.
void CFormWindow::SetRadioTabStops()
{
    std::vector<int> groups;
    for (const ControlDef& def : m_form->Controls())
        if (def.type == Ctl::Radio && std::find(groups.begin(), groups.end(), def.group) == groups.end())
            groups.push_back(def.group);
    for (int group : groups) {
        const std::vector<QRadioButton*> radios = GroupOf(*m_form, m_widgets, group);
        QRadioButton* stop = nullptr;
        for (QRadioButton* radio : radios)
            if (radio->isChecked() && radio->isEnabled())
                stop = radio;
        for (QRadioButton* radio : radios)
            if (!stop && radio->isEnabled())
                stop = radio;
        for (QRadioButton* radio : radios)
            radio->setFocusPolicy(radio == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

bool CFormWindow::MoveInRadioGroup(QWidget* radio, int key)
{
    const int step = key == Qt::Key_Down || key == Qt::Key_Right ? 1 : key == Qt::Key_Up || key == Qt::Key_Left ? -1 : 0;
    if (step == 0)
        return false;
    const ControlDef* def = nullptr;
    for (const auto& [id, widget] : m_widgets)
        if (widget == radio)
            def = m_form->FindControl(id);
    if (!def)
        return false;
    const std::vector<QRadioButton*> radios = GroupOf(*m_form, m_widgets, def->group);
    const auto at = std::find(radios.begin(), radios.end(), radio);
    if (at == radios.end())
        return false;
    const int count = static_cast<int>(radios.size());
    for (int i = 1; i < count; ++i) {
        QRadioButton* next = radios[static_cast<size_t>(((at - radios.begin()) + step * i + count) % count)];
        if (next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            next->click(); // as the arrow keys choose a mode in a dialog
            return true;
        }
    }
    return true;
}

void CFormWindow::ShowHelp()
{
    if (!m_help)
        m_help = new CHelpDlg(m_form->TemplateId(), windowTitle(), this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

} // namespace dralun
