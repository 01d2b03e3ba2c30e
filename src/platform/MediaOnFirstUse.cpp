#include "platform/MediaOnFirstUse.h"

#include "platform/MediaPlugin.h"
#include "platform/PluginLoader.h"
#include "platform/Stderr.h"

namespace platform {

MediaOnFirstUse::MediaOnFirstUse(QString pluginFile, std::function<QString(const QString&)> unavailable)
    : m_pluginFile(std::move(pluginFile)), m_unavailable(std::move(unavailable))
{
}

MediaOnFirstUse::~MediaOnFirstUse() = default;

void MediaOnFirstUse::play(const QString& path, std::function<void(const QString&)> failed)
{
    if (!m_tried) {
        m_tried = true;
        if (MediaPlugin* plugin = loadPlugin<MediaPlugin>(m_pluginFile, &m_why))
            m_player = plugin->createMediaPlayer();
        else
            sayOnStderr(QStringLiteral("sounds and videos cannot be played: ") + m_why);
    }
    if (m_player)
        m_player->play(path, std::move(failed));
    else if (failed)
        failed(m_unavailable(m_why));
}

void MediaOnFirstUse::close()
{
    if (m_player)
        m_player->close();
}

} // namespace platform
