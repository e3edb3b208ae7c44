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
    QApplication app(argc, argv);
    kroda::windowpictures::load();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
