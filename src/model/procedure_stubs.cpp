// Empty bodies for the procedures that are not written yet, so that everything links.
// Each is removed from here when its real definition lands in its subsystem's folder.
#include "model/game.h"

namespace kroda {

void Game::Form_Load() {}
void Game::TimerTalk_Timer() {}
void Game::TimeDelay_Timer() {}
void Game::Talk(const QString&, Integer&) {}
void Game::TxtDialog_KeyDown(int, int) {}
void Game::NextQ() {}
Integer Game::TaoCal(Integer) {
    return 0;
}
void Game::TaoList(Integer, Integer) {}
void Game::TaoProc(Integer, Integer) {}
void Game::ResolveThrow() {}
void Game::AnimateTimer_Timer() {}
void Game::Animate(Integer) {}
void Game::PutTao(Integer, Integer, Integer) {}
void Game::ActionCheck(Integer&, Integer) {}
QString Game::PriceCheck(Integer) {
    return {};
}
void Game::OpenOffer(Integer) {}
void Game::AcceptPurchase(Integer) {}
void Game::CloseOffer(Integer, OfferAnswer) {}
void Game::HouseCreate(Integer, Integer) {}
void Game::LocateCheck(Integer) {}
QString Game::OwnerCheck(Integer) {
    return {};
}
void Game::GameOver(Integer&) {}
void Game::FrmCard_Load() {}
void Game::FrmCard_KeyDown(int, int) {}
void Game::TxtCrd_MouseDown(int, int, int, int) {}
void Game::FrmCard_Unload() {}
void Game::CPControl() {}
void Game::CFace(Integer, Integer) {}
QString Game::MShow(Currency) const {
    return {};
}
void Game::TimerMM_Timer() {}
void Game::keyPressed(int, int) {}
void Game::Form_KeyDown(int, int) {}
void Game::ImgTao_Click(int) {}
void Game::ImgDescripter_Click() {}
void Game::ImgTable_Click(int) {}
void Game::ImgIconT_MouseDown(int, int, int, int, int) {}
void Game::ImgIconT_MouseMove(int, int, int, int, int) {}
void Game::ImgIconT_MouseUp(int, int, int, int, int) {}

}  // namespace kroda
