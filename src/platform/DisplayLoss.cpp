#include "platform/DisplayLoss.h"

#include <QString>
#include <QtGlobal>
#include <cstring>

namespace platform {

namespace {

// A message handler is a plain function, so its state is file-wide.
std::function<void()> g_lastWish;
QtMessageHandler g_previous = nullptr;
bool g_installed = false;

void watchMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (g_lastWish && DisplayLoss::meansDisplayLost(message.toUtf8().constData())) {
        auto wish = std::move(g_lastWish);
        g_lastWish = nullptr;
        wish();
    }
    if (g_previous)
        g_previous(type, context, message);
}

} // namespace

bool DisplayLoss::meansDisplayLost(const char* message)
{
    // xcb: "The X11 connection broke (error 1). Did the X11 server die?"
    // wayland: "The Wayland connection broke. Did the Wayland compositor die?"
    return message && std::strstr(message, " connection broke") &&
           (std::strstr(message, "X11") || std::strstr(message, "Wayland"));
}

void DisplayLoss::setLastWish(std::function<void()> wish)
{
    g_lastWish = std::move(wish);
    if (!g_installed) {
        g_previous = qInstallMessageHandler(watchMessages);
        g_installed = true;
    }
}

} // namespace platform
