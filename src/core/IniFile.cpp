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

QByteArray entryText(const QString& key, const QString& value)
{
    return encode8Bit(key + u'=' + quoteIfNeeded(singleLine(value)));
}

} // namespace

IniFile IniFile::parse(const QByteArray& bytes)
{
    IniFile ini;
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.back().isEmpty())
        lines.removeLast(); // the line break that ends the file, or an empty file
    ini.m_crlf = !lines.isEmpty() && lines.front().endsWith('\r');
    ini.m_lines.reserve(size_t(lines.size()));
    qsizetype current = -1;
    for (const QByteArray& bytesOfLine : lines) {
        const qsizetype at = qsizetype(ini.m_lines.size());
        Line& line = ini.m_lines.emplace_back();
        line.bytes = bytesOfLine;
        line.section = current;
        // Line by line: a file edited by hand may mix UTF-8 lines with Windows-1252 ones.
        const QString text = decode8Bit(bytesOfLine);
        const QStringView trimmed = QStringView(text).trimmed();
        if (trimmed.isEmpty() || trimmed.front() == u';')
            continue;
        if (trimmed.front() == u'[') {
            const qsizetype close = trimmed.indexOf(u']');
            const QString name =
                (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed().toString();
            ini.sectionFor(name);
            current = qsizetype(*ini.m_sectionOfName.constFind(folded(name)));
            line.section = current;
            ini.m_sections[size_t(current)].lastLine = at;
            continue;
        }
        const qsizetype eq = trimmed.indexOf(u'=');
        if (eq <= 0 || current < 0)
            continue;
        Section& section = ini.m_sections[size_t(current)];
        const QString key = trimmed.left(eq).trimmed().toString();
        const QString foldedKey = folded(key);
        if (section.placeOfKey.contains(foldedKey))
            continue; // the first of two equal keys wins; the other stays as it is
        section.placeOfKey.insert(foldedKey, {false, size_t(at)});
        section.lastLine = at;
        line.key = key;
        line.value = unquote(trimmed.mid(eq + 1).trimmed().toString());
    }
    return ini;
}

QString IniFile::lineEnd() const
{
    return m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
}

QByteArray IniFile::serialize() const
{
    const QByteArray end = encode8Bit(lineEnd());
    QHash<qsizetype, size_t> addedAfter; // line -> the section whose new keys follow it
    for (size_t i = 0; i < m_sections.size(); ++i)
        if (m_sections[i].lastLine >= 0 && !m_sections[i].added.empty())
            addedAfter.insert(m_sections[i].lastLine, i);
    QByteArray out;
    const auto addEntries = [&](const Section& section) {
        for (const Entry& e : section.added)
            out += entryText(e.key, e.value) + end;
    };
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (!m_lines[i].removed)
            out += m_lines[i].bytes + '\n';
        if (const auto it = addedAfter.constFind(qsizetype(i)); it != addedAfter.constEnd())
            addEntries(m_sections[*it]);
    }
    for (const Section& section : m_sections) {
        if (section.lastLine >= 0)
            continue;
        if (!out.isEmpty())
            out += end;
        out += encode8Bit(u'[' + section.name + u']') + end;
        addEntries(section);
    }
    return out;
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
    m_sections.push_back({name, -1, {}, {}});
    return m_sections.back();
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    const auto it = s->placeOfKey.constFind(folded(key));
    if (it == s->placeOfKey.constEnd())
        return std::nullopt;
    return it->added ? s->added[it->index].value : m_lines[it->index].value;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    Section& s = sectionFor(section);
    const QString foldedKey = folded(key);
    const auto it = s.placeOfKey.constFind(foldedKey);
    if (it == s.placeOfKey.constEnd()) {
        s.placeOfKey.insert(foldedKey, {true, s.added.size()});
        s.added.push_back({key, value});
    } else if (it->added) {
        s.added[it->index].value = value;
    } else if (Line& line = m_lines[it->index]; line.value != value) {
        // Only a line whose value changes is written anew, under the key's own spelling.
        line.value = value;
        line.bytes = entryText(line.key, value) + (m_crlf ? "\r" : "");
    }
}

void IniFile::removeKey(const QString& section, const QString& key)
{
    const auto at = m_sectionOfName.constFind(folded(section));
    if (at == m_sectionOfName.constEnd())
        return;
    Section& s = m_sections[*at];
    const auto it = s.placeOfKey.constFind(folded(key));
    if (it == s.placeOfKey.constEnd())
        return;
    const Place place = *it;
    s.placeOfKey.erase(it);
    if (!place.added) {
        m_lines[place.index].removed = true;
        return;
    }
    s.added.erase(s.added.begin() + qsizetype(place.index));
    for (Place& p : s.placeOfKey)
        if (p.added && p.index > place.index)
            --p.index;
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
    const auto at = m_sectionOfName.constFind(folded(section));
    if (at == m_sectionOfName.constEnd())
        return names;
    for (const Line& line : m_lines)
        if (line.section == qsizetype(*at) && !line.key.isEmpty() && !line.removed)
            names << line.key;
    for (const Entry& e : m_sections[*at].added)
        names << e.key;
    return names;
}

} // namespace core
