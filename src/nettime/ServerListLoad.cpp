#include "nettime/ServerListLoad.h"

#include "nettime/ServerList.h"

#include <QEventLoop>
#include <QThread>

namespace nettime {

ServerListLoad::ServerListLoad(const QString& path, const QLocale& locale, QObject* parent) : QObject(parent)
{
    m_thread = QThread::create([this, path, locale] {
        m_file = platform::readWholeFile(path, MaxServerFileSize);
        m_names = parseServerList(m_file.bytes);
        m_file.bytes.clear();
        ServerOrder(locale).sort(m_names);
    });
    connect(m_thread, &QThread::finished, this, [this] {
        m_done = true;
        emit finished();
    });
    m_thread->start();
}

ServerListLoad::~ServerListLoad()
{
    m_thread->wait();
    delete m_thread;
}

void ServerListLoad::wait()
{
    if (m_done)
        return;
    QEventLoop waiting;
    connect(this, &ServerListLoad::finished, &waiting, &QEventLoop::quit);
    waiting.exec();
    // The program's end stops every loop; the list is then waited for here.
    m_thread->wait();
    m_done = true;
}

} // namespace nettime
