#include "events/EventList.h"

#include "lang/Translate.h"

#include <algorithm>
#include <numeric>

namespace events {

EventList::EventList(QObject* parent) : QAbstractTableModel(parent) {}

int EventList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

int EventList::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EventList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const EventRecord& r = row(index.row());
    if (index.column() == NextRunColumn)
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return index.column() == 0 ? r.Name : r.SubTexts[size_t(index.column() - 1)];
    if (role == Qt::CheckStateRole && index.column() == 0)
        return r.Active ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool EventList::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= count() || index.column() == NextRunColumn)
        return false;
    EventRecord r = row(index.row());
    if (role == Qt::CheckStateRole && index.column() == 0)
        r.Active = value.toInt() == Qt::Checked;
    else if (role == Qt::EditRole && index.column() == 0)
        r.Name = value.toString();
    else if (role == Qt::EditRole)
        r.SubTexts[size_t(index.column() - 1)] = value.toString();
    else
        return false;
    setRow(index.row(), r);
    emit edited(index.row());
    return true;
}

Qt::ItemFlags EventList::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant EventList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    const QString captions[ColumnCount] = {Translate(QStringLiteral("Event Name")),
                                           Translate(QStringLiteral("Day/Date")),
                                           Translate(QStringLiteral("Time")),
                                           Translate(QStringLiteral("Schedule")),
                                           Translate(QStringLiteral("Type")),
                                           Translate(QStringLiteral("Folder / Message Title")),
                                           Translate(QStringLiteral("File / Message Caption")),
                                           Translate(QStringLiteral("Next Run"))};
    return captions[section];
}

void EventList::setRow(int index, const EventRecord& r)
{
    m_rows[size_t(index)] = r;
    emit dataChanged(this->index(index, 0), this->index(index, ColumnCount - 1));
}

void EventList::setActive(int index, bool active)
{
    EventRecord r = row(index);
    r.Active = active;
    setRow(index, r);
}

int EventList::indexOf(quint64 id) const
{
    const auto at = std::find(m_ids.begin(), m_ids.end(), id);
    return at == m_ids.end() ? -1 : int(at - m_ids.begin());
}

void EventList::appendRow(const EventRecord& r)
{
    beginInsertRows({}, count(), count());
    m_rows.push_back(r);
    m_ids.push_back(m_nextId++);
    endInsertRows();
}

void EventList::removeRow(int index)
{
    beginRemoveRows({}, index, index);
    m_rows.erase(m_rows.begin() + index);
    m_ids.erase(m_ids.begin() + index);
    endRemoveRows();
}

void EventList::removeRows(QList<int> indexes)
{
    std::sort(indexes.begin(), indexes.end(), std::greater<>());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (const int index : indexes)
        if (index >= 0 && index < count())
            removeRow(index);
}

void EventList::sortRows(int column, bool descending, const std::function<QString(const EventRecord&)>& key)
{
    if (column < 0 || column >= ColumnCount)
        return;
    std::vector<QString> keys;
    keys.reserve(m_rows.size());
    for (const EventRecord& r : m_rows)
        keys.push_back(key ? key(r) : column == 0 ? r.Name : r.SubTexts[size_t(column - 1)]);
    std::vector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = keys[size_t(a)].compare(keys[size_t(b)], Qt::CaseSensitive);
        return descending ? c > 0 : c < 0;
    });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<EventRecord> sorted;
    std::vector<quint64> sortedIds;
    sorted.reserve(m_rows.size());
    std::vector<int> newPlace(m_rows.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted.push_back(std::move(m_rows[size_t(order[i])]));
        sortedIds.push_back(m_ids[size_t(order[i])]);
        newPlace[size_t(order[i])] = int(i);
    }
    m_rows = std::move(sorted);
    m_ids = std::move(sortedIds);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after << this->index(newPlace[size_t(index.row())], index.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void EventList::replaceAll(std::vector<EventRecord> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_ids.resize(m_rows.size());
    for (quint64& id : m_ids)
        id = m_nextId++;
    endResetModel();
}

void EventList::setViewStyle(ViewStyle style)
{
    if (style == m_viewStyle)
        return;
    m_viewStyle = style;
    emit viewStyleChanged(style);
}

void EventList::setSaveCommandEnabled(bool enabled)
{
    if (enabled == m_saveEnabled)
        return;
    m_saveEnabled = enabled;
    emit saveCommandChanged(enabled);
}

} // namespace events
