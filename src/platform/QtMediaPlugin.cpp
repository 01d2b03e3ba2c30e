// The media plugin: Qt Multimedia's player, loaded by the program when the first file plays.
#include "platform/MediaPlugin.h"
#include "platform/QtMediaPlayer.h"

#include <QObject>

namespace platform {

class QtMediaPlugin final : public QObject, public MediaPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VESKEL_MEDIA_PLUGIN_IID)
    Q_INTERFACES(platform::MediaPlugin)

public:
    std::unique_ptr<MediaPlayer> createMediaPlayer() override { return std::make_unique<QtMediaPlayer>(); }
};

} // namespace platform

#include "QtMediaPlugin.moc"
