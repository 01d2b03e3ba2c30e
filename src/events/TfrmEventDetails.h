#pragma once

#include "platform/Platform.h"

#include <QDialog>

class QDialogButtonBox;

namespace events {

class EventList;

// Edits the action part of one event; created once at start and shown modally.
class TfrmEventDetails final : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmEventDetails(const platform::Platform& services, QWidget* parent = nullptr);

    // Shows the dialog for a row of the list; on OK the row is written back and the list marked
    // unsaved. Returns whether OK closed it.
    bool editEvent(EventList& list, int row);

    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    platform::Platform m_platform;
};

} // namespace events
