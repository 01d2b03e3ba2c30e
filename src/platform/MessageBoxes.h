#pragma once

#include <QString>

namespace platform {

// The standard message boxes. They are modal; while one is open the event loop keeps running,
// so timers (the clock tick among them) go on firing inside it.
class MessageBoxes
{
public:
    enum class Answer
    {
        Yes,
        No,
        Cancel
    };

    virtual ~MessageBoxes() = default;
    // The application's general error box (an exception that reached the top of a handler).
    virtual void error(const QString& text) = 0;
    virtual void warning(const QString& text) = 0;
    virtual void information(const QString& title, const QString& text) = 0;
    virtual Answer question(const QString& text, bool withCancel) = 0;
};

class QtMessageBoxes final : public MessageBoxes
{
public:
    explicit QtMessageBoxes(QString applicationTitle);
    void error(const QString& text) override;
    void warning(const QString& text) override;
    void information(const QString& title, const QString& text) override;
    Answer question(const QString& text, bool withCancel) override;

private:
    QString m_title;
};

} // namespace platform
