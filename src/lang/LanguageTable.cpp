#include "lang/LanguageTable.h"

#include "core/AnsiText.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QRegularExpression>

namespace lang {

LanguageTable LanguageTable::fromText(const QString& text)
{
    LanguageTable table;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.pop_back(); // the break after the last line does not start another
    for (QString& line : lines) {
        if (line.startsWith(u';'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0) {
            const QString key = line.left(eq).toCaseFolded();
            if (!table.m_firstLineOfKey.contains(key))
                table.m_firstLineOfKey.insert(key, table.m_lines.size());
        }
        table.m_lines.append(std::move(line));
    }
    return table;
}

LanguageTable LanguageTable::load(const QString& path)
{
    const platform::ReadResult file = platform::readWholeFile(path, MaxFileSize);
    return file.wasRead() ? fromText(core::decode8BitLines(file.bytes)) : LanguageTable();
}

std::optional<QString> LanguageTable::lookup(const QString& text) const
{
    const auto it = m_firstLineOfKey.constFind(text.toCaseFolded());
    if (it == m_firstLineOfKey.constEnd())
        return std::nullopt;
    const QString& line = m_lines[*it];
    const QString translation = line.mid(line.indexOf(u'=') + 1);
    if (translation.isEmpty())
        return std::nullopt;
    return translation;
}

QString languageNameOf(const QString& fileName)
{
    QString name = fileName.toLower();
    name.truncate(name.indexOf(QStringLiteral(".txt")));
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

QStringList languageNames(const QString& langFolder)
{
    const QDir dir(langFolder);
    QStringList names;
    for (const QString& file : dir.entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::Readable)) {
        const QString name = languageNameOf(file);
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString findLanguageFile(const QString& langFolder, const QString& language)
{
    if (language.isEmpty())
        return {};
    const QString wanted = (language + QStringLiteral(".txt")).toLower();
    const QDir dir(langFolder);
    for (const QString& file : dir.entryList(QDir::Files))
        if (file.toLower() == wanted)
            return dir.filePath(file);
    return {};
}

} // namespace lang
