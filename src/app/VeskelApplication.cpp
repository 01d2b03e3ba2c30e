#include "app/VeskelApplication.h"

#include "lang/Translate.h"

#include <QHelpEvent>
#include <QKeyEvent>
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

class HelpKey final : public QObject
{
public:
    explicit HelpKey(VeskelApplication* application) : QObject(application), m_application(application) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget && m_application->openHelpFor(widget);
    }

private:
    VeskelApplication* m_application;
};

} // namespace

VeskelApplication::VeskelApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Veskel"));
    setOrganizationName(QStringLiteral("Palvaro Ltd"));
    setApplicationVersion(QStringLiteral(VESKEL_VERSION));
    setQuitOnLastWindowClosed(false); // the clock may be hidden in the tray; only Exit ends it
    setStyle(new QuickHintStyle);
    installEventFilter(new HintTiming(this));
    installEventFilter(new HelpKey(this));
    m_report = [](const QString& text) {
        QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Veskel"), text);
    };
}

void VeskelApplication::setErrorReporter(std::function<void(const QString&)> reporter)
{
    m_report = std::move(reporter);
}

void VeskelApplication::setHelpOpener(std::function<void(int)> opener)
{
    m_openHelp = std::move(opener);
}

bool VeskelApplication::openHelpFor(const QWidget* widget) const
{
    const QVariant context = widget->window()->property("helpContext");
    if (!m_openHelp || !context.isValid())
        return false;
    m_openHelp(context.toInt());
    return true;
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
