#pragma once

#include "core/Colors.h"

#include <QToolButton>

namespace platform {
class CommonDialogs;
} // namespace platform

namespace widgets {

// A flat drop-down colour chooser: a swatch of the current colour that opens a palette, whose
// last entry "More Colors..." opens the colour dialog. Colours keep their stored form; the
// palette offers plain colours only.
class ColorPicker final : public QToolButton
{
    Q_OBJECT

public:
    ColorPicker(platform::CommonDialogs& dialogs, QWidget* parent = nullptr);

    core::TColor color() const { return m_color; }
    // Shows a colour without announcing a change.
    void setColor(core::TColor color);
    // Chooses as a user would: shows the colour and announces it.
    void pick(core::TColor color);
    void moreColors();
    // Shows its colour but offers no choice.
    void setReadOnly(bool readOnly);

    QAction* moreColorsAction() const { return m_more; }
    // The palette: 16 plain colours in four rows.
    static const core::TColor Palette[16];

signals:
    void colorChanged(core::TColor color);

private:
    void updateSwatch();

    platform::CommonDialogs& m_dialogs;
    core::TColor m_color = core::clBlack;
    QAction* m_more = nullptr;
    QMenu* m_menu = nullptr;
};

} // namespace widgets
