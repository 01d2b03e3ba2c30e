#pragma once

#include <QByteArray>

class QString;
class QTreeWidget;
class QTreeWidgetItem;

namespace core {
class LocaleFormats;
} // namespace core

namespace timezones {

class ZoneTable;

// Puts the rows of every zone of the table into a list (one per city), sorted by the sort key.
void fillZoneList(QTreeWidget& list, const ZoneTable& zones, int sortTag, const core::LocaleFormats& locale);

// The zone of a row's city.
QByteArray placeOfRow(const QTreeWidgetItem& row);

// Shows only the rows whose city, region or country holds the text, letter case and accents
// aside; every row for an empty text. The first row shown, or none.
QTreeWidgetItem* filterZoneList(QTreeWidget& list, const QString& text);

// Sorts the list by a sort key (plus or minus column + 1) and shows the key in its header.
void sortZoneList(QTreeWidget& list, int sortTag);

} // namespace timezones
