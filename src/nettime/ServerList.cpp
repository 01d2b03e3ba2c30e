#include "nettime/ServerList.h"

#include "core/AnsiText.h"

#include <algorithm>

namespace nettime {

QStringList parseServerList(const QByteArray& bytes)
{
    QByteArray text = bytes;
    if (const qsizetype nul = text.indexOf('\0'); nul >= 0)
        text.truncate(nul);
    QStringList names;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        names << core::decode8Bit(text.mid(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return names;
}

QByteArray serverListBytes(const QStringList& names)
{
    QByteArray bytes;
    for (const QString& name : names)
        bytes += core::encode8Bit(name) + "\r\n";
    return bytes;
}

ServerOrder::ServerOrder(const QLocale& locale) : m_collator(locale)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

void ServerOrder::sort(QStringList& names) const
{
    std::stable_sort(names.begin(), names.end(), *this);
}

qsizetype ServerOrder::insertPosition(const QStringList& sorted, const QString& name) const
{
    return std::upper_bound(sorted.begin(), sorted.end(), name, *this) - sorted.begin();
}

bool containsServer(const QStringList& names, const QString& name)
{
    return names.contains(name, Qt::CaseInsensitive);
}

} // namespace nettime
