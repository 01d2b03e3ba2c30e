#include "timezones/ZoneRows.h"

#include "core/LocaleFormats.h"

#include <cstdlib>

namespace timezones {

QString transitionText(DayTime date, const core::LocaleFormats& locale)
{
    if (date == 0.0)
        return {};
    return locale.formatShortDate(core::dateOf(date)) + QStringLiteral(", ") +
           locale.formatShortTime(core::timeOf(date));
}

std::vector<ZoneRow> zoneRows(const QString& name, const TRegTZI& record, const QList<QByteArray>& places,
                              int ruleYear, const core::LocaleFormats& locale)
{
    const QStringList parts = SplitDisplayName(record.Display);
    const QString standard = transitionText(TransitionDate(record.StandardDate, ruleYear), locale);
    const QString daylight = transitionText(TransitionDate(record.DaylightDate, ruleYear), locale);
    std::vector<ZoneRow> rows;
    rows.reserve(size_t(parts.size()));
    const bool placed = places.size() == parts.size() - 1;
    for (qsizetype j = 1; j < parts.size(); ++j)
        rows.push_back({{name, parts[j], parts[0], standard, daylight, record.Display},
                        placed ? places[j - 1] : QByteArray()});
    return rows;
}

QString searchFolded(const QString& text)
{
    QString folded = text.normalized(QString::NormalizationForm_KD);
    folded.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    folded.replace(u'_', u' ');
    return folded.toCaseFolded();
}

int nextSortTag(int tag, int column)
{
    return tag == column + 1 ? -(column + 1) : column + 1;
}

int LVCompare(const ZoneRow& a, const ZoneRow& b, int tag)
{
    const int key = std::abs(tag);
    if (key < 1 || key > ZoneRow::ColumnCount)
        return 0;
    const int order = QString::compare(a.Texts[key - 1], b.Texts[key - 1], Qt::CaseSensitive);
    return order > 0 ? tag : order < 0 ? -tag : 0;
}

} // namespace timezones
