#include "core/Colors.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace core {

namespace {

struct SystemColorRole
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Indexed like the Windows system colours (scroll bar = 0 ... menu bar = 30).
constexpr std::array<SystemColorRole, 31> kRoles = {{
    {QPalette::Active, QPalette::Button},          // 0 scroll bar
    {QPalette::Active, QPalette::Window},          // 1 desktop (not used: fixed colour)
    {QPalette::Active, QPalette::Highlight},       // 2 active caption
    {QPalette::Inactive, QPalette::Dark},          // 3 inactive caption
    {QPalette::Active, QPalette::Window},          // 4 menu
    {QPalette::Active, QPalette::Base},            // 5 window
    {QPalette::Active, QPalette::Shadow},          // 6 window frame
    {QPalette::Active, QPalette::WindowText},      // 7 menu text
    {QPalette::Active, QPalette::Text},            // 8 window text
    {QPalette::Active, QPalette::HighlightedText}, // 9 caption text
    {QPalette::Active, QPalette::Window},          // 10 active border
    {QPalette::Inactive, QPalette::Window},        // 11 inactive border
    {QPalette::Active, QPalette::Mid},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},       // 13 highlight
    {QPalette::Active, QPalette::HighlightedText}, // 14 highlighted text
    {QPalette::Active, QPalette::Button},          // 15 button face
    {QPalette::Active, QPalette::Mid},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},          // 17 grey text
    {QPalette::Active, QPalette::ButtonText},      // 18 button text
    {QPalette::Inactive, QPalette::WindowText},    // 19 inactive caption text
    {QPalette::Active, QPalette::Light},           // 20 button highlight
    {QPalette::Active, QPalette::Shadow},          // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},     // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},     // 24 info background
    {QPalette::Active, QPalette::Window},          // 25 (unused index)
    {QPalette::Active, QPalette::Link},            // 26 hot light
    {QPalette::Active, QPalette::Highlight},       // 27 gradient active caption
    {QPalette::Inactive, QPalette::Dark},          // 28 gradient inactive caption
    {QPalette::Active, QPalette::Highlight},       // 29 menu highlight
    {QPalette::Active, QPalette::Window},          // 30 menu bar
}};

constexpr int kDesktopIndex = 1;
const QColor kDesktopColor(58, 110, 165);

} // namespace

bool isSystemColor(TColor color)
{
    return color < 0;
}

QColor resolveColor(TColor color)
{
    if (!isSystemColor(color)) {
        const auto v = static_cast<quint32>(color);
        return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
    }
    const auto index = static_cast<int>(static_cast<quint32>(color) & 0xFFFF);
    if (index == kDesktopIndex)
        return kDesktopColor;
    const QPalette palette = QGuiApplication::palette();
    if (index < 0 || index >= int(kRoles.size()))
        return palette.color(QPalette::Active, QPalette::Window);
    return palette.color(kRoles[size_t(index)].group, kRoles[size_t(index)].role);
}

TColor toTColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return TColor(rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16));
}

} // namespace core
