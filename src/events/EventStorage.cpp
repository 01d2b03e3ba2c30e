#include "events/EventStorage.h"

#include "events/EventList.h"
#include "lang/FileTexts.h"
#include "lang/Translate.h"
#include "platform/MessageBoxes.h"

#include <algorithm>

namespace events {

EventStorage::EventStorage(EventList& list, QString path, platform::MessageBoxes& messages,
                           platform::FileNotices* notices)
    : m_list(list), m_file(std::move(path), MaxFileSize), m_messages(messages), m_notices(notices),
      m_ownNotices([&messages](const QString& text) { messages.error(text); })
{
}

void EventStorage::LoadEvents()
{
    const platform::ReadResult file = m_file.read();
    if (!file.exists() || (file.wasRead() && file.bytes.isEmpty()))
        return;
    QString why = file.error;
    if (file.wasRead()) {
        try {
            EventsFileContent content = readEventsFile(file.bytes);
            m_list.replaceAll(std::move(content.rows));
            m_list.setViewStyle(content.viewStyle);
            keepAsSaved();
            m_list.setSaveCommandEnabled(false);
            return;
        } catch (const EventsFileError& e) {
            why = QString::fromLatin1(e.what()) == QLatin1String(InvalidStreamFormat)
                      ? Translate(QStringLiteral("Invalid stream format"))
                      : Translate(QStringLiteral("Stream read error"));
            m_file.markNotUnderstood(why);
        }
    }
    notices().tellOnce(path(), lang::notReadText(path(), why));
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
    // A file that was not read holds no rows we know of, so nothing is written over it here.
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
}

bool EventStorage::write(const EventsFileContent& content, bool fromUser)
{
    const platform::SaveResult saved = m_file.save(writeEventsFile(content));
    if (saved)
        return true;
    const QString text = lang::notSavedText(path(), saved.error);
    if (fromUser)
        m_messages.error(text);
    else // the old file is still whole; a scheduler that fails every save says so once
        notices().tellOnce(path(), text);
    return false;
}

} // namespace events
