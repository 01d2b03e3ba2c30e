#include "character/CharacterAnimator.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QScreen>

namespace character {

namespace {

// Branches can loop for ever; an animation that has run this many frames ends.
constexpr int MaxFramesPerPlay = 600;
// Composing up to this many pixels' work takes about a millisecond: done at once, on the UI
// thread. Anything more is composed on the drawing thread.
constexpr qint64 MaxWorkOnTheSpot = 1 << 20;

} // namespace

CharacterAnimator::CharacterAnimator(std::shared_ptr<const acs::Character> character, QObject* parent)
    : QObject(parent), m_character(character), m_composer(character),
      m_chance([] { return int(QRandomGenerator::global()->bounded(100)); })
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CharacterAnimator::advance);
    m_drawing.setMaxThreadCount(1);
    // A frame lasts at least one refresh of the screen: a loop of frames of no time shows each
    // once, instead of composing frames nobody sees.
    if (const QScreen* screen = QGuiApplication::primaryScreen(); screen && screen->refreshRate() >= 1)
        m_minimumMs = std::clamp(int(1000 / screen->refreshRate()), 1, 100);
}

CharacterAnimator::~CharacterAnimator()
{
    m_latest = ~quint64(0);
    m_drawing.clear();
    m_drawing.waitForDone();
}

const ComposedFrame* CharacterAnimator::kept(const acs::Frame* frame, std::optional<acs::MouthShape> mouth)
{
    const auto it = std::find_if(m_kept.begin(), m_kept.end(),
                                 [&](const Kept& k) { return k.frame == frame && k.mouth == mouth; });
    if (it == m_kept.end())
        return nullptr;
    m_kept.splice(m_kept.begin(), m_kept, it);
    return &m_kept.front().composed;
}

void CharacterAnimator::keep(const ComposedFrame& composed)
{
    if (kept(m_frame, m_frameMouth))
        return;
    m_kept.push_front({m_frame, m_frameMouth, composed});
    m_keptBytes += composed.image.sizeInBytes();
    while (m_keptBytes > KeptFramesBudget && m_kept.size() > 1) {
        m_keptBytes -= m_kept.back().composed.image.sizeInBytes();
        m_kept.pop_back();
    }
}

void CharacterAnimator::showFrame(const acs::Frame& frame, bool timed)
{
    // A mouth counts only on a frame that has mouths.
    const std::optional<acs::MouthShape> mouth = frame.mouths.empty() ? std::nullopt : m_mouth;
    m_frame = &frame;
    m_frameMouth = mouth;
    m_timing = m_timing || timed;
    const quint64 ticket = ++m_latest;
    if (&frame == m_shownFrame && mouth == m_shownMouth) {
        shown(ticket, {});
        return;
    }
    if (const ComposedFrame* done = kept(&frame, mouth)) {
        shown(ticket, ComposedFrame(*done));
        return;
    }
    if (m_composer.work(frame, mouth) <= MaxWorkOnTheSpot) {
        shown(ticket, m_composer.compose(frame, mouth));
        return;
    }
    m_drawing.start([this, ticket, &frame, mouth] {
        if (ticket != m_latest)
            return; // another frame was asked for before this one began
        ComposedFrame composed = m_composer.compose(frame, mouth);
        QMetaObject::invokeMethod(
            this, [this, ticket, composed = std::move(composed)] { shown(ticket, composed); },
            Qt::QueuedConnection);
    });
}

void CharacterAnimator::shown(quint64 ticket, const ComposedFrame& composed)
{
    if (ticket != m_latest)
        return;
    if (!composed.image.isNull()) {
        keep(composed);
        m_shownFrame = m_frame;
        m_shownMouth = m_frameMouth;
        m_image = composed.image;
        emit frameChanged(m_image, composed.outline);
    }
    if (m_timing && m_animation) {
        m_timing = false;
        m_timer.start(std::max(m_minimumMs, m_animation->frames[m_index].duration * 10));
    }
}

void CharacterAnimator::play(const acs::Animation* animation)
{
    m_timer.stop();
    m_animation = animation;
    m_index = 0;
    m_played = 0;
    if (!animation || animation->frames.empty()) {
        m_animation = nullptr;
        emit finished();
        return;
    }
    showFrame(animation->frames[0], true);
}

void CharacterAnimator::hold(const acs::Frame& frame)
{
    m_timer.stop();
    m_animation = nullptr;
    m_timing = false;
    showFrame(frame, false);
}

void CharacterAnimator::stop()
{
    m_timer.stop();
    m_animation = nullptr;
    m_timing = false;
}

void CharacterAnimator::setMouth(std::optional<acs::MouthShape> mouth)
{
    if (mouth == m_mouth)
        return;
    m_mouth = mouth;
    if (m_frame && !m_frame->mouths.empty())
        showFrame(*m_frame, false);
}

void CharacterAnimator::advance()
{
    if (!m_animation)
        return;
    const acs::Frame& current = m_animation->frames[m_index];
    size_t next = m_index + 1;
    const int roll = m_chance();
    int odds = 0;
    for (const acs::Branch& b : current.branches) {
        odds += b.probability;
        if (roll < odds) {
            next = b.frame;
            break;
        }
    }
    if (next >= m_animation->frames.size() || ++m_played >= MaxFramesPerPlay) {
        m_animation = nullptr;
        emit finished();
        return;
    }
    m_index = next;
    showFrame(m_animation->frames[m_index], true);
}

} // namespace character
