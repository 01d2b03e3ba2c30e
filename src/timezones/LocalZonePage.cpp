#include "timezones/LocalZonePage.h"

#include "timezones/ZoneRuleGroup.h"
#include "widgets/Icons.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace timezones {

LocalZonePage::LocalZonePage(QWidget* parent) : QWidget(parent)
{
    gpTimeZones = new QGroupBox(QStringLiteral("Local Time Zone"), this);
    gpTimeZones->setFixedWidth(GroupWidth);

    lblTZBias = new QLabel(gpTimeZones);
    lblTZBias->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblTZBias->setWordWrap(true);

    chkDaylightSavingNow = new QCheckBox(gpTimeZones);
    chkDaylightSavingNow->setEnabled(false);
    Label34 = new QLabel(QStringLiteral("Daylight Savings Now"), gpTimeZones);
    auto* daylightNow = new QHBoxLayout;
    daylightNow->addStretch(1);
    daylightNow->addWidget(chkDaylightSavingNow);
    daylightNow->addWidget(Label34);
    daylightNow->addStretch(1);

    gpStandardName = makeZoneRuleGroup(gpTimeZones, lblStandardDesc, lblStandardDT);
    gpDaylightName = makeZoneRuleGroup(gpTimeZones, lblDaylightDesc, lblDaylightDT);

    btnTimeZones = new QToolButton(gpTimeZones);
    btnTimeZones->setAutoRaise(true);
    btnTimeZones->setIcon(widgets::globeIcon());
    btnTimeZones->setIconSize(QSize(24, 24));
    btnTimeZones->setToolTip(QStringLiteral("More Time Zones"));
    auto* more = new QHBoxLayout;
    more->addStretch(1);
    more->addWidget(btnTimeZones);

    auto* layout = new QVBoxLayout(gpTimeZones);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);
    layout->addWidget(lblTZBias);
    layout->addLayout(daylightNow);
    layout->addWidget(gpStandardName);
    layout->addWidget(gpDaylightName);
    layout->addStretch(1);
    layout->addLayout(more);
    fitGroup();
}

void LocalZonePage::fitGroup()
{
    // Its own height, unless a long (translated) rule text needs more lines than it has room for.
    // The layouts learn of new texts only from posted events; they are told at once here.
    for (QGroupBox* box : {gpStandardName, gpDaylightName}) {
        box->layout()->invalidate();
        box->updateGeometry();
    }
    lblTZBias->updateGeometry();
    QLayout* layout = gpTimeZones->layout();
    layout->invalidate();
    const int needed = layout->hasHeightForWidth() ? layout->totalHeightForWidth(GroupWidth)
                                                   : layout->totalSizeHint().height();
    gpTimeZones->setFixedHeight(std::max(int(GroupHeight), needed));
    placeGroup();
}

void LocalZonePage::placeGroup()
{
    // Integer halves toward zero, so a page narrower than the group shows its middle.
    gpTimeZones->move((width() - GroupWidth) / 2, (height() - gpTimeZones->height()) / 2);
}

void LocalZonePage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fitGroup(); // the texts are filled and translated by now
}

void LocalZonePage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeGroup();
}

} // namespace timezones
