#include "platform/IniFile.h"

#include "platform/AnsiText.h"
#include "platform/WholeFile.h"

#include <QFile>

namespace platform {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
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
        bool known = false;
        for (const Entry& e : current->entries)
            known = known || sameName(e.key, key);
        if (!known)
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

IniFile IniFile::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return {};
    return parse(file.read(MaxFileSize));
}

SaveResult IniFile::save(const QString& path) const
{
    return saveWholeFile(path, serialize());
}

const IniFile::Section* IniFile::findSection(const QString& name) const
{
    for (const Section& s : m_sections)
        if (sameName(s.name, name))
            return &s;
    return nullptr;
}

IniFile::Section& IniFile::sectionFor(const QString& name)
{
    for (Section& s : m_sections)
        if (sameName(s.name, name))
            return s;
    m_sections.push_back({name, {}});
    return m_sections.back();
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    if (const Section* s = findSection(section))
        for (const Entry& e : s->entries)
            if (sameName(e.key, key))
                return e.value;
    return std::nullopt;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    Section& s = sectionFor(section);
    for (Entry& e : s.entries)
        if (sameName(e.key, key)) {
            e.value = value;
            return;
        }
    s.entries.push_back({key, value});
}

void IniFile::removeKey(const QString& section, const QString& key)
{
    for (Section& s : m_sections)
        if (sameName(s.name, section))
            std::erase_if(s.entries, [&](const Entry& e) { return sameName(e.key, key); });
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

} // namespace platform
