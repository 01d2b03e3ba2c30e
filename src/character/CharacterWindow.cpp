#include "character/CharacterWindow.h"

#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace character {

namespace {

QRect placeholderIn(const QSize& window)
{
    const QSize box(std::min(48, window.width()), std::min(48, window.height()));
    return QRect(QPoint((window.width() - box.width()) / 2, window.height() - box.height()), box);
}

} // namespace

CharacterWindow::CharacterWindow(const QSize& size)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(size);
    setCursor(Qt::OpenHandCursor);
    m_menu = new QMenu(this);
}

void CharacterWindow::setOutline(const QRegion& outline)
{
    if (outline == m_shape)
        return;
    m_shape = outline;
    setMask(outline);
}

void CharacterWindow::setBlank(bool blank)
{
    m_placeholder = blank;
    if (blank)
        setOutline(placeholderIn(size()));
    update();
}

void CharacterWindow::setFrame(const QImage& frame, const QRegion& outline)
{
    m_frame = frame;
    if (!outline.isEmpty())
        setOutline(outline);
    else if (m_shape.isEmpty())
        setOutline(QRegion(0, 0, 1, 1)); // an empty mask would mean no shape at all
    update();
}

bool CharacterWindow::event(QEvent* event)
{
    // A modal dialog blocks every other window of the program; the character is let through, so
    // the user can still drag it off the dialog's buttons or send it away. Made the dialog's
    // companion while it is open, it is no longer blocked by it.
    if (event->type() == QEvent::WindowBlocked && windowHandle()) {
        if (QWindow* modal = QGuiApplication::modalWindow()) {
            windowHandle()->setTransientParent(modal);
            connect(modal, &QWindow::visibleChanged, this, [this, modal](bool visible) {
                if (visible || !windowHandle() || windowHandle()->transientParent() != modal)
                    return;
                disconnect(modal, nullptr, this, nullptr);
                windowHandle()->setTransientParent(nullptr);
            });
        }
    }
    if (event->type() == QEvent::ContextMenu && !m_menu->isEmpty()) {
        m_menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QWidget::event(event);
}

void CharacterWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (m_placeholder) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setPen(QPen(palette().color(QPalette::WindowText), 2));
        p.setBrush(palette().color(QPalette::Window));
        p.drawRect(placeholderIn(size()).adjusted(1, 1, -1, -1));
        p.drawText(placeholderIn(size()), Qt::AlignCenter, QStringLiteral("?"));
        return;
    }
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
        emit moving(to);
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
