#pragma once

#include <QString>
#include <functional>

namespace lang {
class LanguageTable;
}

// Every text the user sees passes through here on its way to the screen. The English wording is
// the key; without a language, or without a line for the text, the text comes back as it is.
QString Translate(const QString& text);

namespace lang {

// The table Translate reads; the clock window owns it for the whole run. Null: English.
void setActiveLanguage(const LanguageTable* table);
const LanguageTable* activeLanguage();

// The text with its first "%s" replaced by `value`. Only the first: a translation made of
// nothing but "%s" must not grow a message a million times over.
QString fillIn(QString text, const QString& value);

// Told about every text that the active (non-empty) table has no translation for.
void setMissingTranslationObserver(std::function<void(const QString&)> observer);

} // namespace lang
