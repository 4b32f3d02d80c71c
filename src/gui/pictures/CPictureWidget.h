#pragma once
#include <QWidget>

namespace dralun {

class CForm;

// Shows one of the drawn pictures of a form, or the text a form draws itself.
class CPictureWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDrawnText = -1;
    CPictureWidget(int pictureId, const CForm& form, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintDrawnText(QPainter& painter);
    int m_id;
    const CForm& m_form;
};

} // namespace dralun
