#include "lang/Translate.h"

#include "lang/LanguageTable.h"

namespace {

const lang::LanguageTable* g_active = nullptr;
std::function<void(const QString&)> g_missing;

} // namespace

QString Translate(const QString& text)
{
    if (!g_active || g_active->isEmpty())
        return text;
    if (auto translation = g_active->lookup(text))
        return *translation;
    if (g_missing)
        g_missing(text);
    return text;
}

namespace lang {

QString fillIn(QString text, const QString& value)
{
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0)
        text.replace(at, 2, value);
    return text;
}

void setActiveLanguage(const LanguageTable* table)
{
    g_active = table;
}

const LanguageTable* activeLanguage()
{
    return g_active;
}

void setMissingTranslationObserver(std::function<void(const QString&)> observer)
{
    g_missing = std::move(observer);
}

} // namespace lang
