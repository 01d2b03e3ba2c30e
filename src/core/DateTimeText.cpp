#include "core/DateTimeText.h"

#include "core/LocaleFormats.h"

#include <array>

namespace core {

namespace {

// The value of a decimal digit of any script, or -1. Only true decimal digits count: a
// superscript two or a circled number is text.
int digitOf(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return int(c - U'0');
    if (QChar::category(c) != QChar::Number_DecimalDigit)
        return -1;
    return QChar::digitValue(c);
}

bool isWordCharacter(QChar c)
{
    return c.isLetter() || c.isMark();
}

// Whether `word` stands in `text` as a word of its own: a letter of the same script right before
// or after it would make it part of a longer word.
bool containsWord(const QString& text, const QString& word)
{
    if (word.isEmpty())
        return false;
    for (qsizetype at = text.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(word, at + 1, Qt::CaseInsensitive)) {
        const qsizetype end = at + word.size();
        const bool joinedBefore = at > 0 && isWordCharacter(text[at - 1]) && isWordCharacter(word.front()) &&
                                  text[at - 1].script() == word.front().script();
        const bool joinedAfter = end < text.size() && isWordCharacter(text[end]) &&
                                 isWordCharacter(word.back()) && text[end].script() == word.back().script();
        if (!joinedBefore && !joinedAfter)
            return true;
    }
    return false;
}

enum class Designator
{
    None,
    Morning,
    Afternoon
};

// The designator in the text between the numbers; the longest that fits wins, so a designator
// that contains the other one ("a.m." and "m.") is not mistaken for it.
Designator designatorIn(const QString& words, const LocaleFormats& locale)
{
    const std::array<std::pair<QString, Designator>, 4> candidates = {
        std::pair{locale.amText(), Designator::Morning}, std::pair{locale.pmText(), Designator::Afternoon},
        std::pair{QStringLiteral("AM"), Designator::Morning},
        std::pair{QStringLiteral("PM"), Designator::Afternoon}};
    Designator found = Designator::None;
    qsizetype longest = 0;
    for (const auto& [word, which] : candidates) {
        if (word.size() > longest && containsWord(words, word)) {
            found = which;
            longest = word.size();
        }
    }
    return found;
}

// Splits a text into its numbers (runs of decimal digits of any script, at most `maxDigits` long)
// and the text between them, each stretch of text kept apart so digits bound the words. Nothing
// when there are more numbers than `maxNumbers` or a number is too long.
struct Numbers
{
    std::array<int, 3> value{};
    std::array<int, 3> digits{};
    int count = 0;
    QStringList between; // before the first number, between numbers, after the last
};

std::optional<Numbers> numbersOf(const QString& text, int maxNumbers, int maxDigits)
{
    Numbers out;
    QString words;
    bool inNumber = false;
    // By code point: some scripts' digits lie beyond the first plane (Adlam, for one).
    for (const char32_t c : text.toUcs4()) {
        const int d = digitOf(c);
        if (d < 0) {
            inNumber = false;
            words += QString::fromUcs4(&c, 1);
            continue;
        }
        if (!inNumber) {
            if (out.count == maxNumbers)
                return std::nullopt;
            out.between << words;
            words.clear();
            ++out.count;
            inNumber = true;
        }
        const int n = out.count - 1;
        if (++out.digits[size_t(n)] > maxDigits)
            return std::nullopt;
        out.value[size_t(n)] = out.value[size_t(n)] * 10 + d;
    }
    out.between << words;
    return out;
}

} // namespace

QString formatTimeText(const QTime& time, const LocaleFormats& locale)
{
    return locale.formatLongTime(time);
}

std::optional<QTime> parseTimeText(const QString& text, const LocaleFormats& locale)
{
    const auto numbers = numbersOf(text, 3, 2);
    if (!numbers || numbers->count < 2)
        return std::nullopt;
    const int h = numbers->value[0];
    const int m = numbers->value[1];
    const int s = numbers->count == 3 ? numbers->value[2] : 0;
    if (m > 59 || s > 59)
        return std::nullopt;
    Designator designator = Designator::None;
    for (const QString& words : numbers->between) {
        designator = designatorIn(words, locale);
        if (designator != Designator::None)
            break;
    }
    int hour = h;
    if (designator != Designator::None) {
        if (h > 12)
            return std::nullopt;
        hour = h % 12 + (designator == Designator::Afternoon ? 12 : 0);
    } else if (h > 23) {
        return std::nullopt;
    }
    return QTime(hour, m, s);
}

DateOrder DateTextFormat(const QString& shortDateFormat)
{
    bool quoted = false;
    for (const QChar c : shortDateFormat) {
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        switch (c.toUpper().unicode()) {
        case u'D':
            return DateOrder::DayFirst;
        case u'E':
        case u'Y':
            return DateOrder::YearFirst;
        case u'M':
            return DateOrder::MonthFirst;
        default:
            break;
        }
    }
    return DateOrder::MonthFirst;
}

QString formatDateText(const QDate& date, const LocaleFormats& locale)
{
    QString sep(locale.dateSeparator());
    if (sep == QStringLiteral("'"))
        sep = QStringLiteral("''");
    const QString quotedSep = u'\'' + sep + u'\'';
    QString format;
    switch (DateTextFormat(locale.shortDateFormat())) {
    case DateOrder::DayFirst:
        format = QStringLiteral("dd") + quotedSep + QStringLiteral("MM") + quotedSep + QStringLiteral("yyyy");
        break;
    case DateOrder::YearFirst:
        format = QStringLiteral("yyyy") + quotedSep + QStringLiteral("MM") + quotedSep + QStringLiteral("dd");
        break;
    case DateOrder::MonthFirst:
        format = QStringLiteral("MM") + quotedSep + QStringLiteral("dd") + quotedSep + QStringLiteral("yyyy");
        break;
    }
    return locale.locale().toString(date, format);
}

std::optional<QDate> parseDateText(const QString& text, const LocaleFormats& locale)
{
    const DateOrder order = DateTextFormat(locale.shortDateFormat());
    const auto numbers = numbersOf(text, 3, 4);
    if (!numbers || numbers->count != 3)
        return std::nullopt;
    // Between the numbers the user's separator, and around them nothing but blanks and marks.
    const auto bare = [](const QString& words) {
        QString out;
        for (const QChar c : words)
            if (!c.isSpace() && c.category() != QChar::Other_Format)
                out += c;
        return out;
    };
    const QString sep(locale.dateSeparator());
    if (!bare(numbers->between[0]).isEmpty() || bare(numbers->between[1]) != sep ||
        bare(numbers->between[2]) != sep || !bare(numbers->between[3]).isEmpty())
        return std::nullopt;
    // Which of the three numbers is the day, the month and the year.
    const std::array<size_t, 3> at = order == DateOrder::DayFirst    ? std::array<size_t, 3>{0, 1, 2}
                                     : order == DateOrder::YearFirst ? std::array<size_t, 3>{2, 1, 0}
                                                                     : std::array<size_t, 3>{1, 0, 2};
    if (numbers->digits[at[0]] > 2 || numbers->digits[at[1]] > 2)
        return std::nullopt;
    const int day = numbers->value[at[0]];
    const int month = numbers->value[at[1]];
    int year = numbers->value[at[2]];
    const int yearDigits = numbers->digits[at[2]];
    if (yearDigits <= 2)
        year += year < 50 ? 2000 : 1900;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace core
