#include "gui/rating/RatingTableModel.h"

#include <QBrush>
#include <QColor>
#include <cmath>

#include "core/NumberPresentation.h"
#include "core/NumberText.h"
#include "gui/DigitDisplay.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Messages are written for message boxes: one line here.
QString OneLine(const std::string& text) { return Q(text).simplified(); }

// Whether the text holds the word, space-separated ("Q in l/s" holds "l/s").
bool HoldsWord(const QString& text, const QString& word)
{
    if (word.isEmpty())
        return true;
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1)) {
        const qsizetype end = at + word.size();
        if ((at == 0 || text[at - 1] == ' ') && (end == text.size() || text[end] == ' '))
            return true;
    }
    return false;
}

// A word as it is spelled in names: no umlauts, no underscores, lower case
// ("Überlauf" and "Ueberlauf", "Vgenutzt" and "V_genutzt" are one word).
QString Spelled(QString text)
{
    text = text.toLower();
    text.replace(QStringLiteral("ä"), QStringLiteral("ae"));
    text.replace(QStringLiteral("ö"), QStringLiteral("oe"));
    text.replace(QStringLiteral("ü"), QStringLiteral("ue"));
    text.replace(QStringLiteral("ß"), QStringLiteral("ss"));
    text.remove(QLatin1Char('_'));
    return text;
}

// A number of the form rounded for its unit as the window shows it; other texts as they are.
std::string ShownText(const std::string& text, const std::string& unit)
{
    const std::optional<double> value = ParseFieldNumber(text);
    return value ? RoundedText(*value, unit) : text;
}

// The verdict's cells: in words beside the colour, never colour alone.
QVariant VerdictData(const RatingRow& row, bool word, int role)
{
    const bool refused = !row.refused.empty();
    switch (role) {
    case Qt::DisplayRole:
        if (refused)
            return QStringLiteral("–");
        return word ? VerdictText(row) : UtilisationText(row);
    case Qt::TextAlignmentRole:
        return word ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (refused)
            return QBrush(QColor(255, 228, 228));
        return QVariant();
    case Qt::ForegroundRole:
        if (!word || refused || !row.verdict)
            return QVariant();
        return QBrush(row.verdict->met ? QColor(0, 110, 40) : QColor(180, 0, 0));
    default:
        return {};
    }
}

} // namespace

QString RatingColumnTitle(const RatingColumn& column, const QString& beforeUnit)
{
    QString label = Q(column.label.empty() ? column.name : column.label);
    label.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    label.remove(QLatin1Char('&'));
    label.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    // Labels repeat on some forms ("A [m²]" above and below the sill): the
    // field's name tells them apart where the label does not hold it.
    const QString name = Q(ShownSymbol(column.name)); // "Vgenutzt", not its short name
    if (!HoldsWord(label, name) && !HoldsWord(Spelled(label), Spelled(name)))
        label += QStringLiteral(" (") + name + QLatin1Char(')');
    const QString unit = Q(column.unit);
    if (unit.isEmpty() || unit == QStringLiteral("-") || HoldsWord(label, unit))
        return label;
    return label + beforeUnit + unit + "]";
}

QString RatingRowNote(const RatingRow& row)
{
    if (!row.refused.empty())
        return OneLine(row.refused);
    // Why cells are left out comes first; its message box is not said twice.
    QStringList notes;
    if (!row.partly.empty())
        notes.append(OneLine(row.partly));
    for (const std::string& message : row.messages)
        if (message != row.partly)
            notes.append(OneLine(message));
    return notes.join(QStringLiteral(" | "));
}

QString UtilisationTitle(const VerdictTerms& terms)
{
    if (terms.demandSymbol.empty() || terms.limitSymbol.empty())
        return QStringLiteral("Ausnutzung [%]");
    return QStringLiteral("Ausnutzung %1/%2 [%]").arg(Q(terms.demandSymbol), Q(terms.limitSymbol));
}

QString VerdictTitle(const VerdictTerms& terms)
{
    if (terms.demandSymbol.empty() || terms.limitSymbol.empty())
        return QStringLiteral("Nachweis");
    return QStringLiteral("Nachweis %1 %2 %3")
        .arg(Q(ShownSymbol(terms.demandSymbol)), QString::fromUtf8(CheckSign(terms)), Q(ShownSymbol(terms.limitSymbol)));
}

QString UtilisationText(const RatingRow& row)
{
    if (!row.refused.empty() || !row.verdict || !std::isfinite(row.verdict->utilisation))
        return {};
    return Q(dralun::UtilisationText(row.verdict->utilisation)); // with the digits of the verdict line
}

QString VerdictText(const RatingRow& row)
{
    if (!row.refused.empty() || !row.verdict)
        return {};
    return QString::fromUtf8(VerdictWord(row.verdict->met));
}

CRatingTableModel::CRatingTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void CRatingTableModel::SetTable(const RatingTable& table)
{
    beginResetModel();
    m_table = table;
    endResetModel();
}

int CRatingTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.rows.size());
}

int CRatingTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.columns.size()) + (m_table.verdict ? 4 : 2);
}

int CRatingTableModel::UtilisationColumn() const
{
    return m_table.verdict ? static_cast<int>(m_table.columns.size()) + 1 : -1;
}

int CRatingTableModel::VerdictColumn() const
{
    return m_table.verdict ? static_cast<int>(m_table.columns.size()) + 2 : -1;
}

QVariant CRatingTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const RatingRow& row = m_table.rows[static_cast<size_t>(index.row())];
    const int column = index.column();
    const int last = columnCount() - 1;
    if (column == UtilisationColumn() || column == VerdictColumn())
        return VerdictData(row, column == VerdictColumn(), role);
    // The result of the column, where it is one.
    const size_t k = static_cast<size_t>(column - 1);
    const bool result = column > 0 && k < m_table.columns.size();
    const std::string* text = result && k < row.texts.size() ? &row.texts[k] : nullptr;
    // A result the form left out of a row it computed otherwise.
    const bool leftOut = result && !row.partly.empty() && text && text->empty();
    switch (role) {
    case Qt::DisplayRole:
        if (column == 0)
            return Q(m_allDigits ? row.inputText : TypedText(row.inputText));
        if (column == last)
            return RatingRowNote(row);
        if (!row.refused.empty() || leftOut)
            return QStringLiteral("–");
        if (text)
            return CDigitDisplay::Instance().Shown(Q(m_allDigits ? *text : ShownText(*text, m_table.columns[k].unit)));
        return {};
    case Qt::ToolTipRole:
        if (leftOut)
            return OneLine(row.partly);
        if (column == 0 || (text && row.refused.empty()))
            return Q(column == 0 ? row.inputText : *text); // every digit
        if (column != last)
            return {};
        return row.refused.empty() ? RatingRowNote(row) : Q(row.refused);
    case Qt::TextAlignmentRole:
        return column == last ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return row.refused.empty() && !leftOut ? QVariant() : QBrush(QColor(255, 228, 228));
    default:
        return {};
    }
}

void CRatingTableModel::SetAllDigits(bool all)
{
    if (all == m_allDigits)
        return;
    beginResetModel();
    m_allDigits = all;
    endResetModel();
}

QVariant CRatingTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section == 0)
        return RatingColumnTitle(m_table.varied, QStringLiteral("\n["));
    if (section == columnCount() - 1)
        return QStringLiteral("Meldung");
    if (section == UtilisationColumn())
        return UtilisationTitle(*m_table.verdict).replace(QStringLiteral(" ["), QStringLiteral("\n["));
    if (section == VerdictColumn()) {
        QString title = VerdictTitle(*m_table.verdict) + QString::fromUtf8(CriteriaSuffix(m_table));
        return title.replace(QStringLiteral("Nachweis "), QStringLiteral("Nachweis\n"));
    }
    if (static_cast<size_t>(section - 1) < m_table.columns.size())
        return RatingColumnTitle(m_table.columns[static_cast<size_t>(section - 1)], QStringLiteral("\n["));
    return {};
}

} // namespace dralun
