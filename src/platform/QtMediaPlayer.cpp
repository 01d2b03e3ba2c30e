#include "platform/QtMediaPlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QScreen>
#include <QUrl>
#include <QVideoWidget>

namespace platform {

QtMediaPlayer::QtMediaPlayer(QObject* parent, std::function<bool()> soundOutputExists)
    : QObject(parent), m_soundOutputExists(std::move(soundOutputExists))
{
    if (!m_soundOutputExists)
        m_soundOutputExists = [] { return !QMediaDevices::audioOutputs().isEmpty(); };
}

QtMediaPlayer::~QtMediaPlayer()
{
    close();
}

void QtMediaPlayer::play(const QString& path, std::function<void(const QString&)> failed)
{
    close();
    m_path = path;
    m_failed = std::move(failed);
    m_player = new QMediaPlayer(this);
    auto* audio = new QAudioOutput(m_player);
    audio->setMuted(m_muted);
    m_player->setAudioOutput(audio);
    m_video = new QVideoWidget;
    m_video->setWindowTitle(QFileInfo(path).fileName());
    m_video->installEventFilter(this);
    m_player->setVideoOutput(m_video);

    // Each connection ends when close() lets go of this player.
    connect(m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& why) { fail(why); });
    connect(m_player, &QMediaPlayer::hasVideoChanged, this, [this](bool video) {
        if (video)
            showVideo();
    });
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia) {
            fail(m_player->errorString());
        } else if (status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia) {
            // Without an output the framework plays a sound into nothing and only says so on
            // the error output; a video shows all the same.
            if (!m_muted && !m_player->hasVideo() && !m_soundOutputExists())
                fail(QString::fromLatin1(NoSoundOutput));
        } else if (status == QMediaPlayer::EndOfMedia) {
            const QString done = m_path;
            if (m_video)
                m_video->hide();
            emit finished(done);
        }
    });
    m_player->setSource(QUrl::fromLocalFile(path));
    m_player->play();
}

QVideoWidget* QtMediaPlayer::videoWindow() const
{
    return m_video;
}

void QtMediaPlayer::close()
{
    m_failed = nullptr;
    if (m_player) {
        // Deleted later: this may run inside one of its own signals.
        m_player->disconnect(this);
        m_player->stop();
        m_player->deleteLater();
        m_player = nullptr;
    }
    if (m_video) {
        m_video->removeEventFilter(this);
        m_video->hide();
        m_video->deleteLater();
        m_video = nullptr;
    }
}

void QtMediaPlayer::fail(const QString& reason)
{
    auto failed = std::exchange(m_failed, nullptr);
    if (m_video)
        m_video->hide();
    if (m_player)
        m_player->stop();
    // Told from the event loop: whoever hears it may open a box, which is better not done
    // inside the media framework's own news.
    if (failed)
        QMetaObject::invokeMethod(
            this, [failed, reason] { failed(reason); }, Qt::QueuedConnection);
}

void QtMediaPlayer::showVideo()
{
    if (!m_video)
        return;
    QSize size = m_player->metaData().value(QMediaMetaData::Resolution).toSize();
    if (!size.isValid() || size.isEmpty())
        size = QSize(640, 480);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 3 / 4);
    m_video->resize(size);
    m_video->show();
    m_video->raise();
}

bool QtMediaPlayer::eventFilter(QObject* watched, QEvent* event)
{
    // The user closed the video's window: the video stops with it.
    if (watched == m_video && event->type() == QEvent::Close && m_player)
        m_player->stop();
    return QObject::eventFilter(watched, event);
}

} // namespace platform
