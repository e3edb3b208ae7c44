#pragma once
// Every picture of the game folder and the window pictures compiled into the program.

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

namespace kroda::art {

// One picture file of the game folder: where it goes, what it shows and how its holder cuts it.
struct GamePicture {
    QString path;  // relative to the game folder, e.g. "RsCommon/Tao.bmp"
    QImage image;  // true colour
    int rows = 1;
    int columns = 1;
    bool paletted = false;  // written as an 8-bit BMP with its own colour table
};

struct GameSound {
    QString path;  // relative to the game folder
    QByteArray wav;
};

struct WindowPicture {
    QString name;  // resource name under ":/pictures/", e.g. "title/new-game.png"
    QImage image;  // with alpha
};

std::vector<GamePicture> gamePictures();
std::vector<GameSound> gameSounds();
std::vector<WindowPicture> windowPictures();

// The drawings, one per file (cells as the holders number them).
QImage gameBackground();         // RsCommon/Game.bmp 640x480
QImage diceStrip();              // RsCommon/Tao.bmp 400x40
QImage wizardBackground();       // RsCommon/Wizard.bmp 480x400
QImage aboutBackground();        // RsCommon/About.bmp 400x400
QImage titleScreen();            // Title.bmp 640x480
QImage squareButtons();          // SQBtns.Bmp 144x48
QImage longButtons();            // LBtns.bmp 300x35
QImage miniButtons();            // MiniBtns.bmp 96x32
QImage narratorFaces();          // Image/Yelface.bmp 360x72
QImage playerFaces(int player);  // 1..4: Image/Redface.bmp ... 280x56
QImage horizontalBlocks();       // Image/Hblocks.bmp 33x90
QImage verticalBlocks();         // Image/Vblocks.bmp 90x33
QImage buildingLevels();         // Image/Stblocks.bmp 96x150
QImage boardCentre();            // Image/CBlock.bmp 288x288
QImage cornerSquares();          // Image/Corners.bmp 96x96
QImage sideSquares();            // Image/Sides.bmp 192x192
QImage placeIllustrations();     // Image/Places.bmp 768x480

// The two sounds as 16-bit mono PCM WAV files.
QByteArray diceRattleWav();   // 503.wav
QByteArray buttonClickWav();  // 505.wav
QByteArray pcmWav(const std::vector<float>& samples, int sampleRate);

// An 8-bit paletted copy (at most 256 colours), dithered where the picture has more colours.
QImage toPaletted(const QImage& image);

// One picture with every file and its numbered cells, for reviewing the art.
QImage contactSheet(const std::vector<GamePicture>& pictures,
                    const std::vector<WindowPicture>& windowPictures);

}  // namespace kroda::art
