#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

namespace character {

// The character on the desktop: a frameless window above the others, shaped to the opaque
// pixels of the frame it shows, that the user can drag about.
class CharacterWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit CharacterWindow(const QSize& size);

    void setFrame(const QImage& frame);
    const QImage& frame() const { return m_frame; }
    // The shape last given to the window (the opaque pixels of the frame).
    const QRegion& shape() const { return m_shape; }

signals:
    // The user has let go of the character at this screen position.
    void dragged(const QPoint& topLeft);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_frame;
    QRegion m_shape;
    QPoint m_grab;
    bool m_dragging = false;
    bool m_moved = false;
};

// The opaque part of an image, as a region.
QRegion opaqueRegion(const QImage& image);

} // namespace character
