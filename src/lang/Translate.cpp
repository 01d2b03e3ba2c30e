#include "lang/Translate.h"

QString Translate(const QString& text)
{
    return text;
}
