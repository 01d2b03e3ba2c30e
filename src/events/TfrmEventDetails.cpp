#include "events/TfrmEventDetails.h"

#include "lang/Translate.h"

namespace events {

TfrmEventDetails::TfrmEventDetails(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Translate(QStringLiteral("Event Details")));
}

} // namespace events
