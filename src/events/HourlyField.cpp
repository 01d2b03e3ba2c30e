#include "events/HourlyField.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace events {

HourlyField::HourlyField(QWidget* parent) : QSpinBox(parent)
{
    setRange(0, 59);
    setWrapping(true);
    setAccelerated(true);
    lineEdit()->setMaxLength(2);
    // Whatever the user does with the text, the field shows two digits again at once.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        tidy();
        emit edited();
    });
    connect(lineEdit(), &QLineEdit::cursorPositionChanged, this, [this] {
        if (lineEdit()->hasFocus() && !lineEdit()->hasSelectedText())
            selectOneDigit();
    });
}

QString HourlyField::digits() const
{
    return textFromValue(value());
}

void HourlyField::fill(int value)
{
    setValue(value);
    lineEdit()->setText(textFromValue(this->value()));
}

std::optional<int> HourlyField::valueOf(const QString& text)
{
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = std::min(value * 10 + (c.unicode() - u'0'), 100);
    }
    return std::min(value, 59);
}

void HourlyField::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool character = !typed.isEmpty() && typed.front().isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!character) {
        QSpinBox::keyPressEvent(event);
        return;
    }
    event->accept();
    const QChar c = typed.front();
    if (c < u'0' || c > u'9')
        return;
    int at = lineEdit()->hasSelectedText() ? lineEdit()->selectionStart() : lineEdit()->cursorPosition();
    if (at >= 2)
        at = 0;
    if (at == 0 && c > u'5')
        return; // no minute or second begins with 6 to 9
    lineEdit()->setSelection(at, 1);
    QSpinBox::keyPressEvent(event);
    // The spin box puts the caret back quietly after taking the value: select again.
    if (!lineEdit()->hasSelectedText())
        selectOneDigit();
}

void HourlyField::stepBy(int steps)
{
    QSpinBox::stepBy(steps);
    emit edited();
}

QString HourlyField::textFromValue(int value) const
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

int HourlyField::valueFromText(const QString& text) const
{
    return valueOf(text).value_or(0);
}

QValidator::State HourlyField::validate(QString& input, int& pos) const
{
    if (input.isEmpty())
        return QValidator::Intermediate;
    const std::optional<int> value = valueOf(input);
    if (!value)
        return QValidator::Invalid;
    if (input.toInt() > 59) {
        input = textFromValue(*value);
        pos = std::min(pos, int(input.size()));
    }
    return QValidator::Acceptable;
}

void HourlyField::selectOneDigit()
{
    int at = lineEdit()->cursorPosition();
    if (at >= lineEdit()->text().size())
        at = 0;
    lineEdit()->setSelection(at, 1);
}

void HourlyField::tidy()
{
    // Told before the spin box has read the text, so the value is taken from the text here.
    const QString text = lineEdit()->text();
    setValue(valueOf(text).value_or(value()));
    const QString shown = textFromValue(value());
    if (text != shown) {
        const int at = lineEdit()->cursorPosition();
        lineEdit()->setText(shown);
        lineEdit()->setCursorPosition(std::min(at, 1));
        selectOneDigit();
    }
}

} // namespace events
