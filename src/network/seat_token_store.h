#pragma once
// The tokens of the seats this machine's players took, so that a client started again after a
// crash, a kill or a restart takes its seats back. One small JSON file of the user's, readable
// by him alone, written whole and atomically under a lock: two clients on one machine may
// join one game, each keeping its own entries. A file that cannot be read counts as empty.

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace kroda::network {

class SeatTokenStore {
  public:
    // One seat of one game: the host as joined, its port, the join code and the player's name.
    struct Key {
        QString host;
        int port = 0;
        QString code;
        QString name;
    };

    // Entries beyond this many are dropped, the oldest first.
    static constexpr int kMaxEntries = 32;
    static constexpr qint64 kFileLimit = 64 * 1024;

    explicit SeatTokenStore(QString file);
    // The store of this user: seat-tokens.json in the application's local data folder.
    static QString defaultFile();

    // The token kept for the seat, or empty.
    QString find(const Key& key) const;
    // Keeps each seat's token, replacing what was kept for it; returns what went wrong.
    std::optional<QString> keep(const std::vector<std::pair<Key, QString>>& tokens);

    const QString& file() const { return file_; }

  private:
    QString file_;
};

}  // namespace kroda::network
