#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

class QMenu;

namespace character {

// The character on the desktop: a frameless window above the others, shaped to the pixels of the
// frame it shows, that the user can drag about, also while a modal dialog is open (it may stand
// on that dialog's buttons), and send away from its menu.
class CharacterWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit CharacterWindow(const QSize& size);

    // A frame and the outline of its pixels. A frame that shows nothing keeps the outline before
    // it, so there is still something to take hold of.
    void setFrame(const QImage& frame, const QRegion& outline);
    // A character all of whose pictures are clear shows a small box the user can see and click.
    void setBlank(bool blank);
    const QImage& frame() const { return m_frame; }
    // The outline the window has now.
    const QRegion& shape() const { return m_shape; }
    bool showsPlaceholder() const { return m_placeholder; }
    // The menu the right button opens; its actions are the owner's to add.
    QMenu* menu() const { return m_menu; }

signals:
    // The window follows the mouse to this screen position while dragged.
    void moving(const QPoint& topLeft);
    // The user has let go of the character at this screen position.
    void dragged(const QPoint& topLeft);
    void doubleClicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void setOutline(const QRegion& outline);

    QImage m_frame;
    QRegion m_shape;
    bool m_placeholder = false;
    QMenu* m_menu = nullptr;
    QPoint m_grab;
    bool m_dragging = false;
    bool m_moved = false;
};

} // namespace character
