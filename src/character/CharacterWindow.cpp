#include "character/CharacterWindow.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>

namespace character {

QRegion opaqueRegion(const QImage& image)
{
    QRegion region;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            if (qAlpha(line[x]) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && qAlpha(line[x]) != 0)
                ++x;
            region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

CharacterWindow::CharacterWindow(const QSize& size)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(size);
    setCursor(Qt::OpenHandCursor);
}

void CharacterWindow::setFrame(const QImage& frame)
{
    m_frame = frame;
    const QRegion shape = opaqueRegion(frame);
    if (shape != m_shape) {
        m_shape = shape;
        // An empty mask would mean no shape at all; a frame with nothing to show keeps one pixel.
        setMask(shape.isEmpty() ? QRegion(0, 0, 1, 1) : shape);
    }
    update();
}

void CharacterWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, m_frame);
}

void CharacterWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_moved = false;
    m_grab = event->globalPosition().toPoint() - pos();
    setCursor(Qt::ClosedHandCursor);
}

void CharacterWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    const QPoint to = event->globalPosition().toPoint() - m_grab;
    if (to != pos()) {
        move(to);
        m_moved = true;
    }
}

void CharacterWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_dragging = false;
    setCursor(Qt::OpenHandCursor);
    if (m_moved)
        emit dragged(pos());
}

void CharacterWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

} // namespace character
