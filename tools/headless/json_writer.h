#pragma once
// Small JSON output: strings escaped for JSON and written as UTF-8.

#include <QByteArray>
#include <QString>

namespace kroda::headless {

class PathTable;

// `text` as a JSON string literal, quotes included.
QByteArray jsonString(const QString& text);

// The whole table as one JSON object with one member per path, keyed by the path itself
// ("Players(1).Name"), in table order, one member a line. Numbers and Booleans are JSON
// numbers and literals, texts JSON strings; a path with no value now (a card past the end
// of its deck) is left out.
QByteArray dumpJson(const PathTable& table);

}  // namespace kroda::headless
