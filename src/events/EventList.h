#pragma once

#include "events/EventRecord.h"
#include "events/EventsFile.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

namespace events {

// The event list: one model for the whole run, made by the configuration dialog and read and
// changed by the scheduler, the actions and the event editors, so an edit counts at once.
// Columns: the name (with the row's check box), the first six texts of the row, and when it runs
// next, which the list's look works out (the list itself holds nothing there).
class EventList final : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int ColumnCount = 8;
    static constexpr int NextRunColumn = 7;

    explicit EventList(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int count() const { return int(m_rows.size()); }
    const EventRecord& row(int index) const { return m_rows[size_t(index)]; }
    const std::vector<EventRecord>& rows() const { return m_rows; }
    // Who a row is, wherever it moves and whatever is changed in it, for as long as it is in the
    // list; a row that comes again from the file is a new one.
    quint64 id(int index) const { return m_ids[size_t(index)]; }
    int indexOf(quint64 id) const;
    void setRow(int index, const EventRecord& row);
    void setActive(int index, bool active);
    void appendRow(const EventRecord& row);
    void removeRow(int index);
    // Several rows at once, in any order; indexes out of range are passed over.
    void removeRows(QList<int> indexes);
    // All rows at once: what a file held.
    void replaceAll(std::vector<EventRecord> rows);
    void clear() { replaceAll({}); }

    // Puts the rows in order once, by the name (column 0) or by a text (column c is sub-text
    // c - 1), comparing the texts as they are stored: letter case counts, dates and times sort
    // as text. Rows with equal texts keep their order. Selections follow their rows. `key`, when
    // given, stands in for the column's text.
    void sortRows(int column, bool descending, const std::function<QString(const EventRecord&)>& key = {});

    ViewStyle viewStyle() const { return m_viewStyle; }
    void setViewStyle(ViewStyle style);

    // The events page's save command: enabled while there are changes not yet saved.
    bool saveCommandEnabled() const { return m_saveEnabled; }
    void setSaveCommandEnabled(bool enabled);

signals:
    // A row was changed through a view (its check box clicked): the user's edit, not the program's.
    void edited(int row);
    void saveCommandChanged(bool enabled);
    void viewStyleChanged(events::ViewStyle style);

private:
    std::vector<EventRecord> m_rows;
    std::vector<quint64> m_ids; // by row
    quint64 m_nextId = 1;
    ViewStyle m_viewStyle = vsReport; // a list that never came from a file shows its details
    bool m_saveEnabled = false;
};

} // namespace events
