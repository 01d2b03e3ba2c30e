#include "clockface/TClockFace.h"

#include "clockface/FaceCanvas.h"
#include "clockface/FacePainter.h"
#include "clockface/FaceTimeFormat.h"
#include "core/LocaleFormats.h"
#include "platform/Clock.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

#include <algorithm>

namespace clockface {

TClockFace::TClockFace(platform::Clock& clock, const core::LocaleFormats& locale, QWidget* parent)
    : QWidget(parent), m_clock(clock), m_locale(locale), m_canvas(FaceCanvas::shared())
{
    // The face covers every pixel itself, from its one copy of the canvas.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_look.Font = font();
    m_timer.setInterval(TickInterval);
    m_rollTimer.setInterval(RollFrameInterval);
    connect(&m_timer, &QTimer::timeout, this, &TClockFace::tmrTimer);
    connect(&m_rollTimer, &QTimer::timeout, this, &TClockFace::rollTimer);
    m_time = currentShownTime();
    resize(sizeHint());
}

TClockFace::~TClockFace() = default;

template <typename T> void TClockFace::store(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    lookChanged();
}

void TClockFace::setDisplayFormat(const QString& value)
{
    store(m_look.DisplayFormat, value);
}

void TClockFace::setClockStyle(TClockFaceStyle value)
{
    store(m_look.ClockStyle, value);
}

void TClockFace::setBorderColor(core::TColor value)
{
    store(m_look.BorderColor, value);
}

void TClockFace::setDrawMask(bool value)
{
    store(m_look.DrawMask, value);
}

void TClockFace::setClockFace(const QImage& picture)
{
    m_look.ClockFace = picture;
    lookChanged();
}

void TClockFace::setHoursDisplayStyle(THoursDisplayStyle value)
{
    store(m_look.HoursDisplayStyle, value);
}

void TClockFace::setBevelInner(TBevelCut value)
{
    store(m_look.BevelInner, value);
}

void TClockFace::setBevelOuter(TBevelCut value)
{
    store(m_look.BevelOuter, value);
}

void TClockFace::setBevelWidth(int value)
{
    store(m_look.BevelWidth, std::max(value, 1));
}

void TClockFace::setBorderWidth(int value)
{
    store(m_look.BorderWidth, std::max(value, 0));
}

void TClockFace::setBorderStyle(TBorderStyle value)
{
    if (m_look.BorderStyle == value)
        return;
    // The single line lies outside the client area, as a window border does.
    const int line = value == bsNone ? 0 : 1;
    setContentsMargins(line, line, line, line);
    store(m_look.BorderStyle, value);
    update();
}

void TClockFace::setColor(core::TColor value)
{
    store(m_look.Color, value);
}

void TClockFace::setFontColor(core::TColor value)
{
    store(m_look.FontColor, value);
}

void TClockFace::setActive(bool value)
{
    m_active = value;
    if (value)
        m_timer.start();
    else
        m_timer.stop();
    m_time = currentShownTime();
    Refresh();
}

void TClockFace::handOptionsChanged()
{
    m_look.HandOptions = m_handOptions;
    lookChanged();
}

void TClockFace::lookChanged()
{
    if (!m_active)
        Refresh();
}

QTime TClockFace::currentShownTime()
{
    const QDateTime now = m_clock.now();
    if (m_offsetSource && m_active)
        m_offset = m_offsetSource(now);
    return shownTime(now.time(), m_offset, m_active);
}

void TClockFace::Refresh()
{
    if (m_look.ClockStyle != csRevolvingDrum) {
        update();
        return;
    }
    const QString text = formatFaceTime(m_look.DisplayFormat, m_time, m_locale);
    if (isRolling()) {
        if (text == m_rollingTo)
            return;
        // A new text while rolling: the one rolling in counts as arrived, the roll starts over.
        m_roll.previousText = m_rollingTo;
    }
    if (!m_roll.previousText.isEmpty() && m_roll.previousText != text) {
        m_rollingTo = text;
        m_roll.step = 1;
        m_rollTimer.start();
    } else {
        m_rollTimer.stop();
        m_roll = {text, DrumFrames};
    }
    update();
}

void TClockFace::rollTimer()
{
    if (!isRolling())
        return;
    if (++m_roll.step >= DrumFrames) {
        m_rollTimer.stop();
        m_roll = {m_rollingTo, DrumFrames};
    }
    update();
}

void TClockFace::tmrTimer()
{
    const QTime old = m_time;
    m_time = currentShownTime();
    const bool hour = old.hour() != m_time.hour();
    const bool minute = old.minute() != m_time.minute();
    const bool second = old.second() != m_time.second();
    if (hour || minute || second)
        Refresh();
    if (hour)
        emit OnHourChange(this, old, m_time);
    if (minute)
        emit OnMinuteChange(this, old, m_time);
    if (second)
        emit OnSecondChange(this, old, m_time);
}

QRect TClockFace::clientRect() const
{
    return contentsRect();
}

void TClockFace::paintEvent(QPaintEvent*)
{
    const QRect client = clientRect();
    QPainter painter(this);
    if (m_look.BorderStyle != bsNone) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (client.isEmpty())
        return;
    QImage& canvas = m_canvas->reserve(client.size());
    // Point sizes on the face mean what they mean in the rest of the window.
    canvas.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    canvas.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    paintClockFace(canvas, client.size(), m_look, m_time, m_locale, m_roll);
    painter.drawImage(client.topLeft(), canvas, QRect(QPoint(0, 0), client.size()));
}

void TClockFace::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit OnResize(this);
}

void TClockFace::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_look.Font != font()) {
        m_look.Font = font();
        lookChanged();
    }
}

void TClockFace::mouseDoubleClickEvent(QMouseEvent* event)
{
    QWidget::mouseDoubleClickEvent(event);
    emit OnDblClick(this);
}

void TClockFace::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_popupMenu) {
        QWidget::contextMenuEvent(event);
        return;
    }
    m_popupMenu->popup(event->globalPos());
}

} // namespace clockface
