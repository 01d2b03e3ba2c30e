#pragma once

#include "character/AcsCharacter.h"

#include <QImage>
#include <QRegion>

#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace character {

// A frame drawn: its picture, and the outline of the pixels it shows (empty when it shows none).
struct ComposedFrame
{
    QImage image;
    QRegion outline;
};

// Paints a character's frames: its pictures stacked in the frame's order through the palette,
// with the transparent colour left clear, and the mouth of the moment laid on where the frame
// has one. The result has the character's size and an alpha channel that is 0 or 255.
// Pictures are unpacked when a frame needs them and kept within a budget of memory, those used
// least lately let go first. Frames may be composed on several threads at once.
class FrameComposer final
{
public:
    static constexpr qsizetype DefaultPictureBudget = 32ll * 1024 * 1024;

    explicit FrameComposer(std::shared_ptr<const acs::Character> character,
                           qsizetype pictureBudget = DefaultPictureBudget);

    ComposedFrame compose(const acs::Frame& frame, std::optional<acs::MouthShape> mouth = std::nullopt) const;
    // What composing would take, in pixels to visit: those drawn, those of pictures to unpack
    // first, and the character's own for the outline.
    qint64 work(const acs::Frame& frame, std::optional<acs::MouthShape> mouth) const;
    QSize size() const;
    // The bytes of unpacked pictures kept now.
    qsizetype heldBytes() const;

private:
    using Pixels = std::shared_ptr<const QByteArray>;
    Pixels pixels(uint32_t index) const;
    void drawImage(QImage& target, uint32_t index, int x, int y) const;

    std::shared_ptr<const acs::Character> m_character;
    std::vector<QRgb> m_palette;
    qsizetype m_budget;

    struct Kept
    {
        Pixels pixels;
        std::list<uint32_t>::iterator recent;
    };
    mutable std::mutex m_mutex;
    mutable std::list<uint32_t> m_recent; // the most lately used first
    mutable std::unordered_map<uint32_t, Kept> m_kept;
    mutable qsizetype m_held = 0;
};

} // namespace character
