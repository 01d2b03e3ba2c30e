#include "events/EventStorage.h"

#include "events/EventList.h"
#include "lang/Translate.h"
#include "platform/MessageBoxes.h"
#include "platform/Stderr.h"
#include "platform/WholeFile.h"

#include <algorithm>

namespace events {

EventStorage::EventStorage(EventList& list, QString path, platform::MessageBoxes& messages)
    : m_list(list), m_path(std::move(path)), m_messages(messages)
{
}

void EventStorage::LoadEvents()
{
    const platform::ReadResult file = platform::readWholeFile(m_path, MaxFileSize);
    switch (file.status) {
    case platform::ReadResult::Missing:
        return;
    case platform::ReadResult::NotRegular: // a named pipe would block the program for ever
    case platform::ReadResult::Unreadable:
        m_savedKnown = false;
        m_messages.error(lang::fillIn(Translate(QStringLiteral("Cannot open file %s")), m_path));
        return;
    case platform::ReadResult::TooLarge:
        m_savedKnown = false;
        m_messages.error(Translate(QStringLiteral("Invalid stream format")));
        return;
    case platform::ReadResult::Read:
        break;
    }
    if (file.bytes.isEmpty())
        return;
    try {
        EventsFileContent content = readEventsFile(file.bytes);
        m_list.replaceAll(std::move(content.rows));
        m_list.setViewStyle(content.viewStyle);
        keepAsSaved();
    } catch (const EventsFileError& e) {
        m_savedKnown = false;
        m_messages.error(QString::fromLatin1(e.what()) == QLatin1String(InvalidStreamFormat)
                             ? Translate(QStringLiteral("Invalid stream format"))
                             : Translate(QStringLiteral("Stream read error")));
        return;
    }
    m_list.setSaveCommandEnabled(false);
}

bool EventStorage::SaveEvents(bool fromUser)
{
    for (int i = 0; i < m_list.count(); ++i) {
        EventRecord row = m_list.row(i);
        const QString flag = row.Active ? QStringLiteral("T") : QStringLiteral("F");
        if (row.text(ActiveFlag) != flag) {
            row.text(ActiveFlag) = flag;
            m_list.setRow(i, row);
        }
    }
    if (!write({m_list.rows(), m_list.viewStyle()}, fromUser))
        return false;
    keepAsSaved();
    if (fromUser)
        m_list.setSaveCommandEnabled(false);
    return true;
}

bool EventStorage::SaveFiredEvent(int row)
{
    if (!m_savedKnown)
        return false; // a file that could not be read is not written over
    const auto at = std::find(m_savedIds.begin(), m_savedIds.end(), m_list.id(row));
    if (at == m_savedIds.end())
        return true;
    EventRecord& fired = m_saved.rows[size_t(at - m_savedIds.begin())];
    fired.Active = false;
    fired.text(ActiveFlag) = QStringLiteral("F");
    return write(m_saved, false);
}

void EventStorage::keepAsSaved()
{
    m_saved = {m_list.rows(), m_list.viewStyle()};
    m_savedIds.resize(m_saved.rows.size());
    for (size_t i = 0; i < m_savedIds.size(); ++i)
        m_savedIds[i] = m_list.id(int(i));
    m_savedKnown = true;
}

bool EventStorage::write(const EventsFileContent& content, bool fromUser)
{
    const platform::SaveResult saved = platform::saveWholeFile(m_path, writeEventsFile(content));
    if (saved)
        return true;
    if (fromUser)
        m_messages.error(lang::fillIn(Translate(QStringLiteral("Cannot create file %s")), m_path));
    else // no one asked, so no box; the old file is still whole
        platform::sayOnStderr(QStringLiteral("the events were not saved: ") + m_path + QStringLiteral(": ") +
                              saved.error);
    return false;
}

} // namespace events
