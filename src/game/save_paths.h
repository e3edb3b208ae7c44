#pragma once
// Where the files a save names may lie. A save file may come from anyone and a host's state
// from another machine, while the windows open what a save names as soon as they draw it: a
// FIFO would hang them and a device would fill the memory. So every path field of a save is
// judged here, once, as the save is read, before any of it is put in place:
//
// - a name of the game folder ("$APP/Image/CBlock.bmp") lies inside it;
// - from a file, an absolute name lies inside one board folder, a folder that holds the
//   board's KovarT.dat (a game of `kroda --board DIR` names its square pictures so); all the
//   absolute names of one save lie in the same board folder;
// - no name has a ".." part or a control character, and none leads out of its folder through
//   a link; what exists is a regular file (a folder for a folder field), never a FIFO or a
//   device. A missing file is no fault here: nothing is opened, and the windows say so when
//   they load their pictures.
//
// Two kinds of field are looser: the music, which the player chose anywhere on his own disk
// and which is read only as a bounded MIDI file, need not lie in a folder of the game; and
// the file the board was read from when the game began is a record that is never opened
// again. A host names only files of the game folder and never music.

#include "game/save_game.h"

#include <QString>

#include <optional>

namespace kroda::save {

// What a path field of a save names, which decides where it may lead.
enum class PathKind {
    File,    // a picture the windows open
    Folder,  // a resource folder of the game
    Music,   // the piece the player chose to hear
    Origin,  // where the board was read from when the game began; never opened again
};

class SavedPaths {
  public:
    SavedPaths(const QString& appFolder, SaveSource source);

    // The full path `stored` names, or what is wrong with it.
    struct Judged {
        QString path;
        std::optional<QString> fault;
    };
    Judged judge(const QString& stored, PathKind kind);
    // A path found on disk for a name of the board (its square pictures), as a File.
    std::optional<QString> judgeFound(const QString& path);

    // The board folder the save's absolute names lie in; empty when they are all of the game
    // folder.
    const QString& boardFolder() const { return boardFolder_; }

  private:
    std::optional<QString> judgeFull(const QString& full, const QString& shown, PathKind kind,
                                     bool inGameFolder);

    QString appFolder_;
    SaveSource source_;
    QString boardFolder_;
};

}  // namespace kroda::save
