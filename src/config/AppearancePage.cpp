#include "config/AppearancePage.h"

#include "app/HandGeometry.h"
#include "app/TfrmClock.h"
#include "core/FileFilter.h"
#include "core/Rounding.h"
#include "lang/Translate.h"
#include "widgets/ColorPicker.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

#include <algorithm>

namespace config {

namespace {

// "150 pixels": `unit` comes translated.
QString count(int value, const QString& unit)
{
    return QString::number(value) + u' ' + unit;
}

} // namespace

QString AppearancePage::pictureFilter()
{
    // clang-format off
    return core::toQtFileFilter(Translate(QStringLiteral("Image Files (*.bmp;*.jpg;*.jpeg;*.gif;*.wmf)|*.bmp;*.jpg;*.jpeg;*.gif;*.wmf|Bitmaps (*.bmp)|*.bmp|JPEG Image Files (*.jpg; *.jpeg)|*.jpg;*.jpeg|GIF Image Files (*.gif)|*.gif|Windows Metafiles (*.wmf)|*.wmf|All Files (*.*)|*.*")));
    // clang-format on
}

app::HandStyle& AppearancePage::handStyle(int hand)
{
    app::ClockSettings& s = m_clock.Settings;
    return hand == 0 ? s.SecHand : hand == 1 ? s.MinHand : s.HourHand;
}

void AppearancePage::redraw()
{
    m_clock.tmrTimer();
}

void AppearancePage::fillOnShow()
{
    m_filling = true;
    app::ClockSettings& s = m_clock.Settings;
    const QSize screen = m_clock.platformServices().screen.primaryScreenSize();
    const int maximum = std::max(16, std::min(screen.width(), screen.height()));
    for (QSlider* size : {trkWidth, trkHeight}) {
        size->setRange(16, maximum);
        size->setPageStep(std::max(1, (maximum - 16) / 10));
        size->setTickInterval(size->pageStep());
    }
    trkWidth->setValue(m_clock.width());
    trkHeight->setValue(m_clock.height());
    updateSizeHints();

    btnClockColor->setColor(s.Color);
    chkOnTop->setChecked(s.OnTop);
    chkOnTopClick();
    chkOnTray->setChecked(s.OnTray);
    chkOnTrayClick();
    if (QAbstractButton* shape = radShape->button(s.Shape))
        shape->setChecked(true);
    btnIconHourHandColor->setColor(s.IconHourHandColor);
    btnIconMinHandColor->setColor(s.IconMinHandColor);
    trkTimer->setValue(m_clock.tmr->interval());
    trkTimerChange();
    chkHide->setChecked(!s.Visible);
    chkRunAtStartup->setChecked(m_clock.platformServices().autostart.isRunAtStartup());
    updatePictureButtons();
    // The tab in front shows the values of this showing, not of the last one.
    if (pgcClock->currentIndex() == 1)
        fillHands();
    else if (pgcClock->currentIndex() == 2)
        fillCaption();
    m_filling = false;
}

void AppearancePage::pgcClockChange(int index)
{
    if (index == 1)
        fillHands();
    else if (index == 2)
        fillCaption();
}

void AppearancePage::fillHands()
{
    const bool wasFilling = std::exchange(m_filling, true);
    for (int h = 0; h < 3; ++h) {
        const app::HandStyle& style = handStyle(h);
        hands[h].length->setValue(app::roundHalfEven(style.Length * 100));
        handLengthChange(h); // the length becomes whole percent, the hint is renewed
        hands[h].width->setValue(style.Width);
        handWidthChange(h);
        hands[h].color->setColor(style.Color);
        hands[h].mode->setCurrentIndex(style.Mode);
    }
    m_filling = wasFilling;
}

void AppearancePage::fillCaption()
{
    const app::ClockSettings& s = m_clock.Settings;
    txtCaption->setText(s.CaptionText);
    cboFontName->setCurrentFont(s.CaptionFont);
    cboFontSize->setCurrentText(QString::number(s.CaptionFont.pointSize()));
    btnCaptionColor->setColor(s.CaptionColor);
    chkBold->setChecked(s.CaptionFont.bold());
    chkItalic->setChecked(s.CaptionFont.italic());
    chkUnderline->setChecked(s.CaptionFont.underline());
    chkStrikeOut->setChecked(s.CaptionFont.strikeOut());
}

void AppearancePage::updateSizeHints()
{
    trkWidth->setToolTip(count(trkWidth->value(), Translate(QStringLiteral("pixels"))));
    trkHeight->setToolTip(count(trkHeight->value(), Translate(QStringLiteral("pixels"))));
}

void AppearancePage::trkWidthChange(QSlider* moved)
{
    // Only a user moving one of the two sliders resizes the clock (filling sets them too).
    if (m_filling || !(trkWidth->hasFocus() || trkHeight->hasFocus()) || !moved->hasFocus())
        return;
    const app::ClockSettings& s = m_clock.Settings;
    QSize basis = m_clock.size();
    if (!s.PictureFile.isEmpty() && !m_clock.Picture.isEmpty())
        basis = m_clock.Picture.size();
    const int ratio = radRatio->checkedId();
    QSlider* other = moved == trkWidth ? trkHeight : trkWidth;
    const QSignalBlocker quiet(other);
    if (ratio == RatioSame) {
        other->setValue(moved->value());
    } else if (ratio == RatioKeepAspect) {
        // Worked out exactly, so a height of 500.5 goes to the even 500 and not to 501.
        const bool byWidth = moved == trkWidth;
        other->setValue(
            core::roundHalfEven(qint64(moved->value()) * (byWidth ? basis.height() : basis.width()),
                                byWidth ? basis.width() : basis.height()));
    }
    ApplySize();
}

void AppearancePage::ApplySize()
{
    m_clock.resize(trkWidth->value(), trkHeight->value());
    updateSizeHints();
    // A new size starts as a rectangle; "Picture" cuts it to the outline again.
    if (QAbstractButton* rectangle = radShape->button(app::ShapeRectangle))
        rectangle->setChecked(true);
    m_clock.Settings.Shape = app::ShapeRectangle;
    m_clock.ApplyShape(true);
    redraw();
}

void AppearancePage::btn100Click()
{
    if (m_clock.Settings.PictureFile.isEmpty())
        return;
    const QSize picture = m_clock.Picture.size();
    {
        const QSignalBlocker quietWidth(trkWidth);
        const QSignalBlocker quietHeight(trkHeight);
        trkWidth->setValue(std::clamp(picture.width(), trkWidth->minimum(), trkWidth->maximum()));
        trkHeight->setValue(std::clamp(picture.height(), trkHeight->minimum(), trkHeight->maximum()));
    }
    ApplySize();
}

void AppearancePage::btnClockColorChange(app::TColor color)
{
    m_clock.Settings.Color = color;
    redraw();
}

void AppearancePage::trkTimerChange()
{
    m_clock.tmr->setInterval(trkTimer->value());
    trkTimer->setToolTip(count(trkTimer->value(), Translate(QStringLiteral("milliseconds"))));
}

void AppearancePage::chkHideClick()
{
    if (m_filling || !m_dialogVisible)
        return;
    const bool hide = chkHide->isChecked();
    if (hide)
        chkOnTray->setChecked(true); // a hidden clock must stay reachable from its icon
    m_clock.Settings.Visible = !hide;
    m_clock.ApplyVisible();
}

void AppearancePage::btnOpenPicClick()
{
    app::ClockSettings& s = m_clock.Settings;
    const QString folder = s.PictureFile.isEmpty() ? m_clock.platformServices().folders.ClocksFolder
                                                   : QFileInfo(s.PictureFile).absolutePath();
    const auto chosen = m_clock.platformServices().dialogs.openFile(
        window(), Translate(QStringLiteral("Select a Picture for the Clock")), folder, s.PictureFile,
        pictureFilter());
    if (!chosen)
        return;
    s.PictureFile = *chosen;
    updatePictureButtons(); // even a picture that cannot be shown can be cleared again
    if (!m_clock.LoadPictureOrReport()) {
        redraw();
        return;
    }
    btn100Click();
    m_clock.UpdateCaptionFont();
    m_clock.ApplyShape(true);
    redraw();
}

void AppearancePage::btnEditPictureClick()
{
    // The desktop's own application for the picture; the clock does not wait for it.
    m_clock.platformServices().shell.openUrl(QUrl::fromLocalFile(m_clock.Settings.PictureFile));
}

void AppearancePage::btnClearClick()
{
    m_clock.ClearPicture();
    m_clock.Settings.PictureFile.clear();
    redraw();
    updatePictureButtons();
}

void AppearancePage::updatePictureButtons()
{
    const bool hasPicture = !m_clock.Settings.PictureFile.isEmpty();
    btnEditPicture->setEnabled(hasPicture);
    btnClear->setEnabled(hasPicture);
    btn100->setEnabled(hasPicture);
}

void AppearancePage::handLengthChange(int hand)
{
    const int position = hands[hand].length->value();
    handStyle(hand).Length = position / 100.0;
    hands[hand].length->setToolTip(
        count(position, Translate(QStringLiteral("percent of the Clock's horizontal radius"))));
    redraw();
}

void AppearancePage::handWidthChange(int hand)
{
    const int position = hands[hand].width->value();
    handStyle(hand).Width = position;
    hands[hand].width->setToolTip(count(position, position == 1 ? Translate(QStringLiteral("pixel"))
                                                                : Translate(QStringLiteral("pixels"))));
    redraw();
}

void AppearancePage::handModeChange(int hand)
{
    handStyle(hand).Mode = hands[hand].mode->currentIndex();
    if (hand > 0)
        m_clock.UpdateCaptionFont();
    redraw();
}

void AppearancePage::handColorChange(int hand, app::TColor color)
{
    handStyle(hand).Color = color;
    if (hand > 0)
        m_clock.UpdateCaptionFont();
    redraw();
}

void AppearancePage::chkOnTrayClick()
{
    const bool onTray = chkOnTray->isChecked();
    m_clock.SetOnTray(onTray);
    if (!onTray)
        chkHide->setChecked(false); // which shows the clock again
}

void AppearancePage::chkOnTopClick()
{
    m_clock.SetOnTop(chkOnTop->isChecked());
    redraw();
}

void AppearancePage::radShapeClick(int index)
{
    if (index == m_clock.Settings.Shape)
        return;
    m_clock.Settings.Shape = index;
    m_clock.ApplyShape(true);
    redraw();
}

} // namespace config
