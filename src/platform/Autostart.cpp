#include "platform/Autostart.h"

#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {

// Quoting of the Exec key of desktop entries: reserved characters go inside double quotes, and
// within those a backslash escapes ", `, $ and itself.
QString quoteExecArgument(const QString& path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needs = false;
    for (const QChar c : path)
        needs = needs || reserved.contains(c);
    QString escaped;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            escaped += u'\\';
        escaped += c;
    }
    // The Exec key's own escaping doubles every backslash once more.
    escaped.replace(u'\\', QStringLiteral("\\\\"));
    escaped.replace(u'%', QStringLiteral("%%"));
    return needs ? u'"' + escaped + u'"' : escaped;
}

} // namespace

XdgAutostart::XdgAutostart(QString entryPath, QString programFile)
    : m_entryPath(std::move(entryPath)), m_programFile(std::move(programFile))
{
}

QString XdgAutostart::defaultEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/Veskel.desktop");
}

bool XdgAutostart::isRunAtStartup() const
{
    QFile file(m_entryPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // An entry that exists but names no program, or is switched off, does not start anything.
    const QByteArray content = file.read(64 * 1024);
    bool hasExec = false;
    bool hidden = false;
    for (const QByteArray& raw : content.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith("Exec=") && line.size() > 5)
            hasExec = true;
        if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false")
            hidden = true;
    }
    return hasExec && !hidden;
}

bool XdgAutostart::setRunAtStartup(bool on)
{
    if (!on)
        return !QFile::exists(m_entryPath) || QFile::remove(m_entryPath);
    QDir().mkpath(QFileInfo(m_entryPath).absolutePath());
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Veskel\n"
                                         "Comment=Desktop clock\n"
                                         "Exec=%1\n"
                                         "Terminal=false\n")
                              .arg(quoteExecArgument(m_programFile));
    return bool(saveWholeFile(m_entryPath, entry.toUtf8()));
}

} // namespace platform
