#include "events/EventActions.h"

#include "events/EventRecord.h"
#include "platform/MessageBoxes.h"

namespace events {

EventActions::EventActions(platform::MessageBoxes& messages)
    : m_messages(messages), m_typeNames(actionTypeNames())
{
}

void EventActions::RunEvent(EventRecord row)
{
    switch (positionOf(m_typeNames, row.text(TypeName))) {
    case atMessageBox:
        m_messages.showInformation(row.text(FolderText), row.text(FileText));
        break;
    default:
        // Programs, media, time adjustment and announcements are not available yet; a type that
        // is not found does nothing either.
        break;
    }
}

} // namespace events
