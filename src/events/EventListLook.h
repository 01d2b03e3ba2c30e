#pragma once

#include <QIdentityProxyModel>

namespace events {

class EventList;

// The event list as its views show it: each row with its schedule's picture, and the sorted
// column's header with the picture of its direction. The rows are the list's own.
class EventListLook final : public QIdentityProxyModel
{
    Q_OBJECT

public:
    explicit EventListLook(EventList& list, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The column whose header shows a direction (0 for the name), or none (-1).
    void setSortPicture(int column, bool ascending);
    int sortPictureColumn() const { return m_sortColumn; }
    bool sortPictureAscending() const { return m_ascending; }

private:
    EventList& m_list;
    int m_sortColumn = -1;
    bool m_ascending = true;
};

} // namespace events
