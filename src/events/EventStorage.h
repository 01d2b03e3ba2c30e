#pragma once

#include "events/EventsFile.h"

#include <QString>
#include <vector>

namespace platform {
class MessageBoxes;
}

namespace events {

class EventList;

// Events.dta in the program's folder, loaded into and saved from the event list.
class EventStorage
{
public:
    static constexpr qint64 MaxFileSize = qint64(64) << 20;

    EventStorage(EventList& list, QString path, platform::MessageBoxes& messages);

    // Replaces the rows by the file's (after reading all of it) and restores the view style. A
    // missing or empty file changes nothing; a damaged one is reported, and the rows stay.
    void LoadEvents();
    // Writes the list (each row's ActiveFlag made to match its check box) through a temporary
    // file. A save the user asked for reports a failure and clears the save command; one made by
    // the scheduler does neither. Returns whether the file was written.
    bool SaveEvents(bool fromUser);
    // After the one-time event of this row has fired: the file as it was last loaded or saved,
    // with only that event unchecked, so edits not yet saved stay unsaved until the user decides.
    // An event the file does not hold yet leaves it as it is. Reports nothing.
    bool SaveFiredEvent(int row);

    const QString& path() const { return m_path; }

private:
    void keepAsSaved();
    bool write(const EventsFileContent& content, bool fromUser);

    EventList& m_list;
    QString m_path;
    platform::MessageBoxes& m_messages;
    // What the file holds, with the id of the list's row each of its rows was loaded into or
    // saved from; unknown while the file could not be read.
    EventsFileContent m_saved;
    std::vector<quint64> m_savedIds;
    bool m_savedKnown = true;
};

} // namespace events
