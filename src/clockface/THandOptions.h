#pragma once

#include "core/Colors.h"

namespace clockface {

// The three hands of the analogue face. Lengths are percent of the face's radius, widths pixels;
// both are held to their ranges as they are set, so every stored value can be drawn.
//
// The options of a face tell that face of every change so it can repaint. A copy is a plain
// value that belongs to no face; assigning a copy to a face's options changes all fields at once
// and tells the face once.
class THandOptions final
{
public:
    class Owner
    {
    public:
        virtual void handOptionsChanged() = 0;

    protected:
        ~Owner() = default;
    };

    THandOptions() = default;
    explicit THandOptions(Owner* clock) : m_clock(clock) {}
    THandOptions(const THandOptions& other) : m_values(other.m_values) {}
    THandOptions& operator=(const THandOptions& other);
    bool operator==(const THandOptions& other) const { return m_values == other.m_values; }

    core::TColor HourHandColor() const { return m_values.HourHandColor; }
    int HourHandLenght() const { return m_values.HourHandLenght; }
    int HourHandWidth() const { return m_values.HourHandWidth; }
    core::TColor MinHandColor() const { return m_values.MinHandColor; }
    int MinHandLenght() const { return m_values.MinHandLenght; }
    int MinHandWidth() const { return m_values.MinHandWidth; }
    core::TColor SecHandColor() const { return m_values.SecHandColor; }
    int SecHandLenght() const { return m_values.SecHandLenght; }
    int SecHandWidth() const { return m_values.SecHandWidth; }
    bool ShowSecHand() const { return m_values.ShowSecHand; }

    void setHourHandColor(core::TColor value);
    void setHourHandLenght(int value);
    void setHourHandWidth(int value);
    void setMinHandColor(core::TColor value);
    void setMinHandLenght(int value);
    void setMinHandWidth(int value);
    void setSecHandColor(core::TColor value);
    void setSecHandLenght(int value);
    void setSecHandWidth(int value);
    void setShowSecHand(bool value);

    // The face these options belong to, or none for a free-standing value.
    Owner* Clock() const { return m_clock; }

private:
    struct Values
    {
        core::TColor HourHandColor = core::clBlack;
        int HourHandLenght = 60;
        int HourHandWidth = 5;
        core::TColor MinHandColor = core::clBlack;
        int MinHandLenght = 80;
        int MinHandWidth = 3;
        core::TColor SecHandColor = core::clRed;
        int SecHandLenght = 90;
        int SecHandWidth = 1;
        bool ShowSecHand = true;
        bool operator==(const Values&) const = default;
    };

    template <typename T> void store(T& field, T value);

    Values m_values;
    Owner* m_clock = nullptr;
};

} // namespace clockface
