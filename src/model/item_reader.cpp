#include "model/item_reader.h"

#include <utility>

namespace kroda {

ItemReader::ItemReader(QString text) : text_(std::move(text)) {}

bool ItemReader::atChar(char16_t c) const {
    return pos_ < text_.size() && text_[pos_].unicode() == c;
}

bool ItemReader::atBlank() const {
    return atChar(u' ') || atChar(u'\t');
}

bool ItemReader::atLineBreak() const {
    return atChar(u'\r') || atChar(u'\n');
}

void ItemReader::skipBlanks() {
    while (atBlank()) ++pos_;
}

// An item ends at its comma or at the line break after it.
void ItemReader::endItem() {
    if (atChar(u','))
        ++pos_;
    else
        passLineBreak();
}

bool ItemReader::passLineBreak() {
    if (atChar(u'\r')) {
        ++pos_;
        if (atChar(u'\n'))
            ++pos_;
    } else if (atChar(u'\n')) {
        ++pos_;
    } else {
        return false;
    }
    ++line_;
    return true;
}

bool ItemReader::skipToItem() {
    for (;;) {
        skipBlanks();
        if (!passLineBreak())
            break;
    }
    return pos_ < text_.size();
}

bool ItemReader::atEnd() const {
    for (qsizetype p = pos_; p < text_.size(); ++p) {
        const char16_t c = text_[p].unicode();
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n')
            return false;
    }
    return true;
}

ConfigItem ItemReader::readQuoted() {
    ConfigItem item{{}, line_, true};
    ++pos_;  // the opening quote
    const qsizetype start = pos_;
    while (pos_ < text_.size() && !atChar(u'"') && !atLineBreak()) ++pos_;
    item.text = text_.mid(start, pos_ - start);
    if (!atChar(u'"')) {
        notes_.push_back({item.line, QStringLiteral("the closing quote of a text is missing")});
        passLineBreak();
        return item;
    }
    ++pos_;  // the closing quote
    skipBlanks();
    if (pos_ < text_.size() && !atChar(u',') && !atLineBreak()) {
        notes_.push_back({line_, QStringLiteral("text after a closing quote is ignored")});
        while (pos_ < text_.size() && !atChar(u',') && !atLineBreak()) ++pos_;
    }
    endItem();
    return item;
}

std::optional<ConfigItem> ItemReader::readText() {
    if (!skipToItem())
        return std::nullopt;
    if (atChar(u'"'))
        return readQuoted();
    ConfigItem item{{}, line_, false};
    const qsizetype start = pos_;
    while (pos_ < text_.size() && !atChar(u',') && !atLineBreak()) ++pos_;
    qsizetype end = pos_;
    while (end > start &&
           (text_[end - 1] == QLatin1Char(' ') || text_[end - 1] == QLatin1Char('\t')))
        --end;
    item.text = text_.mid(start, end - start);
    endItem();
    return item;
}

std::optional<ConfigItem> ItemReader::readNumber() {
    if (!skipToItem())
        return std::nullopt;
    if (atChar(u'"'))
        return readQuoted();
    ConfigItem item{{}, line_, false};
    const qsizetype start = pos_;
    while (pos_ < text_.size() && !atChar(u',') && !atBlank() && !atLineBreak()) ++pos_;
    item.text = text_.mid(start, pos_ - start);
    skipBlanks();
    endItem();
    return item;
}

}  // namespace kroda
