#include "platform/ScreenInfo.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

QSize QtScreenInfo::primaryScreenSize() const
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    // No screen at all (a display going away): a size every position formula can live with.
    return {1024, 768};
}

} // namespace platform
