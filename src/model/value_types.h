#pragma once
// The value types of the game state: 16-bit Integer, 32-bit Long, exact Currency,
// fixed-length Text and arrays with the record's own index bounds.

#include <QString>
#include <QStringView>

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace kroda {

using Integer = std::int16_t;
using Long = std::int32_t;

// Money: a count of ten-thousandths held in 64 bits, never floating point.
// Arithmetic never overflows: every sum, difference and product stays within the money limit
// of plus or minus 10^14 (kLimitUnits), the most the bank holds for one player. Boards may
// only hold amounts within plus or minus 10^9 (kBoardLimitUnits, enforced by the reader), so
// a game reaches the limit only after some hundred thousand payments of the largest amount,
// and even then money stops at the limit instead of wrapping round.
class Currency {
  public:
    static constexpr std::int64_t kScale = 10000;
    static constexpr std::int64_t kLimitUnits = 100'000'000'000'000;
    static constexpr std::int64_t kBoardLimitUnits = 1'000'000'000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(std::int64_t units) {
        std::int64_t raw = 0;
        if (__builtin_mul_overflow(units, kScale, &raw))
            raw = units < 0 ? -kLimitRaw : kLimitRaw;
        return clamped(raw);
    }
    static constexpr Currency fromRaw(std::int64_t raw) {
        Currency c;
        c.raw_ = raw;
        return c;
    }
    static constexpr Currency limit() { return fromRaw(kLimitRaw); }
    static constexpr Currency boardLimit() { return fromRaw(kBoardLimitUnits * kScale); }
    // Exact parsing of plain decimal text ("1500", "-2.5", "0.0001", "+3."); at most four
    // decimals. Returns nothing for anything else or for a value beyond the money limit.
    static std::optional<Currency> parse(const QString& text);

    constexpr std::int64_t raw() const { return raw_; }
    // Whole units, rounded toward zero.
    constexpr std::int64_t units() const { return raw_ / kScale; }
    constexpr bool withinBoardLimit() const {
        return raw_ >= -boardLimit().raw_ && raw_ <= boardLimit().raw_;
    }

    // Plain decimal text with no grouping or sign of currency: "1500", "-2.5", "0.0001".
    QString toPlainText() const;

    constexpr Currency operator+(Currency o) const { return sum(raw_, o.raw_, false); }
    constexpr Currency operator-(Currency o) const { return sum(raw_, o.raw_, true); }
    constexpr Currency operator-() const { return sum(0, raw_, true); }
    constexpr Currency& operator+=(Currency o) { return *this = *this + o; }
    constexpr Currency& operator-=(Currency o) { return *this = *this - o; }
    constexpr auto operator<=>(const Currency&) const = default;

  private:
    static constexpr std::int64_t kLimitRaw = kLimitUnits * kScale;
    static constexpr Currency clamped(std::int64_t raw) {
        return fromRaw(raw < -kLimitRaw ? -kLimitRaw : raw > kLimitRaw ? kLimitRaw : raw);
    }
    static constexpr Currency sum(std::int64_t a, std::int64_t b, bool subtract) {
        std::int64_t r = 0;
        const bool over =
            subtract ? __builtin_sub_overflow(a, b, &r) : __builtin_add_overflow(a, b, &r);
        if (over)  // the true result lies beyond 64 bits, on the side of the first operand
            r = a < 0 ? -kLimitRaw : kLimitRaw;
        return clamped(r);
    }
    std::int64_t raw_ = 0;
};

// Text(N): exactly N UTF-16 code units; shorter text is padded with blanks, longer text is cut.
template <int N>
class Text {
  public:
    static constexpr int kLength = N;

    Text() : value_(N, QLatin1Char(' ')) {}
    Text(const QString& s) { assign(s); }  // NOLINT: stores like an assignment does
    Text& operator=(const QString& s) {
        assign(s);
        return *this;
    }

    // The stored text with its blanks, always N code units long.
    const QString& raw() const { return value_; }
    // What readers see: the text trimmed of blanks at both ends.
    QString trimmed() const { return trimBlanks(value_); }
    // The same as a view into the stored text, for a text put together from pieces at once.
    QStringView trimmedView() const {
        const auto [at, length] = unblanked(value_);
        return QStringView(value_).sliced(at, length);
    }
    // Trimmed on the right only.
    QString rightTrimmed() const {
        int end = value_.size();
        while (end > 0 && value_[end - 1] == QLatin1Char(' ')) --end;
        return value_.left(end);
    }

    bool operator==(const Text&) const = default;

    // Blanks are spaces only, as the fixed-length fields pad with spaces.
    static QString trimBlanks(const QString& s) {
        const auto [at, length] = unblanked(s);
        return s.mid(at, length);
    }
    // Where a text stands without its blanks at both ends: its first index and its length.
    static std::pair<qsizetype, qsizetype> unblanked(QStringView s) {
        qsizetype b = 0, e = s.size();
        while (b < e && s[b] == QLatin1Char(' ')) ++b;
        while (e > b && s[e - 1] == QLatin1Char(' ')) --e;
        return {b, e - b};
    }

  private:
    void assign(const QString& s) {
        value_ = s.left(N);
        if (value_.size() < N)
            value_.append(QString(N - value_.size(), QLatin1Char(' ')));
    }
    QString value_;
};

// An array indexed from Lo to Hi inclusive, as the records declare them (Players(1..4),
// Rent(0..6), Owned(0..29)). Indexing outside the bounds throws instead of corrupting memory.
template <typename T, int Lo, int Hi>
class Bounded {
  public:
    static constexpr int kLow = Lo;
    static constexpr int kHigh = Hi;

    T& operator()(int i) { return items_[check(i)]; }
    const T& operator()(int i) const { return items_[check(i)]; }
    static constexpr bool inBounds(int i) { return i >= Lo && i <= Hi; }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    bool operator==(const Bounded&) const = default;

  private:
    static std::size_t check(int i) {
        if (!inBounds(i)) {
            throw std::out_of_range("index " + std::to_string(i) + " outside " +
                                    std::to_string(Lo) + ".." + std::to_string(Hi));
        }
        return static_cast<std::size_t>(i - Lo);
    }
    std::array<T, Hi - Lo + 1> items_{};
};

}  // namespace kroda
