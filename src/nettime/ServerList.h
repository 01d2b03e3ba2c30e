#pragma once

#include <QByteArray>
#include <QCollator>
#include <QString>
#include <QStringList>

namespace nettime {

// NTPServers.dta: one time-server name per line, in no particular order.

// A line ends at CR, at LF or at CR LF; a NUL ends the text; an empty line is an empty name;
// a last line without its end still counts. Each line is read as UTF-8, or as Windows-1252
// where its bytes are not UTF-8.
QStringList parseServerList(const QByteArray& bytes);

// Every name, the last one too, followed by CR LF; written as UTF-8.
QByteArray serverListBytes(const QStringList& names);

// The server box's order: the user's language's alphabetical order without regard to letter
// case ("Alpha" before "beta").
class ServerOrder
{
public:
    explicit ServerOrder(const QLocale& locale);
    bool operator()(const QString& a, const QString& b) const { return m_collator.compare(a, b) < 0; }
    void sort(QStringList& names) const;
    // Where a name goes into a sorted list: after every name that is not after it.
    qsizetype insertPosition(const QStringList& sorted, const QString& name) const;

private:
    QCollator m_collator;
};

// Whether a list holds a name, exactly but for letter case.
bool containsServer(const QStringList& names, const QString& name);

// A file larger than this is not a server list: no real one comes near it (a name a line). One
// this large holds some 150,000 names, read and sorted off the clock's thread in about a second.
inline constexpr qint64 MaxServerFileSize = 4 << 20;

} // namespace nettime
