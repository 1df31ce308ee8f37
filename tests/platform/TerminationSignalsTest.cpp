#include "platform/system/TerminationSignals.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QCoreApplication>

using platform::TerminationSignals;

namespace {

volatile std::sig_atomic_t earlierHandlerRan = 0;
void earlierHandler(int) {
    earlierHandlerRan = 1;
}

TEST(TerminationSignals, ArriveOnTheEventLoopAndGiveBackTheEarlierHandlers) {
    struct sigaction earlier {
    }, before{};
    earlier.sa_handler = earlierHandler;
    sigemptyset(&earlier.sa_mask);
    sigaction(SIGHUP, &earlier, &before);
    std::vector<int> received;
    {
        TerminationSignals watch;
        QObject::connect(&watch, &TerminationSignals::received, [&](int s) { received.push_back(s); });
        EXPECT_THROW(TerminationSignals second, std::exception); // one at a time
        raise(SIGTERM);
        raise(SIGHUP);
        EXPECT_TRUE(received.empty()); // nothing runs inside the signal handler
        QCoreApplication::processEvents();
        EXPECT_EQ(received, (std::vector<int>{SIGTERM, SIGHUP}));
        EXPECT_EQ(earlierHandlerRan, 0);
    }
    raise(SIGHUP);
    EXPECT_EQ(earlierHandlerRan, 1);
    sigaction(SIGHUP, &before, nullptr);
}

} // namespace
