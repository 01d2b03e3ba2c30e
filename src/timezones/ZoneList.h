#pragma once

class QTreeWidget;

namespace core {
class LocaleFormats;
} // namespace core

namespace timezones {

class ZoneTable;

// Puts the rows of every zone of the table into a list (one per city), sorted by the sort key.
void fillZoneList(QTreeWidget& list, const ZoneTable& zones, int sortTag, const core::LocaleFormats& locale);

// Sorts the list by a sort key (plus or minus column + 1) and shows the key in its header.
void sortZoneList(QTreeWidget& list, int sortTag);

} // namespace timezones
