#pragma once

#include "timezones/TimeZoneRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

namespace core {
class LocaleFormats;
} // namespace core

namespace timezones {

// One row of the zone list: a zone under one of the cities of its display name.
struct ZoneRow
{
    enum Column
    {
        TimeZone, // the caption: the zone's name
        City,
        Bias,
        StandardStarts,
        DaylightStarts,
        DisplayName,
        ColumnCount
    };
    QString Texts[ColumnCount];
    QByteArray Place; // the zone of the row's city, when the table knows it
    const QString& Caption() const { return Texts[TimeZone]; }
};

// The rows of a zone, one per city of its display name; none when the name holds no city. The
// places are the cities' zones, in the display name's order.
std::vector<ZoneRow> zoneRows(const QString& name, const TRegTZI& record, const QList<QByteArray>& places,
                              int ruleYear, const core::LocaleFormats& locale);

// A text as a search compares it: without accents, letter case or the zone database's
// underscores ("São Paulo" and "sao_paulo" both give "sao paulo").
QString searchFolded(const QString& text);

// A change date as the list shows it: the short date, a comma, the short time. Empty for none.
QString transitionText(DayTime date, const core::LocaleFormats& locale);

// The sort key of the list: + or - (column + 1), positive for ascending. A click on a column
// sorts it ascending, a second click descending, the next ascending again.
int nextSortTag(int tag, int column);

// Compares two rows by the column of the sort key, as text, code unit by code unit and letter
// case counting: the key when the first is greater, minus the key when it is smaller, else 0.
int LVCompare(const ZoneRow& a, const ZoneRow& b, int tag);

} // namespace timezones
