#include "events/AgentSpeech.h"

#include "core/LocaleFormats.h"
#include "lang/Translate.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolders.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>

namespace events {

QString ReplaceFirst(const QString& text, const QString& token, const QString& by)
{
    if (token.isEmpty())
        return text;
    const qsizetype at = text.indexOf(token, 0, Qt::CaseSensitive);
    if (at < 0)
        return text;
    QString result = text;
    result.replace(at, token.size(), by);
    return result;
}

QString AgentTimeText(const QTime& time, const core::LocaleFormats& locale)
{
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const QString designator = time.hour() < 12 ? locale.locale().amText() : locale.locale().pmText();
    return QStringLiteral("%1:%2 %3").arg(hour12).arg(time.minute(), 2, 10, QLatin1Char('0')).arg(designator);
}

QString AgentDateText(const QDate& date, const core::LocaleFormats& locale)
{
    return locale.formatLongDate(date);
}

SpeechText PrepareSpeech(const QString& text, const QDateTime& now, const core::LocaleFormats& locale)
{
    SpeechText s;
    s.text = ReplaceFirst(text, Translate(QStringLiteral("*TIME")), AgentTimeText(now.time(), locale));
    s.text = ReplaceFirst(s.text, Translate(QStringLiteral("*DATE")), AgentDateText(now.date(), locale));
    const QString hide = Translate(QStringLiteral("*HIDE"));
    s.hide = !hide.isEmpty() && s.text.contains(hide, Qt::CaseSensitive);
    if (s.hide)
        s.text = ReplaceFirst(s.text, hide, QString());
    return s;
}

namespace {

QStringList characterFolders(const platform::ProgramFolders& folders)
{
    QStringList list{folders.CharsFolder, folders.UserDataFolder + QStringLiteral("chars/")};
    list.removeDuplicates();
    return list;
}

QStringList characterFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.acs")}, QDir::Files | QDir::Readable, QDir::Name);
}

} // namespace

QStringList AgentCharsMask(const platform::ProgramFolders& folders)
{
    QStringList masks;
    for (const QString& folder : characterFolders(folders))
        if (!folder.isEmpty() && !characterFiles(folder).isEmpty())
            masks << folder + QStringLiteral("*.acs");
    return masks;
}

QStringList FillCharacterList(const QStringList& masks)
{
    QStringList names;
    for (const QString& mask : masks) {
        const QFileInfo info(mask);
        for (const QString& file : QDir(info.path()).entryList({info.fileName()}, QDir::Files, QDir::Name)) {
            QString name = file.toLower();
            name.truncate(name.indexOf(QStringLiteral(".acs")));
            if (name.isEmpty())
                continue;
            name[0] = name[0].toUpper();
            if (!names.contains(name))
                names << name;
        }
    }
    names.sort();
    return names;
}

AgentSpeech::AgentSpeech(character::CharacterService& service, AgentSettings settings,
                         const bool& shuttingDown, platform::MessageBoxes& messages,
                         const platform::Clock& clock, const core::LocaleFormats& locale,
                         const platform::ProgramFolders& folders)
    : m_service(service), m_settings(settings), m_shuttingDown(shuttingDown), m_messages(messages),
      m_clock(clock), m_locale(locale), m_folders(folders)
{
    connect(&m_service, &character::CharacterService::Move, this, &AgentSpeech::Agent1Move);
    connect(&m_service, &character::CharacterService::LoadFailed, this, &AgentSpeech::loadFailed);
}

QStringList AgentSpeech::FillCharacterList() const
{
    return events::FillCharacterList(AgentCharsMask(m_folders));
}

void AgentSpeech::Start()
{
    m_available = !AgentCharsMask(m_folders).isEmpty() && m_service.canStart();
    if (m_available && !m_settings.AgentCharacter.isEmpty())
        LoadAgentCharacter();
}

void AgentSpeech::LoadAgentCharacter()
{
    m_loaded = nullptr;
    m_lastSpeech.reset();
    try {
        m_service.setConnected(true);
        shareLanguage();
        m_service.Load(m_settings.AgentCharacter, m_settings.AgentFile);
        m_loaded = &m_service.Character(m_settings.AgentCharacter);
        // A new character first stands where the user last put one, not in the screen's corner,
        // also when it speaks where it stands (the event editor's test).
        m_loaded->setLeft(m_settings.AgentLeft);
        m_loaded->setTop(m_settings.AgentTop);
    } catch (const character::CharacterLoadError&) {
        m_loaded = nullptr;
        reportLoadError(false);
    }
}

void AgentSpeech::shareLanguage()
{
    m_service.setLanguage(m_settings.Language, [](const QString& english) { return Translate(english); });
}

void AgentSpeech::loadFailed(const QString& name)
{
    if (!m_loaded || name != m_settings.AgentCharacter)
        return;
    m_loaded = nullptr;
    m_lastSpeech.reset();
    m_service.Unload(name);
    reportLoadError(true);
}

void AgentSpeech::reportLoadError(bool fileFound)
{
    const QString name = m_settings.AgentCharacter;
    QString where;
    if (fileFound) {
        where = Translate(
                    QStringLiteral("The file %1 of the character %2 is damaged or is not a character file."))
                    .arg(QDir::toNativeSeparators(m_service.locate(m_settings.AgentFile)), name);
    } else {
        QStringList folders;
        for (const QString& folder : characterFolders(m_folders))
            folders << QDir::toNativeSeparators(folder);
        where = Translate(QStringLiteral("There is no file %1 for the character %2 in %3."))
                    .arg(m_settings.AgentFile, name, folders.join(QStringLiteral(", ")));
    }
    const QString text =
        Translate(QStringLiteral("Error loading the speaking character")) + QStringLiteral("\n\n") + where +
        QStringLiteral("\n\n") +
        Translate(QStringLiteral(
            "To use another character, choose one in an announcement's details and press Test."));
    QMetaObject::invokeMethod(
        this, [this, text] { m_messages.error(text); }, Qt::QueuedConnection);
}

void AgentSpeech::UnloadAgentCharacter()
{
    if (!m_loaded)
        return;
    m_loaded->StopAll(QString());
    WaitForAgentRequest(m_loaded->Hide(m_shuttingDown));
    m_loaded = nullptr;
    m_lastSpeech.reset();
    m_service.Unload(m_settings.AgentCharacter);
}

bool AgentSpeech::WaitForAgentRequest(const character::CharacterRequestPtr& request)
{
    if (!request || request->finished())
        return true;
    if (m_shuttingDown)
        return false; // nothing moves while no messages are processed
    // The event loop keeps running (clock ticks and due events go on) and looks at the request
    // now and then; it never spins.
    QEventLoop loop;
    QTimer look;
    look.setInterval(25);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (request->finished())
            loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    look.start();
    limit.start(waitLimitMs);
    loop.exec();
    return request->finished();
}

void AgentSpeech::AgentSpeak(const QString& text, bool hideBalloon)
{
    if (!m_loaded)
        return;
    const SpeechText s = PrepareSpeech(text, m_clock.now(), m_locale);
    shareLanguage(); // the user may have chosen another since the last time
    if (!s.text.isEmpty())
        m_lastSpeech = m_loaded->Speak(s.text, QString());
    m_service.Item(m_settings.AgentCharacter).setBalloonVisible(!hideBalloon);
    if (s.hide)
        m_loaded->Hide(false);
}

void AgentSpeech::Announce(const QString& character, const QString& text, bool moveToSavedPlace)
{
    if (!m_available || character.isEmpty())
        return;
    if (m_settings.AgentCharacter != character) {
        UnloadAgentCharacter();
        m_settings.AgentCharacter = character;
        m_settings.AgentFile = character + QStringLiteral(".acs");
        LoadAgentCharacter();
    }
    // A character that failed to load stays the current one, and announces nothing.
    if (!m_loaded)
        return;
    if (moveToSavedPlace) {
        m_loaded->setLeft(m_settings.AgentLeft);
        m_loaded->setTop(m_settings.AgentTop);
    }
    m_loaded->Show(false);
    AgentSpeak(text, true);
}

void AgentSpeech::Shutdown()
{
    UnloadAgentCharacter();
    m_service.setConnected(false);
}

void AgentSpeech::Agent1Move(const QString&, int x, int y, int)
{
    m_settings.AgentLeft = x;
    m_settings.AgentTop = y;
}

} // namespace events
