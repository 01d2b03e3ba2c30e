#pragma once

#include <QString>

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

    const QString& path() const { return m_path; }

private:
    EventList& m_list;
    QString m_path;
    platform::MessageBoxes& m_messages;
};

} // namespace events
