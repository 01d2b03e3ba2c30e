#include "clockface/FacePainter.h"

#include "clockface/AnalogFace.h"
#include "clockface/FaceScene.h"
#include "clockface/FaceTimeFormat.h"
#include "clockface/PanelFrame.h"
#include "clockface/SevenSegment.h"

namespace clockface {

namespace {

constexpr int kDotsPerMeter96Dpi = 3780;

void paintText(const FaceScene& s)
{
    const int x = (s.size.width() - s.metrics.horizontalAdvance(s.text)) / 2;
    const int y = (s.size.height() - s.metrics.height()) / 2;
    QPainter& p = s.painter;
    p.save();
    p.setClipRect(s.inner, Qt::IntersectClip);
    p.setPen(s.fontColor);
    p.drawText(x, y + s.metrics.ascent(), s.text);
    p.restore();
}

void paintPicture(QPainter& p, const QImage& picture, const QRect& inner)
{
    if (picture.isNull() || inner.isEmpty())
        return;
    // Smooth scaling averages the pixels a shrunk picture folds together, so fine lines and
    // lettering in it stay visible instead of dropping out.
    p.drawImage(inner.topLeft(),
                picture.scaled(inner.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace

void paintClockFace(QImage& canvas, QSize size, const ClockFaceLook& look, const QTime& time,
                    const core::LocaleFormats& locale, const DrumRoll& roll)
{
    if (size.isEmpty() || canvas.width() < size.width() || canvas.height() < size.height())
        return;
    QPainter p(&canvas);
    const QRect client(QPoint(0, 0), size);
    p.setClipRect(client);
    p.setFont(look.Font);

    const QColor border = core::resolveColor(look.BorderColor);
    const QColor face = core::resolveColor(look.Color);
    const QRect inner = innerRect(size, look);
    p.fillRect(client, border);
    if (inner.isValid())
        p.fillRect(inner, face);
    paintPicture(p, look.ClockFace, inner);

    const FaceScene scene{canvas,
                          p,
                          size,
                          inner,
                          faceInset(look),
                          look,
                          time,
                          look.ClockStyle == csAnalog ? QString()
                                                      : formatFaceTime(look.DisplayFormat, time, locale),
                          face,
                          core::resolveColor(look.FontColor),
                          QFontMetrics(look.Font, &canvas)};
    switch (look.ClockStyle) {
    case csIndicator:
        paintSevenSegment(scene);
        break;
    case csAnalog:
        paintAnalogFace(scene);
        break;
    case csRevolvingDrum:
        break;
    default:
        paintText(scene);
        break;
    }
    paintPanelFrames(p, size, look);
    if (look.ClockStyle == csRevolvingDrum)
        paintRevolvingDrum(scene, roll);
}

QImage renderClockFace(QSize size, const ClockFaceLook& look, const QTime& time,
                       const core::LocaleFormats& locale, const DrumRoll& roll)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter96Dpi);
    image.setDotsPerMeterY(kDotsPerMeter96Dpi);
    image.fill(Qt::black);
    paintClockFace(image, size, look, time, locale, roll);
    return image;
}

} // namespace clockface
