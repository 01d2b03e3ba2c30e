#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace core {

// A small initialisation-file model that changes only the keys it is asked to change: every
// other line (comments, blank lines, keys and sections it was never asked about, lines it does
// not understand) is written back where it stood, byte for byte. A key set anew goes after the
// last key of its section, a section set anew at the end. Section and key names compare without
// regard to letter case; the first of two equal keys wins, and a section named twice is one
// section whose lines stay where each part stood.
class IniFile
{
public:
    // Anything larger is not a settings file of ours: it is not read.
    static constexpr qint64 MaxFileSize = 1 << 20;

    static IniFile parse(const QByteArray& bytes);
    QByteArray serialize() const;

    std::optional<QString> value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    void removeKey(const QString& section, const QString& key);
    QStringList sections() const;
    QStringList keys(const QString& section) const;
    bool isEmpty() const { return m_sections.empty(); }

private:
    // A line of the file as read: kept as its bytes until the program changes its value.
    struct Line
    {
        QByteArray bytes;
        qsizetype section = -1; // the section it stands in; -1 before the first
        QString key;            // empty for a line that holds no key of a section
        QString value;
        bool removed = false;
    };
    struct Entry
    {
        QString key;
        QString value;
    };
    // Where a key lives: a line of the file, or an entry added after the section's last line.
    struct Place
    {
        bool added = false;
        size_t index = 0;
    };
    struct Section
    {
        QString name;
        qsizetype lastLine = -1; // the line after which added keys go; -1 for a new section
        std::vector<Entry> added;
        QHash<QString, Place> placeOfKey; // case-folded key -> where it is
    };
    const Section* findSection(const QString& name) const;
    Section& sectionFor(const QString& name);
    QString lineEnd() const;

    // Files of many thousand keys are read in linear time: names are found through the indexes,
    // and nothing is ever inserted among the lines read.
    std::vector<Line> m_lines;
    std::vector<Section> m_sections;
    QHash<QString, size_t> m_sectionOfName; // case-folded name -> index in m_sections
    bool m_crlf = false;                    // the file's lines end in CR LF
};

} // namespace core
