#include "core/FileFilter.h"

namespace core {

QStringList fileDialogFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        // The description's own list of patterns, not any words in brackets.
        if (const qsizetype open = description.lastIndexOf(u'(');
            open > 0 && description.endsWith(u')') && description.indexOf(u'*', open) > 0)
            description = description.left(open).trimmed();
        QStringList patterns;
        for (QString pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            if (pattern.isEmpty())
                continue;
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
            if (!patterns.contains(pattern))
                patterns << pattern;
            if (pattern.toUpper() != pattern && !patterns.contains(pattern.toUpper()))
                patterns << pattern.toUpper();
        }
        if (patterns.isEmpty())
            continue; // a description with nothing to match offers nothing
        entries << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return entries;
}

QString toQtFileFilter(const QString& filter)
{
    return fileDialogFilters(filter).join(QStringLiteral(";;"));
}

} // namespace core
