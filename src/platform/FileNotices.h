#pragma once

#include <QSet>
#include <QString>
#include <functional>

namespace platform {

// Word to the user of a file the clock leaves alone (there, but not read) or could not save when
// no one had asked it to (at exit, after a one-time event). The user hears of each file once a
// run: a file left alone fails every later save for the same reason, and a full disk every save.
// Standard error hears it too, for a clock started from a terminal.
class FileNotices final
{
public:
    using Show = std::function<void(const QString& text)>;

    explicit FileNotices(Show show = {}) : m_show(std::move(show)) {}
    // How the user is told from now on: a box while the clock runs, a desktop notification once
    // its windows are gone.
    void setShow(Show show) { m_show = std::move(show); }

    // Tells `text`, which names `file` and says why, unless the user heard of that file before.
    void tellOnce(const QString& file, const QString& text);
    bool told(const QString& file) const { return m_told.contains(file); }

private:
    Show m_show;
    QSet<QString> m_told;
};

} // namespace platform
