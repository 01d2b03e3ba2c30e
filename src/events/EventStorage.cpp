#include "events/EventStorage.h"

#include "events/EventList.h"
#include "events/EventsFile.h"
#include "lang/Translate.h"
#include "platform/MessageBoxes.h"
#include "platform/Stderr.h"
#include "platform/WholeFile.h"

#include <QFile>

namespace events {

EventStorage::EventStorage(EventList& list, QString path, platform::MessageBoxes& messages)
    : m_list(list), m_path(std::move(path)), m_messages(messages)
{
}

void EventStorage::LoadEvents()
{
    QFile file(m_path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_messages.error(
            Translate(QStringLiteral("Cannot open file %s")).replace(QStringLiteral("%s"), m_path));
        return;
    }
    if (file.size() == 0)
        return;
    try {
        if (file.size() > MaxFileSize)
            throw EventsFileError(InvalidStreamFormat);
        const QByteArray bytes = file.readAll();
        if (bytes.size() != file.size())
            throw EventsFileError(StreamReadError);
        EventsFileContent content = readEventsFile(bytes);
        m_list.replaceAll(std::move(content.rows));
        m_list.setViewStyle(content.viewStyle);
    } catch (const EventsFileError& e) {
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
    const QByteArray bytes = writeEventsFile({m_list.rows(), m_list.viewStyle()});
    const platform::SaveResult saved = platform::saveWholeFile(m_path, bytes);
    if (!saved) {
        if (fromUser)
            m_messages.error(
                Translate(QStringLiteral("Cannot create file %s")).replace(QStringLiteral("%s"), m_path));
        else // no one asked, so no box; the old file is still whole
            platform::sayOnStderr(QStringLiteral("the events were not saved: ") + m_path +
                                  QStringLiteral(": ") + saved.error);
        return false;
    }
    if (fromUser)
        m_list.setSaveCommandEnabled(false);
    return true;
}

} // namespace events
