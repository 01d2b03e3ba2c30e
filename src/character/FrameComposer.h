#pragma once

#include "character/AcsCharacter.h"

#include <QImage>

#include <memory>
#include <optional>

namespace character {

// Paints a character's frames: its pictures stacked in the frame's order through the palette,
// with the transparent colour left clear, and the mouth of the moment laid on where the frame
// has one. The result has the character's size and an alpha channel that is 0 or 255.
class FrameComposer final
{
public:
    explicit FrameComposer(std::shared_ptr<const acs::Character> character);

    QImage compose(const acs::Frame& frame, std::optional<acs::MouthShape> mouth = std::nullopt) const;
    QSize size() const;

private:
    void drawImage(QImage& target, uint32_t index, int x, int y) const;

    std::shared_ptr<const acs::Character> m_character;
    std::vector<QRgb> m_palette;
};

} // namespace character
