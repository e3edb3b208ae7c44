#pragma once
// Reads a configuration text item by item, the way the board files are written:
//  - items are separated by commas or line breaks (CR LF, LF or CR);
//  - blanks (spaces, tabs) and line breaks before an item are skipped, so empty lines and a
//    comma at the end of a line make no item; two commas in a row make an empty item;
//  - a text item in double quotes ends at its closing quote and may hold commas; a quoted
//    text never spans a line: a line break or the end of the file before the closing quote
//    ends the item there (noted). Text after the closing quote, up to the next comma or line
//    break, is ignored (noted);
//  - an unquoted text item ends at the next comma or line break; quotes inside it are
//    ordinary characters and blanks at its end are dropped;
//  - a number item ends at a comma, blank or line break; blanks and one comma after it are
//    passed over. A quoted number item is read like a quoted text.
// The reader only splits; whether an item is a number is for its caller to decide.

#include <QString>

#include <optional>
#include <vector>

namespace kroda {

struct ConfigItem {
    QString text;  // without its quotes
    int line = 0;  // 1-based line where the item starts
    bool quoted = false;
};

// Something unusual the reader passed over, for the board checker to show.
struct ItemReaderNote {
    int line = 0;
    QString message;
};

class ItemReader {
  public:
    explicit ItemReader(QString text);

    // Nothing when only blanks and line breaks are left.
    std::optional<ConfigItem> readText();
    std::optional<ConfigItem> readNumber();

    // Only blanks and line breaks are left.
    bool atEnd() const;
    int line() const { return line_; }
    const std::vector<ItemReaderNote>& notes() const { return notes_; }

  private:
    bool skipToItem();
    ConfigItem readQuoted();
    void skipBlanks();
    // Passes one line break; false when there is none here.
    bool passLineBreak();
    void endItem();
    bool atLineBreak() const;
    bool atBlank() const;
    bool atChar(char16_t c) const;

    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
    std::vector<ItemReaderNote> notes_;
};

}  // namespace kroda
