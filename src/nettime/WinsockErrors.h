#pragma once

#include <QAbstractSocket>
#include <QString>

namespace nettime {

// The socket error codes and texts the time client reports (the Winsock numbering, which the
// program's messages have always used).
QString winsockErrorText(int code);
// The code of a Qt socket error.
int winsockCodeFor(QAbstractSocket::SocketError error);

} // namespace nettime
