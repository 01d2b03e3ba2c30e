#pragma once

#include "events/EventsFile.h"
#include "platform/DataFile.h"
#include "platform/FileNotices.h"

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

    // `notices` tells the user of a file left alone or a failed save no one asked for, once for
    // the run; without it, this storage tells in an error box.
    EventStorage(EventList& list, QString path, platform::MessageBoxes& messages,
                 platform::FileNotices* notices = nullptr);

    // Replaces the rows by the file's (after reading all of it) and restores the view style. A
    // missing or empty file changes nothing; one that cannot be read or decoded is reported, the
    // rows stay, and the file is never written over.
    void LoadEvents();
    // Writes the list (each row's ActiveFlag made to match its check box) through a temporary
    // file. A save the user asked for reports a failure with the file and why, and clears the
    // save command; a failed one made by the scheduler is told once a run. Returns whether the
    // file was written.
    bool SaveEvents(bool fromUser);
    // After the one-time event of this row has fired: the file as it was last loaded or saved,
    // with only that event unchecked, so edits not yet saved stay unsaved until the user decides.
    // An event the file does not hold yet leaves it as it is. Reports nothing.
    bool SaveFiredEvent(int row);

    const QString& path() const { return m_file.path(); }

private:
    platform::FileNotices& notices() { return m_notices ? *m_notices : m_ownNotices; }
    void keepAsSaved();
    bool write(const EventsFileContent& content, bool fromUser);

    EventList& m_list;
    platform::DataFile m_file;
    platform::MessageBoxes& m_messages;
    platform::FileNotices* m_notices;
    platform::FileNotices m_ownNotices;
    // What the file holds, with the id of the list's row each of its rows was loaded into or
    // saved from; nothing while the file could not be read.
    EventsFileContent m_saved;
    std::vector<quint64> m_savedIds;
};

} // namespace events
