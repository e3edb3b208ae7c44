#pragma once
// Every game-state variable, record field, control property, timer and port counter of a
// session, reachable by its path: "Players(2).Money", "Squares(2).Rent(3)", "ImgTao(0).Cell",
// "TimerTalk.Enabled", "Beeps". Records keep their own index bounds; controls are 0-based.

#include <QHash>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace kroda::headless {

class Session;

// How a value is written in JSON.
enum class ValueKind { Text, Number, Boolean };

struct PathEntry {
    QString path;
    ValueKind kind = ValueKind::Text;
    // The value as `get` prints it; nothing when the path names no value now (a card past
    // the end of its deck).
    std::function<std::optional<QString>()> get;
    // Stores a value by the field's own rules; returns an error text, empty on success.
    // Empty function: the value cannot be written.
    std::function<QString(const QString&)> set;
};

class PathTable {
  public:
    explicit PathTable(Session& session);

    // Every path, in the order the records declare their fields.
    const std::vector<PathEntry>& entries() const { return entries_; }
    const PathEntry* find(const QString& path) const;

  private:
    std::vector<PathEntry> entries_;
    QHash<QString, std::size_t> index_;
};

}  // namespace kroda::headless
