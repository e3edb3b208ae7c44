// kroda-board: the board compiler and checker for board authors.
#include "board/board_tool.h"

#include <QStringList>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = kroda::runBoardTool(args, out, err);
    out.flush();
    err.flush();
    return status;
}
