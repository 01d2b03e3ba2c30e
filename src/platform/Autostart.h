#pragma once

#include <QString>

namespace platform {

// Starting the program when the user logs on.
class Autostart
{
public:
    virtual ~Autostart() = default;
    virtual bool isRunAtStartup() const = 0;
    virtual bool setRunAtStartup(bool on) = 0;
};

// An XDG autostart entry (~/.config/autostart/Veskel.desktop) whose Exec is the program's path.
class XdgAutostart final : public Autostart
{
public:
    XdgAutostart(QString entryPath, QString programFile);
    static QString defaultEntryPath();

    bool isRunAtStartup() const override;
    bool setRunAtStartup(bool on) override;

    const QString& entryPath() const { return m_entryPath; }

private:
    QString m_entryPath;
    QString m_programFile;
};

} // namespace platform
