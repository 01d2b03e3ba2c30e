#include "app/VeskelApplication.h"

#include "lang/Translate.h"

#include <QHelpEvent>
#include <QMessageBox>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

#include <exception>

namespace app {

namespace {

class QuickHintStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 5;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

VeskelApplication::VeskelApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Veskel"));
    setApplicationDisplayName(QStringLiteral("Veskel"));
    setOrganizationName(QStringLiteral("Palvaro Ltd"));
    setApplicationVersion(QStringLiteral(VESKEL_VERSION));
    setQuitOnLastWindowClosed(false); // the clock may be hidden in the tray; only Exit ends it
    setStyle(new QuickHintStyle);
    installEventFilter(new HintTiming(this));
    m_report = [](const QString& text) {
        QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Veskel"), text);
    };
}

void VeskelApplication::setErrorReporter(std::function<void(const QString&)> reporter)
{
    m_report = std::move(reporter);
}

bool VeskelApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        m_report(QString::fromStdString(e.what()));
    } catch (...) {
        m_report(Translate(QStringLiteral("Unknown error")));
    }
    return false;
}

bool HintTiming::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->toolTip().isEmpty())
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, 5000);
    return true;
}

} // namespace app
