#pragma once

#include <functional>

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>

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
    // An information box that does not wait: it stays until the user closes it, and the program
    // goes on at once, so a reminder never holds up the clock or the reminders after it. Each box
    // opens a little beside the one opened before it, within the screen.
    virtual void showInformation(const QString& title, const QString& text) { information(title, text); }
    // A warning box that does not wait either, for what went wrong while no one was asking.
    virtual void showWarning(const QString& text) { warning(text); }
    // A reminder: shown as by showInformation(), with the offer to be reminded again later.
    // `later` is told which of `laterChoices` the user took; closing the box takes none.
    virtual void showReminder(const QString& title, const QString& text, const QStringList& laterChoices,
                              std::function<void(int choice)> later)
    {
        (void)laterChoices;
        (void)later;
        showInformation(title, text);
    }
};

class QtMessageBoxes final : public MessageBoxes
{
public:
    explicit QtMessageBoxes(QString applicationTitle);
    void error(const QString& text) override;
    void warning(const QString& text) override;
    void information(const QString& title, const QString& text) override;
    Answer question(const QString& text, bool withCancel) override;
    void showInformation(const QString& title, const QString& text) override;
    void showWarning(const QString& text) override;
    // The box is as wide as its title needs, and a message without blanks wraps all the same.
    void showReminder(const QString& title, const QString& text, const QStringList& laterChoices,
                      std::function<void(int choice)> later) override;

    // The buttons' captions ("OK", "Yes", "No", "Cancel") in the user's language: the language
    // layer stands above this one, so it lends its translation here.
    void setButtonCaptions(std::function<QString(const QString&)> caption) { m_caption = std::move(caption); }

private:
    // A box that waits for its answer, its buttons captioned in the user's language.
    QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString& title, const QString& text,
                                    QMessageBox::StandardButtons buttons);
    // A box that does not wait, beside the one shown before it.
    void showWithoutWaiting(QMessageBox::Icon icon, const QString& title, const QString& text,
                            const QStringList& laterChoices, std::function<void(int)> later);
    // The standard buttons a box has, captioned in the user's language.
    void captionButtons(QMessageBox& box) const;

    QString m_title;
    std::function<QString(const QString&)> m_caption = [](const QString& text) { return text; };
    QList<QPointer<QMessageBox>> m_shownBoxes;
};

} // namespace platform
