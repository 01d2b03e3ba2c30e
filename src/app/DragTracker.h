#pragma once

#include <QPoint>
#include <optional>

namespace app {

// Moving the clock by dragging it. Steps of one pixel (or one in each direction) are dropped,
// not gathered, so a trembling hand does not creep the clock across the desktop.
class DragTracker final
{
public:
    void press(bool leftButton, QPoint screenPos)
    {
        m_dragging = leftButton;
        if (m_dragging)
            m_last = screenPos;
    }

    // The distance to move the window by, if this pointer move is to move it.
    std::optional<QPoint> move(QPoint screenPos)
    {
        if (!m_dragging)
            return std::nullopt;
        const QPoint delta = screenPos - m_last;
        m_last = screenPos;
        if (delta.x() * delta.x() + delta.y() * delta.y() > 3)
            return delta;
        return std::nullopt;
    }

    void release() { m_dragging = false; }
    bool dragging() const { return m_dragging; }

private:
    bool m_dragging = false;
    QPoint m_last;
};

} // namespace app
