#pragma once

#include <QColor>

namespace clockface {

// The colour k/n of the way from a to b, each channel truncated toward zero.
inline QColor blend(const QColor& a, const QColor& b, double k, double n)
{
    const auto channel = [&](int from, int to) { return int(from + (to - from) * k / n); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()));
}

} // namespace clockface
