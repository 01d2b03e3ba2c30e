#include "events/EventStorage.h"

#include "events/EventList.h"
#include "events/EventsFile.h"
#include "lang/FileTexts.h"
#include "lang/Translate.h"
#include "platform/MessageBoxes.h"

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
    const QByteArray bytes = writeEventsFile({m_list.rows(), m_list.viewStyle()});
    const platform::SaveResult saved = m_file.save(bytes);
    if (!saved) {
        const QString text = lang::notSavedText(path(), saved.error);
        if (fromUser)
            m_messages.error(text);
        else // the old file is still whole; a scheduler that fails every save says so once
            notices().tellOnce(path(), text);
        return false;
    }
    if (fromUser)
        m_list.setSaveCommandEnabled(false);
    return true;
}

} // namespace events
