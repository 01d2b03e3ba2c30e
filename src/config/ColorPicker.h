#pragma once

#include "app/ClockTypes.h"

#include <QToolButton>

namespace platform {
class CommonDialogs;
}

namespace config {

// A flat drop-down colour chooser: a swatch of the current colour that opens a palette, whose
// last entry "More Colors..." opens the colour dialog. Colours keep their stored form; the
// palette offers plain colours only.
class ColorPicker final : public QToolButton
{
    Q_OBJECT

public:
    ColorPicker(platform::CommonDialogs& dialogs, QWidget* parent = nullptr);

    app::TColor color() const { return m_color; }
    // Shows a colour without announcing a change.
    void setColor(app::TColor color);
    // Chooses as a user would: shows the colour and announces it.
    void pick(app::TColor color);
    void moreColors();
    // Shows its colour but offers no choice.
    void setReadOnly(bool readOnly);

    QAction* moreColorsAction() const { return m_more; }
    // The palette: 16 plain colours in four rows.
    static const app::TColor Palette[16];

signals:
    void colorChanged(app::TColor color);

private:
    void updateSwatch();

    platform::CommonDialogs& m_dialogs;
    app::TColor m_color = app::clBlack;
    QAction* m_more = nullptr;
    QMenu* m_menu = nullptr;
};

} // namespace config
