#pragma once

#include "clockface/ShownTime.h"
#include "platform/Platform.h"
#include "timezones/TimeZoneRecord.h"

#include <QWidget>

class QMenu;

namespace clockface {
class TClockFace;
}

namespace timezones {

class ZoneRules;
struct TZClockSettings;

// A small sizeable window with one clock face: the time of a zone kept on the desktop. It keeps
// the zone's rules at every second it shows, through daylight-saving changes, the turn of the
// year and a new zone for this machine. Every showing puts on the shared look afresh; its outer
// size is remembered in the shared settings as the user changes it, and held to the screen.
// Closing it only hides it.
class TfrmTZClock final : public QWidget
{
    Q_OBJECT

public:
    TfrmTZClock(const platform::Platform& platform, ZoneRules& rules, TZClockSettings& settings,
                QMenu* popupMenu, QWidget* parent = nullptr);

    clockface::TClockFace* face = nullptr;
    // The number of the button that showed it.
    int Tag = 0;

    // The place whose time it shows (its zone's id; empty for this machine's own zone), under the
    // zone's name, which is its caption. False, and nothing changed, for a zone the database
    // does not know.
    bool setZone(const QString& name, const QByteArray& zone);
    const QString& zoneName() const { return m_zoneName; }
    const QByteArray& zone() const { return m_zone; }

    // Shows it (or brings it to the front) at the remembered size, with the shared look.
    void showClock();

    static constexpr int HelpContext = 1130;

signals:
    // Closed by the user: the button of its number is to come up.
    void closed(int number);
    void propertiesRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void FormShow();
    clockface::TimeOffset offsetAt(const QDateTime& now);
    void rulesChanged();
    void refreshHint();
    // The remembered outer size, no larger than the screen.
    QSize outerSize() const;
    QSize frameExtra() const;
    void fitOuterSize();

    const platform::Platform& m_platform;
    ZoneRules& m_rules;
    TZClockSettings& m_settings;
    QString m_zoneName;
    QByteArray m_zone;
    TRegTZI m_record;
    int m_recordYear = 0;
    HoursMinutes m_offset{-9999, 0}; // none shown yet
    QSize m_framedFor;               // the frame the size was last fitted to
};

} // namespace timezones
