#include "nettime/TimeClient.h"

#include "nettime/TimeReply.h"
#include "platform/DateTimeText.h"

namespace nettime {

TTimeClient::TTimeClient(platform::HostLookup& lookup, const platform::LocaleFormats& locale, QObject* parent)
    : TAsyncSocket(lookup, parent), m_locale(locale)
{
    Port = 37;
    TimeOut = 500;
}

QString TTimeClient::TimeStr()
{
    return platform::formatTimeText(replyTimeOfDay(*replySeconds(readReply())), m_locale);
}

qint32 TTimeClient::TimeInt()
{
    return replyTimeInt(*replySeconds(readReply()));
}

} // namespace nettime
