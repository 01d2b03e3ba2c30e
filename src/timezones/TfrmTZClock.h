#pragma once

#include <QWidget>

class QMenu;

namespace core {
class LocaleFormats;
} // namespace core
namespace platform {
class Clock;
} // namespace platform

namespace clockface {
class TClockFace;
}

namespace timezones {

struct TZClockSettings;

// A small sizeable window with one clock face: the time of a zone kept on the desktop. Every
// showing puts on the shared look afresh; its size is remembered in the shared settings as the
// user changes it. Closing it only hides it.
class TfrmTZClock final : public QWidget
{
    Q_OBJECT

public:
    TfrmTZClock(platform::Clock& clock, const core::LocaleFormats& locale, TZClockSettings& settings,
                QMenu* popupMenu, QWidget* parent = nullptr);

    clockface::TClockFace* face = nullptr;
    // The number of the button that showed it.
    int Tag = 0;

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

private:
    void FormShow();

    TZClockSettings& m_settings;
};

} // namespace timezones
