#pragma once

#include "events/AgentCharacters.h"
#include "events/EventActions.h"
#include "events/EventRecord.h"
#include "platform/Platform.h"

#include <QDialog>
#include <functional>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace events {

class EventList;

// Edits the action part of one event: its type, the message's title and text, the program,
// document or media file with its folder and window, or the character and what it says. Made once
// at start and shown modally from the events page; a file dragged from the file manager fills it
// in, and the test button performs the action at once.
class TfrmEventDetails final : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmEventDetails(const platform::Platform& services, QWidget* parent = nullptr);

    // Performs an action now, from the dialog's fields made into a row: what the test button does
    // once a type is chosen (and, for an announcement, the character can speak). How it went
    // tells the dialog what to say of a time update.
    using TestAction = std::function<ActionOutcome(const EventRecord& fields)>;
    void setTestAction(TestAction test) { m_test = std::move(test); }
    // The desktop character; none until one is given (announcements are then "not installed").
    void setCharacters(const AgentCharacters& characters) { m_characters = &characters; }

    // Fills the dialog from a row of the list and shows it; on OK the row is written back and
    // the list marked unsaved, and an active one-time event whose time has passed is said to
    // be so. Returns whether OK closed it.
    bool editEvent(EventList& list, int row);

    QGroupBox* grpType = nullptr;
    QButtonGroup* radType = nullptr; // the action types, a message to an announcement
    QLabel* lblInstruction = nullptr;
    QLabel* lblFolder = nullptr;
    QLineEdit* txtFolder = nullptr;
    QComboBox* cboCharacter = nullptr;
    QLabel* lblMessage = nullptr;
    QToolButton* btnFileOpen = nullptr;
    QLineEdit* txtFile = nullptr;
    QLabel* lblRun = nullptr;
    QComboBox* cboRunWindow = nullptr; // Normal Window, Minimized, Maximized
    QToolButton* btnAgent = nullptr;
    QLabel* img = nullptr;
    QPushButton* btnTest = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    // The chosen type, or -1.
    int type() const;
    void setType(int type);

    // Handlers.
    void radTypeClick(int type);
    void txtFileChange();
    void btnFileOpenClick();
    void btnTestClick();
    void btnOKClick();
    void btnAgentClick();
    // A file chosen or dropped: its folder and name, and the type its kind asks for.
    void SetFileFromPath(const QString& path);
    void ShowFileIcon(const QString& path);
    void dftDrop(const QStringList& paths);

    // The file chooser's filters in the file dialog's form, numbered from 0 (all files) to 5
    // (programs).
    static QStringList fileFilters();
    // The folder the chooser opens in next.
    const QString& chooserFolder() const { return m_chooserFolder; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    EventRecord fieldsAsRow() const;
    bool agentAvailable() const { return m_characters->AgentAvailable(); }

    platform::Platform m_platform;
    NoAgentCharacters m_noCharacters;
    const AgentCharacters* m_characters = &m_noCharacters;
    TestAction m_test;
    QStackedWidget* m_folderPlace = nullptr;
    QStackedWidget* m_filePlace = nullptr;
    QStackedWidget* m_runPlace = nullptr;
    QString m_chooserFolder;
    EventList* m_list = nullptr;
    int m_row = -1;
};

} // namespace events
