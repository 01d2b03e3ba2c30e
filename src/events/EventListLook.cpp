#include "events/EventListLook.h"

#include "events/EventList.h"
#include "events/NextRun.h"
#include "platform/Clock.h"
#include "widgets/Icons.h"

#include <algorithm>
#include <array>

namespace events {

namespace {

const QIcon& scheduleIconOf(int iconIndex)
{
    static const std::array<QIcon, 5> icons = {widgets::scheduleIcon(0), widgets::scheduleIcon(1),
                                               widgets::scheduleIcon(2), widgets::scheduleIcon(3),
                                               widgets::scheduleIcon(4)};
    return icons[size_t(std::clamp(iconIndex, 0, 4))];
}

} // namespace

EventListLook::EventListLook(EventList& list, const platform::Clock& clock, const core::LocaleFormats& locale,
                             QObject* parent)
    : QIdentityProxyModel(parent), m_list(list), m_clock(clock), m_locale(locale)
{
    setSourceModel(&list);
}

QVariant EventListLook::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_list.count())
        return {};
    if (role == Qt::DecorationRole && index.column() == 0)
        return scheduleIconOf(m_list.row(index.row()).IconIndex);
    if (role == Qt::DisplayRole && index.column() == EventList::NextRunColumn)
        return nextRunText(m_list.row(index.row()), m_clock.now(), m_locale);
    return QIdentityProxyModel::data(index, role);
}

QVariant EventListLook::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DecorationRole && orientation == Qt::Horizontal && section == m_sortColumn) {
        static const QIcon up = widgets::sortIcon(true), down = widgets::sortIcon(false);
        return m_ascending ? up : down;
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}

void EventListLook::refreshNextRuns()
{
    if (m_list.count() > 0)
        emit dataChanged(index(0, EventList::NextRunColumn),
                         index(m_list.count() - 1, EventList::NextRunColumn), {Qt::DisplayRole});
}

void EventListLook::setSortPicture(int column, bool ascending)
{
    const int before = m_sortColumn;
    m_sortColumn = column;
    m_ascending = ascending;
    if (before >= 0)
        emit headerDataChanged(Qt::Horizontal, before, before);
    if (column >= 0)
        emit headerDataChanged(Qt::Horizontal, column, column);
}

} // namespace events
