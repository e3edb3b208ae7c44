// Kroda: the title screen, the new-game wizard, then the game window with the
// backdrop behind it, until the player quits.

#include "frontend/running_copy.h"
#include "widgets/front_end.h"
#include "widgets/music_device.h"
#include "widgets/startup_time.h"
#include "window_pictures.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

const char kUsage[] =
    "usage: kroda [OPTION]...\n"
    "Plays Kroda, the Thai property-trading board game.\n"
    "\n"
    "  --narration      print each message of the narrator on stdout as he "
    "finishes it:\n"
    "                   <ms> <step> <message>, the game's milliseconds since "
    "the game window\n"
    "                   opened, the sequencer's step and the message\n"
    "  --speed F        run every game timer F times faster (0.25 to 100; "
    "default 1)\n"
    "  --board DIR      play the board in DIR (its KovarT.dat, card files and "
    "square pictures\n"
    "                   in DIR/Image) instead of the game folder's; it is "
    "checked at start-up\n"
    "  --scale N        enlarge every window N times, pixel for pixel (1 to 4; "
    "default 1)\n"
    "  --print-startup  print \"startup-ms <ms>\" on stderr once the title "
    "screen is painted\n"
    "  --help           show this help and exit\n"
    "\n"
    "Only one copy runs at a time: a second one says so on stderr and ends "
    "with status 0.\n";

struct Options {
  kroda::widgets::SessionOptions session;
  bool printStartup = false;
  bool help = false;
};

std::optional<QString> parse(const QStringList &args, Options &o) {
  for (int i = 1; i < args.size(); ++i) {
    const QString &a = args[i];
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
    } else if (a == QLatin1String("--scale")) {
      bool ok = false;
      const auto v = value();
      const int n = v ? v->toInt(&ok) : 0;
      if (!ok || n < 1 || n > 4)
        return QStringLiteral("--scale takes a whole factor from 1 to 4");
      o.session.scale = n;
    } else if (a == QLatin1String("--board")) {
      const auto v = value();
      if (!v || v->isEmpty())
        return QStringLiteral("--board takes a folder");
      o.session.boardDir = *v;
    } else {
      return QStringLiteral("unknown option ") + a;
    }
  }
  return std::nullopt;
}

void fail(const QString &text) {
  std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

} // namespace

int main(int argc, char **argv) {
  kroda::widgets::msSinceProcessStart();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kroda"));

  Options options;
  if (const auto error = parse(QApplication::arguments(), options)) {
    std::fprintf(stderr, "kroda: %s\n%s", error->toUtf8().constData(), kUsage);
    return 2;
  }
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }

  // Another copy already running: this one shows nothing.
  kroda::RunningCopyLock lock;
  if (!lock.acquire()) {
    fail(lock.refusal());
    return 0;
  }

  kroda::windowpictures::load();
  kroda::widgets::routeFluidsynthLog();
  // A board of one's own is checked before any window opens.
  if (const auto problem =
          kroda::widgets::checkBoard(options.session.boardDir, false)) {
    fail(*problem);
    QMessageBox::critical(nullptr, QStringLiteral("Kroda"), *problem);
    return 1;
  }

  kroda::widgets::FrontEnd front(QApplication::applicationDirPath(),
                                 options.session);
  if (options.printStartup)
    front.firstFrame = [] {
      std::fprintf(
          stderr, "startup-ms %lld\n",
          static_cast<long long>(kroda::widgets::msSinceProcessStart()));
    };
  if (!front.start())
    return 1;
  return QApplication::exec();
}
