// Takes the game's running-copy lock in the folder given, as the game does at start-up:
// prints "held" and keeps the lock until its input closes, or prints the refusal on stderr
// and ends with status 0.
#include "frontend/running_copy.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    kroda::RunningCopyLock lock(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (!lock.acquire()) {
        QTextStream(stderr) << lock.refusal() << Qt::endl;
        return 0;
    }
    std::cout << "held" << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
