#include "app/ClockTray.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

namespace app {

ClockTray::ClockTray(QMenu* menu, QObject* parent) : QObject(parent), m_icon(new QSystemTrayIcon(this))
{
    m_icon->setContextMenu(menu);
    m_clickDelay.setSingleShot(true);
    m_clickDelay.setInterval(QApplication::doubleClickInterval());
    connect(&m_clickDelay, &QTimer::timeout, this, &ClockTray::trayClick);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            m_clickDelay.start();
        else if (reason == QSystemTrayIcon::DoubleClick)
            trayDoubleClick();
    });
}

ClockTray::~ClockTray()
{
    m_icon->hide();
}

void ClockTray::setShown(bool shown)
{
    m_icon->setVisible(shown);
}

bool ClockTray::isShown() const
{
    return m_icon->isVisible();
}

void ClockTray::setIcon(const QIcon& icon)
{
    m_icon->setIcon(icon);
}

void ClockTray::setHint(const QString& hint)
{
    if (m_icon->toolTip() != hint)
        m_icon->setToolTip(hint);
}

QString ClockTray::hint() const
{
    return m_icon->toolTip();
}

void ClockTray::trayClick()
{
    emit menuRequested(QCursor::pos());
}

void ClockTray::trayDoubleClick()
{
    m_clickDelay.stop();
    emit configureRequested();
}

} // namespace app
