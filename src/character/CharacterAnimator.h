#pragma once

#include "character/FrameComposer.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <functional>
#include <list>

namespace character {

// Plays one animation of a character frame by frame: each frame for its duration (at least one
// refresh of the screen), leaving by a branch when its odds say so, and telling when the last
// frame is done. A mouth shape laid on the frames follows the speech.
// A frame that takes more than a moment to compose is composed on a thread of its own; its time
// starts once it is on screen, and a frame asked for meanwhile takes the place of one not yet
// begun.
class CharacterAnimator final : public QObject
{
    Q_OBJECT

public:
    CharacterAnimator(std::shared_ptr<const acs::Character> character, QObject* parent = nullptr);
    ~CharacterAnimator() override;

    void play(const acs::Animation* animation);
    // Shows one frame and stays there.
    void hold(const acs::Frame& frame);
    void stop();
    bool playing() const { return m_animation != nullptr; }
    const acs::Animation* animation() const { return m_animation; }

    void setMouth(std::optional<acs::MouthShape> mouth);
    // Picks a number from 0 to 99 against the odds of branches; tests fix it.
    void setChance(std::function<int()> chance) { m_chance = std::move(chance); }
    const QImage& image() const { return m_image; }
    const FrameComposer& composer() const { return m_composer; }

signals:
    void frameChanged(const QImage& image, const QRegion& outline);
    void finished();

private:
    // Frames composed lately, the latest first, kept within a budget of memory: an animation
    // that loops over a few frames composes each once.
    struct Kept
    {
        const acs::Frame* frame;
        std::optional<acs::MouthShape> mouth;
        ComposedFrame composed;
    };
    static constexpr qsizetype KeptFramesBudget = 32ll * 1024 * 1024;
    const ComposedFrame* kept(const acs::Frame* frame, std::optional<acs::MouthShape> mouth);
    void keep(const ComposedFrame& composed);

    void showFrame(const acs::Frame& frame, bool timed);
    void shown(quint64 ticket, const ComposedFrame& composed);
    void advance();

    std::shared_ptr<const acs::Character> m_character;
    FrameComposer m_composer;
    QTimer m_timer;
    QThreadPool m_drawing;
    std::atomic<quint64> m_latest{0}; // the frame last asked for; older ones are not composed
    bool m_timing = false;            // the frame on its way starts the next frame's time
    const acs::Animation* m_animation = nullptr;
    const acs::Frame* m_frame = nullptr; // the frame last asked for, with its mouth
    std::optional<acs::MouthShape> m_frameMouth;
    const acs::Frame* m_shownFrame = nullptr; // the frame on screen, with its mouth
    std::optional<acs::MouthShape> m_shownMouth;
    size_t m_index = 0;
    int m_played = 0;
    int m_minimumMs = 16;
    std::optional<acs::MouthShape> m_mouth;
    std::list<Kept> m_kept;
    qsizetype m_keptBytes = 0;
    std::function<int()> m_chance;
    QImage m_image;
};

} // namespace character
