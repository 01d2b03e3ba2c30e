#pragma once

#include "events/EventsFile.h"

#include <QValidator>

namespace events {

// Keeps a field to what one text of Events.dta holds (see fitStoredText): whatever is typed or
// pasted beyond it is cut off in the field itself, so what the field shows is what is kept, and
// what a test of the event does is what the event will do.
class StoredTextValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        const QString kept = fitStoredText(input);
        if (kept.size() < input.size()) {
            input = kept;
            pos = std::min(pos, int(kept.size()));
        }
        return Acceptable;
    }
};

} // namespace events
