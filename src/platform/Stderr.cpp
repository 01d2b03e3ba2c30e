#include "platform/Stderr.h"

#include <cstdio>

namespace platform {

void sayOnStderr(const QString& text)
{
    const QByteArray line = (QStringLiteral("Veskel: ") + text + u'\n').toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

} // namespace platform
