#pragma once

#include "platform/MediaPlayer.h"

#include <QString>
#include <functional>
#include <memory>

namespace platform {

// Sound and video through the media plugin, which is loaded when the first file plays: most
// runs play none, and Qt Multimedia with GStreamer and PulseAudio would weigh on every start.
// Without the plugin nothing plays: every file fails with the text `unavailable` gives (told the
// reason), and the reason is said once on standard error.
class MediaOnFirstUse final : public MediaPlayer
{
public:
    MediaOnFirstUse(QString pluginFile, std::function<QString(const QString& why)> unavailable);
    ~MediaOnFirstUse() override;

    void play(const QString& path, std::function<void(const QString& reason)> failed) override;
    void close() override;

    bool isLoaded() const { return m_player != nullptr; }

private:
    QString m_pluginFile;
    std::function<QString(const QString&)> m_unavailable;
    bool m_tried = false;
    QString m_why;
    std::unique_ptr<MediaPlayer> m_player;
};

} // namespace platform
