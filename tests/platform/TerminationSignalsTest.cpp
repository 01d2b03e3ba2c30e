#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

TEST(TerminationSignals, ABurstBeforeAnyoneListensNeitherBlocksNorGetsLost)
{
    // Should the handler block on a full pipe, the alarm ends this test program instead of
    // leaving it hanging.
    ::alarm(60);
    platform::TerminationSignals::catchEarly();
    for (int i = 0; i < 400; ++i)
        ASSERT_EQ(::raise(SIGTERM), 0);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(::raise(SIGHUP), 0);
    ::alarm(0);

    platform::TerminationSignals termination;
    QSignalSpy requested(&termination, &platform::TerminationSignals::terminationRequested);
    EXPECT_FALSE(termination.requested());
    for (int i = 0; i < 20 && requested.isEmpty(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(requested.size(), 1);
    EXPECT_TRUE(termination.requested());

    // Once asked, it stays asked: later signals add nothing.
    ::raise(SIGINT);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(requested.size(), 1);
}
