#include "platform/PluginLoader.h"

#include <QFileInfo>
#include <QPluginLoader>

namespace platform {

QObject* loadPluginRoot(const QString& file, QString* why)
{
    if (!QFileInfo(file).isFile()) {
        if (why)
            *why = file + QStringLiteral(" is missing");
        return nullptr;
    }
    QPluginLoader loader(file);
    QObject* root = loader.instance();
    if (!root && why)
        *why = loader.errorString();
    return root;
}

} // namespace platform
