#pragma once

#include <QString>
#include <QTime>

namespace core {
class LocaleFormats;
} // namespace core

namespace clockface {

// Writes a time of day in a face's display format: "h" and "hh" the hour without and with a
// leading zero, "n", "nn", "m", "mm" the minutes, "s", "ss" the seconds, "z", "zzz" the
// milliseconds, "ampm" the locale's morning or afternoon text, "am/pm" and "a/p" those letters
// (any of the three turns the hours to a 12-hour count), ":" the locale's time separator, text
// in single or double quotes as it stands; every other character is copied. Letters may be of
// either case ("HH:MM:SS" is "hh:mm:ss").
QString formatFaceTime(const QString& format, const QTime& time, const core::LocaleFormats& locale);

} // namespace clockface
