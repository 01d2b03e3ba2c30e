#pragma once

#include <QObject>
#include <QTimer>

class QSystemTrayIcon;
class QMenu;
class QIcon;

namespace app {

// The clock's icon in the notification area. A click opens the menu where the pointer is, a
// double-click the configuration; the right button opens the menu as the icon's own.
class ClockTray final : public QObject
{
    Q_OBJECT

public:
    ClockTray(QMenu* menu, QObject* parent = nullptr);
    ~ClockTray() override;

    void setShown(bool shown);
    bool isShown() const;
    void setIcon(const QIcon& icon);
    void setHint(const QString& hint);
    QString hint() const;

    // What a click and a double-click do; also called by tests.
    void trayClick();
    void trayDoubleClick();

signals:
    void menuRequested(const QPoint& globalPos);
    void configureRequested();

private:
    QSystemTrayIcon* m_icon = nullptr;
    // A first click waits for the double-click time: a double-click must not open the menu first.
    QTimer m_clickDelay;
};

} // namespace app
