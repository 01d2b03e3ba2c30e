#pragma once

#include "platform/Platform.h"

#include <QWidget>

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

namespace nettime {

class TimeUpdate;

// "Adjust the Time": the computer's clock set from a time server, by hand with a time picker, or
// in the desktop's own settings; the last change undone. The page shows and edits the run's one
// update command (which start-up owns), so what it shows is what the command did, whoever ran it.
class InternetPage final : public QWidget
{
    Q_OBJECT

public:
    // `tmr` is the dialog's refresh timer, which the dialog runs while this page is shown.
    InternetPage(const platform::Platform& platform, TimeUpdate& update, QTimer& tmr,
                 QWidget* parent = nullptr);
    ~InternetPage() override;

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

    QString panelText(int panel) const;
    TimeUpdate& update() { return m_update; }

    void btnUpdateTimeClick();
    void btnUndoClick();
    void tmrTimer();
    void btnApplyTimeChangeClick();
    void btnCancelTimeSetClick();
    void btnTimeDateCPLClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildServerPart();
    void buildManualPart();
    void followUpdate();
    void fillServerBox();
    void tabInternetResize();
    // The system zone's wall-clock time now, and the picker set to an instant's.
    QDateTime wallClock() const;
    void setPicker(const QDateTime& instant);
    void showBusy(bool busy);
    void setManualButtons(bool enabled);

    const platform::Platform m_platform;
    TimeUpdate& m_update;
    QTimer& m_tmr;
    QWidget* m_focusAfterCancel = nullptr;
    QLabel* m_panels[2] = {};
};

} // namespace nettime
