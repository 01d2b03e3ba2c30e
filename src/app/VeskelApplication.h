#pragma once

#include <QApplication>
#include <functional>

namespace app {

// The application object. An exception that escapes an event handler is shown in the general
// error box and the program goes on; hints appear almost at once and stay for five seconds.
class VeskelApplication final : public QApplication
{
public:
    VeskelApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Where escaped exceptions are reported; the message box until set otherwise.
    void setErrorReporter(std::function<void(const QString&)> reporter);

    // Opens the manual at a help context. F1 in a window that names its context (the property
    // "helpContext") opens it there; a window with a help button of its own handles F1 itself.
    void setHelpOpener(std::function<void(int)> opener);
    bool openHelpFor(const QWidget* widget) const;

private:
    std::function<void(const QString&)> m_report;
    std::function<void(int)> m_openHelp;
};

// An event filter that shows hints after 5 ms of rest and hides them after 5 s.
class HintTiming final : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace app
