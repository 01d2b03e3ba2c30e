#pragma once

#include "clockface/ClockFaceTypes.h"
#include "clockface/THandOptions.h"
#include "core/Colors.h"

#include <QFont>
#include <QImage>
#include <QString>

namespace clockface {

// Everything a face's pixels depend on besides its size and the time: the face's properties
// and the panel around it.
struct ClockFaceLook
{
    QString DisplayFormat = QStringLiteral("hh:mm:ss");
    TClockFaceStyle ClockStyle = csText;
    core::TColor BorderColor = core::clSilver;
    THandOptions HandOptions;
    bool DrawMask = true; // the hour and minute marks of the analogue face
    QImage ClockFace;     // a picture stretched over the face, or none
    THoursDisplayStyle HoursDisplayStyle = dsPoints;

    TBevelCut BevelInner = bvLowered;
    TBevelCut BevelOuter = bvRaised;
    int BevelWidth = 1;  // at least 1
    int BorderWidth = 0; // at least 0
    TBorderStyle BorderStyle = bsNone;
    core::TColor Color = core::clSilver;
    QFont Font;
    core::TColor FontColor = core::clWindowText;
};

} // namespace clockface
