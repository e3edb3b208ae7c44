// The window tests need an application object; they run on the offscreen platform.
#include "widgets/window_pictures.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Saves and autosaves of the games played here stay out of the user's data.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    // Nor does anything the program remembers (its speed, full screen) come from the user's
    // settings or go to them: each test runs as a process of its own, with a folder of its own.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    kroda::windowpictures::load();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
