#include "character/DesktopCharacters.h"

#include "character/AcsReader.h"
#include "character/CharacterAnimator.h"
#include "character/CharacterFiles.h"
#include "character/CharacterWindow.h"
#include "character/WordBalloon.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QRandomGenerator>
#include <QScreen>

namespace character {

namespace {

// How long the balloon stays after the last word, so the end can still be read.
constexpr int BalloonLingerMs = 1800;
constexpr int SpeechTickMs = 30;

QRect screenOf(const QWidget* w)
{
    const QScreen* s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

DesktopCharacter::DesktopCharacter(const QString& name, std::shared_ptr<const acs::Character> data,
                                   SpeechEngine& speech, bool withSound)
    : m_name(name), m_data(std::move(data)), m_speech(speech), m_withSound(withSound),
      m_voice(voiceChoiceFor(*m_data)),
      m_window(std::make_unique<CharacterWindow>(QSize(m_data->width, m_data->height)))
{
    m_window->setWindowTitle(m_data->name().isEmpty() ? name : m_data->name());
    if (m_data->balloon)
        m_balloon = std::make_unique<WordBalloon>(*m_data->balloon, m_data->flags & acs::BalloonSizeToText);
    m_animator = new CharacterAnimator(m_data, this);
    connect(m_animator, &CharacterAnimator::frameChanged, m_window.get(), &CharacterWindow::setFrame);
    connect(m_window.get(), &CharacterWindow::dragged, this, [this](const QPoint& at) {
        m_position = at;
        placeBalloon();
        emit dragged(at.x(), at.y());
    });
    // A character that stays after its words (no hide asked for) is sent away by the user with
    // a double click, as one closes any small desktop helper.
    connect(m_window.get(), &CharacterWindow::doubleClicked, this, [this] {
        StopAll(QString());
        Hide(false);
    });
    connect(&m_speech, &SpeechEngine::synthesized, this, [this](int id, const Utterance& u) {
        if (id == m_utteranceId && m_current && m_current->kind == Kind::Speak)
            startSpeaking(u);
    });
    m_speechTimer.setInterval(SpeechTickMs);
    connect(&m_speechTimer, &QTimer::timeout, this, &DesktopCharacter::speechTick);
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, &DesktopCharacter::idle);
    m_balloonTimer.setSingleShot(true);
    connect(&m_balloonTimer, &QTimer::timeout, this, [this] {
        if (m_balloon && !(m_current && m_current->kind == Kind::Speak))
            m_balloon->hide();
    });
    m_nextTimer.setSingleShot(true);
    m_nextTimer.setInterval(0);
    connect(&m_nextTimer, &QTimer::timeout, this, &DesktopCharacter::next);
    restPose();
}

DesktopCharacter::~DesktopCharacter()
{
    StopAll(QString());
}

bool DesktopCharacter::Visible() const
{
    return m_window->isVisible();
}

void DesktopCharacter::setLeft(int left)
{
    m_position.setX(left);
    m_window->move(m_position);
    placeBalloon();
}

void DesktopCharacter::setTop(int top)
{
    m_position.setY(top);
    m_window->move(m_position);
    placeBalloon();
}

CharacterRequestPtr DesktopCharacter::Show(bool fast)
{
    return enqueue({Kind::Show, fast, {}, nullptr});
}

CharacterRequestPtr DesktopCharacter::Hide(bool fast)
{
    return enqueue({Kind::Hide, fast, {}, nullptr});
}

CharacterRequestPtr DesktopCharacter::Speak(const QString& text, const QString&)
{
    return enqueue({Kind::Speak, false, text, nullptr});
}

CharacterRequestPtr DesktopCharacter::enqueue(Job job)
{
    job.request = std::make_shared<CharacterRequest>();
    CharacterRequestPtr request = job.request;
    m_queue.push_back(std::move(job));
    // An idle character starts at once, so a fast request is done when the call returns.
    if (!m_current && m_queue.size() == 1)
        next();
    return request;
}

void DesktopCharacter::next()
{
    if (m_current || m_queue.empty())
        return;
    m_idleTimer.stop();
    m_current = std::move(m_queue.front());
    m_queue.pop_front();
    m_current->request->setStatus(RequestInProgress);
    begin(*m_current);
}

const acs::Animation* DesktopCharacter::animationFor(const QString& state, const QString& fallback) const
{
    const std::vector<const acs::Animation*> listed = m_data->stateAnimations(state);
    if (!listed.empty())
        return listed[QRandomGenerator::global()->bounded(int(listed.size()))];
    return m_data->animation(fallback);
}

void DesktopCharacter::begin(Job& job)
{
    m_animator->disconnect(this);
    switch (job.kind) {
    case Kind::Show:
        if (Visible()) {
            finish(RequestComplete);
            return;
        }
        m_window->move(m_position);
        if (job.fast) {
            restPose();
            m_window->show();
            m_window->raise();
            finish(RequestComplete);
            return;
        }
        m_animator->play(animationFor(QStringLiteral("Showing"), QStringLiteral("Show")));
        m_window->show();
        m_window->raise();
        if (!m_animator->playing()) {
            restPose();
            finish(RequestComplete);
            return;
        }
        connect(m_animator, &CharacterAnimator::finished, this, [this] {
            restPose();
            finish(RequestComplete);
        });
        return;
    case Kind::Hide:
        if (m_balloon)
            m_balloon->hide();
        if (!Visible() || job.fast) {
            m_animator->stop();
            m_window->hide();
            finish(RequestComplete);
            return;
        }
        m_animator->play(animationFor(QStringLiteral("Hiding"), QStringLiteral("Hide")));
        if (!m_animator->playing()) {
            m_window->hide();
            finish(RequestComplete);
            return;
        }
        connect(m_animator, &CharacterAnimator::finished, this, [this] {
            m_window->hide();
            finish(RequestComplete);
        });
        return;
    case Kind::Speak:
        if (job.text.trimmed().isEmpty()) {
            finish(RequestComplete);
            return;
        }
        if (!Visible()) {
            m_window->move(m_position);
            restPose();
            m_window->show();
        }
        m_balloonTimer.stop();
        if (m_balloon) {
            m_balloon->setText(job.text);
            placeBalloon();
            m_balloon->show();
            m_balloon->raise();
        }
        m_speech.synthesize(++m_utteranceId, job.text, m_voice);
        return;
    }
}

void DesktopCharacter::startSpeaking(const Utterance& utterance)
{
    m_utterance = utterance;
    const acs::Animation* speaking = animationFor(QStringLiteral("Speaking"), QStringLiteral("RestPose"));
    m_animator->setMouth(acs::MouthShape::Closed);
    if (speaking && speaking->frames.size() > 1) {
        connect(m_animator, &CharacterAnimator::finished, this,
                [this, speaking] { m_animator->play(speaking); });
        m_animator->play(speaking);
    } else if (speaking && !speaking->frames.empty()) {
        m_animator->hold(speaking->frames.front());
    }
    if (m_withSound && !m_utterance.samples.isEmpty()) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (!device.isNull()) {
            QAudioFormat format;
            format.setSampleRate(m_utterance.sampleRate);
            format.setChannelCount(1);
            format.setSampleFormat(QAudioFormat::Int16);
            if (device.isFormatSupported(format)) {
                m_soundBuffer = std::make_unique<QBuffer>();
                m_soundBuffer->setData(m_utterance.samples);
                m_soundBuffer->open(QIODevice::ReadOnly);
                m_sound = std::make_unique<QAudioSink>(device, format);
                m_sound->start(m_soundBuffer.get());
            }
        }
    }
    m_clock.start();
    m_speechTimer.start();
    speechTick();
}

void DesktopCharacter::speechTick()
{
    const int ms = int(m_clock.elapsed());
    if (m_balloon)
        m_balloon->setSpoken(m_utterance.spokenLength(ms));
    m_animator->setMouth(m_utterance.mouthAt(ms));
    if (ms >= m_utterance.durationMs)
        endSpeech();
}

void DesktopCharacter::endSpeech()
{
    m_speechTimer.stop();
    if (m_sound) {
        m_sound->stop();
        m_sound.reset();
        m_soundBuffer.reset();
    }
    m_animator->disconnect(this);
    m_animator->setMouth(std::nullopt);
    if (m_balloon)
        m_balloon->setSpoken(int(m_balloon->text().size()));
    restPose();
    hideBalloonLater();
    finish(RequestComplete);
}

void DesktopCharacter::hideBalloonLater()
{
    if (!m_balloon || !m_balloon->isVisible())
        return;
    if ((m_data->flags & acs::BalloonNoAutoHide) && m_balloonWanted)
        return;
    m_balloonTimer.start(BalloonLingerMs);
}

void DesktopCharacter::finish(int status)
{
    if (!m_current)
        return;
    m_current->request->setStatus(status);
    m_current.reset();
    if (!m_queue.empty())
        m_nextTimer.start();
    else
        scheduleIdle();
}

void DesktopCharacter::StopAll(const QString&)
{
    for (Job& job : m_queue)
        job.request->setStatus(RequestInterrupted);
    m_queue.clear();
    m_nextTimer.stop();
    m_idleTimer.stop();
    if (m_current) {
        ++m_utteranceId; // a synthesis still under way is dropped when it comes back
        m_speechTimer.stop();
        if (m_sound) {
            m_sound->stop();
            m_sound.reset();
            m_soundBuffer.reset();
        }
        m_animator->disconnect(this);
        m_animator->setMouth(std::nullopt);
        m_animator->stop();
        if (m_balloon)
            m_balloon->hide();
        m_current->request->setStatus(RequestInterrupted);
        m_current.reset();
        if (Visible())
            restPose();
    }
}

void DesktopCharacter::setBalloonVisible(bool visible)
{
    m_balloonWanted = visible;
    if (!m_balloon)
        return;
    // The balloon of a speech belongs to it: taken away now, it goes when the speech is over.
    const bool speaking = (m_current && m_current->kind == Kind::Speak) ||
                          std::any_of(m_queue.begin(), m_queue.end(),
                                      [](const Job& j) { return j.kind == Kind::Speak; });
    if (!visible && !speaking)
        m_balloon->hide();
    else if (visible && Visible() && !m_balloon->text().isEmpty()) {
        placeBalloon();
        m_balloon->show();
    }
}

void DesktopCharacter::restPose()
{
    const acs::Animation* rest = m_data->animation(QStringLiteral("RestPose"));
    if (!rest || rest->frames.empty())
        rest = animationFor(QStringLiteral("Showing"), QStringLiteral("Show"));
    if (rest && !rest->frames.empty())
        m_animator->hold(rest == m_data->animation(QStringLiteral("RestPose")) ? rest->frames.front()
                                                                               : rest->frames.back());
    else if (!m_data->animations.empty() && !m_data->animations.front().frames.empty())
        m_animator->hold(m_data->animations.front().frames.front());
}

void DesktopCharacter::scheduleIdle()
{
    if (Visible())
        m_idleTimer.start(6000 + QRandomGenerator::global()->bounded(6000));
}

void DesktopCharacter::idle()
{
    if (m_current || !m_queue.empty() || !Visible())
        return;
    std::vector<const acs::Animation*> choices = m_data->stateAnimations(QStringLiteral("IdlingLevel1"));
    if (choices.empty())
        for (const acs::Animation& a : m_data->animations)
            if (a.name.startsWith(QStringLiteral("Idle"), Qt::CaseInsensitive))
                choices.push_back(&a);
    if (choices.empty())
        return;
    m_animator->disconnect(this);
    connect(m_animator, &CharacterAnimator::finished, this, [this] {
        m_animator->disconnect(this);
        restPose();
        scheduleIdle();
    });
    m_animator->play(choices[QRandomGenerator::global()->bounded(int(choices.size()))]);
}

void DesktopCharacter::placeBalloon()
{
    if (m_balloon)
        m_balloon->placeBeside(QRect(m_position, m_window->size()), screenOf(m_window.get()));
}

DesktopCharacters::DesktopCharacters(QStringList folders, std::unique_ptr<SpeechEngine> speech,
                                     bool withSound, QObject* parent)
    : CharacterService(parent), m_folders(std::move(folders)), m_speech(std::move(speech)),
      m_withSound(withSound)
{
    m_folders.removeDuplicates();
}

DesktopCharacters::~DesktopCharacters()
{
    m_characters.clear();
}

bool DesktopCharacters::canStart() const
{
    return QGuiApplication::primaryScreen() != nullptr;
}

QString DesktopCharacters::locate(const QString& loadKey) const
{
    return findCharacterFile(m_folders, loadKey);
}

CharacterRequestPtr DesktopCharacters::Load(const QString& name, const QString& loadKey)
{
    if (m_characters.count(name))
        throw CharacterLoadError("a character of that name is loaded already");
    const QString path = locate(loadKey);
    if (path.isEmpty())
        throw CharacterLoadError("no character file of that name");
    std::shared_ptr<const acs::Character> data;
    try {
        data = std::make_shared<const acs::Character>(acs::readAcsFile(path));
    } catch (const acs::AcsError& e) {
        throw CharacterLoadError(e.what());
    }
    auto character = std::make_unique<DesktopCharacter>(name, data, *m_speech, m_withSound);
    connect(character.get(), &DesktopCharacter::dragged, this,
            [this, name](int x, int y) { emit Move(name, x, y, MovedByUser); });
    m_characters[name] = std::move(character);
    auto done = std::make_shared<CharacterRequest>();
    done->setStatus(RequestComplete);
    return done;
}

AgentCharacter& DesktopCharacters::Character(const QString& name)
{
    DesktopCharacter* c = loaded(name);
    if (!c)
        throw CharacterLoadError("no character of that name is loaded");
    return *c;
}

void DesktopCharacters::Unload(const QString& name)
{
    m_characters.erase(name);
}

bool DesktopCharacters::isLoaded(const QString& name) const
{
    return m_characters.count(name) != 0;
}

DesktopCharacter* DesktopCharacters::loaded(const QString& name) const
{
    const auto it = m_characters.find(name);
    return it == m_characters.end() ? nullptr : it->second.get();
}

} // namespace character
