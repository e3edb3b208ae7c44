// The windows need an application object before the first test.
#include "widgets/window_pictures.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kroda::windowpictures::load();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
