#pragma once

#include "timezones/TZClockSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QGroupBox;
class QPushButton;
class QSlider;
class QTabWidget;

namespace clockface {
class TClockFace;
}
namespace widgets {
class ColorPicker;
}

namespace timezones {

class TfrmTimeZone;

// Edits the look of one face (the zone clock window's, or the time zones window's analogue
// face) on a preview of its own: OK puts the result on that face, "Apply to All" on both faces
// at once, "Set as Default" makes it the look every zone clock starts with.
class TfrmTZClockProps final : public QDialog
{
    Q_OBJECT

public:
    // Edits the face that the time zones window names as the target.
    explicit TfrmTZClockProps(TfrmTimeZone& owner, QWidget* parent = nullptr);

    // The working copy of the settings; its font is the preview's.
    TZClockSettings Working;
    clockface::TClockFace* target() const { return m_target; }
    bool loading() const { return m_loading; }

    QTabWidget* pgc = nullptr;
    QWidget* tabAnalog = nullptr;
    QWidget* tabDigital = nullptr;
    QGroupBox* gpSecondHand = nullptr;
    QSlider* trkSecHandLength = nullptr;
    QSlider* trkSHandWidth = nullptr;
    widgets::ColorPicker* btnSecHandColor = nullptr;
    QCheckBox* chkShowSecHand = nullptr;
    QGroupBox* gpMinHand = nullptr;
    QSlider* trkMinHandLength = nullptr;
    QSlider* trkMinHandWidth = nullptr;
    widgets::ColorPicker* btnMinHandColor = nullptr;
    QGroupBox* gpHourHand = nullptr;
    QSlider* trkHourHandLength = nullptr;
    QSlider* trkHourHandWidth = nullptr;
    widgets::ColorPicker* btnHourHandColor = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QFontComboBox* cboFont = nullptr;
    QComboBox* cboFontSize = nullptr;
    widgets::ColorPicker* btnFontColor = nullptr;
    QCheckBox* chkBold = nullptr;
    QCheckBox* chkItalic = nullptr;
    QCheckBox* chkStrikeOut = nullptr;
    QCheckBox* chkUnderline = nullptr;
    QCheckBox* chkShowSeconds = nullptr;
    QCheckBox* chkShowAmPm = nullptr;
    widgets::ColorPicker* btnBGColor = nullptr;
    QGroupBox* gpPreview = nullptr;
    clockface::TClockFace* PreviewClock = nullptr;
    QPushButton* btnAll = nullptr;
    QPushButton* btnDefault = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* BitBtn2 = nullptr;

    // The hands and colours are told apart by number: 1 second, 2 minute, 3 hour, 4 the font's
    // colour, 5 the background.
    void trkLengthChange(int tag, int value);
    void trkWidthChange(int tag, int value);
    void btnColorChange(int tag, core::TColor color);
    void chkShowSecHandClick();
    void cboFontChange();
    void cboFontSizeChange(const QString& text);
    void chkStyleClick();
    void chkFormatClick();
    void pgcChange();
    void btnOKClick();
    void btnDefaultClick();
    void btnAllClick();

    static constexpr int HelpContext = 1140;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildAnalogPage();
    QWidget* buildDigitalPage();
    void FormShow();
    // A face's look into the working settings, and the working settings onto a face.
    void capture(const clockface::TClockFace& face);
    void apply(clockface::TClockFace& face);
    void putIntoControls();
    void enableButtons();

    TfrmTimeZone& m_owner;
    clockface::TClockFace* m_target;
    bool m_loading = false;
};

} // namespace timezones
