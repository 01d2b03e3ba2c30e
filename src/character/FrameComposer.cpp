#include "character/FrameComposer.h"

namespace character {

FrameComposer::FrameComposer(std::shared_ptr<const acs::Character> character)
    : m_character(std::move(character))
{
    m_palette.assign(256, qRgb(0, 0, 0));
    for (size_t i = 0; i < m_character->palette.size() && i < 256; ++i)
        m_palette[i] = 0xFF000000u | m_character->palette[i];
}

QSize FrameComposer::size() const
{
    return QSize(m_character->width, m_character->height);
}

void FrameComposer::drawImage(QImage& target, uint32_t index, int x0, int y0) const
{
    if (index >= m_character->images.size())
        return;
    const acs::Image& img = m_character->images[index];
    const uint8_t clear = m_character->transparentIndex;
    for (int y = 0; y < img.height; ++y) {
        const int ty = y0 + y;
        if (ty < 0 || ty >= target.height())
            continue;
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(ty));
        const auto* row = reinterpret_cast<const uint8_t*>(img.pixels.constData()) + qsizetype(y) * img.width;
        for (int x = 0; x < img.width; ++x) {
            const int tx = x0 + x;
            if (tx < 0 || tx >= target.width() || row[x] == clear)
                continue;
            line[tx] = m_palette[row[x]];
        }
    }
}

QImage FrameComposer::compose(const acs::Frame& frame, std::optional<acs::MouthShape> mouth) const
{
    QImage image(size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const acs::MouthOverlay* overlay = mouth ? frame.mouth(*mouth) : nullptr;
    // The first picture is the top one, so the stack is drawn from the last.
    for (size_t i = frame.images.size(); i-- > 0;) {
        if (i == 0 && overlay && overlay->replacesTopImage)
            continue;
        drawImage(image, frame.images[i].image, frame.images[i].x, frame.images[i].y);
    }
    if (overlay)
        drawImage(image, overlay->image, overlay->x, overlay->y);
    return image;
}

} // namespace character
