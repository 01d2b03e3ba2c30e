#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>

namespace character {

// What became of a request to a character, by the numbers callers compare with.
enum RequestStatus
{
    RequestComplete = 0,
    RequestFailed = 1,
    RequestPending = 2,
    RequestInterrupted = 3,
    RequestInProgress = 4,
};

// One queued piece of work of a character (showing, hiding, speaking). The caller keeps it to
// ask how it went; the character moves it from pending through in progress to its end.
class CharacterRequest final
{
public:
    int Status() const { return m_status; }
    bool finished() const { return m_status != RequestPending && m_status != RequestInProgress; }
    void setStatus(int status) { m_status = status; }

private:
    int m_status = RequestPending;
};
using CharacterRequestPtr = std::shared_ptr<CharacterRequest>;

// A loaded character on the desktop. Show, Hide and Speak are queued one after another and
// return at once; a hide asked for after a speech waits until the speech is over.
class AgentCharacter
{
public:
    virtual ~AgentCharacter() = default;

    virtual void setLeft(int left) = 0;
    virtual void setTop(int top) = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual bool Visible() const = 0;

    virtual CharacterRequestPtr Show(bool fast) = 0;
    virtual CharacterRequestPtr Hide(bool fast) = 0;
    // `url` names a recorded sound to play in place of the voice; empty: the voice speaks.
    virtual CharacterRequestPtr Speak(const QString& text, const QString& url) = 0;
    // Stops the request in progress and every queued one; an empty `types` means all kinds.
    virtual void StopAll(const QString& types) = 0;
    // Balloon.Visible: false takes away the word balloon as soon as no speech needs it.
    virtual void setBalloonVisible(bool visible) = 0;
    virtual bool BalloonVisible() const = 0;
};

class CharacterLoadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The desktop character service: the characters loaded by name and the notice that the user
// has dragged one. Character files are named by their bare file name and looked for in the
// service's own character folders.
class CharacterService : public QObject
{
    Q_OBJECT

public:
    // Why a character moved, as the move notice tells it.
    enum MoveCause
    {
        MovedByUser = 1,
        MovedByProgram = 2,
    };

    using QObject::QObject;

    // Whether the service can work here at all (a screen to show characters on).
    virtual bool canStart() const = 0;
    virtual void setConnected(bool connected) = 0;
    virtual bool Connected() const = 0;

    // The collection of loaded characters (Characters.Load, .Character, .Item, .Unload).
    // Load throws CharacterLoadError when there is no such file or the name is taken; the file
    // may be read after it returns, and a file that turns out broken fails the request returned
    // and is told by LoadFailed. Meanwhile the character takes requests, to do once it is read.
    virtual CharacterRequestPtr Load(const QString& name, const QString& loadKey) = 0;
    // The loaded character of that name; throws CharacterLoadError when there is none.
    virtual AgentCharacter& Character(const QString& name) = 0;
    virtual AgentCharacter& Item(const QString& name) { return Character(name); }
    virtual void Unload(const QString& name) = 0;
    virtual bool isLoaded(const QString& name) const = 0;
    // The file a load key names (the first of the service's folders that has it), or empty.
    virtual QString locate(const QString& loadKey) const = 0;
    // The language the user reads the program in, by its English name ("German"; empty for
    // English): the voice's language for a text whose own words do not tell. `translate` gives
    // the service's own texts (its menu) in it.
    using Translation = std::function<QString(const QString&)>;
    virtual void setLanguage(const QString& languageName, Translation translate)
    {
        Q_UNUSED(languageName);
        Q_UNUSED(translate);
    }

signals:
    // The character now stands at (x, y) on the screen.
    void Move(const QString& name, int x, int y, int cause);
    // The file of a character being loaded cannot be used; `reason` is for developers.
    void LoadFailed(const QString& name, const QString& reason);
};

} // namespace character
