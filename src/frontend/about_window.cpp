#include "frontend/about_window.h"

#include "frontend/title_screen.h"
#include "model/codes.h"
#include "model/game_files.h"

namespace kroda {

namespace {
const ImageButtonStyle kAboutStyle{LongButtons, 320};
constexpr int kCloseButton = 1;
}  // namespace

QString About::creditsText() {
    return QStringLiteral(
        "เกมKroda เกมกระดานซื้อขายที่ดินภาษาไทย รุ่น 2.0\n"
        "เขียนโดยโครงการเกมKroda เป็นซอฟต์แวร์เสรี\n"
        "สร้างบน Qt 6 (GNU LGPL รุ่น 3)\n"
        "ดนตรีด้วย FluidSynth (GNU LGPL รุ่น 2.1)\n"
        "เสียงเครื่องดนตรี TimGM6mb soundfont (GNU GPL รุ่น 2)\n"
        "แบบอักษรไทย TLWG (GNU GPL รุ่น 2 และ LPPL)\n"
        "ภาพ เสียง กระดานและคู่มือ สร้างโดยโครงการเอง\n"
        "ทดสอบด้วย GoogleTest (BSD 3-Clause)\n"
        "ขอให้สนุกกับการเล่นเกม!");
}

About::About(const QString& commonFolder, const QString& appFolder, int screenWidth,
             int screenHeight)
    : appFolder_(appFolder), buttons_(window.ImgButtonA, kAboutStyle, nullptr) {
    AboutWindow& w = window;
    w.Caption = QStringLiteral("เกี่ยวกับซอฟต์แวร์เกมส์Kroda");
    w.Geometry = {0, 0, 400, 400};
    centreWindow(w.Geometry, {screenWidth, screenHeight});
    w.Picture = commonFolder + QStringLiteral("About.bmp");
    w.LblATitle = {
        {8, 8, 385, 25}, QStringLiteral("เกมKroda Version 2.0 Final"), 0x000000, 0xFFFFFF, true};
    w.TxtAbout.Geometry = {24, 40, 369, 217};
    w.TxtAbout.Text = creditsText();

    const int lefts[2] = {80, 152};
    const int tops[2] = {360, 312};
    const char* captions[2] = {"About.txt", nullptr};
    for (int i = 0; i < 2; ++i) {
        ImageButton& b = w.ImgButtonA[static_cast<std::size_t>(i)];
        b.Button.Geometry = {lefts[i], tops[i], 100, 35};
        b.Button.Strip = LongButtons;
        b.Button.Cell = NormalCell;
        b.Icon.Visible = false;
        b.Text.Geometry = {lefts[i] + 8, 320, 84, 19};
        b.Text.Caption =
            captions[i] != nullptr ? QString::fromLatin1(captions[i]) : QStringLiteral("ปิดหน้าต่าง");
    }
    // The icon rows share the labels' height: the state is read from the icon.
    for (ImageButton& b : w.ImgButtonA) b.Icon.Geometry = b.Text.Geometry;
    w.ImgButtonA[0].Button.Visible = false;
    w.ImgButtonA[0].Text.Visible = false;
}

void About::ImgButtonA_MouseDown(int index) {
    // Only the close button can be reached; the hidden one never gets a press.
    if (index != kCloseButton || closed_)
        return;
    if (click_.busy() || !buttons_.mouseDown(index))
        return;
    click_.run(playClick, clickSound(appFolder_), [this] {
        closed_ = true;
        if (closed)
            closed();
    });
}

void About::ImgButtonA_MouseMove(int index, bool held) {
    if (index == kCloseButton)
        buttons_.mouseMove(index, held);
}

void About::ImgButtonA_MouseUp(int index) {
    if (index == kCloseButton)
        buttons_.mouseUp(index);
}

void About::keyPressed(int keyCode) {
    if (keyCode != EscapeKey)
        return;
    ImgButtonA_MouseDown(kCloseButton);
    ImgButtonA_MouseUp(kCloseButton);
}

}  // namespace kroda
