#include "character/DesktopCharacters.h"

#include "character/AcsReader.h"
#include "character/CharacterAnimator.h"
#include "character/CharacterFiles.h"
#include "character/CharacterWindow.h"
#include "character/WordBalloon.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QMenu>
#include <QRandomGenerator>
#include <QScreen>

namespace character {

namespace {

// How long the balloon stays after the last word, so the end can still be read.
constexpr int BalloonLingerMs = 1800;
constexpr int SpeechTickMs = 30;
// The next part of a speech is asked for while this much of the last one is still to be said.
constexpr int SpeechLookAheadMs = 4000;

QRect screenOf(const QWidget* w)
{
    const QScreen* s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

DesktopCharacter::DesktopCharacter(const QString& name, SpeechEngine& speech, bool withSound,
                                   const QByteArray& userLanguage,
                                   const CharacterService::Translation& translate)
    : m_name(name), m_speech(speech), m_withSound(withSound), m_userLanguage(userLanguage),
      m_translate(translate)
{
    connect(&m_speech, &SpeechEngine::synthesized, this, [this](int id, const Utterance& part, bool last) {
        if (id == m_utteranceId && m_speaking)
            received(part, last);
    });
    m_speechTimer.setInterval(SpeechTickMs);
    connect(&m_speechTimer, &QTimer::timeout, this, &DesktopCharacter::speechTick);
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, &DesktopCharacter::idle);
    m_balloonTimer.setSingleShot(true);
    connect(&m_balloonTimer, &QTimer::timeout, this, [this] {
        if (m_balloon && !(m_current && m_current->kind == Kind::Speak))
            m_balloon->hide();
        // A hide asked for after the words waited until they could be read.
        if (m_current && m_current->kind == Kind::Hide)
            begin(*m_current);
    });
    m_nextTimer.setSingleShot(true);
    m_nextTimer.setInterval(0);
    connect(&m_nextTimer, &QTimer::timeout, this, &DesktopCharacter::next);
}

DesktopCharacter::~DesktopCharacter()
{
    StopAll(QString());
}

void DesktopCharacter::setData(std::shared_ptr<const acs::Character> data)
{
    m_data = std::move(data);
    m_voice = voiceChoiceFor(*m_data);
    m_window = std::make_unique<CharacterWindow>(QSize(m_data->width, m_data->height));
    m_window->setWindowTitle(m_data->name().isEmpty() ? m_name : m_data->name());
    m_window->move(m_position);
    m_window->setBlank(std::all_of(m_data->images.begin(), m_data->images.end(),
                                   [](const acs::Image& img) { return img.blank; }));
    if (m_data->balloon)
        m_balloon = std::make_unique<WordBalloon>(*m_data->balloon, m_data->flags & acs::BalloonSizeToText);
    m_animator = new CharacterAnimator(m_data, this);
    connect(m_animator, &CharacterAnimator::frameChanged, m_window.get(), &CharacterWindow::setFrame);
    connect(m_window.get(), &CharacterWindow::moving, this, [this](const QPoint& at) {
        m_position = at;
        placeBalloon();
    });
    connect(m_window.get(), &CharacterWindow::dragged, this, [this](const QPoint& at) {
        m_position = at;
        placeBalloon();
        emit dragged(at.x(), at.y());
    });
    // A character that stays after its words (no hide asked for) is sent away by the user with
    // a double click, as one closes any small desktop helper, or from its menu.
    auto sendAway = [this] {
        StopAll(QString());
        Hide(false);
    };
    connect(m_window.get(), &CharacterWindow::doubleClicked, this, sendAway);
    connect(m_window->menu()->addAction(m_translate(QStringLiteral("Hide"))), &QAction::triggered, this,
            sendAway);
    restPose();
    next();
}

void DesktopCharacter::setBroken()
{
    m_broken = true;
    StopAll(QString());
}

bool DesktopCharacter::Visible() const
{
    return m_window && m_window->isVisible();
}

void DesktopCharacter::setLeft(int left)
{
    m_position.setX(left);
    if (m_window)
        m_window->move(m_position);
    placeBalloon();
}

void DesktopCharacter::setTop(int top)
{
    m_position.setY(top);
    if (m_window)
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
    if (m_broken) {
        request->setStatus(RequestFailed);
        return request;
    }
    m_queue.push_back(std::move(job));
    // An idle character starts at once, so a fast request is done when the call returns.
    if (!m_current && m_queue.size() == 1)
        next();
    return request;
}

void DesktopCharacter::next()
{
    if (!m_data || m_current || m_queue.empty())
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
        // The last words stay a moment to be read before the character goes.
        if (!job.fast && m_balloonTimer.isActive())
            return;
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
        m_speaking.emplace();
        {
            // The words' own language, else the user's, else the character's voice.
            VoiceChoice voice = m_voice;
            voice.language = languageOfText(job.text,
                                            m_userLanguage.isEmpty() ? m_voice.language : m_userLanguage);
            m_speech.synthesize(++m_utteranceId, job.text, voice);
        }
        return;
    }
}

void DesktopCharacter::received(const Utterance& part, bool last)
{
    m_speaking->times.appendTimes(part);
    m_speaking->complete = last;
    m_speaking->moreAsked = false;
    if (!m_speaking->started) {
        m_speaking->started = true;
        startSpeaking();
        if (m_withSound && !part.samples.isEmpty())
            startSound(part.sampleRate);
    }
    // Kept only for a sound output, which takes it a little at a time.
    if (m_soundOut)
        m_speaking->sound += part.samples;
    speechTick();
}

void DesktopCharacter::startSound(int sampleRate)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return;
    m_sound = std::make_unique<QAudioSink>(device, format);
    m_soundOut = m_sound->start();
}

void DesktopCharacter::startSpeaking()
{
    const acs::Animation* speaking = animationFor(QStringLiteral("Speaking"), QStringLiteral("RestPose"));
    m_animator->setMouth(acs::MouthShape::Closed);
    if (speaking && speaking->frames.size() > 1) {
        connect(m_animator, &CharacterAnimator::finished, this,
                [this, speaking] { m_animator->play(speaking); });
        m_animator->play(speaking);
    } else if (speaking && !speaking->frames.empty()) {
        m_animator->hold(speaking->frames.front());
    }
    m_clock.start();
    m_speechTimer.start();
}

void DesktopCharacter::speechTick()
{
    Speaking& s = *m_speaking;
    // The words go on as far as their parts have come; a part late in coming holds them there.
    s.playedMs = std::min(s.playedMs + int(m_clock.restart()), s.times.durationMs);
    if (m_balloon)
        m_balloon->setSpoken(s.times.spokenLength(s.playedMs));
    m_animator->setMouth(s.times.mouthAt(s.playedMs));
    if (m_soundOut && !s.sound.isEmpty()) {
        const qsizetype room = std::min<qsizetype>(m_sound->bytesFree(), s.sound.size());
        const qint64 written = m_soundOut->write(s.sound.constData(), room & ~qsizetype(1));
        if (written > 0)
            s.sound.remove(0, written); // played sound is let go at once
    }
    if (!s.complete && !s.moreAsked && s.times.durationMs - s.playedMs < SpeechLookAheadMs) {
        s.moreAsked = true;
        m_speech.synthesizeMore(m_utteranceId);
    }
    if (s.complete && s.playedMs >= s.times.durationMs)
        endSpeech();
}

void DesktopCharacter::stopSound()
{
    if (m_sound) {
        m_sound->stop();
        m_sound.reset();
        m_soundOut = nullptr;
    }
}

void DesktopCharacter::endSpeech()
{
    m_speechTimer.stop();
    stopSound();
    m_speaking.reset(); // a long speech's times and sound go with it
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
    const int status = m_broken ? RequestFailed : RequestInterrupted;
    m_balloonTimer.stop();
    if (m_balloon)
        m_balloon->hide();
    for (Job& job : m_queue)
        job.request->setStatus(status);
    m_queue.clear();
    m_nextTimer.stop();
    m_idleTimer.stop();
    if (m_current) {
        ++m_utteranceId; // a synthesis still under way is dropped when it comes back
        m_speechTimer.stop();
        stopSound();
        m_speaking.reset();
        m_animator->disconnect(this);
        m_animator->setMouth(std::nullopt);
        m_animator->stop();
        m_current->request->setStatus(status);
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
    if (rest && !rest->frames.empty()) {
        m_animator->hold(rest->frames.front());
        return;
    }
    rest = animationFor(QStringLiteral("Showing"), QStringLiteral("Show"));
    if (rest && !rest->frames.empty())
        m_animator->hold(rest->frames.back());
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
    if (m_balloon && m_window)
        m_balloon->placeBeside(QRect(m_position, m_window->size()), screenOf(m_window.get()));
}

DesktopCharacters::DesktopCharacters(QStringList folders, std::unique_ptr<SpeechEngine> speech,
                                     bool withSound, QObject* parent)
    : CharacterService(parent), m_folders(std::move(folders)), m_speech(std::move(speech)),
      m_withSound(withSound)
{
    m_folders.removeDuplicates();
    m_reading.setMaxThreadCount(1);
}

DesktopCharacters::~DesktopCharacters()
{
    m_reading.clear();
    m_reading.waitForDone();
    m_characters.clear();
}

bool DesktopCharacters::canStart() const
{
    return QGuiApplication::primaryScreen() != nullptr;
}

void DesktopCharacters::setLanguage(const QString& languageName, Translation translate)
{
    m_userLanguage = languageNamed(languageName);
    if (translate)
        m_translate = std::move(translate);
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
    auto character = std::make_unique<DesktopCharacter>(name, *m_speech, m_withSound, m_userLanguage,
                                                        m_translate);
    connect(character.get(), &DesktopCharacter::dragged, this,
            [this, name](int x, int y) { emit Move(name, x, y, MovedByUser); });
    const quint64 ticket = ++m_loads;
    m_characters[name] = {ticket, std::move(character)};
    auto request = std::make_shared<CharacterRequest>();
    request->setStatus(RequestInProgress);
    m_reading.start([this, name, path, ticket, request] {
        std::shared_ptr<const acs::Character> data;
        QString error;
        try {
            data = std::make_shared<const acs::Character>(acs::readAcsFile(path));
        } catch (const acs::AcsError& e) {
            error = QString::fromUtf8(e.what());
        }
        QMetaObject::invokeMethod(
            this, [=, this] { read(name, ticket, data, error, request); }, Qt::QueuedConnection);
    });
    return request;
}

void DesktopCharacters::read(const QString& name, quint64 ticket,
                             const std::shared_ptr<const acs::Character>& data, const QString& error,
                             const CharacterRequestPtr& request)
{
    const auto it = m_characters.find(name);
    if (it == m_characters.end() || it->second.first != ticket) {
        request->setStatus(RequestInterrupted); // unloaded meanwhile
        return;
    }
    if (data) {
        it->second.second->setData(data);
        request->setStatus(RequestComplete);
        return;
    }
    it->second.second->setBroken();
    request->setStatus(RequestFailed);
    emit LoadFailed(name, error);
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
    return it == m_characters.end() ? nullptr : it->second.second.get();
}

} // namespace character
