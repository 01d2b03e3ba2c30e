#include "core/IniFile.h"

#include "core/AnsiText.h"

namespace core {

namespace {

QString folded(const QString& name)
{
    return name.toCaseFolded();
}

// A value that would lose blanks or quotes at its ends on reading is written in double quotes.
QString quoteIfNeeded(const QString& value)
{
    if (value.isEmpty())
        return value;
    const bool needs = value.front().isSpace() || value.back().isSpace() || value.front() == u'"';
    return needs ? u'"' + value + u'"' : value;
}

QString unquote(const QString& value)
{
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        return value.mid(1, value.size() - 2);
    return value;
}

QString singleLine(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

} // namespace

IniFile IniFile::parse(const QByteArray& bytes)
{
    IniFile ini;
    Section* current = nullptr;
    // Line by line: a file edited by hand may mix UTF-8 lines with Windows-1252 ones.
    for (const QByteArray& bytesOfLine : bytes.split('\n')) {
        const QString line = decode8Bit(bytesOfLine);
        const QStringView trimmed = QStringView(line).trimmed();
        if (trimmed.isEmpty() || trimmed.front() == u';')
            continue;
        if (trimmed.front() == u'[') {
            const qsizetype close = trimmed.indexOf(u']');
            const QString name =
                (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed().toString();
            current = &ini.sectionFor(name);
            continue;
        }
        const qsizetype eq = trimmed.indexOf(u'=');
        if (eq <= 0 || current == nullptr)
            continue;
        const QString key = trimmed.left(eq).trimmed().toString();
        const QString foldedKey = folded(key);
        if (current->entryOfKey.contains(foldedKey))
            continue; // the first of two equal keys wins
        current->entryOfKey.insert(foldedKey, current->entries.size());
        current->entries.push_back({key, unquote(trimmed.mid(eq + 1).trimmed().toString())});
    }
    return ini;
}

QByteArray IniFile::serialize() const
{
    QString out;
    bool first = true;
    for (const Section& section : m_sections) {
        if (!first)
            out += u'\n';
        first = false;
        out += QStringLiteral("[") + section.name + QStringLiteral("]\n");
        for (const Entry& e : section.entries)
            out += e.key + u'=' + quoteIfNeeded(singleLine(e.value)) + u'\n';
    }
    return encode8Bit(out);
}

const IniFile::Section* IniFile::findSection(const QString& name) const
{
    const auto it = m_sectionOfName.constFind(folded(name));
    return it == m_sectionOfName.constEnd() ? nullptr : &m_sections[*it];
}

IniFile::Section& IniFile::sectionFor(const QString& name)
{
    const QString key = folded(name);
    if (const auto it = m_sectionOfName.constFind(key); it != m_sectionOfName.constEnd())
        return m_sections[*it];
    m_sectionOfName.insert(key, m_sections.size());
    m_sections.push_back({name, {}, {}});
    return m_sections.back();
}

const IniFile::Entry* IniFile::findEntry(const Section& section, const QString& key)
{
    const auto it = section.entryOfKey.constFind(folded(key));
    return it == section.entryOfKey.constEnd() ? nullptr : &section.entries[*it];
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    if (const Section* s = findSection(section))
        if (const Entry* e = findEntry(*s, key))
            return e->value;
    return std::nullopt;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    Section& s = sectionFor(section);
    if (const Entry* e = findEntry(s, key)) {
        s.entries[size_t(e - s.entries.data())].value = value;
        return;
    }
    s.entryOfKey.insert(folded(key), s.entries.size());
    s.entries.push_back({key, value});
}

void IniFile::removeKey(const QString& section, const QString& key)
{
    const auto it = m_sectionOfName.constFind(folded(section));
    if (it == m_sectionOfName.constEnd())
        return;
    Section& s = m_sections[*it];
    const auto at = s.entryOfKey.constFind(folded(key));
    if (at == s.entryOfKey.constEnd())
        return;
    s.entries.erase(s.entries.begin() + qsizetype(*at));
    s.entryOfKey.clear();
    for (size_t i = 0; i < s.entries.size(); ++i)
        s.entryOfKey.insert(folded(s.entries[i].key), i);
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const Section& s : m_sections)
        names << s.name;
    return names;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList names;
    if (const Section* s = findSection(section))
        for (const Entry& e : s->entries)
            names << e.key;
    return names;
}

} // namespace core
