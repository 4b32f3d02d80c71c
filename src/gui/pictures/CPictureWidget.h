#pragma once
#include <QWidget>

namespace dralun {

class CForm;

// Shows one of the drawn pictures of a form, or the text a form draws itself.
// When the form refused its last computation, the picture says why: in place
// of the picture when no result was computed, else in a strip below it.
// While the results no longer belong to the inputs shown, the picture is
// drawn faded, its numbers grey, as the result fields are.
class CPictureWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDrawnText = -1;
    CPictureWidget(int pictureId, const CForm& form, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    // After the form changed: repaints, and takes a new size when what is
    // shown needs one.
    void Refresh();

    // What the last painting showed (for the tests).
    enum class Shown { Nothing, Picture, Reason, PictureAndReason };
    Shown LastShown() const { return m_shown; }
    const QString& LastReason() const { return m_shownReason; }
    const QRectF& LastReasonBox() const { return m_reasonBox; }
    bool LastGreyed() const { return m_greyed; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shown WhatToShow() const;
    QString Reason() const;
    QSize PictureSize() const;
    void PaintDrawnText(QPainter& painter);
    void PaintReason(QPainter& painter, const QRectF& area, bool withHeading);

    int m_id;
    const CForm& m_form;
    QSize m_hint;
    Shown m_shown = Shown::Nothing;
    QString m_shownReason;
    QRectF m_reasonBox;
    bool m_greyed = false;
};

} // namespace dralun
