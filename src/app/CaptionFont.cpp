#include "app/CaptionFont.h"

#include <QFontMetrics>

namespace app {

TColor chooseCaptionColor(const HandStyle& hourHand, const HandStyle& minuteHand,
                          const std::function<int()>& randomByte)
{
    if (hourHand.Mode == pmCopy)
        return hourHand.Color;
    if (minuteHand.Mode == pmCopy)
        return minuteHand.Color;
    const int r = randomByte() & 0xFF;
    const int g = randomByte() & 0xFF;
    const int b = randomByte() & 0xFF;
    return TColor(r | (g << 8) | (b << 16));
}

int chooseCaptionPointSize(QFont font, int pictureWidth, const QString& measuredText, QPaintDevice* device)
{
    const int available = pictureWidth - 10;
    for (int size = 12; size >= 6; --size) {
        font.setPointSize(size);
        const QFontMetrics metrics(font, device);
        if (metrics.horizontalAdvance(measuredText) < available)
            return size;
    }
    return 6;
}

} // namespace app
