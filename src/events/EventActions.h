#pragma once

#include "platform/ProgramFolders.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

namespace platform {
class MediaPlayer;
class MessageBoxes;
class Shell;
} // namespace platform

namespace events {

class AgentAnnouncer;
struct EventRecord;

// What one action needs: taken from a row of the event list, or from the fields of the event
// details dialog for its test command.
struct EventAction
{
    int type = -1;    // ActionType; -1 for a type name that is not among the current ones
    QString typeName; // as the row names it, to say which type is not known
    QString folder;   // the message title, the file's folder, or the character's name
    QString file;     // the message, the file's name, or the text to speak
    int show = 5;     // the show-window command for a program: 5 normal, 2 minimized, 3 maximized
    QString lateNote; // for an event run late, the line its box adds to say when it was due
};

// The action of a row: its type by name among the current names, its folder and file, and the
// show command its RunWindow stores ("" normal, "2" minimized, "3" maximized; anything else
// counts as normal).
EventAction actionOf(const EventRecord& row);
int showCommandOf(const QString& runWindow);

// How an action went, for whoever must say more than the action itself does (the event details
// dialog's test command).
enum class ActionOutcome
{
    Done,         // shown, started, playing, or the update asked for
    Failed,       // the failure has been shown
    NotConnected, // an adjust-time action without a connection: nothing was done
    Busy,         // an adjust-time action while an update still runs: nothing was done
    NotAvailable, // an agent action without a character facility or character name
    UnknownType   // a type this program does not know: nothing was done
};

// Where an action reaches the desktop and the rest of the program.
struct ActionServices
{
    platform::MessageBoxes& messages;
    platform::Shell& shell;
    platform::MediaPlayer& media;
    AgentAnnouncer& agent;
    platform::ProgramFolders folders; // the program's folder for programs, the sounds folder for media
    // Whether the computer is connected, and the Internet page's update-time command.
    std::function<bool()> isConnected = [] { return false; };
    std::function<void()> updateTime = [] {};
};

// What an event does when it is due. It reads the row's texts and changes nothing in the row.
class EventActions
{
public:
    explicit EventActions(ActionServices services);
    virtual ~EventActions() = default;

    // The action of a row that is due: a copy of the row is taken first, since the list may
    // change while the action runs.
    virtual void RunEvent(EventRecord row, QString lateNote = {});

    // The steps of one action, whatever asked for it: the scheduler, for a due row, and the event
    // details dialog's test command, with its fields (`due` false). A message shows in a box that
    // does not wait, for a due event with the offer to remind again later; a program or document
    // is started in its folder (the program's folder when none is given); a media file plays from
    // its folder (the sounds folder when none is given); the time is updated from the Internet
    // when the computer is connected; a character speaks, at its saved place for a due event or
    // where it stands for the test. Failures are shown here, also those found out later (the
    // desktop could not open the document, the sound has no way out): "Couldn't run the file:",
    // "Couldn't find the file:", "Couldn't play the file:", each with the path and the reason on
    // the lines after; a type that is not known is said once a run.
    ActionOutcome Perform(const EventAction& action, bool due = true);

    // Who takes a reminder that is to come again in so many minutes.
    using Snooze = std::function<void(const EventAction& action, int minutes)>;
    void setSnooze(Snooze snooze) { m_snooze = std::move(snooze); }
    // The minutes a reminder offers to come again after, in the order offered.
    static const QList<int>& SnoozeMinutes();

private:
    void remind(const EventAction& action);
    ActionOutcome runProgram(const EventAction& action);
    ActionOutcome playMedia(const EventAction& action);
    ActionOutcome adjustTime();
    ActionOutcome announce(const EventAction& action, bool atSavedPlace);
    ActionOutcome unknownType(const EventAction& action);

    ActionServices m_services;
    Snooze m_snooze;
    bool m_updating = false;     // an update-time command runs (it waits for the server)
    QSet<QString> m_unknownSaid; // type names already said to be unknown
};

} // namespace events
