#include "platform/LocaleFormats.h"

namespace platform {

namespace {

// The first character between two fields of a format, outside quotes: "/" of "M/d/yy".
QChar firstSeparator(const QString& format, QChar fallback)
{
    bool quoted = false;
    bool seenField = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        if (c.isLetter()) {
            seenField = true;
        } else if (seenField && !c.isSpace()) {
            return c;
        }
    }
    return fallback;
}

} // namespace

LocaleFormats::LocaleFormats(QLocale locale)
    : m_locale(std::move(locale)), m_longTime(withoutZone(m_locale.timeFormat(QLocale::LongFormat))),
      m_shortTime(withoutZone(m_locale.timeFormat(QLocale::ShortFormat))),
      m_shortDate(m_locale.dateFormat(QLocale::ShortFormat)),
      m_longDate(m_locale.dateFormat(QLocale::LongFormat)),
      m_dateSeparator(firstSeparator(m_shortDate, u'/')), m_timeSeparator(firstSeparator(m_longTime, u':'))
{
    m_locale.setNumberOptions(QLocale::OmitGroupSeparator);
}

QString LocaleFormats::withoutZone(const QString& format)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't') {
            while (i + 1 < format.size() && format[i + 1] == u't')
                ++i;
            while (!out.isEmpty() && out.back().isSpace())
                out.chop(1);
            continue;
        }
        out += c;
    }
    return out.trimmed();
}

QString LocaleFormats::formatReal(double value) const
{
    return m_locale.toString(value, 'g', 15);
}

std::optional<double> LocaleFormats::parseReal(const QString& text) const
{
    bool ok = false;
    const double value = m_locale.toDouble(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace platform
