// kroda-headless [--narration] [SCRIPT]: plays the game without windows, driven by a script
// of commands read from SCRIPT or standard input. README.md beside this file lists them.

#include "headless/script_runner.h"

#include <QCoreApplication>

#include <fstream>
#include <iostream>

namespace {

constexpr const char* kUsage =
    "usage: kroda-headless [--narration] [SCRIPT]\n"
    "Reads commands from SCRIPT (or standard input), one a line; see README.md.\n";

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The game's own name, so that the save folder is the game's (game/save_game.h).
    QCoreApplication::setApplicationName(QStringLiteral("kroda"));
    kroda::headless::RunnerOptions options;
    options.folder = QCoreApplication::applicationDirPath();
    QString script;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--narration")) {
            options.narration = true;
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            std::cout << kUsage;
            return kroda::headless::ExitOk;
        } else if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            std::cerr << "kroda-headless: unknown option " << argv[i] << '\n' << kUsage;
            return kroda::headless::ExitUsage;
        } else if (script.isEmpty()) {
            script = arg;
        } else {
            std::cerr << kUsage;
            return kroda::headless::ExitUsage;
        }
    }

    std::ios::sync_with_stdio(false);
    kroda::headless::ScriptRunner runner(options, std::cout, std::cerr);
    if (script.isEmpty() || script == QLatin1String("-"))
        return runner.run(std::cin, QStringLiteral("<stdin>"));
    std::ifstream in(argv[argc - 1], std::ios::binary);
    if (!in) {
        std::cerr << "kroda-headless: cannot read " << argv[argc - 1] << '\n';
        return kroda::headless::ExitUsage;
    }
    return runner.run(in, script);
}
