#pragma once
// A whole game as a save file: the state, the controls, the timers with what is left of their
// counts, the generator, the ledger, the decks and the board as read. One serialiser serves
// the save files and every copy of a game that crosses a process. A file is input from
// outside: it is read bounded, checked field by field and against the invariants, and a bad
// one changes nothing.

#include "model/board_reader.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace kroda {

class Game;
class VirtualClock;

// The folder saves live in: Save/ under the application data location.
QString saveFolder();
// The autosave of the game in progress, in saveFolder().
QString autosavePath();

// Where a save comes from, which decides what it may name (game/save_paths.h): a file, whose
// square pictures may lie in its own board folder, or a host, which names only files of the
// game folder and never music.
enum class SaveSource { File, Host };

// The moment of `game` on `clock` as save-file bytes (UTF-8 JSON). What a host sends leaves
// out its music file, which is the host's own and which a client never opens.
QByteArray writeSave(const Game& game, const VirtualClock& clock, SaveSource to = SaveSource::File);
// Puts the moment `bytes` holds into `game` and `clock`. On any fault returns what is wrong
// and leaves both as they were.
std::optional<QString> readSave(const QByteArray& bytes, Game& game, VirtualClock& clock,
                                SaveSource from = SaveSource::File);

// writeSave into `path`, atomically. Returns "FILE: what is wrong" on failure.
std::optional<QString> storeSaveFile(const QString& path, const Game& game,
                                     const VirtualClock& clock);
// readSave from `path`: only a regular file of bounded size is read. Returns "FILE: what is
// wrong" on failure, with game and clock unchanged.
std::optional<QString> loadSaveFile(const QString& path, Game& game, VirtualClock& clock);

// The board settings a save was played with, for a new game on the same board.
struct SavedBoard {
    bool bankruptCardOn = false;
    LoadedBoard board;
};
// Reads the board settings of the save at `path`; on failure `error` holds "FILE: what".
// Paths inside the game's folder are taken to the program's folder.
std::optional<SavedBoard> readSavedBoard(const QString& path, QString& error);
// The same, with paths inside the game's folder taken to `appFolder`.
std::optional<SavedBoard> readSavedBoard(const QString& path, const QString& appFolder,
                                         QString& error);

// The save `bytes` with its checksum made again for its content, for a save edited on
// purpose (tests, tools); anything but a JSON object is returned as it is.
QByteArray resealSave(const QByteArray& bytes);

}  // namespace kroda
