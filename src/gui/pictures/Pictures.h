#pragma once
// The drawn illustrations of the forms, by picture id (the id of the bitmap
// the form shows). Cross-sections are drawn from the form's current values.
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace dralun {

class CForm;

struct Picture {
    QSizeF size; // in multiples of the font's line height
    void (*paint)(QPainter& painter, const QRectF& area, const CForm& form);
};

const Picture* FindPicture(int id);

// Each picture file registers its pictures with a static object of this
// type: const PictureRegistrar registered(195, {{17, 13}, &PaintOrifice});
struct PictureRegistrar {
    PictureRegistrar(int id, Picture picture);
};

} // namespace dralun
