#include "timezones/ZoneList.h"

#include "timezones/ZoneRows.h"
#include "timezones/ZoneTable.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <cstdlib>

namespace timezones {

namespace {

constexpr int PlaceRole = Qt::UserRole;
constexpr int SearchRole = Qt::UserRole + 1;

// A row of the list keeps its texts as the zone table gave them, and sorts by the list's key.
class ZoneListItem final : public QTreeWidgetItem
{
public:
    explicit ZoneListItem(const ZoneRow& row)
        : QTreeWidgetItem(QStringList(std::begin(row.Texts), std::end(row.Texts))), m_row(row)
    {
    }
    void setWhereabouts(const QString& whereabouts)
    {
        setData(0, PlaceRole, m_row.Place);
        setData(0, SearchRole, searchFolded(m_row.Texts[ZoneRow::City] + u'\n' + whereabouts));
    }
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return LVCompare(m_row, static_cast<const ZoneListItem&>(other).m_row, column + 1) < 0;
    }

private:
    ZoneRow m_row;
};

} // namespace

void fillZoneList(QTreeWidget& list, const ZoneTable& zones, int sortTag, const core::LocaleFormats& locale)
{
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < zones.count(); ++i)
        for (const ZoneRow& row : zoneRows(zones.Names[i], zones.Records[size_t(i)], zones.Places[size_t(i)],
                                           zones.RuleYear, locale)) {
            auto* item = new ZoneListItem(row);
            item->setWhereabouts(zones.Whereabouts.value(row.Place));
            items << item;
        }
    const QSignalBlocker quiet(&list);
    list.addTopLevelItems(items);
    sortZoneList(list, sortTag);
}

QByteArray placeOfRow(const QTreeWidgetItem& row)
{
    return row.data(0, PlaceRole).toByteArray();
}

QTreeWidgetItem* filterZoneList(QTreeWidget& list, const QString& text)
{
    const QString wanted = searchFolded(text.trimmed());
    QTreeWidgetItem* first = nullptr;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list.topLevelItem(i);
        const bool shown = row->data(0, SearchRole).toString().contains(wanted);
        row->setHidden(!shown);
        if (shown && !first)
            first = row;
    }
    return first;
}

void sortZoneList(QTreeWidget& list, int sortTag)
{
    const int column = std::abs(sortTag) - 1;
    const Qt::SortOrder order = sortTag > 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    list.header()->setSortIndicator(column, order);
    list.sortItems(column, order);
}

} // namespace timezones
