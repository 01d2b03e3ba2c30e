#include "core/LocaleFormats.h"

#include <algorithm>
#include <vector>

namespace core {

namespace {

// Marks such as the right-to-left mark sit between the fields of some formats ("d‏/M‏/yyyy");
// they steer the direction of the text and are no separator.
bool isFormatMark(QChar c)
{
    return c.category() == QChar::Other_Format;
}

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
        } else if (seenField && !c.isSpace() && !isFormatMark(c)) {
            return c;
        }
    }
    return fallback;
}

// A format cut into its pieces: runs of one field letter, quoted texts, and runs of the other
// characters that stand for themselves.
struct FormatPiece
{
    enum Kind
    {
        Field,
        Quoted,
        Plain
    } kind;
    QString text;
};

std::vector<FormatPiece> piecesOf(const QString& format)
{
    std::vector<FormatPiece> pieces;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        qsizetype end = i + 1;
        FormatPiece::Kind kind = FormatPiece::Plain;
        if (c == u'\'') {
            kind = FormatPiece::Quoted;
            // Up to the closing quote; two quotes in a row are one quote character.
            while (end < format.size()) {
                if (format[end] == u'\'') {
                    if (end + 1 < format.size() && format[end + 1] == u'\'') {
                        end += 2;
                        continue;
                    }
                    ++end;
                    break;
                }
                ++end;
            }
        } else if (c.isLetter() && c.unicode() < 128) {
            kind = FormatPiece::Field;
            while (end < format.size() && format[end] == c)
                ++end;
        } else {
            while (end < format.size() && format[end] != u'\'' &&
                   !(format[end].isLetter() && format[end].unicode() < 128))
                ++end;
        }
        pieces.push_back({kind, format.mid(i, end - i)});
        i = end;
    }
    return pieces;
}

bool isDroppedField(const FormatPiece& piece)
{
    if (piece.kind != FormatPiece::Field)
        return false;
    const QChar c = piece.text.front();
    return c == u't' || c == u'B' || c == u'b';
}

bool isOpening(QChar c)
{
    return c == u'(' || c == u'[' || c == u'{';
}

bool isClosing(QChar c)
{
    return c == u')' || c == u']' || c == u'}';
}

} // namespace

LocaleFormats::LocaleFormats(QLocale locale)
    : m_locale(std::move(locale)), m_longTime(withoutZone(m_locale.timeFormat(QLocale::LongFormat))),
      m_shortTime(withoutZone(m_locale.timeFormat(QLocale::ShortFormat))),
      m_shortDate(m_locale.dateFormat(QLocale::ShortFormat)),
      m_longDate(m_locale.dateFormat(QLocale::LongFormat)),
      m_dateSeparator(firstSeparator(m_shortDate, u'/')), m_timeSeparator(firstSeparator(m_longTime, u':')),
      m_amText(m_locale.amText()), m_pmText(m_locale.pmText())
{
    m_locale.setNumberOptions(QLocale::OmitGroupSeparator);
}

QString LocaleFormats::withoutZone(const QString& format)
{
    std::vector<FormatPiece> pieces = piecesOf(format);
    for (size_t i = 0; i < pieces.size();) {
        if (!isDroppedField(pieces[i])) {
            ++i;
            continue;
        }
        const auto isKept = [](const FormatPiece& p) {
            return p.kind != FormatPiece::Plain && !isDroppedField(p);
        };
        const bool hasBefore = std::any_of(pieces.begin(), pieces.begin() + qsizetype(i), isKept);
        const bool hasAfter = std::any_of(pieces.begin() + qsizetype(i) + 1, pieces.end(), isKept);
        QString* before = i > 0 && pieces[i - 1].kind == FormatPiece::Plain ? &pieces[i - 1].text : nullptr;
        QString* after = i + 1 < pieces.size() && pieces[i + 1].kind == FormatPiece::Plain
                             ? &pieces[i + 1].text
                             : nullptr;
        // What encloses the field goes with it: blanks and brackets, and at the end of the format
        // the comma that led to it. A bracket that closes or opens something else stays.
        if (before) {
            while (!before->isEmpty() && (before->back().isSpace() || isOpening(before->back()) ||
                                          (!hasAfter && (before->back() == u',' || before->back() == u';'))))
                before->chop(1);
        }
        if (after) {
            while (!after->isEmpty() &&
                   (isClosing(after->front()) ||
                    (!hasBefore && (after->front().isSpace() || after->front() == u',')) ||
                    (!hasAfter && after->front().isSpace())))
                after->remove(0, 1);
        }
        pieces.erase(pieces.begin() + qsizetype(i));
    }
    QString out;
    for (const FormatPiece& p : pieces)
        out += p.text;
    return out.trimmed();
}

QString LocaleFormats::timePickerFormat() const
{
    if (m_amText.size() == m_pmText.size())
        return m_longTime;
    const std::vector<FormatPiece> pieces = piecesOf(m_longTime);
    const auto isField = [](const FormatPiece& p, auto... letters) {
        return p.kind == FormatPiece::Field && ((p.text.front() == QChar(letters)) || ...);
    };
    const auto hour = std::find_if(pieces.begin(), pieces.end(),
                                   [&](const FormatPiece& p) { return isField(p, u'h', u'H'); });
    const auto designator = std::find_if(pieces.begin(), hour,
                                         [&](const FormatPiece& p) { return isField(p, u'A', u'a'); });
    if (hour == pieces.end() || designator == hour)
        return m_longTime;
    // The words that lead to the designator go with it; the hour and what follows stay.
    QString out;
    for (auto p = hour; p != pieces.end(); ++p)
        out += p->text;
    // "AP" is read as an "A" field and a "P" field.
    QString field = designator->text;
    if (designator + 1 != hour && isField(*(designator + 1), u'P', u'p'))
        field += (designator + 1)->text;
    return out.trimmed() + u' ' + field;
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

} // namespace core
