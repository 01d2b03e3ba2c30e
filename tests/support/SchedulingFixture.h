#pragma once

#include "core/DateTimeText.h"
#include "events/EventActions.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "events/Scheduler.h"
#include "support/FakeActions.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace fakes {

class RecordingActions final : public events::EventActions
{
public:
    using events::EventActions::EventActions;
    QStringList ran;
    void RunEvent(events::EventRecord row, QString lateNote) override
    {
        ran << row.Name;
        events::EventActions::RunEvent(row, lateNote);
    }
};

// A row as the events page would make it; the title and text carry the name.
inline events::EventRecord eventRow(const QString& name, const QString& schedule, const QString& dayDate,
                                    const QString& time, bool active = true,
                                    const QString& type = "Message Box")
{
    using namespace events;
    EventRecord row;
    row.Name = name;
    row.text(DayDate) = dayDate;
    row.text(TimeText) = time;
    row.text(ScheduleName) = schedule;
    row.text(TypeName) = type;
    row.text(FolderText) = name + " title";
    row.text(FileText) = name + " text";
    row.Active = active;
    return row;
}

// The event list, its file and a scheduler whose actions are recorded, on a fake desktop.
class Scheduling : public ::testing::Test
{
protected:
    FakePlatform fake; // Monday 2 March 2026, 14:00:00
    events::EventList list;
    events::EventStorage storage{list, fake.programPath("Events.dta"), fake.messages};
    FakeActionWorld world{fake};
    RecordingActions actions{world.services()};
    events::Scheduler scheduler{list, fake.locale, actions, fake.messages,
                                [this](int row) { return storage.SaveFiredEvent(row); }};

    void add(const QString& name, const QString& schedule, const QString& dayDate, const QString& time,
             bool active = true, const QString& type = "Message Box")
    {
        list.appendRow(eventRow(name, schedule, dayDate, time, active, type));
    }
    QString date(int daysFromToday)
    {
        return core::formatDateText(fake.clock.current.date().addDays(daysFromToday), fake.locale);
    }
    // One observed second, as the clock's tick asks, and the actions it started.
    QStringList scanAt(const QTime& t)
    {
        fake.clock.set(t);
        actions.ran.clear();
        scheduler.RunDueEvents(fake.clock.now());
        QCoreApplication::processEvents();
        return actions.ran;
    }
};

} // namespace fakes
