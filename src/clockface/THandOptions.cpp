#include "clockface/THandOptions.h"

#include <algorithm>

namespace clockface {

namespace {

int percent(int value)
{
    return std::clamp(value, 0, 100);
}

int pixels(int value)
{
    return std::max(value, 0);
}

} // namespace

THandOptions& THandOptions::operator=(const THandOptions& other)
{
    if (m_values == other.m_values)
        return *this;
    m_values = other.m_values;
    if (m_clock)
        m_clock->handOptionsChanged();
    return *this;
}

template <typename T> void THandOptions::store(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    if (m_clock)
        m_clock->handOptionsChanged();
}

void THandOptions::setHourHandColor(core::TColor value)
{
    store(m_values.HourHandColor, value);
}

void THandOptions::setHourHandLenght(int value)
{
    store(m_values.HourHandLenght, percent(value));
}

void THandOptions::setHourHandWidth(int value)
{
    store(m_values.HourHandWidth, pixels(value));
}

void THandOptions::setMinHandColor(core::TColor value)
{
    store(m_values.MinHandColor, value);
}

void THandOptions::setMinHandLenght(int value)
{
    store(m_values.MinHandLenght, percent(value));
}

void THandOptions::setMinHandWidth(int value)
{
    store(m_values.MinHandWidth, pixels(value));
}

void THandOptions::setSecHandColor(core::TColor value)
{
    store(m_values.SecHandColor, value);
}

void THandOptions::setSecHandLenght(int value)
{
    store(m_values.SecHandLenght, percent(value));
}

void THandOptions::setSecHandWidth(int value)
{
    store(m_values.SecHandWidth, pixels(value));
}

void THandOptions::setShowSecHand(bool value)
{
    store(m_values.ShowSecHand, value);
}

} // namespace clockface
