#include "lang/FileTexts.h"

#include "lang/Translate.h"

namespace lang {

QString notReadText(const QString& file, const QString& why)
{
    return fillIn(Translate(QStringLiteral("Cannot open file %s")), file) + u'\n' + why + u'\n' +
           Translate(QStringLiteral("The clock leaves the file as it is and saves nothing into it."));
}

QString notSavedText(const QString& file, const QString& why)
{
    return fillIn(Translate(QStringLiteral("Cannot create file %s")), file) + u'\n' + why;
}

} // namespace lang
