#pragma once

#include "platform/MediaPlayer.h"

#include <QtPlugin>
#include <memory>

namespace platform {

// What the media plugin offers: a player of sound and video files.
class MediaPlugin
{
public:
    virtual ~MediaPlugin() = default;
    virtual std::unique_ptr<MediaPlayer> createMediaPlayer() = 0;
};

} // namespace platform

#define VESKEL_MEDIA_PLUGIN_IID "com.palvaro.Veskel.MediaPlugin/1"
Q_DECLARE_INTERFACE(platform::MediaPlugin, VESKEL_MEDIA_PLUGIN_IID)
