#pragma once
// A rating table for a table view: the varied input, the chosen results,
// where the form states a verdict the utilisation and "erfüllt" / "nicht
// erfüllt", and "Meldung", the message of a row (why the form refused it,
// or what it said).
// Reads straight from the table, so that 10 000 rows show at once.
#include <QAbstractTableModel>

#include "report/RatingTable.h"

namespace dralun {

class CRatingTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CRatingTableModel(QObject* parent = nullptr);

    void SetTable(const RatingTable& table);
    // Every digit the form wrote, or the numbers rounded for their units as
    // the window shows them (the default); the full text is on hover.
    void SetAllDigits(bool all);
    bool AllDigits() const { return m_allDigits; }
    const RatingTable& Table() const { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The columns of the verdict, -1 where the table has none.
    int UtilisationColumn() const;
    int VerdictColumn() const;

private:
    RatingTable m_table;
    bool m_allDigits = false;
};

// The heads of the verdict's columns: "Ausnutzung Q/Qv [%]", "Nachweis Q ≤ Qv".
QString UtilisationTitle(const VerdictTerms& terms);
QString VerdictTitle(const VerdictTerms& terms);
// A row's cells of the verdict: "99.55", "erfüllt"; "" where the row has none.
QString UtilisationText(const RatingRow& row);
QString VerdictText(const RatingRow& row);

// A column's label and unit for a heading: "Druckhöhe (h) [m]", with
// beforeUnit before the unit ("\n[" for a table heading). The name is added
// where the label does not hold it, the unit where it is not "-" and the
// label does not name it already ("Q in l/s"). Mnemonics ("&n") go.
QString RatingColumnTitle(const RatingColumn& column, const QString& beforeUnit = QStringLiteral(" ["));

// What the last column of a row shows: why it was refused, else why some
// of its results were left out, and its messages.
QString RatingRowNote(const RatingRow& row);

} // namespace dralun
