#include "startup/EndRequest.h"

#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace startup {

namespace {

// Later, from inside the dialog's own loop: a dialog dismissed before its loop runs would leave
// the loop waiting for ever.
void dismissSoon(QDialog* dialog)
{
    QMetaObject::invokeMethod(
        dialog,
        [dialog] {
            if (dialog->isVisible())
                dialog->done(QDialog::Rejected);
        },
        Qt::QueuedConnection);
}

} // namespace

EndRequest::EndRequest(platform::TerminationSignals& termination, QObject* parent) : QObject(parent)
{
    connect(&termination, &platform::TerminationSignals::terminationRequested, this, &EndRequest::end);
}

void EndRequest::end()
{
    if (m_requested)
        return;
    m_requested = true;
    qApp->installEventFilter(this);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
            dismissSoon(dialog);
    // Not quit(): a window that refuses to close (a question about unsaved events) could veto it,
    // and no one is there to answer.
    QCoreApplication::exit(0);
}

bool EndRequest::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow())
            dismissSoon(dialog);
    return false;
}

} // namespace startup
