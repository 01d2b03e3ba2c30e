#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace lang {

// The lines of one language file. A line is "English text=translation": the key is everything
// before the first "=", the translation everything after it, nothing trimmed. Lines starting with
// ";" are comments; a line without "=" is never found.
class LanguageTable
{
public:
    // A language file larger than this is not one; it is treated as unreadable.
    static constexpr qint64 MaxFileSize = qint64(4) << 20;

    static LanguageTable fromText(const QString& text);
    // A missing, unreadable or oversized file gives an empty table.
    static LanguageTable load(const QString& path);

    bool isEmpty() const { return m_lines.isEmpty(); }
    const QStringList& lines() const { return m_lines; }

    // The translation of the first line whose key equals `text` without regard to letter case;
    // nothing when there is no such line or its translation is empty.
    std::optional<QString> lookup(const QString& text) const;
    QString translate(const QString& text) const { return lookup(text).value_or(text); }

private:
    QStringList m_lines;
    QHash<QString, qsizetype> m_firstLineOfKey; // case-folded key -> line
};

// Language names found in a folder: every "*.txt" file (any letter case), its name in lower case
// cut before the first ".txt", first letter upper-cased; sorted, each once.
QStringList languageNames(const QString& langFolder);
QString languageNameOf(const QString& fileName);
// The file of a language, found without regard to letter case; empty when there is none.
QString findLanguageFile(const QString& langFolder, const QString& language);

} // namespace lang
