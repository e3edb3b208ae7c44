#pragma once
// Writes a checked board source as the game reads it: KovarT.dat in windows-874 with CR LF
// line breaks and quoted texts, and the two card files of twenty 260-byte records.

#include "board/board_source.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace kroda {

QByteArray configurationBytes(const BoardSource& source);
QByteArray cardFileBytes(const std::vector<SourceCard>& deck);

// Every file is written beside its place first and renamed only when all are written, so a
// failed build leaves no partial board. Returns the errors, empty on success.
QStringList writeBoardFiles(const BoardSource& source, const QString& outDir);

}  // namespace kroda
