#pragma once
// The about window FrmAbout: the game's title and version, the credits, and one button that
// closes it. A second button (opening a text file) stays hidden and unreachable.

#include "frontend/click_sound.h"
#include "frontend/image_button.h"
#include "screen/controls.h"

#include <QString>

#include <array>
#include <functional>

namespace kroda {

struct AboutWindow {
    QString Caption;
    Rect Geometry;
    QString Picture;
    Label LblATitle;
    TextBox TxtAbout;  // read-only
    bool TxtAboutLocked = true;
    std::array<ImageButton, 2> ImgButtonA;  // their labels are LblButtonA(0..1)
};

class About {
  public:
    About(const QString& commonFolder, const QString& appFolder, int screenWidth, int screenHeight);

    AboutWindow window;
    ClickPlayer playClick = silentClick;
    // Called once when the close button has closed the window.
    std::function<void()> closed;

    bool isClosed() const { return closed_; }

    void ImgButtonA_MouseDown(int index);
    void ImgButtonA_MouseMove(int index, bool held);
    void ImgButtonA_MouseUp(int index);
    // Escape closes the window as its button does.
    void keyPressed(int keyCode);

    // The credits: nine lines.
    static QString creditsText();

  private:
    QString appFolder_;
    ImageButtonRow buttons_;
    ClickGate click_;
    bool closed_ = false;
};

}  // namespace kroda
