#pragma once

class QGroupBox;
class QLabel;
class QWidget;

namespace timezones {

// A group that tells one of a zone's two times: its title is the time's name, and two wrapped
// lines say when it begins (the rule, then the date it gives this year). The time zones window
// and the configuration dialog's zone page show the same pair.
QGroupBox* makeZoneRuleGroup(QWidget* parent, QLabel*& description, QLabel*& date);

} // namespace timezones
