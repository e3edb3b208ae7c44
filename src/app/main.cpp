// Kroda: the title screen, the new-game wizard, then the game window with the backdrop behind
// it, until the player quits. --seats and --continue go straight to the game window.

#include "frontend/running_copy.h"
#include "game/save_game.h"
#include "model/seat_defaults.h"
#include "platform/startup_clock.h"
#include "widgets/error_box.h"
#include "widgets/fonts.h"
#include "widgets/frm_back.h"
#include "widgets/front_end.h"
#include "widgets/front_window.h"
#include "widgets/game_session.h"
#include "widgets/host_command.h"
#include "widgets/join_command.h"
#include "widgets/program_log.h"
#include "widgets/remembered_choices.h"
#include "widgets/screen_fit.h"
#include "widgets/window_pictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QHostAddress>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

const char kUsage[] =
    "usage: kroda [OPTION]...\n"
    "Plays Kroda, the Thai property-trading board game.\n"
    "\n"
    "  --narration   print each message of the narrator on stdout as he finishes it:\n"
    "                <ms> <step> <message>, the game's milliseconds since the game window\n"
    "                opened, the sequencer's step and the message\n"
    "  --speed F     run every game timer F times faster (0.25 to 100; default: the\n"
    "                speed the toolbar's speed button last chose, else 1)\n"
    "  --board DIR   play the board in DIR (its KovarT.dat, card files and square pictures\n"
    "                in DIR/Image) instead of the game folder's; it is checked at start-up\n"
    "  --scale N     enlarge every window N times, pixel for pixel (1 to 4; default: the\n"
    "                largest at which the game window fits the screen)\n"
    "  --seats LIST  skip the title screen and the wizard: who plays each seat, p for a\n"
    "                person, c for the computer and s for the strong computer, two to\n"
    "                four letters\n"
    "                (with --host, --seats also takes n for a network seat)\n"
    "  --continue [FILE]\n"
    "                skip the title screen: go on with the game saved in FILE, or with the\n"
    "                autosave of the last game when FILE is left out\n"
    "  --host        host a game for players on other machines: listen on a port, print\n"
    "                \"host-port N code C\" and wait for every network seat to join\n"
    "  --port N      the port --host listens on (default 47410; 0 takes a free one); it\n"
    "                serves the game and, to browsers, the page that plays it\n"
    "  --listen ADDRESS\n"
    "                with --host, listen on this one address of the machine instead of all\n"
    "  --tls-cert FILE --tls-key FILE\n"
    "                with --host, speak wss with this PEM certificate and key\n"
    "  --print-startup\n"
    "                print \"startup-ms <ms>\" on stderr once the first window is painted,\n"
    "                the milliseconds since the program started\n"
    "  --join ADDRESS\n"
    "                join a game hosted elsewhere: HOST, HOST:PORT, ws://HOST[:PORT] or\n"
    "                wss://HOST[:PORT] (port 47410 when left out); asks for the code and\n"
    "                the names in a window unless --code and --name give them\n"
    "  --code C      the join code the host shows\n"
    "  --name NAME   with --join, a player's name, plain text, at most 12 characters; each\n"
    "                --name is one person at this machine (1 to 4), each playing a seat\n"
    "                of his own with that seat's keys\n"
    "  --tls-ca FILE with --join, trust the PEM certificates in FILE (the host's own\n"
    "                certificate, when it made it itself) besides the system's\n"
    "  --help        show this help and exit\n"
    "\n"
    "Saves and the autosave live in $XDG_DATA_HOME/kroda/Save (~/.local/share/kroda/Save).\n"
    "F11 switches the game window to full screen and back. The speed button's speed and full\n"
    "screen are remembered in $XDG_CONFIG_HOME/kroda/kroda.conf (~/.config/kroda/kroda.conf).\n"
    "Only one copy runs at a time: a second one says so on stderr and ends with status 0.\n";

struct Options {
    kroda::widgets::SessionOptions session;
    QString seats;  // empty: the title screen and the wizard choose
    bool speedGiven = false;
    bool scaleGiven = false;  // else the windows take the largest scale the screen fits
    bool resume = false;
    QString saveFile;  // empty: the autosave
    bool printStartup = false;
    bool help = false;
    bool host = false;
    kroda::widgets::HostOptions hosting;
    std::optional<kroda::widgets::JoinOptions> join;  // --join: a client of a host's game
    QString trustedCertificates;                      // --tls-ca
};

std::optional<QString> parse(const QStringList& args, Options& o) {
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
        } else if (a == QLatin1String("--narration")) {
            o.session.narration = true;
        } else if (a == QLatin1String("--print-startup")) {
            o.printStartup = true;
        } else if (a == QLatin1String("--speed")) {
            bool ok = false;
            const auto v = value();
            const double f = v ? v->toDouble(&ok) : 0;
            if (!ok || f < 0.25 || f > 100)
                return QStringLiteral("--speed takes a factor from 0.25 to 100");
            o.session.speed = f;
            o.speedGiven = true;
        } else if (a == QLatin1String("--scale")) {
            bool ok = false;
            const auto v = value();
            const int n = v ? v->toInt(&ok) : 0;
            if (!ok || n < 1 || n > 4)
                return QStringLiteral("--scale takes a whole factor from 1 to 4");
            o.session.scale = n;
            o.scaleGiven = true;
        } else if (a == QLatin1String("--board")) {
            const auto v = value();
            if (!v || v->isEmpty())
                return QStringLiteral("--board takes a folder");
            // Its saves name its files by full paths without links or ".." parts, as the
            // reader of saves wants them (docs/save-format.md).
            const QFileInfo dir(*v);
            o.session.boardDir = dir.exists() ? dir.canonicalFilePath() : dir.absoluteFilePath();
        } else if (a == QLatin1String("--continue")) {
            o.resume = true;
            if (i + 1 < args.size() && !args[i + 1].startsWith(QLatin1String("--")))
                o.saveFile = args[++i];
        } else if (a == QLatin1String("--join") || a == QLatin1String("--code") ||
                   a == QLatin1String("--name")) {
            const auto v = value();
            if (!v)
                return a + QStringLiteral(" takes a value");
            if (!o.join)
                o.join.emplace();
            if (a == QLatin1String("--join"))
                o.join->address = *v;
            else if (a == QLatin1String("--code"))
                o.join->code = *v;
            else
                o.join->names.append(*v);
        } else if (a == QLatin1String("--tls-ca")) {
            const auto v = value();
            if (!v || v->isEmpty())
                return a + QStringLiteral(" takes a file");
            o.trustedCertificates = *v;
        } else if (a == QLatin1String("--seats")) {
            const auto v = value();
            if (!v || v->size() < 2 || v->size() > 4 ||
                !QRegularExpression(QStringLiteral("^[pcsn]+$")).match(*v).hasMatch())
                return QStringLiteral("--seats takes two to four letters p, c, s or n");
            o.seats = *v;
        } else if (a == QLatin1String("--host")) {
            o.host = true;
        } else if (a == QLatin1String("--port")) {
            bool ok = false;
            const auto v = value();
            const uint n = v ? v->toUInt(&ok) : 0;
            if (!ok || n > 65535)
                return QStringLiteral("--port takes a port number from 0 to 65535");
            o.hosting.port = static_cast<quint16>(n);
        } else if (a == QLatin1String("--listen")) {
            const auto v = value();
            const QHostAddress address(v ? *v : QString());
            if (address.isNull())
                return QStringLiteral("--listen takes an IPv4 or IPv6 address of this machine");
            o.hosting.address = address;
        } else if (a == QLatin1String("--tls-cert") || a == QLatin1String("--tls-key")) {
            const auto v = value();
            if (!v || v->isEmpty())
                return a + QStringLiteral(" takes a file");
            (a == QLatin1String("--tls-cert") ? o.hosting.certificateFile : o.hosting.keyFile) = *v;
        } else {
            return QStringLiteral("unknown option ") + a;
        }
    }
    return std::nullopt;
}

// The speed and full screen of the last game, unless the command line says otherwise, and
// the choices of this one kept for the next.
void rememberChoices(Options& options) {
    const kroda::widgets::RememberedChoices remembered = kroda::widgets::rememberedChoices();
    if (!options.speedGiven && remembered.speed)
        options.session.speed = *remembered.speed;
    options.session.fullScreen = remembered.fullScreen;
    options.session.speedChosen = kroda::widgets::rememberSpeed;
    options.session.fullScreenChosen = kroda::widgets::rememberFullScreen;
}

void printStartup() {
    std::fprintf(stderr, "startup-ms %lld\n", static_cast<long long>(kroda::msSinceProcessStart()));
}

// The game window straight away, with the seats given on the command line.
int playSeats(const Options& options) {
    kroda::widgets::GameSession session(QApplication::applicationDirPath(), options.session);
    kroda::setUpSeats(session.game().state, options.seats);
    auto* backdrop = new kroda::widgets::FrmBack;
    backdrop->load(kroda::widgets::FrontWindow::screenSize());
    backdrop->show();
    if (!session.start(backdrop)) {
        backdrop->close();
        return 1;
    }
    if (options.printStartup)
        printStartup();
    return QApplication::exec();
}

// The game window straight away, at the moment a save holds.
int playSaved(const Options& options) {
    kroda::widgets::GameSession session(QApplication::applicationDirPath(), options.session);
    const QString file = options.saveFile.isEmpty() ? kroda::autosavePath() : options.saveFile;
    if (const auto problem = session.loadSave(file)) {
        kroda::widgets::reportFault(*problem, true);
        return 1;
    }
    auto* backdrop = new kroda::widgets::FrmBack;
    backdrop->show();
    session.resume(backdrop);
    if (options.printStartup)
        printStartup();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    kroda::msSinceProcessStart();
    kroda::widgets::installProgramLog();
    // Qt may take --name for itself (the window system's name of the program): the players'
    // names are read before Qt sees the arguments, and put back after the rest, in order.
    QStringList names;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--name") == 0)
            names << QString::fromLocal8Bit(argv[++i]);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kroda"));
    kroda::widgets::useThaiFaceByDefault();

    QStringList args = QApplication::arguments();
    for (qsizetype i = args.indexOf(QStringLiteral("--name")); i >= 0 && i + 1 < args.size();
         i = args.indexOf(QStringLiteral("--name"), i))
        args.remove(i, 2);
    for (const QString& name : names) args << QStringLiteral("--name") << name;
    Options options;
    if (const auto error = parse(args, options)) {
        std::fprintf(stderr, "kroda: %s\n%s", error->toUtf8().constData(), kUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!options.scaleGiven)
        options.session.scale = kroda::widgets::fittingScale();

    if (options.join) {
        if (options.host) {
            std::fprintf(stderr, "kroda: --join and --host cannot go together\n%s", kUsage);
            return 2;
        }
        if (options.join->address.isEmpty()) {
            std::fprintf(stderr, "kroda: --code and --name go with --join\n%s", kUsage);
            return 2;
        }
        // A client writes no saves, so it may run beside another copy, such as its host.
        kroda::windowpictures::load();
        options.join->client = {options.session.narration, options.session.scale};
        options.join->trustedCertificates = options.trustedCertificates;
        return kroda::widgets::playJoined(QApplication::applicationDirPath(), *options.join);
    }

    if (!options.trustedCertificates.isEmpty()) {
        std::fprintf(stderr, "kroda: --tls-ca goes with --join\n%s", kUsage);
        return 2;
    }

    // Another copy already running: this one shows nothing.
    kroda::RunningCopyLock lock;
    if (!lock.acquire()) {
        std::fprintf(stderr, "%s\n", lock.refusal().toUtf8().constData());
        return 0;
    }

    kroda::windowpictures::load();
    rememberChoices(options);
    // A board of one's own is checked before any window opens.
    if (const auto problem = kroda::widgets::checkBoard(options.session.boardDir, false)) {
        kroda::widgets::reportFault(*problem, true);
        return 1;
    }
    // A save records who is a person, not who played from the network: a saved game cannot
    // be hosted yet.
    if (options.resume && options.host) {
        std::fprintf(stderr,
                     "kroda: --continue and --host cannot go together: a save does not "
                     "say which players joined from the network\n%s",
                     kUsage);
        return 2;
    }
    if (options.resume && !options.seats.isEmpty()) {
        std::fprintf(stderr, "kroda: --continue and --seats cannot go together\n%s", kUsage);
        return 2;
    }
    if (options.seats.contains(QLatin1Char('n')) && !options.host) {
        std::fprintf(stderr, "kroda: a network seat (n) needs --host\n%s", kUsage);
        return 2;
    }
    if (options.hosting.certificateFile.isEmpty() != options.hosting.keyFile.isEmpty()) {
        std::fprintf(stderr, "kroda: --tls-cert and --tls-key go together\n%s", kUsage);
        return 2;
    }
    if (options.host && !options.seats.isEmpty()) {
        options.hosting.seats = options.seats;
        return kroda::widgets::hostGame(QApplication::applicationDirPath(), options.session,
                                        options.hosting);
    }
    if (options.resume)
        return playSaved(options);
    if (!options.seats.isEmpty())
        return playSeats(options);

    kroda::widgets::FrontEnd front(QApplication::applicationDirPath(), options.session);
    front.hosting = options.hosting;  // a wizard with network seats hosts
    if (options.printStartup)
        front.firstFrame = printStartup;
    if (!front.start())
        return 1;
    return QApplication::exec();
}
