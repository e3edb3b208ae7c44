#pragma once
// The commands of kroda-board: build a board from its source, check a board folder the way
// the game loads it, dump a board folder back as source.

#include <QStringList>
#include <QTextStream>

namespace kroda {

// Exit status: 0 done, 1 the board has errors, 2 bad usage.
int runBoardTool(const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace kroda
