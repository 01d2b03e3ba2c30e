#pragma once

#include "clockface/ClockFaceLook.h"
#include "clockface/RevolvingDrum.h"

#include <QImage>
#include <QSize>
#include <QTime>

namespace core {
class LocaleFormats;
} // namespace core

namespace clockface {

// Paints a face of `size` showing `time` into the top-left corner of `canvas`, which must be at
// least that big and of an opaque 32-bit format; nothing outside the face is touched. Text is
// measured at the canvas's dots per inch. The drum style also takes where its roll stands.
void paintClockFace(QImage& canvas, QSize size, const ClockFaceLook& look, const QTime& time,
                    const core::LocaleFormats& locale, const DrumRoll& roll = {});

// The face on a bitmap of its own, at 96 dots per inch.
QImage renderClockFace(QSize size, const ClockFaceLook& look, const QTime& time,
                       const core::LocaleFormats& locale, const DrumRoll& roll = {});

} // namespace clockface
