#pragma once

#include "character/FrameComposer.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace character {

// Plays one animation of a character frame by frame: each frame for its duration, leaving by a
// branch when its odds say so, and telling when the last frame is done. A mouth shape laid on
// the frames follows the speech.
class CharacterAnimator final : public QObject
{
    Q_OBJECT

public:
    CharacterAnimator(std::shared_ptr<const acs::Character> character, QObject* parent = nullptr);

    void play(const acs::Animation* animation);
    // Shows one frame and stays there.
    void hold(const acs::Frame& frame);
    void stop();
    bool playing() const { return m_timer.isActive(); }
    const acs::Animation* animation() const { return m_animation; }

    void setMouth(std::optional<acs::MouthShape> mouth);
    // Picks a number from 0 to 99 against the odds of branches; tests fix it.
    void setChance(std::function<int()> chance) { m_chance = std::move(chance); }
    const QImage& image() const { return m_image; }

signals:
    void frameChanged(const QImage& image);
    void finished();

private:
    void showFrame(const acs::Frame& frame);
    void advance();

    std::shared_ptr<const acs::Character> m_character;
    FrameComposer m_composer;
    QTimer m_timer;
    const acs::Animation* m_animation = nullptr;
    const acs::Frame* m_frame = nullptr;
    size_t m_index = 0;
    int m_played = 0;
    std::optional<acs::MouthShape> m_mouth;
    std::function<int()> m_chance;
    QImage m_image;
};

} // namespace character
