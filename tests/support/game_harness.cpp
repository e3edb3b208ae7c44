#include "support/game_harness.h"

#include "model/regular_file.h"
#include "model/seat_defaults.h"

#include <algorithm>

namespace kroda::testing {

namespace {

struct Row {
    const char16_t* name;
    Integer kind;
    int price, house, hotel;
    int rent[6];
    bool corner;
    int cell;
};

// A board laid out as the default one but with amounts of its own, which the tests rely on;
// tuning the default board leaves them alone (its start money, for one, differs).
const Row kBoard[40] = {
    {u"จุดเริ่มต้น", Start, 2000, 0, 0, {0, 0, 0, 0, 0, 0}, true, 0},
    {u"บุรีรัมย์", Land, 600, 500, 500, {20, 100, 300, 900, 1600, 2500}, false, 0},
    {u"บัตรทรัพย์สมบัติ", TreasureCard, 0, 0, 0, {0, 0, 0, 0, 0, 0}, false, 1},
    {u"สุรินทร์", Land, 600, 500, 500, {40, 200, 600, 1800, 3200, 4500}, false, 2},
    {u"โรงแรมเจ้าพระยา", HotelSite, 2000, 0, 0, {250, 500, 1000, 2000, 3000, 0}, false, 3},
    {u"โรงแรมล้านนา", HotelSite, 2000, 0, 0, {250, 500, 1000, 2000, 3000, 0}, false, 4},
    {u"น่าน", Land, 1000, 500, 500, {60, 300, 900, 2700, 4000, 5500}, false, 5},
    {u"บัตรโชคชะตา", FortuneCard, 0, 0, 0, {0, 0, 0, 0, 0, 0}, false, 6},
    {u"ลำปาง", Land, 1000, 500, 500, {60, 300, 900, 2700, 4000, 5500}, false, 7},
    {u"เชียงราย", Land, 1200, 500, 500, {80, 400, 1000, 3000, 4500, 6000}, false, 8},
    {u"คุก", Jail, 0, 0, 0, {0, 0, 0, 0, 0, 0}, true, 1},
    {u"สุโขทัย", Land, 1400, 1000, 1000, {100, 500, 1500, 4500, 6250, 7500}, false, 9},
    {u"การประปา", PairSite, 1500, 0, 0, {400, 1000, 0, 0, 0, 0}, false, 10},
    {u"อยุธยา", Land, 1400, 1000, 1000, {100, 500, 1500, 4500, 6250, 7500}, false, 11},
    {u"กาญจนบุรี", Land, 1600, 1000, 1000, {120, 600, 1800, 5000, 7000, 9000}, false, 12},
    {u"โรงแรมอันดามัน", HotelSite, 2000, 0, 0, {250, 500, 1000, 2000, 3000, 0}, false, 13},
    {u"ระยอง", Land, 1800, 1000, 1000, {140, 700, 2000, 5500, 7500, 9500}, false, 14},
    {u"บัตรทรัพย์สมบัติ", TreasureCard, 0, 0, 0, {0, 0, 0, 0, 0, 0}, false, 15},
    {u"จันทบุรี", Land, 1800, 1000, 1000, {140, 700, 2000, 5500, 7500, 9500}, false, 16},
    {u"พัทยา", Land, 2000, 1000, 1000, {160, 800, 2200, 6000, 8000, 10000}, false, 17},
    {u"พักผ่อน", Rest, 1, 0, 0, {0, 0, 0, 0, 0, 0}, true, 2},
    {u"หาดใหญ่", Land, 2200, 1500, 1500, {180, 900, 2500, 7000, 8750, 10500}, false, 18},
    {u"บัตรโชคชะตา", FortuneCard, 0, 0, 0, {0, 0, 0, 0, 0, 0}, false, 19},
    {u"กระบี่", Land, 2400, 1500, 1500, {200, 1000, 3000, 7500, 9250, 11000}, false, 20},
    {u"ภาษีที่ดิน", Tax, 1000, 0, 0, {0, 0, 0, 0, 0, 0}, false, 21},
    {u"โรงแรมอ่าวไทย", HotelSite, 2000, 0, 0, {250, 500, 1000, 2000, 3000, 0}, false, 22},
    {u"หัวหิน", Land, 2600, 1500, 1500, {220, 1100, 3300, 8000, 9750, 11500}, false, 23},
    {u"เกาะสมุย", Land, 2600, 1500, 1500, {220, 1100, 3300, 8000, 9750, 11500}, false, 24},
    {u"การไฟฟ้า", PairSite, 1500, 0, 0, {400, 1000, 0, 0, 0, 0}, false, 25},
    {u"ภูเก็ต", Land, 2800, 1500, 1500, {240, 1200, 3600, 8500, 10250, 12000}, false, 26},
    {u"ไปเข้าคุก", GoToJail, 500, 0, 0, {0, 0, 0, 0, 0, 0}, true, 3},
    {u"เชียงใหม่", Land, 3000, 2000, 2000, {260, 1300, 3900, 9000, 11000, 12750}, false, 27},
    {u"ถนนเยาวราช", Land, 3000, 2000, 2000, {260, 1300, 3900, 9000, 11000, 12750}, false, 28},
    {u"บัตรทรัพย์สมบัติ", TreasureCard, 0, 0, 0, {0, 0, 0, 0, 0, 0}, false, 29},
    {u"ถนนสีลม", Land, 3200, 2000, 2000, {280, 1500, 4500, 10000, 12000, 14000}, false, 30},
    {u"โรงแรมราชพฤกษ์", HotelSite, 2000, 0, 0, {250, 500, 1000, 2000, 3000, 0}, false, 31},
    {u"บัตรโชคชะตา", FortuneCard, 0, 0, 0, {0, 0, 0, 0, 0, 0}, false, 32},
    {u"ถนนสุขุมวิท", Land, 3500, 2000, 2000, {350, 1750, 5000, 11000, 13000, 15000}, false, 33},
    {u"ภาษีเงินได้", Tax, 1500, 0, 0, {0, 0, 0, 0, 0, 0}, false, 34},
    {u"ถนนราชดำเนิน", Land, 4000, 2000, 2000, {500, 2000, 6000, 14000, 17000, 20000}, false, 35},
};

}  // namespace

LoadedBoard sampleBoard(bool bankruptCardOn) {
    LoadedBoard b;
    b.Config.StripFile1 = QStringLiteral("Corners.bmp");
    b.Config.StripFile2 = QStringLiteral("Sides.bmp");
    b.Config.StripFile3 = QStringLiteral("Places.bmp");
    b.Config.Deck1File = QStringLiteral("Treasure.crd");
    b.Config.Deck2File = QStringLiteral("Fortune.crd");
    for (int i = 0; i < 40; ++i) {
        const Row& r = kBoard[i];
        Square& sq = b.Squares(i + 1);
        sq.Name = QString::fromUtf16(r.name);
        sq.Kind = r.kind;
        sq.Price = Currency::fromUnits(r.price);
        sq.HouseCost = Currency::fromUnits(r.house);
        sq.HotelCost = Currency::fromUnits(r.hotel);
        for (int k = 1; k <= 6; ++k) sq.Rent(k) = Currency::fromUnits(r.rent[k - 1]);
        b.Pictures[i] = {static_cast<Integer>(r.corner ? CornerStrip : SideStrip),
                         static_cast<Integer>(r.cell)};
    }
    b.Deck1.reset(20);
    b.Deck2.reset(bankruptCardOn ? 21 : 20);
    for (int k = 1; k <= 20; ++k) {
        b.Deck1(k) =
            Card{QStringLiteral("ทรัพย์ %1").arg(k), ReceiveAmount, static_cast<Integer>(k * 10)};
        b.Deck2(k) = Card{QStringLiteral("โชค %1").arg(k), PayAmount, static_cast<Integer>(k * 10)};
    }
    if (bankruptCardOn)
        b.Deck2(21) = Card{QStringLiteral("ล้มละลาย"), BuiltInBankrupt, 0};
    b.CornerPicturePath = QStringLiteral("/game/Image/Corners.bmp");
    b.SidePicturePath = QStringLiteral("/game/Image/Sides.bmp");
    b.IllustrationPicturePath = QStringLiteral("/game/Image/Places.bmp");
    return b;
}

GameHarness::GameHarness(int playerCount, std::vector<int> humans, bool bankruptCardOn)
    : windowless(QStringLiteral("/game")),
      port(windowless.port),
      game(windowless.game),
      clock(windowless.clock) {
    windowless.port.startOfDay = 36000.0;
    game.random.seed(12345);
    game.locale = QLocale::c();
    game.boardReader = [](const BoardLocation& where, bool bankrupt) {
        BoardReadResult r;
        r.board = sampleBoard(bankrupt);
        // The square pictures lie in the image folder read, as a board's do, so that the
        // game's saves name them in its own folder wherever a test moves it.
        r.board->CornerPicturePath = joinPath(where.imageFolder, QStringLiteral("Corners.bmp"));
        r.board->SidePicturePath = joinPath(where.imageFolder, QStringLiteral("Sides.bmp"));
        r.board->IllustrationPicturePath =
            joinPath(where.imageFolder, QStringLiteral("Places.bmp"));
        return r;
    };
    game.narrationComplete = [this](Integer step, const QString& message) {
        narration.push_back({step, message, clock.now()});
    };
    GameState& st = game.state;
    st.PlayerCount = static_cast<Integer>(playerCount);
    st.NewBoard = true;
    st.BankruptCardOn = bankruptCardOn;
    st.Config.ConfigPath = QStringLiteral("/game/KovarT.dat");
    for (int p = 1; p <= playerCount; ++p) {
        Player& pl = st.Players(p);
        const SeatDefaults& seat = seatDefaults()[p - 1];
        pl.Name = QStringLiteral("ผู้เล่น:%1").arg(p);
        pl.Color = seat.Color;
        pl.IsHuman = false;
        for (int k = 1; k <= 3; ++k) {
            pl.KeyCode(k) = seat.KeyCode[k - 1];
            pl.KeyLabel(k) = QString::fromUtf16(seat.KeyLabel[k - 1]);
        }
    }
    for (int p : humans) st.Players(p).IsHuman = true;
}

void GameHarness::load() {
    game.Form_Load();
}

void GameHarness::standOn(int p, int position) {
    GameState& st = game.state;
    st.TurnQueue = QStringLiteral("1234").left(st.PlayerCount);
    st.CurPlayer = static_cast<Integer>(p);
    st.Players(p).Position = static_cast<Integer>(position);
    game.timers.TimerTalk.setEnabled(false);
    game.timers.TimeDelay.setEnabled(false);
}

void GameHarness::land(int position) {
    standOn(1, position);
    game.ActionCheck(game.state.CurPlayer, AnnounceLanding);
    game.ActionCheck(game.state.CurPlayer, ResolveLanding);
}

void GameHarness::dice(std::initializer_list<int> values) {
    for (int v : values) game.scripted.dice.push_back(static_cast<Integer>(v));
}

void GameHarness::loadAndRank(const std::vector<int>& totals) {
    load();
    for (int t : totals) {
        // A total as two different faces of 1..6 (3 to 11 can all be thrown so).
        int first = std::max(1, t - 6);
        if (first == t - first)
            --first;
        dice({first, t - first});
    }
    for (std::size_t k = 0; k < totals.size(); ++k) {
        Player& p = player(static_cast<int>(k) + 1);
        if (p.IsHuman) {
            runUntil([&] { return game.window.KeyPreview; });
            game.handle([](Game& g) { g.ImgTao_Click(2); });
        }
        runUntilNarrated(9);
    }
    runUntilNarrated(8);
}

bool GameHarness::runUntil(const std::function<bool()>& done, std::int64_t limitMs) {
    return clock.advanceUntil(done, limitMs);
}

bool GameHarness::runUntilNarrated(Integer step, std::int64_t limitMs) {
    const std::size_t before = narration.size();
    return runUntil(
        [&] {
            for (std::size_t i = before; i < narration.size(); ++i) {
                if (narration[i].step == step)
                    return true;
            }
            return false;
        },
        limitMs);
}

bool GameHarness::runUntilStep(Integer step, std::int64_t limitMs) {
    return runUntil([&] { return game.state.TalkStep == step; }, limitMs);
}

bool GameHarness::playToEnd(std::int64_t limitMs) {
    return windowless.play(limitMs, 1000) && game.isOver();
}

std::vector<QString> GameHarness::messages(Integer step) const {
    std::vector<QString> out;
    for (const Narration& n : narration) {
        if (step == 0 || n.step == step)
            out.push_back(n.message);
    }
    return out;
}

}  // namespace kroda::testing
