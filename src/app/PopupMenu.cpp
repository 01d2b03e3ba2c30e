#include "app/PopupMenu.h"

#include "widgets/Icons.h"

#include <QDir>

namespace app {

PopupMenu::PopupMenu(QString langFolder, QWidget* parent) : QMenu(parent), m_langFolder(std::move(langFolder))
{
    mnuConfigure = addAction(widgets::menuIcon(widgets::MenuPicture::Configure), QStringLiteral("Configure"));
    mnuTimeZones = addAction(widgets::globeIcon(), QStringLiteral("Time Zones"));
    addSeparator();
    mnuOnTop = addAction(QStringLiteral("Always On Top"));
    mnuOnTop->setCheckable(true);
    ScreenPosition1 = addMenu(QStringLiteral("Screen Position"));
    static const char16_t* const places[9] = {u"Top Left",    u"Top Center",    u"Top Right",
                                              u"Middle Left", u"Screen Center", u"Middle Right",
                                              u"Bottom Left", u"Bottom Center", u"Bottom Right"};
    for (int tag = 1; tag <= 9; ++tag) {
        if (tag == 4 || tag == 7)
            ScreenPosition1->addSeparator();
        QAction* item = ScreenPosition1->addAction(widgets::screenPositionIcon(tag),
                                                   QString::fromUtf16(places[tag - 1]));
        item->setData(tag);
        connect(item, &QAction::triggered, this, [this, tag] { emit screenPositionChosen(tag); });
        ScreenPositions[tag - 1] = item;
    }
    addSeparator();
    mnuExit = addAction(widgets::menuIcon(widgets::MenuPicture::Exit), QStringLiteral("Exit"));
    addSeparator();
    Help1 = addAction(widgets::menuIcon(widgets::MenuPicture::Help), QStringLiteral("Help"));
    Languages1 = addAction(QStringLiteral("Languages..."));
    About1 = addAction(widgets::menuIcon(widgets::MenuPicture::About), QStringLiteral("About..."));
    connect(this, &QMenu::aboutToShow, this, &PopupMenu::popConfigPopup);
}

void PopupMenu::popConfigPopup()
{
    Languages1->setEnabled(QDir(m_langFolder).exists());
}

} // namespace app
