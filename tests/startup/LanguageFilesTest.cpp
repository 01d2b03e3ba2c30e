// The shipped languages speak every text the program shows.
#include "app/AboutBox.h"
#include "app/TfrmClock.h"
#include "config/TfrmConfig.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "events/TfrmEventDetails.h"
#include "lang/LanguageTable.h"
#include "lang/TfrmLanguage.h"
#include "lang/Translate.h"
#include "nettime/TimeUpdate.h"
#include "platform/SystemZoneWatch.h"
#include "support/FakePlatform.h"
#include "support/TimeServers.h"
#include "timezones/TZClockFile.h"
#include "timezones/TZFaceLook.h"
#include "timezones/TfrmTZClockProps.h"
#include "timezones/TfrmTimeZone.h"
#include "timezones/ZoneRules.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QStringList kLanguages = {"German", "French"};

QString shippedFile(const QString& language)
{
    return QStringLiteral(VESKEL_SOURCE_DIR "/data/Lang/") + language + ".txt";
}

// Every text the sources hand to Translate as a literal.
QStringList translatedLiterals()
{
    static const QRegularExpression call(
        QString::fromLatin1(R"re(Translate\(\s*QStringLiteral\(\s*"((?:[^"\\]|\\.)*)"\s*\)\s*\))re"));
    QSet<QString> keys;
    QDirIterator it(QStringLiteral(VESKEL_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString source = QString::fromUtf8(file.readAll());
        for (auto match = call.globalMatch(source); match.hasNext();) {
            QString key = match.next().captured(1);
            key.replace("\\\"", "\"").replace("\\n", "\n").replace("\\\\", "\\");
            keys.insert(key);
        }
    }
    QStringList sorted(keys.begin(), keys.end());
    sorted.sort();
    return sorted;
}

} // namespace

TEST(ShippedLanguages, AreWellFormed)
{
    for (const QString& language : kLanguages) {
        QFile file(shippedFile(language));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << language.toStdString();
        QSet<QString> keys;
        int lineNumber = 0;
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
            ++lineNumber;
            if (line.isEmpty() || line.startsWith(';'))
                continue;
            const qsizetype eq = line.indexOf('=');
            ASSERT_GT(eq, 0) << language.toStdString() << ":" << lineNumber;
            EXPECT_LT(eq + 1, line.size())
                << "empty translation at " << language.toStdString() << ":" << lineNumber;
            const QString key = line.left(eq).toCaseFolded();
            EXPECT_FALSE(keys.contains(key)) << "twice: " << line.toStdString();
            keys.insert(key);
        }
    }
}

TEST(ShippedLanguages, TranslateEveryTextTheSourcesAskFor)
{
    const QStringList keys = translatedLiterals();
    ASSERT_GT(keys.size(), 10);
    for (const QString& language : kLanguages) {
        const lang::LanguageTable table = lang::LanguageTable::load(shippedFile(language));
        for (const QString& key : keys)
            EXPECT_TRUE(table.lookup(key).has_value())
                << language.toStdString() << " has no line for \"" << key.toStdString() << "\"";
    }
}

TEST(ShippedLanguages, TranslateEveryTextOfEveryWindow)
{
    for (const QString& language : kLanguages) {
        fakes::FakePlatform fake;
        QDir().mkpath(fake.folders.LangFolder);
        ASSERT_TRUE(QFile::copy(shippedFile(language), fake.folders.LangFolder + language + ".txt"));
        fake.settings.set("Clock", "Language", language);
        QStringList missing;
        lang::setMissingTranslationObserver([&missing](const QString& text) { missing << text; });
        {
            app::RunFlags flags;
            app::AboutBox about(fake.shell);
            app::TfrmClock clock(fake.services(), fake.characters, flags, &about);
            lang::TfrmLanguage chooser(clock.Settings.Language, fake.folders.LangFolder, fake.messages);
            chooser.show();
            events::EventList eventList;
            events::EventStorage eventStorage(eventList, fake.programPath("Events.dta"), fake.messages);
            events::TfrmEventDetails details(fake.services());
            timeservers::ScriptedLookup lookup;
            nettime::TimeUpdate timeUpdate(fake.services(), lookup, clock.Settings.TimeServer,
                                           clock.Settings.TimeOut);
            config::TfrmConfig configure(clock, eventList, eventStorage, details, timeUpdate);
            platform::SystemZoneWatch watch;
            timezones::ZoneRules rules(fake.timeZones, watch, fake.clock);
            timezones::TZClockFile tzclkset(fake.programPath("tzclkset.dta"), timezones::windowFont(),
                                            fake.locale);
            timezones::TfrmTimeZone zones(fake.services(), rules, tzclkset);
            zones.showWindow();
            zones.btnClock0->click(); // the zone clock
            timezones::TfrmTZClockProps properties(zones);
            EXPECT_EQ(Translate("Exit"), language == "German" ? "Beenden" : "Quitter");
        }
        lang::setMissingTranslationObserver({});
        missing.removeDuplicates();
        EXPECT_TRUE(missing.isEmpty())
            << language.toStdString() << " lacks: \"" << missing.join("\", \"").toStdString() << "\"";
    }
}
