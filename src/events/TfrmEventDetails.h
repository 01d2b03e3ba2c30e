#pragma once

#include <QDialog>

namespace events {

// Edits the action part of one event; created once at start and shown modally.
class TfrmEventDetails final : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmEventDetails(QWidget* parent = nullptr);
};

} // namespace events
