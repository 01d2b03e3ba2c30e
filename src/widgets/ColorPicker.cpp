#include "widgets/ColorPicker.h"

#include "platform/CommonDialogs.h"

#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QWidgetAction>

namespace widgets {

const core::TColor ColorPicker::Palette[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                               0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                               0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

namespace {

QIcon swatch(const QColor& color, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(color);
    p.drawRect(QRect(QPoint(0, 0), size).adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

ColorPicker::ColorPicker(platform::CommonDialogs& dialogs, QWidget* parent)
    : QToolButton(parent), m_dialogs(dialogs)
{
    setAutoRaise(true);
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(36, 14));

    auto* menu = new QMenu(this);
    auto* grid = new QWidget(menu);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    for (int i = 0; i < 16; ++i) {
        auto* cell = new QToolButton(grid);
        cell->setAutoRaise(true);
        cell->setIconSize(QSize(16, 16));
        cell->setIcon(swatch(core::resolveColor(Palette[i]), QSize(16, 16)));
        const core::TColor value = Palette[i];
        connect(cell, &QToolButton::clicked, this, [this, menu, value] {
            menu->close();
            pick(value);
        });
        layout->addWidget(cell, i / 4, i % 4);
    }
    auto* gridAction = new QWidgetAction(menu);
    gridAction->setDefaultWidget(grid);
    menu->addAction(gridAction);
    menu->addSeparator();
    m_more = menu->addAction(QStringLiteral("More Colors..."));
    connect(m_more, &QAction::triggered, this, &ColorPicker::moreColors);
    m_menu = menu;
    setMenu(menu);
    updateSwatch();
}

void ColorPicker::setReadOnly(bool readOnly)
{
    setMenu(readOnly ? nullptr : m_menu);
    setPopupMode(readOnly ? QToolButton::DelayedPopup : QToolButton::InstantPopup);
    setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
}

void ColorPicker::setColor(core::TColor color)
{
    m_color = color;
    updateSwatch();
}

void ColorPicker::pick(core::TColor color)
{
    setColor(color);
    emit colorChanged(color);
}

void ColorPicker::moreColors()
{
    if (const auto chosen = m_dialogs.chooseColor(window(), core::resolveColor(m_color)))
        pick(core::toTColor(*chosen));
}

void ColorPicker::updateSwatch()
{
    setIcon(swatch(core::resolveColor(m_color), iconSize()));
}

} // namespace widgets
