#include "timezones/ZoneRuleGroup.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace timezones {

QGroupBox* makeZoneRuleGroup(QWidget* parent, QLabel*& description, QLabel*& date)
{
    auto* group = new QGroupBox(parent);
    description = new QLabel(group);
    date = new QLabel(group);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(1);
    for (QLabel* label : {description, date}) {
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    return group;
}

} // namespace timezones
