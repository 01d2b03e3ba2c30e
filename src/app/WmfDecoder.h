#pragma once

#include <QByteArray>
#include <QPicture>
#include <QSize>
#include <QString>
#include <optional>

namespace app {

struct Metafile
{
    QPicture picture; // drawing in the metafile's own size
    QSize size;       // at 96 pixels per inch
};

// Parses a Windows metafile with libwmf and records its drawing with QPainter. Nothing and a
// reason in `error` when it cannot.
std::optional<Metafile> decodeWmf(const QByteArray& data, QString* error);

} // namespace app
