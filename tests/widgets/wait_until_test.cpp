// A wait that runs out fails the test that waited, naming what it waited for; one that comes
// true through the event loop (a timer, a deferred delete) passes without a failure.
#include "support/wait_until.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace kroda::testing {
namespace {

TEST(WaitUntil, FailsWhenTheConditionNeverHoldsAndPassesWhenTheEventLoopBringsIt) {
    bool result = true;
    EXPECT_NONFATAL_FAILURE(result = waitUntil([] { return false; }, 50, "a door that stays shut"),
                            "a door that stays shut");
    EXPECT_FALSE(result);

    bool fired = false;
    QTimer::singleShot(20, [&] { fired = true; });
    auto* doomed = new QObject;
    QPointer<QObject> watch(doomed);
    doomed->deleteLater();
    EXPECT_TRUE(waitUntil([&] { return fired && watch.isNull(); }, 2000, "the timer"));
}

}  // namespace
}  // namespace kroda::testing
