#include "platform/FileNotices.h"

#include "platform/Stderr.h"

namespace platform {

void FileNotices::tellOnce(const QString& file, const QString& text)
{
    if (m_told.contains(file))
        return;
    m_told.insert(file);
    sayOnStderr(QString(text).replace(u'\n', QStringLiteral("; ")));
    if (m_show)
        m_show(text);
}

} // namespace platform
