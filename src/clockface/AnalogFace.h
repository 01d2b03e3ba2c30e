#pragma once

#include "clockface/ClockFaceTypes.h"

#include <QFontMetrics>
#include <QLine>
#include <QPoint>
#include <QSize>
#include <QTime>

namespace clockface {

struct FaceScene;

// Where the analogue face stands in its control.
struct AnalogGeometry
{
    QPoint centre;
    int radius = 0;

    // The point `distance` from the centre at `degrees`: 0 straight down, 90 to the right,
    // 180 up; each coordinate rounded to the nearest pixel, halves to even.
    QPoint pointAt(double degrees, double distance) const;
};

// The centre is the middle of the control; the radius leaves room for the hour points inside
// the bevels, or for the numerals (measured with `metrics`) at the smaller half of the control.
AnalogGeometry analogGeometry(QSize size, int inset, THoursDisplayStyle hours, const QFontMetrics& metrics);

// A hand as drawn: from its tail, a seventh of its length behind the centre, to its tip.
// `lengthPercent` is a percent of the radius.
QLine hourHandLine(const AnalogGeometry& face, int lengthPercent, const QTime& time);
QLine minuteHandLine(const AnalogGeometry& face, int lengthPercent, const QTime& time);
QLine secondHandLine(const AnalogGeometry& face, int lengthPercent, const QTime& time);

// Minute marks need room: they are left out below this radius.
inline constexpr int MinuteMarksRadius = 71;

void paintAnalogFace(const FaceScene& scene);

} // namespace clockface
