#include "app/AboutBox.h"

#include "lang/Translate.h"

namespace app {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Translate(QStringLiteral("About Veskel")));
}

} // namespace app
