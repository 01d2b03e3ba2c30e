#pragma once

#include <QSpinBox>
#include <optional>

namespace events {

// A minute or second of an hourly event: two digits, 00 to 59, with up and down buttons that wrap.
// Typing overwrites (one digit is always selected) and only digits are taken, the first of them
// only 0 to 5; whatever arrives another way (pasted) is made two digits between 00 and 59.
class HourlyField final : public QSpinBox
{
    Q_OBJECT

public:
    explicit HourlyField(QWidget* parent = nullptr);

    // The two digits shown.
    QString digits() const;
    // Sets the value without telling anyone: the program filling the field.
    void fill(int value);

    // The whole of a pasted or typed text, made a value: empty 0, above 59 59, nothing for a text
    // that is not digits.
    static std::optional<int> valueOf(const QString& text);

signals:
    // The user changed the value: typed, pasted, or pressed a button.
    void edited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void stepBy(int steps) override;
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    void selectOneDigit();
    void tidy();
};

} // namespace events
