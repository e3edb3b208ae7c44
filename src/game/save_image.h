#pragma once
// What a save file holds, as plain data, and the one list of its fields with their domains.
// The writer and the reader walk the same list, so that every field written is read back
// and checked against the same bounds.

#include "deedcard/deed_card.h"
#include "game/game.h"
#include "game/save_paths.h"
#include "model/game_state.h"
#include "rules/payment_ledger.h"
#include "screen/controls.h"
#include "sequencer/timers.h"

#include <cstdint>
#include <type_traits>
#include <vector>

namespace kroda::save {

inline constexpr const char* kFormatName = "kroda-save";
// Version 2 added Players(n).Strong.
inline constexpr int kFormatVersion = 2;

// Whole numbers a JSON number carries exactly.
inline constexpr std::int64_t kExactLimit = std::int64_t{1} << 53;
// Free texts (captions, messages) and paths.
inline constexpr int kTextLimit = 4096;
// Entries of the ledger and scripted choices.
inline constexpr int kListLimit = 1'000'000;

struct TimerImage {
    int Interval = 0;
    bool Enabled = false;
    // Milliseconds until the next tick of a running timer; -1 for one that is due never.
    std::int64_t Left = -1;
};

struct SaveImage {
    std::int64_t now = 0;
    std::int64_t ticks = 0;
    // Seconds since midnight when the clock stood at 0.
    double timeOfDayAtZero = 0;
    TimerImage timers[kTimerCount];
    std::uint64_t random = 1;
    GameState state;
    GameWindow window;
    SourceWindow source;
    DeedCardWindow deedCard;
    std::vector<Payment> payments;
    std::vector<BankruptcyRecord> bankruptcies;
    std::vector<Integer> scriptedDice;
    std::vector<OfferAnswer> scriptedAnswers;
    bool musicPlaying = false;
    // Not a field of the file: the board folder its absolute names lie in, which the reader
    // found (SavedPaths::boardFolder); empty for the game folder's board.
    QString boardFolder;
};

const char* timerName(TimerId id);
const char* answerName(OfferAnswer answer);

// ---- The fields -------------------------------------------------------------------------
// Each walk takes an Io (the writer or the reader) and the object, const when writing. A
// member added by a later version is walked with the version that added it: files of an
// earlier version lack it, and it reads as false there.

template <class T>
inline constexpr bool kWritable = !std::is_const_v<T>;

// Every control and every window, the card window and the deed card included: no larger than
// the game window and placed within reach (screen/controls.h), whatever screen reads it.
template <class Io, class R>
void walkRect(Io& io, R& r) {
    io.integer("Left", r.Left, -kPlaceReachX, kPlaceReachX);
    io.integer("Top", r.Top, -kPlaceReachY, kPlaceReachY);
    io.integer("Width", r.Width, 0, kGameWindowWidth);
    io.integer("Height", r.Height, 0, kGameWindowHeight);
}

template <class Io, class I>
void walkImage(Io& io, I& m) {
    io.object("Geometry", [&] { walkRect(io, m.Geometry); });
    io.integer("Strip", m.Strip, -1, BuildingLevels);
    io.integer("Cell", m.Cell, 0, 255);
    io.path("File", m.File, PathKind::File);
    io.flag("Visible", m.Visible);
    io.flag("Enabled", m.Enabled);
    io.flag("HandPointer", m.HandPointer);
}

template <class Io, class L>
void walkLabel(Io& io, L& m) {
    io.object("Geometry", [&] { walkRect(io, m.Geometry); });
    io.string("Caption", m.Caption);
    io.integer("ForeColor", m.ForeColor, 0, 0xFFFFFF);
    io.integer("BackColor", m.BackColor, 0, 0xFFFFFF);
    io.flag("Visible", m.Visible);
}

template <class Io, class T>
void walkTextBox(Io& io, T& m) {
    io.object("Geometry", [&] { walkRect(io, m.Geometry); });
    io.string("Text", m.Text);
    io.integer("SelStart", m.SelStart, 0, m.Text.size());
    io.integer("ForeColor", m.ForeColor, 0, 0xFFFFFF);
    io.integer("BackColor", m.BackColor, 0, 0xFFFFFF);
    io.flag("Visible", m.Visible);
}

template <class Io, class S>
void walkShape(Io& io, S& m) {
    io.object("Geometry", [&] { walkRect(io, m.Geometry); });
    io.integer("FillColor", m.FillColor, 0, 0xFFFFFF);
    io.flag("Filled", m.Filled);
    io.flag("Visible", m.Visible);
}

template <class Io, class P>
void walkPlayer(Io& io, P& p, const GameState&) {
    io.integer("Color", p.Color, 0, 0xFFFFFF);
    io.flag("IsHuman", p.IsHuman);
    io.flagSince(2, "Strong", p.Strong);
    io.text("Name", p.Name);
    io.integers("KeyCode", p.KeyCode, 0, 255);
    io.texts("KeyLabel", p.KeyLabel);
    io.money("Money", p.Money, -Currency::limit(), Currency::limit());
    io.integer("Position", p.Position, 0, 39);
    io.integers("Owned", p.Owned, 0, 40);
    io.integer("SkipTurns", p.SkipTurns, 0, 32767);
    io.integer("Steps", p.Steps, 0, 12);
    io.flag("Bankrupt", p.Bankrupt);
}

template <class Io, class S>
void walkSquare(Io& io, S& q, const GameState& state) {
    io.text("Name", q.Name);
    io.integer("Owner", q.Owner, 0, state.PlayerCount);
    io.integer("Buildings", q.Buildings, 0, 5);
    const Currency limit = Currency::boardLimit();
    io.money("Price", q.Price, -limit, limit);
    io.money("HouseCost", q.HouseCost, -limit, limit);
    io.money("HotelCost", q.HotelCost, -limit, limit);
    io.moneys("Rent", q.Rent, -limit, limit);
    io.integer("Kind", q.Kind, Start, Tax);
}

template <class Io, class D>
void walkDeck(Io& io, const char* key, D& deck, int lo, int hi) {
    io.list(
        key, deck.size(), lo, hi,
        [&](int n) {
            if constexpr (kWritable<D>)
                deck.reset(n);
        },
        [&](int i) {
            auto& card = deck(i + 1);
            io.text("Text", card.Text);
            io.integer("Action", card.Action, -32768, 32767);
            io.integer("Amount", card.Amount, -32768, 32767);
        });
}

template <class Io, class C>
void walkConfig(Io& io, C& c) {
    io.pathText("ConfigPath", c.ConfigPath, PathKind::Origin);
    io.text("Deck1File", c.Deck1File);
    io.text("Deck2File", c.Deck2File);
    io.text("StripFile1", c.StripFile1);
    io.text("StripFile2", c.StripFile2);
    io.text("StripFile3", c.StripFile3);
    io.text("SpareItem", c.SpareItem);
}

// The fields that bound others come first: the player count, the bankrupt card, the decks.
template <class Io, class G>
void walkState(Io& io, G& s) {
    io.integer("PlayerCount", s.PlayerCount, 2, 4);
    io.flag("BankruptCardOn", s.BankruptCardOn);
    io.flag("NewBoard", s.NewBoard);
    io.array("Players", s.Players, [&](auto& p) { walkPlayer(io, p, s); });
    io.array("Squares", s.Squares, [&](auto& q) { walkSquare(io, q, s); });
    walkDeck(io, "Deck1", s.Deck1, 20, 20);
    walkDeck(io, "Deck2", s.Deck2, 20, 21);
    io.integer("NextCard1", s.NextCard1, 1, s.Deck1.size());
    io.integer("NextCard2", s.NextCard2, 1, s.Deck2.size());
    io.object("Config", [&] { walkConfig(io, s.Config); });
    io.integer("CurPlayer", s.CurPlayer, 0, s.PlayerCount);
    io.text("TurnQueue", s.TurnQueue);
    io.integer("Die1", s.Die1, 0, 6);
    io.integer("Die2", s.Die2, 0, 6);
    io.integer("DoublesCount", s.DoublesCount, 0, 2);
    io.integer("TalkStep", s.TalkStep, Greeting, Winner);
    io.integer("TalkPos", s.TalkPos, 0, 32767);
    io.integer("TalkLen", s.TalkLen, 0, 32767);
    io.integer("BlinkFlag", s.BlinkFlag, 0, 1);
    io.integer("AnimMode", s.AnimMode, 0, YesNoBlink);
    io.integer("InputMode", s.InputMode, 0, YesNoAnswer);
    io.string("PendingMessage", s.PendingMessage);
    io.integer("ViewedSquare", s.ViewedSquare, 0, 40);
    io.integer("BankruptCount", s.BankruptCount, 0, s.PlayerCount - 1);
    io.path("CommonFolder", s.CommonFolder, PathKind::Folder);
    io.path("DepthFolder", s.DepthFolder, PathKind::Folder);
    io.path("ImageFolder", s.ImageFolder, PathKind::Folder);
    io.integer("WizardStep", s.WizardStep, 0, 32767);
}

template <class Io, class W>
void walkWindow(Io& io, W& w) {
    io.string("Caption", w.Caption);
    io.path("Picture", w.Picture, PathKind::File);
    io.flag("KeyPreview", w.KeyPreview);
    io.object("TxtDialog", [&] { walkTextBox(io, w.TxtDialog); });
    io.object("ImgDescripter", [&] { walkImage(io, w.ImgDescripter); });
    io.array("ImgTao", w.ImgTao, [&](auto& e) { walkImage(io, e); });
    io.array("LblKeyT", w.LblKeyT, [&](auto& e) { walkLabel(io, e); });
    io.object("ShpTaoPad", [&] { walkShape(io, w.ShpTaoPad); });
    io.array("ImgPlayer", w.ImgPlayer, [&](auto& e) { walkImage(io, e); });
    io.array("LblPName", w.LblPName, [&](auto& e) { walkLabel(io, e); });
    io.array("LblPMoney", w.LblPMoney, [&](auto& e) { walkLabel(io, e); });
    io.array("ShpMark", w.ShpMark, [&](auto& e) { walkShape(io, e); });
    io.array("ImgTable", w.ImgTable, [&](auto& e) { walkImage(io, e); });
    io.array("ImgHead", w.ImgHead, [&](auto& e) { walkImage(io, e); });
    io.array("ImgBottom", w.ImgBottom, [&](auto& e) { walkImage(io, e); });
    io.object("ImgCenter", [&] { walkImage(io, w.ImgCenter); });
    io.array("ShpCard", w.ShpCard, [&](auto& e) { walkShape(io, e); });
    io.object("TxtLocation", [&] { walkTextBox(io, w.TxtLocation); });
    io.object("ImgLocation", [&] { walkImage(io, w.ImgLocation); });
    io.object("LblAct", [&] { walkLabel(io, w.LblAct); });
    io.object("LblPrice", [&] { walkLabel(io, w.LblPrice); });
    io.object("LblOwner", [&] { walkLabel(io, w.LblOwner); });
    io.object("ImgBuilding", [&] { walkImage(io, w.ImgBuilding); });
    io.array("ImgIconT", w.ImgIconT, [&](auto& e) { walkImage(io, e); });
    io.object("LblBDescript", [&] { walkLabel(io, w.LblBDescript); });
    io.object("ShpTable", [&] { walkShape(io, w.ShpTable); });
    io.object("ShpLocation", [&] { walkShape(io, w.ShpLocation); });
    io.array("ShpPlayer", w.ShpPlayer, [&](auto& e) { walkShape(io, e); });
    io.object("MM", [&] { io.path("FileName", w.MM.FileName, PathKind::Music); });
    io.object("FrmCard", [&] {
        io.flag("Visible", w.FrmCard.Visible);
        io.object("Geometry", [&] { walkRect(io, w.FrmCard.Geometry); });
        io.object("TxtCrd", [&] { walkTextBox(io, w.FrmCard.TxtCrd); });
    });
}

template <class Io, class S>
void walkSource(Io& io, S& source) {
    io.array("PicCSource", source.PicCSource, [&](auto& h) {
        io.path("File", h.File, PathKind::File);
        io.integer("Rows", h.Rows, 1, 64);
        io.integer("Cols", h.Cols, 1, 64);
    });
}

template <class Io, class D>
void walkDeedCard(Io& io, D& d) {
    io.flag("Visible", d.Visible);
    io.string("Caption", d.Caption);
    io.object("Geometry", [&] { walkRect(io, d.Geometry); });
    io.integer("BackColor", d.BackColor, 0, 0xFFFFFF);
    io.object("LblLname", [&] { walkLabel(io, d.LblLname); });
    io.object("LblClose", [&] { walkLabel(io, d.LblClose); });
    io.object("ImgOLocate", [&] { walkImage(io, d.ImgOLocate); });
    io.object("LblLabel", [&] { walkLabel(io, d.LblLabel); });
    io.array("PicOpad", d.PicOpad, [&](auto& p) {
        io.object("Geometry", [&] { walkRect(io, p.Geometry); });
        io.flag("Visible", p.Visible);
    });
    io.array("LblLand", d.LblLand, [&](auto& e) { walkLabel(io, e); });
    io.array("LblPair", d.LblPair, [&](auto& e) { walkLabel(io, e); });
    io.array("LblHotel", d.LblHotel, [&](auto& e) { walkLabel(io, e); });
    io.array("LblVariable", d.LblVariable, [&](auto& e) { walkLabel(io, e); });
    io.array("Lblv3", d.Lblv3, [&](auto& e) { walkLabel(io, e); });
    io.array("LblVriable2", d.LblVriable2, [&](auto& e) { walkLabel(io, e); });
    io.array("LblOcard1", d.LblOcard1, [&](auto& e) { walkLabel(io, e); });
    io.integer("DragX", d.DragX, -kPlaceReachX, kPlaceReachX);
    io.integer("DragY", d.DragY, -kPlaceReachY, kPlaceReachY);
}

template <class Io, class M>
void walkLedger(Io& io, M& m) {
    io.list(
        "Payments", static_cast<int>(m.payments.size()), 0, kListLimit,
        [&](int n) {
            if constexpr (kWritable<M>)
                m.payments.resize(static_cast<std::size_t>(n));
        },
        [&](int i) {
            auto& p = m.payments[static_cast<std::size_t>(i)];
            io.integer("Payer", p.payer, kBank, 4);
            io.integer("Payee", p.payee, kBank, 4);
            io.money("Amount", p.amount, -Currency::limit(), Currency::limit());
            io.cause("Cause", p.cause);
        });
    io.list(
        "Bankruptcies", static_cast<int>(m.bankruptcies.size()), 0, 4,
        [&](int n) {
            if constexpr (kWritable<M>)
                m.bankruptcies.resize(static_cast<std::size_t>(n));
        },
        [&](int i) {
            auto& b = m.bankruptcies[static_cast<std::size_t>(i)];
            io.integer("Player", b.player, 1, 4);
            io.optionalCause("Cause", b.cause);
        });
}

template <class Io, class M>
void walkSave(Io& io, M& m) {
    io.object("clock", [&] {
        io.integer("Now", m.now, 0, kExactLimit);
        io.integer("Ticks", m.ticks, 0, kExactLimit);
        io.real("TimeOfDayAtZero", m.timeOfDayAtZero, 0, 86400);
    });
    io.object("timers", [&] {
        for (int i = 0; i < kTimerCount; ++i) {
            auto& t = m.timers[i];
            io.object(timerName(static_cast<TimerId>(i)), [&] {
                io.integer("Interval", t.Interval, 0, 0x7FFFFFFF);
                io.flag("Enabled", t.Enabled);
                io.integer("Left", t.Left, -1, 0x7FFFFFFF);
            });
        }
    });
    io.word("random", m.random);
    io.object("state", [&] { walkState(io, m.state); });
    io.object("window", [&] { walkWindow(io, m.window); });
    io.object("source", [&] { walkSource(io, m.source); });
    io.object("deedCard", [&] { walkDeedCard(io, m.deedCard); });
    io.object("ledger", [&] { walkLedger(io, m); });
    io.object("scripted", [&] {
        io.list(
            "Dice", static_cast<int>(m.scriptedDice.size()), 0, kListLimit,
            [&](int n) {
                if constexpr (kWritable<M>)
                    m.scriptedDice.resize(static_cast<std::size_t>(n));
            },
            [&](int i) { io.element(m.scriptedDice[static_cast<std::size_t>(i)], 1, 6); });
        io.list(
            "Answers", static_cast<int>(m.scriptedAnswers.size()), 0, kListLimit,
            [&](int n) {
                if constexpr (kWritable<M>)
                    m.scriptedAnswers.resize(static_cast<std::size_t>(n));
            },
            [&](int i) { io.answer(m.scriptedAnswers[static_cast<std::size_t>(i)]); });
    });
    io.object("music", [&] { io.flag("Playing", m.musicPlaying); });
}

}  // namespace kroda::save
