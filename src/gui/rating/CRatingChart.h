#pragma once
// The rating curve in a dialog: the chart of a table, with the values of the
// row under the mouse written beside a line that follows it.
#include <QWidget>
#include <optional>

#include "report/RatingTable.h"

namespace dralun {

class CRatingChart : public QWidget {
    Q_OBJECT
public:
    explicit CRatingChart(QWidget* parent = nullptr);

    void SetTable(const RatingTable& table);
    const RatingTable& Table() const { return m_table; }
    std::optional<int> HoverRow() const { return m_hover; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    RatingTable m_table;
    std::optional<int> m_hover;
};

} // namespace dralun
