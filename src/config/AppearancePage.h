#pragma once

#include "app/ClockTypes.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace app {
class TfrmClock;
}
namespace widgets {
class ColorPicker;
}

namespace config {

using widgets::ColorPicker;

// "Change the Appearance": every control writes its clock setting at once and redraws the
// clock, so the clock is its own preview. The dialog's Cancel puts back what was there.
class AppearancePage final : public QWidget
{
    Q_OBJECT

public:
    AppearancePage(app::TfrmClock& clock, QWidget* parent = nullptr);

    struct HandControls
    {
        QGroupBox* group = nullptr;
        QSlider* length = nullptr;
        QSlider* width = nullptr;
        ColorPicker* color = nullptr;
        QComboBox* mode = nullptr;
    };

    QWidget* panel = nullptr;
    QTabWidget* pgcClock = nullptr;
    // Clock Window
    QSlider* trkWidth = nullptr;
    QSlider* trkHeight = nullptr;
    QGroupBox* grpRatio = nullptr;
    QButtonGroup* radRatio = nullptr; // the ids below
    static constexpr int RatioNone = 0;
    static constexpr int RatioSame = 1; // "1 : 1"
    static constexpr int RatioKeepAspect = 2;
    ColorPicker* btnClockColor = nullptr;
    QPushButton* btn100 = nullptr;
    QPushButton* btnOpenPic = nullptr;
    QPushButton* btnEditPicture = nullptr;
    QPushButton* btnClear = nullptr;
    QCheckBox* chkHide = nullptr;
    QSlider* trkTimer = nullptr;
    // Hands, in the order second, minute, hour
    HandControls hands[3];
    // Caption (read-only)
    QLineEdit* txtCaption = nullptr;
    QFontComboBox* cboFontName = nullptr;
    QComboBox* cboFontSize = nullptr;
    ColorPicker* btnCaptionColor = nullptr;
    QCheckBox* chkBold = nullptr;
    QCheckBox* chkItalic = nullptr;
    QCheckBox* chkStrikeOut = nullptr;
    QCheckBox* chkUnderline = nullptr;
    // Icon
    ColorPicker* btnIconMinHandColor = nullptr;
    ColorPicker* btnIconHourHandColor = nullptr;
    QCheckBox* chkOnTray = nullptr;
    // Under the tabs
    QGroupBox* grpShape = nullptr;
    QButtonGroup* radShape = nullptr;
    QCheckBox* chkRunAtStartup = nullptr;
    QCheckBox* chkOnTop = nullptr;

    // Filling on show: the size sliders, the Clock Window and Icon tabs, the controls under the
    // tabs, and the tab in front.
    void fillOnShow();
    void pgcClockChange(int index);
    void fillHands();
    void fillCaption();

    // Handlers.
    void trkWidthChange(QSlider* moved);
    void ApplySize();
    void btn100Click();
    void btnClockColorChange(app::TColor color);
    void trkTimerChange();
    void chkHideClick();
    void btnOpenPicClick();
    void btnEditPictureClick();
    void btnClearClick();
    void handLengthChange(int hand);
    void handWidthChange(int hand);
    void handModeChange(int hand);
    void handColorChange(int hand, app::TColor color);
    void chkOnTrayClick();
    void chkOnTopClick();
    void radShapeClick(int index);

    // Edit and Clear can be used exactly when there is a picture.
    void updatePictureButtons();
    // The picture dialog's filter, translated and in the file dialog's form.
    static QString pictureFilter();

    void setDialogVisible(bool visible) { m_dialogVisible = visible; }

private:
    // The tabs, each with its controls connected to their handlers (AppearancePageTabs.cpp).
    QWidget* buildClockWindowTab();
    QWidget* buildHandsTab();
    QWidget* buildCaptionTab();
    QWidget* buildIconTab();
    void updateSizeHints();
    app::HandStyle& handStyle(int hand);
    void redraw();

    app::TfrmClock& m_clock;
    bool m_filling = false;
    bool m_dialogVisible = false;
};

} // namespace config
