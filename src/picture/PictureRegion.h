#pragma once

#include <QImage>
#include <QRegion>

namespace picture {

// The outline of a rendered picture: every pixel that differs from the top-left pixel belongs to
// it. Rows are scanned into runs one pixel high, equal neighbouring rows share one band, and the
// region is made from all of them at once. An image without such a pixel gives an empty region.
QRegion pictureRegion(const QImage& frame);

// The pixels of `mask` that are not fully transparent, moved by `offset`: what a stroke or a text
// drawn into the mask covers.
QRegion coverageRegion(const QImage& mask, QPoint offset);

// The ellipse inscribed in, or the whole of, a window of the given size.
QRegion simpleRegion(QSize size, bool elliptic);

} // namespace picture
