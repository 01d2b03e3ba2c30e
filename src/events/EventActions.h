#pragma once

#include <QStringList>

namespace platform {
class MessageBoxes;
}

namespace events {

struct EventRecord;

// What an event does when it is due. It reads the row's texts and changes nothing in the row.
class EventActions
{
public:
    explicit EventActions(platform::MessageBoxes& messages);
    virtual ~EventActions() = default;

    // A copy of the row is taken first: a box opened here lets the clock tick, and the tick may
    // change the list (a one-time event that fires is unchecked) while the box is open.
    virtual void RunEvent(EventRecord row);

private:
    platform::MessageBoxes& m_messages;
    QStringList m_typeNames;
};

} // namespace events
