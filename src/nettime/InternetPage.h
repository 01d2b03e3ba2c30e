#pragma once

#include "nettime/ClockAdjustment.h"
#include "nettime/ServerList.h"
#include "platform/Platform.h"

#include <QWidget>
#include <functional>
#include <optional>

class QComboBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;
class QStatusBar;
class QTimer;
class QToolButton;
class QPushButton;

namespace platform {
class HostLookup;
}

namespace nettime {

class TTimeClient;
class ESockError;

// "Adjust the Time": the computer's clock set from a time server, by hand with a time picker, or
// in the desktop's own settings; the last change undone. The page lives as long as the program
// (the adjust-time event drives it even when the dialog is not on screen), and so do its server
// list, its picker and the changes it has made.
class InternetPage final : public QWidget
{
    Q_OBJECT

public:
    // `timeServer` is the setting that remembers the chosen server; `tmr` the dialog's refresh
    // timer, which the dialog runs while this page is shown and which the page stops while it
    // changes the clock.
    InternetPage(const platform::Platform& platform, platform::HostLookup& lookup, QString& timeServer,
                 QTimer& tmr, QWidget* parent = nullptr);
    ~InternetPage() override;

    // UTC = local time + bias, in minutes, for the moment of asking. Until one is given, the
    // clock's own offset serves.
    void setLocalBias(std::function<qint32()> bias) { m_localBias = std::move(bias); }
    // Where the focus goes when a manual setting is abandoned (the dialog's OK button).
    void setFocusAfterCancel(QWidget* widget) { m_focusAfterCancel = widget; }

    QWidget* pnlAdjust = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label17 = nullptr;
    QComboBox* cboHost = nullptr;
    QToolButton* btnUpdateTime = nullptr;
    QLabel* Label18 = nullptr;
    QLineEdit* txtPort = nullptr;
    QLabel* Label28 = nullptr;
    QSlider* trkTimeOut = nullptr;
    QPushButton* btnFindFastest = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label19 = nullptr;
    QDateTimeEdit* dtp = nullptr;
    QLabel* lblTime = nullptr;
    QToolButton* btnApplyTimeChange = nullptr;
    QToolButton* btnCancelTimeSet = nullptr;
    QToolButton* btnTimeDateCPL = nullptr;
    QToolButton* btnUndo = nullptr;
    QStatusBar* sBar = nullptr;
    TTimeClient* TimeClient1 = nullptr;

    QString panelText(int panel) const;
    double LastChange() const { return m_adjustment.LastChange(); }
    double TotalChange() const { return m_adjustment.TotalChange(); }
    bool updating() const { return m_updating; }

    // Fills the server box from NTPServers.dta and sets its text to the remembered server.
    void LoadServerList();
    // Sets the clock from the chosen server. While one runs, another is not started: the call
    // returns at once (an adjust-time event due meanwhile is skipped; the update under way sets
    // the clock anyway).
    void btnUpdateTimeClick();
    // Applies the picker's time of day to today's date.
    void SetTimeFromPicker();
    // Takes x days off the clock.
    void UndoTimeChange(double x);
    void btnUndoClick();
    // The dialog closed other than with OK: every change since the last such close goes back.
    void RevertTotalChange();
    void tmrTimer();
    void btnApplyTimeChangeClick();
    void btnCancelTimeSetClick();
    void btnTimeDateCPLClick();

signals:
    // A panel of the status bar has a new text (0: the total, 1: the server and the last change).
    void statusChanged(int panel, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildServerPart();
    void buildManualPart();
    void wireTimeClient();
    void tabInternetResize();
    void OfferToSaveServer();
    void setPanel(int panel, const QString& text);
    void setPicker(const QDateTime& value);
    void setPicker(DayTime value);
    DayTime pickerValue() const;
    // The time of day the client wrote.
    std::optional<QTime> readTimeStr(const QString& text) const;
    void setManualButtons(bool enabled);
    // The refresh stops while the clock is being changed, and runs again afterwards while the
    // page is on screen.
    void pauseRefresh();
    void resumeRefresh();
    void reportRefusal(platform::ClockSetter::Result result);
    void reportTotal();
    QString failureText(const ESockError& failure) const;
    qint32 localBias() const;
    QStringList serverItems() const;

    const platform::Platform m_platform;
    QString& m_timeServer;
    QTimer& m_tmr;
    ClockAdjustment m_adjustment;
    ServerOrder m_order;
    std::function<qint32()> m_localBias;
    QWidget* m_focusAfterCancel = nullptr;
    QLabel* m_panels[2] = {};
    bool m_updating = false;
};

} // namespace nettime
