#include "headless/script_runner.h"

#include "commands/control_click.h"
#include "headless/json_writer.h"
#include "headless/save_soak.h"
#include "headless/session.h"
#include "headless/simulator.h"
#include "headless/state_paths.h"
#include "model/board_reader.h"
#include "model/message_text.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <istream>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>

namespace kroda::headless {

namespace {

// A line that cannot be carried out; reported with its line number.
struct ScriptError {
    QString message;
};

[[noreturn]] void fail(const QString& message) {
    throw ScriptError{message};
}

// The line without its comment: '#' outside double quotes starts one.
QString withoutComment(const QString& line) {
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == QLatin1Char('"'))
            quoted = !quoted;
        else if (line[i] == QLatin1Char('#') && !quoted)
            return line.left(i);
    }
    return line;
}

// A value written in double quotes is taken as it stands between them.
QString unquoted(const QString& text) {
    if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"')))
        return text.mid(1, text.size() - 2);
    return text;
}

QStringList words(const QString& args) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return args.split(blanks, Qt::SkipEmptyParts);
}

// Splits off the first word; `rest` is what follows it, trimmed.
QString firstWord(const QString& text, QString& rest) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    while (i < t.size() && !t[i].isSpace()) ++i;
    rest = t.mid(i).trimmed();
    return t.left(i);
}

// Qt's conversions stop at a NUL, so the digits are checked here first.
bool plainDigits(const QString& word, bool sign) {
    static const QRegularExpression withSign(QStringLiteral("^[+-]?[0-9]+$"));
    static const QRegularExpression without(QStringLiteral("^[0-9]+$"));
    return (sign ? withSign : without).match(word).hasMatch();
}

std::int64_t wholeNumber(const QString& word, std::int64_t lo, std::int64_t hi, const char* what) {
    bool ok = plainDigits(word, true);
    const qlonglong n = ok ? word.toLongLong(&ok, 10) : 0;
    if (!ok || n < lo || n > hi)
        fail(QStringLiteral("%1 must be a whole number %2..%3, not \"%4\"")
                 .arg(QLatin1String(what))
                 .arg(lo)
                 .arg(hi)
                 .arg(word));
    return n;
}

std::uint64_t seedNumber(const QString& word) {
    bool ok = plainDigits(word, false);
    const qulonglong n = ok ? word.toULongLong(&ok, 10) : 0;
    if (!ok)
        fail(QStringLiteral("a seed is a whole number 0 or more, not \"%1\"").arg(word));
    return n;
}

void expectCount(const QStringList& w, qsizetype lo, qsizetype hi, const char* usage) {
    if (w.size() < lo || w.size() > hi)
        fail(QStringLiteral("usage: %1").arg(QLatin1String(usage)));
}

constexpr std::int64_t kOneHour = 3600 * 1000;
// How long playsaves plays on from each save unless told.
constexpr std::int64_t kOneMinute = 60 * 1000;
constexpr std::int64_t kLongest = std::int64_t{365} * 24 * kOneHour;

constexpr int kToolbarPlaces = std::tuple_size_v<decltype(GameWindow::ImgIconT)>;

// The toolbar verbs take every button the game window shows.
void requireToolbarButton(const Game& g, int index) {
    if (g.window.ImgIconT[static_cast<std::size_t>(index)].Visible)
        return;
    QStringList shown;
    for (int i = 0; i < kToolbarPlaces; ++i)
        if (g.window.ImgIconT[static_cast<std::size_t>(i)].Visible)
            shown << QString::number(i);
    fail(QStringLiteral("ImgIconT %1 is not a button of the toolbar (%2)")
             .arg(index)
             .arg(shown.join(QStringLiteral(", "))));
}

}  // namespace

struct ScriptRunner::Command {
    const char* word;
    void (ScriptRunner::*run)(const QString&);
};

const ScriptRunner::Command* ScriptRunner::findCommand(const QString& word) {
    static const Command commands[] = {
        {"folder", &ScriptRunner::cmdFolder},
        {"players", &ScriptRunner::cmdPlayers},
        {"human", &ScriptRunner::cmdHuman},
        {"computer", &ScriptRunner::cmdComputer},
        {"strong", &ScriptRunner::cmdStrong},
        {"bankruptcard", &ScriptRunner::cmdBankruptCard},
        {"seed", &ScriptRunner::cmdSeed},
        {"start", &ScriptRunner::cmdStart},
        {"advance", &ScriptRunner::cmdAdvance},
        {"wait", &ScriptRunner::cmdWait},
        {"play", &ScriptRunner::cmdPlay},
        {"key", &ScriptRunner::cmdKey},
        {"click", &ScriptRunner::cmdClick},
        {"mousedown", &ScriptRunner::cmdMouseDown},
        {"mousemove", &ScriptRunner::cmdMouseMove},
        {"mouseup", &ScriptRunner::cmdMouseUp},
        {"dice", &ScriptRunner::cmdDice},
        {"answer", &ScriptRunner::cmdAnswer},
        {"set", &ScriptRunner::cmdSet},
        {"get", &ScriptRunner::cmdGet},
        {"dump", &ScriptRunner::cmdDump},
        {"simulate", &ScriptRunner::cmdSimulate},
        {"playsaves", &ScriptRunner::cmdPlaySaves},
        {"save", &ScriptRunner::cmdSave},
        {"load", &ScriptRunner::cmdLoad},
    };
    for (const Command& c : commands) {
        if (word == QLatin1String(c.word))
            return &c;
    }
    return nullptr;
}

ScriptRunner::ScriptRunner(const RunnerOptions& options, std::ostream& out, std::ostream& err)
    : options_(options), out_(out), err_(err), session_(std::make_unique<Session>(options.folder)) {
    session_->onNarration = [this](std::int64_t ms, Integer step, const QString& message) {
        if (options_.narration)
            print(QByteArray::number(static_cast<qlonglong>(ms)) + ' ' + QByteArray::number(step) +
                  ' ' + message.toUtf8() + '\n');
    };
}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::print(const QByteArray& text) {
    out_.write(text.constData(), static_cast<std::streamsize>(text.size()));
}

int ScriptRunner::run(std::istream& in, const QString& name) {
    std::string raw;
    int lineNumber = 0;
    // Whole and on one line, whatever the script's values hold.
    const auto writeError = [&](const QString& message) {
        out_.flush();
        const QByteArray text = escapeControls(message).toUtf8() + '\n';
        err_.write(text.constData(), static_cast<std::streamsize>(text.size()));
        err_.flush();
    };
    const auto report = [&](const QString& message) {
        writeError(QStringLiteral("%1:%2: %3").arg(name).arg(lineNumber).arg(message));
    };
    writeError_ = writeError;
    while (std::getline(in, raw)) {
        ++lineNumber;
        QString line = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
        try {
            execute(line);
        } catch (const ScriptError& e) {
            report(e.message);
            return ExitBadScript;
        } catch (const BoardLoadError& e) {
            // Each problem is escaped already; the lines between them stay lines.
            out_.flush();
            const QByteArray text = e.text().toUtf8() + '\n';
            err_.write(text.constData(), static_cast<std::streamsize>(text.size()));
            err_.flush();
            return ExitBadBoard;
        } catch (const std::exception& e) {
            report(QStringLiteral("the game failed: %1").arg(QString::fromUtf8(e.what())));
            return ExitEngineFault;
        }
        out_.flush();
        if (session_->port().quits > 0)
            return loadFailed_ ? ExitBadScript : ExitOk;  // the quit button ends the program
    }
    return loadFailed_ ? ExitBadScript : ExitOk;
}

void ScriptRunner::execute(const QString& line) {
    const QString text = withoutComment(line).trimmed();
    if (text.isEmpty())
        return;
    QString args;
    const QString word = firstWord(text, args);
    const Command* c = findCommand(word);
    if (!c)
        fail(QStringLiteral("unknown command \"%1\"").arg(word));
    (this->*(c->run))(args);
}

PathTable& ScriptRunner::paths() {
    if (!paths_)
        paths_ = std::make_unique<PathTable>(*session_);
    return *paths_;
}

void ScriptRunner::requireStarted() const {
    if (!session_->started())
        fail(QStringLiteral("the game has not started (use start first)"));
}

void ScriptRunner::requireNotStarted(const char* what) const {
    if (session_->started())
        fail(QStringLiteral("%1 comes before start").arg(QLatin1String(what)));
}

// ---- Setting the game up, as the new-game wizard does ------------------------------------

void ScriptRunner::cmdFolder(const QString& args) {
    requireNotStarted("folder");
    const QString path = unquoted(args);
    if (path.isEmpty())
        fail(QStringLiteral("usage: folder PATH"));
    if (holdsControlCharacter(path))
        fail(QStringLiteral("the folder name \"%1\" holds a control character").arg(path));
    const QFileInfo info(path);
    if (!info.isDir())
        fail(QStringLiteral("no folder \"%1\"").arg(path));
    session_->setFolder(QDir::cleanPath(info.absoluteFilePath()));
}

void ScriptRunner::cmdPlayers(const QString& args) {
    requireNotStarted("players");
    const QStringList w = words(args);
    expectCount(w, 1, 1, "players 2|3|4");
    session_->game().state.PlayerCount =
        static_cast<Integer>(wholeNumber(w[0], 2, 4, "the number of players"));
}

void ScriptRunner::setUpPlayer(const QString& args, Controller who) {
    const char* command = who == Controller::Person     ? "human"
                          : who == Controller::Computer ? "computer"
                                                        : "strong";
    requireNotStarted(command);
    QString name;
    const QString seat = firstWord(args, name);
    if (seat.isEmpty())
        fail(QStringLiteral("usage: %1 PLAYER [NAME]").arg(command));
    const int p = static_cast<int>(wholeNumber(seat, 1, 4, "a player"));
    name = unquoted(name).trimmed();
    if (name.isEmpty())
        name = session_->game().state.Players(p).Name.trimmed();  // the name the wizard offers
    if (name.isEmpty())
        fail(QStringLiteral("player %1 needs a name").arg(p));
    session_->setUpPlayer(p, who, name);
}

void ScriptRunner::cmdHuman(const QString& args) {
    setUpPlayer(args, Controller::Person);
}

void ScriptRunner::cmdComputer(const QString& args) {
    setUpPlayer(args, Controller::Computer);
}

void ScriptRunner::cmdStrong(const QString& args) {
    setUpPlayer(args, Controller::StrongComputer);
}

void ScriptRunner::cmdBankruptCard(const QString& args) {
    requireNotStarted("bankruptcard");
    const QStringList w = words(args);
    expectCount(w, 1, 1, "bankruptcard on|off");
    if (w[0] != QLatin1String("on") && w[0] != QLatin1String("off"))
        fail(QStringLiteral("usage: bankruptcard on|off"));
    session_->game().state.BankruptCardOn = w[0] == QLatin1String("on");
}

void ScriptRunner::cmdSeed(const QString& args) {
    requireNotStarted("seed");
    const QStringList w = words(args);
    expectCount(w, 1, 1, "seed N");
    session_->seed(seedNumber(w[0]));
}

void ScriptRunner::cmdStart(const QString& args) {
    if (!args.isEmpty())
        fail(QStringLiteral("usage: start"));
    requireNotStarted("start");
    session_->start();
}

// ---- Time and input ----------------------------------------------------------------------

void ScriptRunner::cmdAdvance(const QString& args) {
    requireStarted();
    const QStringList w = words(args);
    expectCount(w, 1, 1, "advance MS");
    session_->advance(wholeNumber(w[0], 0, kLongest, "a time in ms"));
}

void ScriptRunner::waitCommand(const QString& args, bool closeCards) {
    requireStarted();
    const QStringList w = words(args);
    expectCount(w, 0, 1, closeCards ? "play [MS]" : "wait [MS]");
    const std::int64_t limit = w.isEmpty() ? kOneHour : wholeNumber(w[0], 0, kLongest, "a time");
    if (closeCards)
        session_->play(limit);
    else
        session_->wait(limit);
    print(QByteArray::number(static_cast<qlonglong>(session_->now())) + '\n');
}

void ScriptRunner::cmdWait(const QString& args) {
    waitCommand(args, false);
}

void ScriptRunner::cmdPlay(const QString& args) {
    waitCommand(args, true);
}

void ScriptRunner::cmdKey(const QString& args) {
    requireStarted();
    const QStringList w = words(args);
    expectCount(w, 1, 1, "key VK");
    const int key = static_cast<int>(wholeNumber(w[0], 0, 255, "a key code"));
    session_->game().handle([key](Game& g) { g.keyPressed(key, 0); });
}

void ScriptRunner::cmdClick(const QString& args) {
    requireStarted();
    const QStringList w = words(args);
    expectCount(w, 1, 2, "click NAME [INDEX]");
    Game& g = session_->game();
    const QString& name = w[0];
    const auto index = [&](std::int64_t lo, std::int64_t hi) {
        if (w.size() != 2)
            fail(QStringLiteral("%1 needs an index %2..%3").arg(name).arg(lo).arg(hi));
        return static_cast<int>(wholeNumber(w[1], lo, hi, "the index"));
    };
    const auto noIndex = [&] {
        if (w.size() != 1)
            fail(QStringLiteral("%1 takes no index").arg(name));
        return 0;
    };
    ClickableControl control{};
    int i = 0;
    if (name == QLatin1String("ImgTao")) {
        control = ClickableControl::ImgTao;
        i = index(0, 2);
    } else if (name == QLatin1String("ImgDescripter")) {
        control = ClickableControl::ImgDescripter;
        i = noIndex();
    } else if (name == QLatin1String("ImgTable")) {
        control = ClickableControl::ImgTable;
        i = index(0, 39);
    } else if (name == QLatin1String("ImgIconT")) {
        i = index(0, kToolbarPlaces - 1);
        requireToolbarButton(g, i);
        if (takesClick(g, ClickableControl::ImgIconT, i)) {
            g.handle([i](Game& gm) { gm.ImgIconT_MouseDown(i, kLeftButton, 0, 0, 0); });
            g.handle([i](Game& gm) { gm.ImgIconT_MouseUp(i, kLeftButton, 0, 0, 0); });
        }
        return;
    } else if (name == QLatin1String("TxtCrd")) {
        control = ClickableControl::TxtCrd;
        i = noIndex();
    } else if (name == QLatin1String("LblClose")) {
        control = ClickableControl::LblClose;
        i = noIndex();
    } else {
        fail(QStringLiteral("cannot click \"%1\" (ImgTao, ImgDescripter, ImgTable, ImgIconT, "
                            "TxtCrd or LblClose)")
                 .arg(name));
    }
    if (takesClick(g, control, i))
        g.handle([control, i](Game& gm) { clickControl(gm, control, i); });
}

// The toolbar's mouse, one event at a time: `mousemove ImgIconT I held` moves over a
// button with a mouse button held.
void ScriptRunner::cmdMouse(const QString& args, int event) {
    requireStarted();
    const QStringList w = words(args);
    expectCount(w, 2, 3, "mousedown|mousemove|mouseup ImgIconT INDEX [held]");
    if (w[0] != QLatin1String("ImgIconT"))
        fail(QStringLiteral("the mouse commands take ImgIconT"));
    const int i = static_cast<int>(wholeNumber(w[1], 0, kToolbarPlaces - 1, "the index"));
    const bool held = w.size() == 3;
    if (held && (event != 1 || w[2] != QLatin1String("held")))
        fail(QStringLiteral("only mousemove takes \"held\""));
    Game& g = session_->game();
    requireToolbarButton(g, i);
    if (event == 0)
        g.handle([i](Game& gm) { gm.ImgIconT_MouseDown(i, 1, 0, 0, 0); });
    else if (event == 1)
        g.handle([i, held](Game& gm) { gm.ImgIconT_MouseMove(i, held ? 1 : 0, 0, 0, 0); });
    else
        g.handle([i](Game& gm) { gm.ImgIconT_MouseUp(i, 1, 0, 0, 0); });
}

void ScriptRunner::cmdMouseDown(const QString& args) {
    cmdMouse(args, 0);
}
void ScriptRunner::cmdMouseMove(const QString& args) {
    cmdMouse(args, 1);
}
void ScriptRunner::cmdMouseUp(const QString& args) {
    cmdMouse(args, 2);
}

void ScriptRunner::cmdDice(const QString& args) {
    const QStringList w = words(args);
    if (w.isEmpty())
        fail(QStringLiteral("usage: dice V..."));
    for (const QString& v : w)
        session_->game().scripted.dice.push_back(
            static_cast<Integer>(wholeNumber(v, 1, 6, "a die")));
}

void ScriptRunner::cmdAnswer(const QString& args) {
    const QStringList w = words(args);
    expectCount(w, 1, 1, "answer yes|no|wrong");
    OfferAnswer a{};
    if (w[0] == QLatin1String("yes"))
        a = OfferAnswer::Yes;
    else if (w[0] == QLatin1String("no"))
        a = OfferAnswer::No;
    else if (w[0] == QLatin1String("wrong"))
        a = OfferAnswer::WrongKey;
    else
        fail(QStringLiteral("usage: answer yes|no|wrong"));
    session_->game().scripted.answers.push_back(a);
}

// ---- Looking at the game -----------------------------------------------------------------

void ScriptRunner::cmdSet(const QString& args) {
    QString value;
    const QString path = firstWord(args, value);
    if (path.isEmpty())
        fail(QStringLiteral("usage: set PATH VALUE"));
    const PathEntry* e = paths().find(path);
    if (!e)
        fail(QStringLiteral("unknown path \"%1\"").arg(path));
    if (!e->set)
        fail(QStringLiteral("%1 cannot be written").arg(path));
    // Money set by hand enters the ledger as an adjustment, so that the rules' invariants
    // (each player's money is his ledger balance) still hold for the game that goes on.
    GameState& s = session_->game().state;
    Currency before[4];
    for (int p = 1; p <= 4; ++p) before[p - 1] = s.Players(p).Money;
    const QString error = e->set(unquoted(value));
    if (!error.isEmpty())
        fail(QStringLiteral("%1: %2").arg(path, error));
    for (int p = 1; p <= 4; ++p) {
        const Currency change = s.Players(p).Money - before[p - 1];
        if (change != Currency{})
            session_->game().ledger.record(kBank, static_cast<Integer>(p), change,
                                           PaymentCause::Adjustment);
    }
}

void ScriptRunner::cmdGet(const QString& args) {
    const QStringList w = words(args);
    expectCount(w, 1, 1, "get PATH");
    const PathEntry* e = paths().find(w[0]);
    if (!e)
        fail(QStringLiteral("unknown path \"%1\"").arg(w[0]));
    const std::optional<QString> value = e->get();
    if (!value)
        fail(QStringLiteral("%1 has no value now").arg(w[0]));
    print(value->toUtf8() + '\n');
}

void ScriptRunner::cmdDump(const QString& args) {
    if (!args.isEmpty())
        fail(QStringLiteral("usage: dump"));
    print(dumpJson(paths()));
}

void ScriptRunner::cmdSimulate(const QString& args) {
    QStringList w = words(args);
    const bool check = w.removeAll(QStringLiteral("--check")) > 0;
    const bool resave = w.removeAll(QStringLiteral("--resave")) > 0;
    const char* usage = "simulate N [SEED] [MAXTURNS] [--strong SEATS] [--check] [--resave]";
    QString strong;
    if (const qsizetype at = w.indexOf(QStringLiteral("--strong")); at >= 0) {
        if (at + 1 >= w.size())
            fail(QStringLiteral("usage: %1").arg(QLatin1String(usage)));
        strong = w[at + 1];
        w.remove(at, 2);
    }
    expectCount(w, 1, 3, usage);
    if (resave && !check)
        fail(QStringLiteral("--resave goes with --check"));
    SimulationSettings s;
    s.check = check;
    s.resave = resave;
    s.folder = session_->folder();
    const Integer count = session_->game().state.PlayerCount;
    s.players = count >= 2 && count <= 4 ? count : 4;
    s.bankruptCardOn = session_->game().state.BankruptCardOn;
    s.games = static_cast<int>(wholeNumber(w[0], 1, 10'000'000, "the number of games"));
    s.seed = w.size() > 1 ? seedNumber(w[1]) : 1;
    s.maxTurns =
        w.size() > 2 ? static_cast<int>(wholeNumber(w[2], 1, 1'000'000, "MAXTURNS")) : 2000;
    for (const QChar c : strong) {
        const int seat = c.digitValue();
        if (seat < 1 || seat > s.players || s.strongSeats.size() == 4 ||
            std::find(s.strongSeats.begin(), s.strongSeats.end(), seat) != s.strongSeats.end())
            fail(QStringLiteral("--strong takes the seats, 1 to %1, each once, as digits: \"%2\"")
                     .arg(s.players)
                     .arg(strong));
        s.strongSeats.push_back(seat);
    }
    const SimulationResult result = simulate(s);
    print(result.toJson());
    if (const InvariantReport* b = result.firstBroken()) {
        print(b->dump);
        throw std::runtime_error(
            QStringLiteral("invariant broken in the game of seed %1 at turn %2: %3")
                .arg(b->seed)
                .arg(b->turn)
                .arg(b->text)
                .toStdString());
    }
}

void ScriptRunner::cmdPlaySaves(const QString& args) {
    const QStringList w = words(args);
    expectCount(w, 1, 2, "playsaves FOLDER [MS]");
    const std::int64_t ms = w.size() > 1 ? wholeNumber(w[1], 1, kLongest, "MS") : kOneMinute;
    const SaveSoakResult result = soakSaves(session_->folder(), w[0], ms);
    print(result.toJson());
    if (result.broken) {
        print(result.broken->dump);
        throw std::runtime_error(QStringLiteral("invariant broken playing on from %1: %2")
                                     .arg(result.brokenFile, result.broken->text)
                                     .toStdString());
    }
}

// ---- Save files ---------------------------------------------------------------------------

void ScriptRunner::cmdSave(const QString& args) {
    requireStarted();
    const QString path = unquoted(args);
    if (path.isEmpty())
        fail(QStringLiteral("usage: save PATH"));
    if (const auto fault = session_->saveFile(path))
        fail(*fault);
}

void ScriptRunner::cmdLoad(const QString& args) {
    const QString path = unquoted(args);
    if (path.isEmpty())
        fail(QStringLiteral("usage: load PATH"));
    if (const auto fault = session_->loadFile(path)) {
        loadFailed_ = true;
        writeError_(*fault);
    }
}

}  // namespace kroda::headless
