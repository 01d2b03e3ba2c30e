#pragma once

#include <QSize>

namespace platform {

// The whole primary screen (not the work area): positions and the keep-on-screen rule use it.
class ScreenInfo
{
public:
    virtual ~ScreenInfo() = default;
    virtual QSize primaryScreenSize() const = 0;
};

class QtScreenInfo final : public ScreenInfo
{
public:
    QSize primaryScreenSize() const override;
};

} // namespace platform
