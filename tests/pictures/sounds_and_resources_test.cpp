// The two sounds, the compiled-in window pictures, and the generator's promise that every
// build draws the same files.

#include "picture_files.h"

#include "art/pictures.h"
#include "widgets/window_pictures.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>

namespace kroda::test {
namespace {

// Both sounds are 16-bit mono PCM at a common rate, of the right length, audible, unclipped
// and ending in silence (no click when they stop).
TEST(GameFolderSounds, ShortCleanPcm) {
    struct Expected {
        const char* path;
        double shortest, longest;
    };
    for (const Expected& e :
         {Expected{"Sound/503.wav", 0.3, 0.5}, Expected{"Sound/505.wav", 0.05, 0.1}}) {
        SCOPED_TRACE(e.path);
        const WavInfo w = readWav(readBytes(gameFile(e.path)));
        ASSERT_TRUE(w.valid);
        EXPECT_EQ(w.format, 1);
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.bits, 16);
        EXPECT_TRUE(w.sampleRate == 22050 || w.sampleRate == 44100);
        const double seconds = double(w.samples.size()) / w.sampleRate;
        EXPECT_GE(seconds, e.shortest);
        EXPECT_LE(seconds, e.longest);
        double peak = 0;
        for (double s : w.samples) {
            peak = std::max(peak, std::fabs(s));
        }
        EXPECT_GT(peak, 0.3);
        EXPECT_LT(peak, 0.99);
        EXPECT_LT(std::fabs(w.samples.back()), 0.01);
    }
}

// The window pictures are compiled in at their sizes, with transparent ground around a drawn
// picture; the pointers' hot spots lie on the drawing.
TEST(WindowPictures, CompiledInAtTheirSizes) {
    ensureGuiApplication();
    windowpictures::load();
    struct Expected {
        const char* path;
        int size;
    };
    const Expected pictures[] = {
        {windowpictures::kTitleNewGame, 32},    {windowpictures::kTitleContinue, 32},
        {windowpictures::kTitleAbout, 32},      {windowpictures::kTitleManual, 32},
        {windowpictures::kTitleExit, 32},       {windowpictures::kWizardDescription, 16},
        {windowpictures::kWizardClose, 16},     {windowpictures::kWizardBack, 16},
        {windowpictures::kWizardNext, 16},      {windowpictures::kToolbarMusic, 16},
        {windowpictures::kToolbarSave, 16},     {windowpictures::kToolbarManual, 16},
        {windowpictures::kToolbarQuit, 16},     {windowpictures::kThrowBoth, 32},
        {windowpictures::kHandCursor, 32},      {windowpictures::kDeedTitleCursor, 32},
        {windowpictures::kToolbarSpeed[0], 16}, {windowpictures::kToolbarSpeed[1], 16},
        {windowpictures::kToolbarSpeed[2], 16},
    };
    for (const Expected& e : pictures) {
        SCOPED_TRACE(e.path);
        const QImage image(QString::fromLatin1(e.path));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(e.size, e.size));
        ASSERT_TRUE(image.hasAlphaChannel());
        int clear = 0, solid = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                clear += alpha == 0;
                solid += alpha == 255;
            }
        }
        EXPECT_GT(clear, 0);
        EXPECT_GT(solid, e.size * e.size / 8);
    }
    for (const auto& [path, hot] :
         {std::pair{windowpictures::kHandCursor, windowpictures::kHandCursorHotSpot},
          std::pair{windowpictures::kDeedTitleCursor, windowpictures::kDeedTitleCursorHotSpot}}) {
        SCOPED_TRACE(path);
        const QImage image(QString::fromLatin1(path));
        EXPECT_GT(qAlpha(image.pixel(hot)), 128);
    }
}

// Drawing the pictures again gives the very files of the game folder: no clock, no hash
// order and no random seed leaks into the art.
TEST(Generator, DrawsTheSameFilesEveryTime) {
    ensureGuiApplication();
    for (const art::GamePicture& picture : art::gamePictures()) {
        SCOPED_TRACE(picture.path.toStdString());
        const QImage drawn = picture.paletted ? art::toPaletted(picture.image)
                                              : picture.image.convertToFormat(QImage::Format_RGB32);
        const QImage onDisk(gameFile(picture.path));
        ASSERT_EQ(drawn.size(), onDisk.size());
        EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
                  onDisk.convertToFormat(QImage::Format_RGB32));
    }
    for (const art::GameSound& sound : art::gameSounds()) {
        EXPECT_EQ(sound.wav, readBytes(gameFile(sound.path))) << sound.path.toStdString();
    }
}

}  // namespace
}  // namespace kroda::test
