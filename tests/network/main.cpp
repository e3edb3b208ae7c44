// The loopback test needs an event loop; the others run without one.
#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The seats' tokens a client keeps stay out of the user's data.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    // Nor does anything the program remembers (its speed, full screen) come from the user's
    // settings or go to them: each test runs as a process of its own, with a folder of its own.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
