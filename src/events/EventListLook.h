#pragma once

#include <QIdentityProxyModel>

namespace core {
class LocaleFormats;
} // namespace core

namespace platform {
class Clock;
} // namespace platform

namespace events {

class EventList;

// The event list as its views show it: each row with its schedule's picture and when it runs
// next, and the sorted column's header with the picture of its direction. The rows are the list's
// own.
class EventListLook final : public QIdentityProxyModel
{
    Q_OBJECT

public:
    EventListLook(EventList& list, const platform::Clock& clock, const core::LocaleFormats& locale,
                  QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The column whose header shows a direction (0 for the name), or none (-1).
    void setSortPicture(int column, bool ascending);
    int sortPictureColumn() const { return m_sortColumn; }
    bool sortPictureAscending() const { return m_ascending; }
    // The time has moved on: the views ask again when each row runs next.
    void refreshNextRuns();

private:
    EventList& m_list;
    const platform::Clock& m_clock;
    const core::LocaleFormats& m_locale;
    int m_sortColumn = -1;
    bool m_ascending = true;
};

} // namespace events
