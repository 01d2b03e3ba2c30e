#include "events/EventActions.h"

#include "events/AgentAnnouncer.h"
#include "events/EventRecord.h"
#include "lang/Translate.h"
#include "platform/MediaPlayer.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <QFileInfo>

#include <memory>

namespace events {

namespace {

// "Couldn't run the file:" and the like, with the path on a line of its own.
QString failureText(const QString& what, const QString& path)
{
    return what + QStringLiteral("\r\n") + path;
}

QString runFailureText(const QString& path, const platform::RunFailure& why)
{
    QString text = failureText(Translate(QStringLiteral("Couldn't run the file:")), path);
    if (why.kind == platform::RunFailure::NotExecutable)
        text += QStringLiteral("\r\n") +
                Translate(QStringLiteral("It is a program, but it is not marked as executable."));
    else if (!why.detail.isEmpty())
        text += QStringLiteral("\r\n") + why.detail;
    return text;
}

} // namespace

int showCommandOf(const QString& runWindow)
{
    if (runWindow == QStringLiteral("2"))
        return platform::Shell::ShowMinimized;
    if (runWindow == QStringLiteral("3"))
        return platform::Shell::ShowMaximized;
    return platform::Shell::ShowNormal;
}

EventAction actionOf(const EventRecord& row)
{
    return {positionOf(actionTypeNames(), row.text(TypeName)),
            row.text(TypeName),
            row.text(FolderText),
            row.text(FileText),
            showCommandOf(row.text(RunWindow)),
            QString()};
}

EventActions::EventActions(ActionServices services) : m_services(std::move(services)) {}

void EventActions::RunEvent(EventRecord row, QString lateNote)
{
    EventAction action = actionOf(row);
    action.lateNote = std::move(lateNote);
    Perform(action);
}

const QList<int>& EventActions::SnoozeMinutes()
{
    static const QList<int> minutes = {5, 10, 15, 30, 60};
    return minutes;
}

ActionOutcome EventActions::Perform(const EventAction& action, bool due)
{
    switch (action.type) {
    case atMessageBox:
        if (due && m_snooze)
            remind(action);
        else
            m_services.messages.showInformation(action.folder, action.file);
        return ActionOutcome::Done;
    case atRunProgram:
        return runProgram(action);
    case atPlayMedia:
        return playMedia(action);
    case atAdjustTime:
        return adjustTime();
    case atAgent:
        return announce(action, due);
    default:
        return unknownType(action);
    }
}

void EventActions::remind(const EventAction& action)
{
    QStringList later;
    for (const int minutes : SnoozeMinutes())
        later << lang::fillIn(Translate(QStringLiteral("Remind me again in %s minutes")),
                              QString::number(minutes));
    const QString text = action.lateNote.isEmpty()
                             ? action.file
                             : action.file + QStringLiteral("\r\n\r\n") + action.lateNote;
    // The box may be answered long after; what it asks for again is a copy of the action.
    m_services.messages.showReminder(action.folder, text, later, [snooze = m_snooze, action](int chosen) {
        if (chosen >= 0 && chosen < SnoozeMinutes().size())
            snooze(action, SnoozeMinutes()[chosen]);
    });
}

ActionOutcome EventActions::runProgram(const EventAction& action)
{
    const QString folder = action.folder.isEmpty() ? m_services.folders.ProgramFolder : action.folder;
    const QString path = folder + action.file;
    platform::MessageBoxes& messages = m_services.messages;
    // Told while runFile() runs when the file cannot be started, or later, from the event loop,
    // when the desktop's opener gives up.
    auto failedAtOnce = std::make_shared<bool>(false);
    auto running = std::make_shared<bool>(true);
    m_services.shell.runFile(action.file, folder, action.show,
                             [&messages, path, failedAtOnce, running](const platform::RunFailure& why) {
                                 *failedAtOnce = *running;
                                 messages.error(runFailureText(path, why));
                             });
    *running = false;
    return *failedAtOnce ? ActionOutcome::Failed : ActionOutcome::Done;
}

ActionOutcome EventActions::playMedia(const EventAction& action)
{
    const QString folder = action.folder.isEmpty() ? m_services.folders.SoundsFolder : action.folder;
    const QString path = folder + action.file;
    if (!QFileInfo(path).isFile()) {
        m_services.messages.error(failureText(Translate(QStringLiteral("Couldn't find the file:")), path));
        return ActionOutcome::Failed;
    }
    // A file that turns out unplayable is said when the media framework finds out.
    platform::MessageBoxes& messages = m_services.messages;
    m_services.media.play(path, [&messages, path](const QString& reason) {
        const QString text = failureText(Translate(QStringLiteral("Couldn't play the file:")), path);
        messages.error(reason.isEmpty() ? text : text + QStringLiteral("\r\n") + Translate(reason));
    });
    return ActionOutcome::Done;
}

ActionOutcome EventActions::adjustTime()
{
    if (!m_services.isConnected())
        return ActionOutcome::NotConnected;
    // The command waits for the server with the event loop running, and a second due event could
    // come in meanwhile: one update at a time.
    if (m_updating)
        return ActionOutcome::Busy;
    m_updating = true;
    m_services.updateTime();
    m_updating = false;
    return ActionOutcome::Done;
}

ActionOutcome EventActions::announce(const EventAction& action, bool atSavedPlace)
{
    if (!m_services.agent.isAvailable() || action.folder.isEmpty())
        return ActionOutcome::NotAvailable;
    m_services.agent.announce(action.folder, action.file, atSavedPlace);
    return ActionOutcome::Done;
}

ActionOutcome EventActions::unknownType(const EventAction& action)
{
    if (!m_unknownSaid.contains(action.typeName)) {
        m_unknownSaid.insert(action.typeName);
        m_services.messages.warning(failureText(
            Translate(QStringLiteral("This type of event is unknown and does nothing:")), action.typeName));
    }
    return ActionOutcome::UnknownType;
}

} // namespace events
