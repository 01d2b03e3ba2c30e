#pragma once

#include "events/EventRecord.h"

#include <QByteArray>
#include <stdexcept>
#include <vector>

namespace events {

// How the event list is shown; the order of the events page's view menu.
enum ViewStyle : int
{
    vsIcon = 0,
    vsSmallIcon,
    vsList,
    vsReport
};

struct EventsFileContent
{
    std::vector<EventRecord> rows; // Active is not stored: it comes from ActiveFlag
    ViewStyle viewStyle = vsIcon;
};

// The file could not be read; what() is the runtime's text ("Invalid stream format" for a file
// that is not one, "Stream read error" for one that ends too early).
class EventsFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

inline constexpr char InvalidStreamFormat[] = "Invalid stream format";
inline constexpr char StreamReadError[] = "Stream read error";

// Events.dta: the event list as a serialized list view object ("TPF0", class, name, properties,
// children). The reader understands every value kind, skips every property but the rows and the
// view style, and gives rows with fewer than eight texts empty ones for the rest. It reads all of
// it or throws; it never reads past the bytes it was given and allocates no more than they can
// hold.
EventsFileContent readEventsFile(const QByteArray& bytes);

// The signature, the class name, an empty object name, "Items.Data" when there are rows,
// "ViewStyle" when it is not the icon view, and the two end bytes. Texts longer than 255 bytes are
// cut at a character boundary.
QByteArray writeEventsFile(const EventsFileContent& content);

// As much of a text as one text of the file keeps: 255 bytes in the encoding it will be written
// in, cut at a character boundary.
QString fitStoredText(const QString& text);

// The view style's name in the file ("vsIcon" ...); nothing for an unknown name.
QByteArray viewStyleName(ViewStyle style);

} // namespace events
