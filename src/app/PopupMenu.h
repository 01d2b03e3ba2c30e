#pragma once

#include <QMenu>

namespace app {

// The clock's one menu, shared by the clock window and its tray icon: configuration, time
// zones, always on top, screen position, exit, help, languages and About.
class PopupMenu final : public QMenu
{
    Q_OBJECT

public:
    // `langFolder` decides, each time the menu opens, whether "Languages..." can be chosen.
    explicit PopupMenu(QString langFolder, QWidget* parent = nullptr);

    QAction* mnuConfigure = nullptr;
    QAction* mnuTimeZones = nullptr;
    QAction* mnuOnTop = nullptr;
    QMenu* ScreenPosition1 = nullptr;
    QAction* ScreenPositions[9] = {};
    QAction* mnuExit = nullptr;
    QAction* Help1 = nullptr;
    QAction* Languages1 = nullptr;
    QAction* About1 = nullptr;

    void popConfigPopup();

signals:
    void screenPositionChosen(int tag);

private:
    QString m_langFolder;
};

} // namespace app
