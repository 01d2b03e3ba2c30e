#include "clockface/FaceTimeFormat.h"

#include "core/LocaleFormats.h"

namespace clockface {

namespace {

bool startsWith(const QString& format, qsizetype at, QLatin1StringView word)
{
    return QStringView(format).mid(at).startsWith(word, Qt::CaseInsensitive);
}

// How many times the letter at `at` repeats from there, counting at most `most`.
qsizetype runLength(const QString& format, qsizetype at, qsizetype most)
{
    const QChar letter = format[at].toLower();
    qsizetype n = 1;
    while (n < most && at + n < format.size() && format[at + n].toLower() == letter)
        ++n;
    return n;
}

bool hasTwelveHourField(const QString& format)
{
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = format.indexOf(c, i + 1);
            if (end < 0)
                return false;
            i = end;
            continue;
        }
        if (startsWith(format, i, QLatin1StringView("ampm")) ||
            startsWith(format, i, QLatin1StringView("am/pm")) ||
            startsWith(format, i, QLatin1StringView("a/p")))
            return true;
    }
    return false;
}

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, u'0');
}

// "am/pm" or "a/p" written in the case the format gives each half.
QString choiceAsWritten(QStringView choice, bool afternoon)
{
    const qsizetype slash = choice.indexOf(u'/');
    return (afternoon ? choice.mid(slash + 1) : choice.left(slash)).toString();
}

} // namespace

QString formatFaceTime(const QString& format, const QTime& time, const core::LocaleFormats& locale)
{
    const bool twelveHours = hasTwelveHourField(format);
    const bool afternoon = time.hour() >= 12;
    int hour = time.hour();
    if (twelveHours) {
        hour %= 12;
        if (hour == 0)
            hour = 12;
    }
    QString out;
    out.reserve(format.size() + 8);
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        const QChar lower = c.toLower();
        if (c == u'"' || c == u'\'') {
            const qsizetype end = format.indexOf(c, i + 1);
            if (end < 0) {
                out += QStringView(format).mid(i + 1);
                break;
            }
            out += QStringView(format).mid(i + 1, end - i - 1);
            i = end + 1;
        } else if (startsWith(format, i, QLatin1StringView("ampm"))) {
            out += afternoon ? locale.locale().pmText() : locale.locale().amText();
            i += 4;
        } else if (startsWith(format, i, QLatin1StringView("am/pm"))) {
            out += choiceAsWritten(QStringView(format).mid(i, 5), afternoon);
            i += 5;
        } else if (startsWith(format, i, QLatin1StringView("a/p"))) {
            out += choiceAsWritten(QStringView(format).mid(i, 3), afternoon);
            i += 3;
        } else if (lower == u'h' || lower == u'n' || lower == u'm' || lower == u's') {
            const qsizetype n = runLength(format, i, 2);
            const int value = lower == u'h' ? hour : lower == u's' ? time.second() : time.minute();
            out += n == 2 ? twoDigits(value) : QString::number(value);
            i += n;
        } else if (lower == u'z') {
            const qsizetype n = runLength(format, i, 3);
            out += n == 3 ? QString::number(time.msec()).rightJustified(3, u'0')
                          : QString::number(time.msec());
            i += n;
        } else if (c == u':') {
            out += locale.timeSeparator();
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace clockface
