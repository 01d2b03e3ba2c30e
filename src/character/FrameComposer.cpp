#include "character/FrameComposer.h"

#include "character/AcsReader.h"
#include "character/Outline.h"

#include <QSysInfo>

namespace character {

FrameComposer::FrameComposer(std::shared_ptr<const acs::Character> character, qsizetype pictureBudget)
    : m_character(std::move(character)), m_budget(pictureBudget)
{
    m_palette.assign(256, qRgb(0, 0, 0));
    for (size_t i = 0; i < m_character->palette.size() && i < 256; ++i)
        m_palette[i] = 0xFF000000u | m_character->palette[i];
}

QSize FrameComposer::size() const
{
    return QSize(m_character->width, m_character->height);
}

qsizetype FrameComposer::heldBytes() const
{
    const std::lock_guard lock(m_mutex);
    return m_held;
}

FrameComposer::Pixels FrameComposer::pixels(uint32_t index) const
{
    {
        const std::lock_guard lock(m_mutex);
        const auto kept = m_kept.find(index);
        if (kept != m_kept.end()) {
            m_recent.splice(m_recent.begin(), m_recent, kept->second.recent);
            return kept->second.pixels;
        }
    }
    // Unpacked without the lock, so other threads draw meanwhile; a picture the reader took
    // unpacks, and one that does not is drawn as nothing.
    const acs::Image& img = m_character->images[index];
    Pixels unpacked;
    try {
        unpacked = std::make_shared<const QByteArray>(acs::picturePixels(img));
    } catch (const acs::AcsError&) {
        unpacked = std::make_shared<const QByteArray>();
    }
    const std::lock_guard lock(m_mutex);
    if (m_kept.count(index) == 0) {
        m_recent.push_front(index);
        m_kept[index] = {unpacked, m_recent.begin()};
        m_held += unpacked->size();
    }
    // The one just used stays even when it alone is over the budget: the frame needs it.
    while (m_held > m_budget && m_recent.size() > 1) {
        const auto oldest = m_kept.find(m_recent.back());
        m_held -= oldest->second.pixels->size();
        m_kept.erase(oldest);
        m_recent.pop_back();
    }
    return unpacked;
}

void FrameComposer::drawImage(QImage& target, uint32_t index, int x0, int y0) const
{
    if (index >= m_character->images.size())
        return;
    const acs::Image& img = m_character->images[index];
    const int left = std::max(0, x0), right = std::min(target.width(), x0 + img.width);
    const int top = std::max(0, y0), bottom = std::min(target.height(), y0 + img.height);
    if (left >= right || top >= bottom)
        return;
    const Pixels all = pixels(index);
    if (all->size() < qsizetype(img.width) * img.height)
        return;
    const uint8_t clear = m_character->transparentIndex;
    for (int ty = top; ty < bottom; ++ty) {
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(ty));
        const auto* row = reinterpret_cast<const uint8_t*>(all->constData()) + qsizetype(ty - y0) * img.width;
        for (int tx = left; tx < right; ++tx) {
            const uint8_t colour = row[tx - x0];
            if (colour != clear)
                line[tx] = m_palette[colour];
        }
    }
}

qint64 FrameComposer::work(const acs::Frame& frame, std::optional<acs::MouthShape> mouth) const
{
    qint64 work = qint64(m_character->width) * m_character->height;
    auto add = [&](uint32_t index) {
        if (index >= m_character->images.size())
            return;
        const acs::Image& img = m_character->images[index];
        work += qint64(img.width) * img.height;
        const std::lock_guard lock(m_mutex);
        if (m_kept.count(index) == 0)
            work += qint64(img.width) * img.height;
    };
    for (const acs::FrameImage& layer : frame.images)
        add(layer.image);
    if (const acs::MouthOverlay* overlay = mouth ? frame.mouth(*mouth) : nullptr)
        add(overlay->image);
    return work;
}

ComposedFrame FrameComposer::compose(const acs::Frame& frame, std::optional<acs::MouthShape> mouth) const
{
    ComposedFrame composed;
    QImage& image = composed.image;
    image = QImage(size(), QImage::Format_ARGB32);
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

    const int alpha = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? 3 : 0;
    const std::vector<QRect> rects = outlineOf(
        {image.constBits() + alpha, image.bytesPerLine(), 4, image.width(), image.height(), 0});
    composed.outline.setRects(rects.data(), int(rects.size()));
    return composed;
}

} // namespace character
