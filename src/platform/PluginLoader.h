#pragma once

#include <QObject>
#include <QString>

namespace platform {

// Loads one of the program's own plugins (a shared object in its plugin folder) and gives its
// root object; null, and why in `why`, when the file is missing or does not load. A plugin stays
// loaded for the rest of the run, so what it made may live as long as the program.
QObject* loadPluginRoot(const QString& file, QString* why);

// The plugin's root as the interface it is wanted for; null, and why, when it is not one.
template <class Interface> Interface* loadPlugin(const QString& file, QString* why)
{
    QObject* root = loadPluginRoot(file, why);
    auto* plugin = qobject_cast<Interface*>(root);
    if (root && !plugin && why)
        *why = file + QStringLiteral(" is not the plugin wanted here");
    return plugin;
}

} // namespace platform
