#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

namespace core {

// The user's date, time and number formats, read once from a locale so tests can fix one.
class LocaleFormats
{
public:
    explicit LocaleFormats(QLocale locale = QLocale::system());

    const QLocale& locale() const { return m_locale; }

    // The long time format without the zone field ("h:mm:ss AP", "HH:mm:ss").
    QString longTimeFormat() const { return m_longTime; }
    QString shortTimeFormat() const { return m_shortTime; }
    // The long time format as a time picker can show it: the same, except that a designator
    // written before the hour whose morning and afternoon texts differ in length moves after the
    // seconds ("AP 'ga' h:mm:ss" gives "h:mm:ss AP"). Qt 6.4's picker reads past its text on
    // such a designator in front.
    QString timePickerFormat() const;
    QString shortDateFormat() const { return m_shortDate; }
    QString longDateFormat() const { return m_longDate; }
    QChar dateSeparator() const { return m_dateSeparator; }
    QChar timeSeparator() const { return m_timeSeparator; }
    // The morning and afternoon designators as the locale writes them.
    const QString& amText() const { return m_amText; }
    const QString& pmText() const { return m_pmText; }

    QString formatLongTime(const QTime& t) const { return m_locale.toString(t, m_longTime); }
    QString formatShortTime(const QTime& t) const { return m_locale.toString(t, m_shortTime); }
    QString formatLongDate(const QDate& d) const { return m_locale.toString(d, m_longDate); }
    QString formatShortDate(const QDate& d) const { return m_locale.toString(d, m_shortDate); }

    // Shortest text with up to 15 significant digits and the locale's decimal separator.
    QString formatReal(double value) const;
    std::optional<double> parseReal(const QString& text) const;

    // A time format without the zone field and whatever encloses it: the blanks, brackets and
    // commas around it ("H:mm:ss (t)" gives "H:mm:ss", "h:mm:ss AP, t" gives "h:mm:ss AP"). The
    // day-period fields "B" and "b", which Qt would print as letters, go the same way.
    static QString withoutZone(const QString& format);

private:
    QLocale m_locale;
    QString m_longTime;
    QString m_shortTime;
    QString m_shortDate;
    QString m_longDate;
    QChar m_dateSeparator;
    QChar m_timeSeparator;
    QString m_amText;
    QString m_pmText;
};

} // namespace core
