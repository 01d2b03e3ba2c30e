#include "events/TfrmEventDetails.h"

#include "events/EventList.h"
#include "lang/ApplyLanguage.h"
#include "lang/Translate.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace events {

TfrmEventDetails::TfrmEventDetails(const platform::Platform& services, QWidget* parent)
    : QDialog(parent), m_platform(services)
{
    setWindowTitle(QStringLiteral("Event Details"));
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* layout = new QHBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(btnOK);
    layout->addWidget(btnCancel);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    lang::applyLanguage(this);
}

bool TfrmEventDetails::editEvent(EventList& list, int row)
{
    if (row < 0 || row >= list.count())
        return false;
    if (exec() != QDialog::Accepted)
        return false;
    list.setSaveCommandEnabled(true);
    return true;
}

} // namespace events
