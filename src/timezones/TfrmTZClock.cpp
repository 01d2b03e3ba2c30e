#include "timezones/TfrmTZClock.h"

#include "clockface/TClockFace.h"
#include "timezones/TZClockSettings.h"
#include "timezones/TZFaceLook.h"
#include "timezones/ZoneDetails.h"
#include "timezones/ZoneRules.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace timezones {

TfrmTZClock::TfrmTZClock(const platform::Platform& platform, ZoneRules& rules, TZClockSettings& settings,
                         QMenu* popupMenu, QWidget* parent)
    : QWidget(parent, Qt::Window), m_platform(platform), m_rules(rules), m_settings(settings)
{
    setWindowTitle(QStringLiteral("Time Zone Clock")); // translated with the window
    setMinimumSize(TZClockSettings::MinWindowSide, TZClockSettings::MinWindowSide);
    face = new clockface::TClockFace(platform.clock, platform.locale, this);
    face->setClockStyle(clockface::csAnalog);
    face->setPopupMenu(popupMenu);
    face->setOffsetSource([this](const QDateTime& now) { return offsetAt(now); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(face);
    connect(face, &clockface::TClockFace::OnDblClick, this, &TfrmTZClock::propertiesRequested);
    // The date in the hint turns with the zone's own midnight.
    connect(face, &clockface::TClockFace::OnHourChange, this, &TfrmTZClock::refreshHint);
    connect(&m_rules, &ZoneRules::changed, this, &TfrmTZClock::rulesChanged);
    resize(outerSize());
}

bool TfrmTZClock::setZone(const QString& name, const QByteArray& zone)
{
    m_rules.bringUpToDate();
    const std::optional<TRegTZI> record = m_rules.recordOf(zone);
    if (!record)
        return false;
    m_zoneName = name;
    m_zone = zone;
    m_record = *record;
    m_recordYear = m_rules.RuleYear();
    setWindowTitle(name);
    face->tmrTimer(); // a running face shows the new zone at once
    refreshHint();
    return true;
}

void TfrmTZClock::rulesChanged()
{
    if (const std::optional<TRegTZI> record = m_rules.recordOf(m_zone)) {
        m_record = *record;
        m_recordYear = m_rules.RuleYear();
    }
    face->tmrTimer();
    refreshHint();
}

clockface::TimeOffset TfrmTZClock::offsetAt(const QDateTime& now)
{
    m_rules.bringUpToDate();
    if (m_recordYear != m_rules.RuleYear()) {
        m_record = m_rules.recordOf(m_zone).value_or(m_record);
        m_recordYear = m_rules.RuleYear();
    }
    const HoursMinutes offset = ZoneOffset(m_record, m_rules.LocalRules(), core::dayTime(now), m_recordYear);
    if (!(offset == m_offset)) {
        m_offset = offset;
        refreshHint();
    }
    return {offset.hours, offset.minutes, 0};
}

void TfrmTZClock::refreshHint()
{
    if (m_zoneName.isEmpty())
        return;
    const ZoneDetails now = describeZone(m_record, m_rules.LocalRules(),
                                         core::dayTime(m_platform.clock.now()), m_rules.RuleYear(),
                                         m_platform.locale);
    face->setToolTip(QString(now.TZBias).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) + u'\n' +
                     now.TimeThere);
}

QSize TfrmTZClock::outerSize() const
{
    return QSize(m_settings.Width, m_settings.Height).boundedTo(m_platform.screen.primaryScreenSize());
}

QSize TfrmTZClock::frameExtra() const
{
    return frameGeometry().size() - size();
}

void TfrmTZClock::fitOuterSize()
{
    m_framedFor = frameExtra();
    resize(outerSize() - m_framedFor);
}

void TfrmTZClock::showClock()
{
    // The size first, so the window appears at it rather than growing to it.
    fitOuterSize();
    show();
    raise();
    activateWindow();
}

void TfrmTZClock::FormShow()
{
    fitOuterSize(); // the place stays where it is
    applyColorAndHands(*face, m_settings);
    applyFont(*face, m_settings.Font);
    face->setDisplayFormat(m_settings.displayFormat());
    face->setClockStyle(m_settings.IsDigital ? clockface::csText : clockface::csAnalog);
    face->setActive(true);
}

void TfrmTZClock::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmTZClock::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        face->setActive(false);
}

void TfrmTZClock::closeEvent(QCloseEvent* event)
{
    event->accept(); // hidden, not destroyed
    emit closed(Tag);
}

void TfrmTZClock::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // The desktop frames a window after it appears: the size asked for is the outer one.
    if (isVisible() && frameExtra() != m_framedFor)
        fitOuterSize();
}

void TfrmTZClock::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Only what the user (or the desktop) makes of the shown window is kept for the next run.
    if (isVisible() && frameExtra() == m_framedFor) {
        m_settings.Width = frameGeometry().width();
        m_settings.Height = frameGeometry().height();
    }
}

} // namespace timezones
