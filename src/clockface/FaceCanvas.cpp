#include "clockface/FaceCanvas.h"

namespace clockface {

QImage& FaceCanvas::reserve(QSize size)
{
    const QSize wanted = m_image.size().expandedTo(size).expandedTo(QSize(1, 1));
    if (wanted != m_image.size())
        m_image = QImage(wanted, QImage::Format_RGB32);
    return m_image;
}

std::shared_ptr<FaceCanvas> FaceCanvas::shared()
{
    // Only faces hold the canvas; this just finds it again for the next face while one lives.
    static std::weak_ptr<FaceCanvas> current;
    std::shared_ptr<FaceCanvas> canvas = current.lock();
    if (!canvas) {
        canvas = std::make_shared<FaceCanvas>();
        current = canvas;
    }
    return canvas;
}

} // namespace clockface
