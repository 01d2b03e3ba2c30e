#include "timezones/TfrmTZClock.h"

#include "clockface/TClockFace.h"
#include "timezones/TZClockSettings.h"
#include "timezones/TZFaceLook.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace timezones {

TfrmTZClock::TfrmTZClock(platform::Clock& clock, const core::LocaleFormats& locale, TZClockSettings& settings,
                         QMenu* popupMenu, QWidget* parent)
    : QWidget(parent, Qt::Window), m_settings(settings)
{
    setWindowTitle(QStringLiteral("Time Zone Clock")); // translated with the window
    setMinimumSize(TZClockSettings::MinWindowSide, TZClockSettings::MinWindowSide);
    face = new clockface::TClockFace(clock, locale, this);
    face->setClockStyle(clockface::csAnalog);
    face->setPopupMenu(popupMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(face);
    connect(face, &clockface::TClockFace::OnDblClick, this, &TfrmTZClock::propertiesRequested);
    resize(m_settings.Width, m_settings.Height);
}

void TfrmTZClock::showClock()
{
    // The size first, so the window appears at it rather than growing to it.
    resize(m_settings.Width, m_settings.Height);
    show();
    raise();
    activateWindow();
}

void TfrmTZClock::FormShow()
{
    resize(m_settings.Width, m_settings.Height); // the place stays where it is
    applyColorAndHands(*face, m_settings);
    applyFont(*face, m_settings.Font);
    face->setDisplayFormat(m_settings.displayFormat());
    face->setClockStyle(m_settings.IsDigital ? clockface::csText : clockface::csAnalog);
    face->setActive(true);
}

void TfrmTZClock::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmTZClock::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        face->setActive(false);
}

void TfrmTZClock::closeEvent(QCloseEvent* event)
{
    event->accept(); // hidden, not destroyed
    emit closed(Tag);
}

void TfrmTZClock::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Only what the user (or the desktop) makes of the shown window is kept for the next run.
    if (isVisible()) {
        m_settings.Width = width();
        m_settings.Height = height();
    }
}

} // namespace timezones
