#include "art/canvas.h"
#include "art/pictures.h"

namespace kroda::art {

std::vector<GamePicture> gamePictures() {
    loadThaiFonts();
    std::vector<GamePicture> pictures;
    auto add = [&](QString path, QImage image, int rows, int columns, bool paletted = false) {
        pictures.push_back({std::move(path), std::move(image), rows, columns, paletted});
    };
    add("RsCommon/Game.bmp", gameBackground(), 1, 1);
    add("RsCommon/Tao.bmp", diceStrip(), 1, 10);
    add("RsCommon/Wizard.bmp", wizardBackground(), 1, 1);
    add("RsCommon/About.bmp", aboutBackground(), 1, 1);

    // The title screen and its button strips come in two sets: true colour and 256 colours.
    const QImage title = titleScreen();
    const QImage square = squareButtons();
    const QImage longOnes = longButtons();
    const QImage mini = miniButtons();
    for (bool paletted : {false, true}) {
        const QString folder = paletted ? "Rs256/" : "Rs64K/";
        add(folder + "Title.bmp", title, 1, 1, paletted);
        add(folder + "SQBtns.Bmp", square, 1, 3, paletted);
        add(folder + "LBtns.bmp", longOnes, 1, 3, paletted);
        add(folder + "MiniBtns.bmp", mini, 1, 3, paletted);
    }

    add("Image/Yelface.bmp", narratorFaces(), 1, 5);
    const char* faceFiles[] = {"Redface.bmp", "Grnface.bmp", "Whiface.bmp", "Bluface.bmp"};
    for (int player = 1; player <= 4; ++player) {
        add(QString("Image/") + faceFiles[player - 1], playerFaces(player), 1, 5);
    }
    add("Image/Hblocks.bmp", horizontalBlocks(), 10, 1);
    add("Image/Vblocks.bmp", verticalBlocks(), 1, 10);
    add("Image/Stblocks.bmp", buildingLevels(), 6, 1);
    add("Image/CBlock.bmp", boardCentre(), 1, 1);
    add("Image/Corners.bmp", cornerSquares(), 2, 2);
    add("Image/Sides.bmp", sideSquares(), 6, 6);
    add("Image/Places.bmp", placeIllustrations(), 5, 8);
    return pictures;
}

std::vector<GameSound> gameSounds() {
    return {{"Sound/503.wav", diceRattleWav()}, {"Sound/505.wav", buttonClickWav()}};
}

}  // namespace kroda::art
