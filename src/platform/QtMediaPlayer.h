#pragma once

#include "platform/MediaPlayer.h"

#include <QObject>
#include <QPointer>
#include <memory>

class QMediaPlayer;
class QVideoWidget;

namespace platform {

// The media player through Qt Multimedia and its GStreamer back end: WAVE and other sounds, MIDI
// through GStreamer's FluidSynth element and the General MIDI sound font, videos in a window of
// their own that closes when the video ends or another file plays. Closing the video window
// stops the video.
class QtMediaPlayer final : public QObject, public MediaPlayer
{
    Q_OBJECT

public:
    // Said of a sound when the computer has no way to let it be heard.
    static constexpr char NoSoundOutput[] = "There is no sound output on this computer.";

    // `soundOutputExists` asks whether the computer has a sound output; by default the media
    // framework's list of outputs is asked.
    explicit QtMediaPlayer(QObject* parent = nullptr, std::function<bool()> soundOutputExists = {});
    ~QtMediaPlayer() override;

    void play(const QString& path, std::function<void(const QString& reason)> failed) override;
    void close() override;

    // The window of the video that plays, if one does.
    QVideoWidget* videoWindow() const;
    // Plays without a sound reaching the speakers (the tests' way to play real files quietly).
    void setMuted(bool muted) { m_muted = muted; }

signals:
    // The file played to its end.
    void finished(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fail(const QString& reason);
    void showVideo();

    QMediaPlayer* m_player = nullptr; // made for each file, so a closed one's late news is not heard
    QPointer<QVideoWidget> m_video;
    QString m_path;
    bool m_muted = false;
    std::function<bool()> m_soundOutputExists;
    std::function<void(const QString&)> m_failed;
};

} // namespace platform
