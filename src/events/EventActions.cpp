#include "events/EventActions.h"

#include "events/AgentAnnouncer.h"
#include "events/EventRecord.h"
#include "lang/Translate.h"
#include "platform/MediaPlayer.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <QFileInfo>

namespace events {

namespace {

// "Couldn't run the file:" and the like, with the path on a line of its own.
QString failureText(const QString& what, const QString& path)
{
    return what + QStringLiteral("\r\n") + path;
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
    return {positionOf(actionTypeNames(), row.text(TypeName)), row.text(TypeName), row.text(FolderText),
            row.text(FileText), showCommandOf(row.text(RunWindow))};
}

EventActions::EventActions(ActionServices services) : m_services(std::move(services)) {}

void EventActions::RunEvent(EventRecord row)
{
    Perform(actionOf(row));
}

ActionOutcome EventActions::Perform(const EventAction& action, bool agentAtSavedPlace)
{
    switch (action.type) {
    case atMessageBox:
        m_services.messages.showInformation(action.folder, action.file);
        return ActionOutcome::Done;
    case atRunProgram:
        return runProgram(action);
    case atPlayMedia:
        return playMedia(action);
    case atAdjustTime:
        return adjustTime();
    case atAgent:
        return announce(action, agentAtSavedPlace);
    default:
        return unknownType(action);
    }
}

ActionOutcome EventActions::runProgram(const EventAction& action)
{
    const QString folder = action.folder.isEmpty() ? m_services.folders.ProgramFolder : action.folder;
    if (m_services.shell.runFile(action.file, folder, action.show))
        return ActionOutcome::Done;
    m_services.messages.error(
        failureText(Translate(QStringLiteral("Couldn't run the file:")), folder + action.file));
    return ActionOutcome::Failed;
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
        messages.error(reason.isEmpty() ? text : text + QStringLiteral("\r\n") + reason);
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
