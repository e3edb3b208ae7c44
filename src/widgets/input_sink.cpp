#include "widgets/input_sink.h"

#include "game/game.h"

namespace kroda::widgets {

namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};

void click(Game& g, const ControlClick& c) {
    switch (c.control) {
        case ClickableControl::ImgTao:
            g.ImgTao_Click(c.index);
            break;
        case ClickableControl::ImgTable:
            g.ImgTable_Click(c.index);
            break;
        case ClickableControl::ImgDescripter:
            g.ImgDescripter_Click();
            break;
        case ClickableControl::TxtCrd:
            g.TxtCrd_MouseDown(c.button, c.shift, c.x, c.y);
            break;
        case ClickableControl::LblClose:
            g.LblClose_Click();
            break;
        case ClickableControl::ImgIconT:
            break;  // the toolbar's own mouse is ToolbarMouse
    }
}

void toolbar(Game& g, const ToolbarMouse& t) {
    switch (t.phase) {
        case ToolbarMouse::Down:
            g.ImgIconT_MouseDown(t.index, t.button, t.shift, t.x, t.y);
            break;
        case ToolbarMouse::Move:
            g.ImgIconT_MouseMove(t.index, t.button, t.shift, t.x, t.y);
            break;
        case ToolbarMouse::Up:
            g.ImgIconT_MouseUp(t.index, t.button, t.shift, t.x, t.y);
            break;
    }
}

}  // namespace

void applyInput(Game& game, const WindowInput& input) {
    std::visit(Overloaded{[&](const KeyPress& k) { game.keyPressed(k.keyCode, k.shift); },
                          [&](const ControlClick& c) { click(game, c); },
                          [&](const ToolbarMouse& t) { toolbar(game, t); },
                          [&](const DeedTitleMouse& d) {
                              if (d.phase == DeedTitleMouse::Move)
                                  game.FrmOCard.LblLname_MouseMove(d.button, d.x, d.y);
                              else
                                  game.FrmOCard.LblLname_MouseUp(d.button, d.x, d.y);
                          },
                          [&](const DeedActivated&) {
                              if (game.FrmOCard.Visible)
                                  game.FrmOCard_Activate();
                          }},
               input);
}

int mouseButtons(Qt::MouseButtons buttons) {
    int b = 0;
    if (buttons.testFlag(Qt::LeftButton))
        b |= 1;
    if (buttons.testFlag(Qt::RightButton))
        b |= 2;
    if (buttons.testFlag(Qt::MiddleButton))
        b |= 4;
    return b;
}

}  // namespace kroda::widgets
