#pragma once

#include "platform/Colors.h"

#include <QToolButton>

namespace platform {

class CommonDialogs;

// A flat drop-down colour chooser: a swatch of the current colour that opens a palette, whose
// last entry "More Colors..." opens the colour dialog. Colours keep their stored form; the
// palette offers plain colours only.
class ColorPicker final : public QToolButton
{
    Q_OBJECT

public:
    ColorPicker(platform::CommonDialogs& dialogs, QWidget* parent = nullptr);

    TColor color() const { return m_color; }
    // Shows a colour without announcing a change.
    void setColor(TColor color);
    // Chooses as a user would: shows the colour and announces it.
    void pick(TColor color);
    void moreColors();
    // Shows its colour but offers no choice.
    void setReadOnly(bool readOnly);

    QAction* moreColorsAction() const { return m_more; }
    // The palette: 16 plain colours in four rows.
    static const TColor Palette[16];

signals:
    void colorChanged(TColor color);

private:
    void updateSwatch();

    platform::CommonDialogs& m_dialogs;
    TColor m_color = clBlack;
    QAction* m_more = nullptr;
    QMenu* m_menu = nullptr;
};

} // namespace platform
