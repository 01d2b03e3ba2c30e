#include "character/CharacterAnimator.h"

#include <QRandomGenerator>

namespace character {

namespace {

// Branches can loop for ever; an animation that has run this many frames ends.
constexpr int MaxFramesPerPlay = 600;

} // namespace

CharacterAnimator::CharacterAnimator(std::shared_ptr<const acs::Character> character, QObject* parent)
    : QObject(parent), m_character(character), m_composer(character),
      m_chance([] { return int(QRandomGenerator::global()->bounded(100)); })
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CharacterAnimator::advance);
}

void CharacterAnimator::showFrame(const acs::Frame& frame)
{
    m_frame = &frame;
    m_image = m_composer.compose(frame, m_mouth);
    emit frameChanged(m_image);
}

void CharacterAnimator::play(const acs::Animation* animation)
{
    m_timer.stop();
    m_animation = animation;
    m_index = 0;
    m_played = 0;
    if (!animation || animation->frames.empty()) {
        emit finished();
        return;
    }
    showFrame(animation->frames[0]);
    m_timer.start(std::max(10, animation->frames[0].duration * 10));
}

void CharacterAnimator::hold(const acs::Frame& frame)
{
    m_timer.stop();
    m_animation = nullptr;
    showFrame(frame);
}

void CharacterAnimator::stop()
{
    m_timer.stop();
    m_animation = nullptr;
}

void CharacterAnimator::setMouth(std::optional<acs::MouthShape> mouth)
{
    if (mouth == m_mouth)
        return;
    m_mouth = mouth;
    if (m_frame && !m_frame->mouths.empty()) {
        m_image = m_composer.compose(*m_frame, m_mouth);
        emit frameChanged(m_image);
    }
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
    showFrame(m_animation->frames[m_index]);
    m_timer.start(std::max(10, m_animation->frames[m_index].duration * 10));
}

} // namespace character
