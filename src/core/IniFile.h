#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace core {

// A small initialisation-file model that keeps sections and keys in the order they were first
// seen or written, so files read back the way a person (or the program) wrote them. Section and
// key names compare without regard to letter case; the first of two equal keys wins.
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
    struct Entry
    {
        QString key;
        QString value;
    };
    struct Section
    {
        QString name;
        std::vector<Entry> entries;
        QHash<QString, size_t> entryOfKey; // case-folded key -> index in entries
    };
    const Section* findSection(const QString& name) const;
    Section& sectionFor(const QString& name);
    static const Entry* findEntry(const Section& section, const QString& key);

    // Files of many thousand keys are read in linear time: names are found through the indexes.
    std::vector<Section> m_sections;
    QHash<QString, size_t> m_sectionOfName; // case-folded name -> index in m_sections
};

} // namespace core
