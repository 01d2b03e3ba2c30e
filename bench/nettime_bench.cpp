// One complete RFC 868 exchange with a server on loopback: connect, four bytes, close.
#include "core/LocaleFormats.h"
#include "nettime/TimeClient.h"
#include "platform/HostLookup.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <benchmark/benchmark.h>

namespace {

void BM_FetchRoundTrip(benchmark::State& state)
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    QObject::connect(&server, &QTcpServer::newConnection, [&server] {
        while (QTcpSocket* peer = server.nextPendingConnection()) {
            peer->write(QByteArray::fromHex("E93D2FF0"));
            peer->disconnectFromHost();
            QObject::connect(peer, &QTcpSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
    platform::QtHostLookup lookup;
    const core::LocaleFormats locale(QLocale(QLocale::English, QLocale::UnitedStates));
    nettime::TTimeClient client(lookup, locale);
    client.Host = QStringLiteral("127.0.0.1");
    client.Port = server.serverPort();
    client.TimeOut = 5000;
    for (auto _ : state)
        benchmark::DoNotOptimize(client.TimeInt());
}
BENCHMARK(BM_FetchRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace
