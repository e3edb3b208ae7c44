#include "headless/state_paths.h"

#include "headless/session.h"
#include "headless/value_domains.h"

#include <QDir>
#include <QRegularExpression>

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <type_traits>

namespace kroda::headless {

namespace {

// ---- How each kind of leaf value is printed and read back -------------------------------

template <class T>
struct Codec;  // a type without a Codec is a record or an array, never a leaf

template <class T>
QString readWhole(const QString& text, T& value) {
    // Qt's conversion stops at a NUL, so the digits are checked here first.
    static const QRegularExpression digits(QStringLiteral("^([+-]?[0-9]+|0[xX][0-9A-Fa-f]+)$"));
    const QString s = text.trimmed();
    bool ok = digits.match(s).hasMatch();
    const qlonglong n = !ok ? 0
                        : s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                            ? s.mid(2).toLongLong(&ok, 16)
                            : s.toLongLong(&ok, 10);
    if (!ok)
        return QStringLiteral("expected a whole number, found \"%1\"").arg(text);
    if (n < std::numeric_limits<T>::min() || n > std::numeric_limits<T>::max()) {
        return QStringLiteral("%1 is outside %2..%3")
            .arg(n)
            .arg(std::numeric_limits<T>::min())
            .arg(std::numeric_limits<T>::max());
    }
    value = static_cast<T>(n);
    return {};
}

template <>
struct Codec<std::int16_t> {
    static constexpr ValueKind kind = ValueKind::Number;
    static QString show(std::int16_t v) { return QString::number(v); }
    static QString read(const QString& s, std::int16_t& v) { return readWhole(s, v); }
};

template <>
struct Codec<std::int32_t> {
    static constexpr ValueKind kind = ValueKind::Number;
    static QString show(std::int32_t v) { return QString::number(v); }
    static QString read(const QString& s, std::int32_t& v) { return readWhole(s, v); }
};

template <>
struct Codec<std::int64_t> {
    static constexpr ValueKind kind = ValueKind::Number;
    static QString show(std::int64_t v) { return QString::number(v); }
    static QString read(const QString& s, std::int64_t& v) { return readWhole(s, v); }
};

template <>
struct Codec<bool> {
    static constexpr ValueKind kind = ValueKind::Boolean;
    static QString show(bool v) { return v ? QStringLiteral("true") : QStringLiteral("false"); }
    static QString read(const QString& s, bool& v) {
        if (s == QLatin1String("true") || s == QLatin1String("false")) {
            v = s == QLatin1String("true");
            return {};
        }
        return QStringLiteral("expected true or false, found \"%1\"").arg(s);
    }
};

template <>
struct Codec<Currency> {
    static constexpr ValueKind kind = ValueKind::Number;
    static QString show(Currency v) { return v.toPlainText(); }
    static QString read(const QString& s, Currency& v) {
        const std::optional<Currency> c = Currency::parse(s);
        if (!c)
            return QStringLiteral("expected an amount such as 1500 or -2.5, found \"%1\"").arg(s);
        v = *c;
        return {};
    }
};

template <int N>
struct Codec<Text<N>> {
    static constexpr ValueKind kind = ValueKind::Text;
    static QString show(const Text<N>& v) { return v.raw(); }
    static QString read(const QString& s, Text<N>& v) {
        v = s;  // padded or cut to N
        return {};
    }
};

template <>
struct Codec<QString> {
    static constexpr ValueKind kind = ValueKind::Text;
    static QString show(const QString& v) { return v; }
    static QString read(const QString& s, QString& v) {
        v = s;
        return {};
    }
};

// Why a value read for `path` lies outside the field's domain; empty when inside.
template <class T>
QString domainProblem(const Session& s, const QString& path, const T& value) {
    if constexpr (std::is_same_v<T, bool>)
        return flagProblem(s.started(), path);
    else if constexpr (std::is_integral_v<T>)
        return wholeNumberProblem(s.game().state, s.started(), path, value);
    else if constexpr (std::is_same_v<T, Currency>)
        return moneyProblem(path, value);
    else if constexpr (std::is_same_v<T, QString>)
        return textProblem(s.game().state, path, value);
    else
        return textProblem(s.game().state, path, value.raw());
}

template <class T>
concept Leaf = requires {
    Codec<T>::kind;
};

template <class T>
struct ArrayShape : std::false_type {};
template <class E, int Lo, int Hi>
struct ArrayShape<Bounded<E, Lo, Hi>> : std::true_type {
    using Element = E;
    static constexpr int low = Lo;
    static constexpr int high = Hi;
};
template <class E, std::size_t N>
struct ArrayShape<std::array<E, N>> : std::true_type {
    using Element = E;
    static constexpr int low = 0;
    static constexpr int high = static_cast<int>(N) - 1;
};

template <class E, int Lo, int Hi>
E& at(Bounded<E, Lo, Hi>& a, int i) {
    return a(i);
}
template <class E, std::size_t N>
E& at(std::array<E, N>& a, int i) {
    return a[static_cast<std::size_t>(i)];
}

// The largest deck a game has: the second deck with the built-in bankrupt card.
constexpr int kLargestDeck = 21;

// ---- The fields of each record, in declaration order ------------------------------------
// A record's list names each field once; a field that is an array or a record expands by
// itself. `inlined` puts a sub-record's fields directly under the parent (a control's
// Left/Top/Width/Height).

template <class R>
struct Fields;

template <>
struct Fields<Player> {
    template <class V>
    static void visit(V& v) {
        v("Color", &Player::Color);
        v("IsHuman", &Player::IsHuman);
        v("Strong", &Player::Strong);
        v("Name", &Player::Name);
        v("KeyCode", &Player::KeyCode);
        v("KeyLabel", &Player::KeyLabel);
        v("Money", &Player::Money);
        v("Position", &Player::Position);
        v("Owned", &Player::Owned);
        v("SkipTurns", &Player::SkipTurns);
        v("Steps", &Player::Steps);
        v("Bankrupt", &Player::Bankrupt);
    }
};

template <>
struct Fields<Square> {
    template <class V>
    static void visit(V& v) {
        v("Name", &Square::Name);
        v("Owner", &Square::Owner);
        v("Buildings", &Square::Buildings);
        v("Price", &Square::Price);
        v("HouseCost", &Square::HouseCost);
        v("HotelCost", &Square::HotelCost);
        v("Rent", &Square::Rent);
        v("Kind", &Square::Kind);
    }
};

template <>
struct Fields<Card> {
    template <class V>
    static void visit(V& v) {
        v("Text", &Card::Text);
        v("Action", &Card::Action);
        v("Amount", &Card::Amount);
    }
};

template <>
struct Fields<GameConfig> {
    template <class V>
    static void visit(V& v) {
        v("ConfigPath", &GameConfig::ConfigPath);
        v("Deck1File", &GameConfig::Deck1File);
        v("Deck2File", &GameConfig::Deck2File);
        v("StripFile1", &GameConfig::StripFile1);
        v("StripFile2", &GameConfig::StripFile2);
        v("StripFile3", &GameConfig::StripFile3);
        v("SpareItem", &GameConfig::SpareItem);
    }
};

template <>
struct Fields<GameState> {
    template <class V>
    static void visit(V& v) {
        v("Players", &GameState::Players);
        v("PlayerCount", &GameState::PlayerCount);
        v("Squares", &GameState::Squares);
        v("Deck1", &GameState::Deck1);
        v("Deck2", &GameState::Deck2);
        v("NextCard1", &GameState::NextCard1);
        v("NextCard2", &GameState::NextCard2);
        v("BankruptCardOn", &GameState::BankruptCardOn);
        v("NewBoard", &GameState::NewBoard);
        v("Config", &GameState::Config);
        v("CurPlayer", &GameState::CurPlayer);
        v("TurnQueue", &GameState::TurnQueue);
        v("Die1", &GameState::Die1);
        v("Die2", &GameState::Die2);
        v("DoublesCount", &GameState::DoublesCount);
        v("TalkStep", &GameState::TalkStep);
        v("TalkPos", &GameState::TalkPos);
        v("TalkLen", &GameState::TalkLen);
        v("BlinkFlag", &GameState::BlinkFlag);
        v("AnimMode", &GameState::AnimMode);
        v("InputMode", &GameState::InputMode);
        v("PendingMessage", &GameState::PendingMessage);
        v("ViewedSquare", &GameState::ViewedSquare);
        v("BankruptCount", &GameState::BankruptCount);
        v("CommonFolder", &GameState::CommonFolder);
        v("DepthFolder", &GameState::DepthFolder);
        v("ImageFolder", &GameState::ImageFolder);
        v("WizardStep", &GameState::WizardStep);
    }
};

template <>
struct Fields<Rect> {
    template <class V>
    static void visit(V& v) {
        v("Left", &Rect::Left);
        v("Top", &Rect::Top);
        v("Width", &Rect::Width);
        v("Height", &Rect::Height);
    }
};

template <>
struct Fields<Image> {
    template <class V>
    static void visit(V& v) {
        v.inlined(&Image::Geometry);
        v("Strip", &Image::Strip);
        v("Cell", &Image::Cell);
        v("File", &Image::File);
        v("Visible", &Image::Visible);
        v("Enabled", &Image::Enabled);
        v("HandPointer", &Image::HandPointer);
    }
};

template <>
struct Fields<Label> {
    template <class V>
    static void visit(V& v) {
        v.inlined(&Label::Geometry);
        v("Caption", &Label::Caption);
        v("ForeColor", &Label::ForeColor);
        v("BackColor", &Label::BackColor);
        v("Visible", &Label::Visible);
    }
};

template <>
struct Fields<TextBox> {
    template <class V>
    static void visit(V& v) {
        v.inlined(&TextBox::Geometry);
        v("Text", &TextBox::Text);
        v("SelStart", &TextBox::SelStart);
        v("ForeColor", &TextBox::ForeColor);
        v("BackColor", &TextBox::BackColor);
        v("Visible", &TextBox::Visible);
    }
};

template <>
struct Fields<Shape> {
    template <class V>
    static void visit(V& v) {
        v.inlined(&Shape::Geometry);
        v("FillColor", &Shape::FillColor);
        v("Filled", &Shape::Filled);
        v("Visible", &Shape::Visible);
    }
};

// The card window itself; its text box is a control of its own, TxtCrd.
template <>
struct Fields<CardWindow> {
    template <class V>
    static void visit(V& v) {
        v("Visible", &CardWindow::Visible);
        v.inlined(&CardWindow::Geometry);
    }
};

template <>
struct Fields<DeedPanelBox> {
    template <class V>
    static void visit(V& v) {
        v("Visible", &DeedPanelBox::Visible);
    }
};

// The deed card window: FrmOCard.Visible, LblLname.Caption, PicOpad(0).Visible ...
template <>
struct Fields<DeedCardWindow> {
    template <class V>
    static void visit(V& v) {
        v("FrmOCard.Visible", &DeedCardWindow::Visible);
        v("FrmOCard.Caption", &DeedCardWindow::Caption);
        v("LblLname", &DeedCardWindow::LblLname);
        v("LblLabel", &DeedCardWindow::LblLabel);
        v("ImgOLocate", &DeedCardWindow::ImgOLocate);
        v("PicOpad", &DeedCardWindow::PicOpad);
        v("LblOcard1", &DeedCardWindow::LblOcard1);
        v("LblVariable", &DeedCardWindow::LblVariable);
        v("Lblv3", &DeedCardWindow::Lblv3);
        v("LblVriable2", &DeedCardWindow::LblVriable2);
    }
};

template <>
struct Fields<GameWindow> {
    template <class V>
    static void visit(V& v) {
        v("FrmGame.Caption", &GameWindow::Caption);
        v("FrmGame.Picture", &GameWindow::Picture);
        v("KeyPreview", &GameWindow::KeyPreview);
        v("TxtDialog", &GameWindow::TxtDialog);
        v("ImgDescripter", &GameWindow::ImgDescripter);
        v("ImgTao", &GameWindow::ImgTao);
        v("LblKeyT", &GameWindow::LblKeyT);
        v("ShpTaoPad", &GameWindow::ShpTaoPad);
        v("ImgPlayer", &GameWindow::ImgPlayer);
        v("LblPName", &GameWindow::LblPName);
        v("LblPMoney", &GameWindow::LblPMoney);
        v("ShpMark", &GameWindow::ShpMark);
        v("ImgTable", &GameWindow::ImgTable);
        v("ImgHead", &GameWindow::ImgHead);
        v("ImgBottom", &GameWindow::ImgBottom);
        v("ImgCenter", &GameWindow::ImgCenter);
        v("ShpCard", &GameWindow::ShpCard);
        v("TxtLocation", &GameWindow::TxtLocation);
        v("ImgLocation", &GameWindow::ImgLocation);
        v("LblAct", &GameWindow::LblAct);
        v("LblPrice", &GameWindow::LblPrice);
        v("LblOwner", &GameWindow::LblOwner);
        v("ImgBuilding", &GameWindow::ImgBuilding);
        v("ImgIconT", &GameWindow::ImgIconT);
        v("LblBDescript", &GameWindow::LblBDescript);
        v("ShpTable", &GameWindow::ShpTable);
        v("ShpLocation", &GameWindow::ShpLocation);
        v("ShpPlayer", &GameWindow::ShpPlayer);
        v("MM.FileName", [](GameWindow& w) -> QString& { return w.MM.FileName; });
        v("FrmCard", &GameWindow::FrmCard);
        v("TxtCrd", [](GameWindow& w) -> TextBox& { return w.FrmCard.TxtCrd; });
    }
};

template <>
struct Fields<PictureHolder> {
    template <class V>
    static void visit(V& v) {
        v("File", &PictureHolder::File);
        v("Rows", &PictureHolder::Rows);
        v("Cols", &PictureHolder::Cols);
    }
};

// The hidden source window's holders are named like the window's controls.
template <>
struct Fields<SourceWindow> {
    template <class V>
    static void visit(V& v) {
        v("PicCSource", &SourceWindow::PicCSource);
    }
};

// What the recording port has seen, and what it answers.
template <>
struct Fields<RecordingPort> {
    template <class V>
    static void visit(V& v) {
        v("Beeps", &RecordingPort::beeps);
        v("Quits", &RecordingPort::quits);
        v("DeedCards", &RecordingPort::deedCards);
        v("OpenFileAnswer", &RecordingPort::openFileAnswer);
        v("OpenFileRequests", &RecordingPort::openFileRequests);
        v("OpenFileTitle", &RecordingPort::openFileTitle);
        v("OpenFileFilter", &RecordingPort::openFileFilter);
        v("OpenFileFolder", &RecordingPort::openFileFolder);
        v("MusicLength", &RecordingPort::musicLengthValue);
        v("MusicPosition", &RecordingPort::musicPositionValue);
    }
};

// ---- Walking the records ----------------------------------------------------------------

QString join(const QString& prefix, const char* name) {
    return prefix.isEmpty() ? QString::fromLatin1(name) : prefix + QLatin1Char('.') + name;
}

class Collector {
  public:
    Collector(std::vector<PathEntry>& out, const Session& session) : out_(out), session_(session) {}

    template <class T>
    void node(const QString& path, std::function<T*()> locate);

    void add(PathEntry e) { out_.push_back(std::move(e)); }

  private:
    template <class T>
    void leaf(const QString& path, std::function<T*()> locate) {
        PathEntry e;
        e.path = path;
        e.kind = Codec<T>::kind;
        e.get = [locate]() -> std::optional<QString> {
            const T* p = locate();
            if (!p)
                return std::nullopt;
            return Codec<T>::show(*p);
        };
        const Session* session = &session_;
        e.set = [locate, path, session](const QString& text) -> QString {
            T* p = locate();
            if (!p)
                return QStringLiteral("there is no such value now");
            T value = *p;
            QString error = Codec<T>::read(text, value);
            if (error.isEmpty())
                error = domainProblem(*session, path, value);
            if (error.isEmpty())
                *p = std::move(value);
            return error;
        };
        add(std::move(e));
    }

    std::vector<PathEntry>& out_;
    const Session& session_;
};

template <class R>
class FieldVisitor {
  public:
    FieldVisitor(Collector& c, QString prefix, std::function<R*()> locate)
        : c_(c), prefix_(std::move(prefix)), locate_(std::move(locate)) {}

    template <class Projection>
    void operator()(const char* name, Projection project) {
        descend(join(prefix_, name), project);
    }
    template <class Projection>
    void inlined(Projection project) {
        descend(prefix_, project);
    }

  private:
    template <class Projection>
    void descend(const QString& path, Projection project) {
        using M = std::remove_reference_t<std::invoke_result_t<Projection, R&>>;
        auto locate = locate_;
        c_.node<M>(path, [locate, project]() -> M* {
            R* r = locate();
            return r ? &std::invoke(project, *r) : nullptr;
        });
    }

    Collector& c_;
    QString prefix_;
    std::function<R*()> locate_;
};

template <class T>
void Collector::node(const QString& path, std::function<T*()> locate) {
    if constexpr (Leaf<T>) {
        leaf<T>(path, std::move(locate));
    } else if constexpr (ArrayShape<T>::value) {
        using E = typename ArrayShape<T>::Element;
        for (int i = ArrayShape<T>::low; i <= ArrayShape<T>::high; ++i) {
            node<E>(path + QStringLiteral("(%1)").arg(i), [locate, i]() -> E* {
                T* a = locate();
                return a ? &at(*a, i) : nullptr;
            });
        }
    } else if constexpr (std::is_same_v<T, Deck>) {
        for (int i = 1; i <= kLargestDeck; ++i) {
            node<Card>(path + QStringLiteral("(%1)").arg(i), [locate, i]() -> Card* {
                Deck* d = locate();
                return d && d->inBounds(i) ? &(*d)(i) : nullptr;
            });
        }
    } else {
        FieldVisitor<T> v(*this, path, std::move(locate));
        Fields<T>::visit(v);
    }
}

// A request list of the port with the game folder taken off each path.
QString relativeList(const QStringList& paths, const QString& folder) {
    const QString prefix = QDir::cleanPath(folder) + QLatin1Char('/');
    QStringList out;
    for (const QString& p : paths) {
        const QString clean = QDir::cleanPath(p);
        out << (clean.startsWith(prefix) ? clean.mid(prefix.size()) : p);
    }
    return out.join(QLatin1Char(','));
}

}  // namespace

PathTable::PathTable(Session& session) {
    Collector c(entries_, session);
    Session* s = &session;
    c.node<GameState>(QString(), [s] { return &s->game().state; });
    c.node<GameWindow>(QString(), [s] { return &s->game().window; });
    c.node<SourceWindow>(QString(), [s] { return &s->game().FrmSource; });
    c.node<DeedCardWindow>(QString(), [s] { return &s->game().FrmOCard; });

    for (int i = 0; i < kTimerCount; ++i) {
        static const char* const names[] = {"TimerTalk", "TimeDelay", "AnimateTimer", "TimerMM"};
        const auto id = static_cast<TimerId>(i);
        const QString name = QString::fromLatin1(names[i]);
        c.add({name + QStringLiteral(".Enabled"), ValueKind::Boolean,
               [s, id]() -> std::optional<QString> {
                   return Codec<bool>::show(s->game().timers[id].Enabled());
               },
               [s, id](const QString& text) {
                   bool on = false;
                   QString error = Codec<bool>::read(text, on);
                   if (error.isEmpty())
                       s->game().timers[id].setEnabled(on);
                   return error;
               }});
        c.add({name + QStringLiteral(".Interval"), ValueKind::Number,
               [s, id]() -> std::optional<QString> {
                   return QString::number(s->game().timers[id].Interval());
               },
               [s, id](const QString& text) {
                   std::int32_t ms = 0;
                   QString error = readWhole(text, ms);
                   if (error.isEmpty() && (ms < 0 || ms > 65535))
                       error = QStringLiteral("a timer's interval is 0..65535 ms");
                   if (error.isEmpty())
                       s->game().timers[id].setInterval(ms);
                   return error;
               }});
    }

    c.node<RecordingPort>(QString(), [s] { return &s->port(); });
    const auto list = [s](QStringList RecordingPort::*member) {
        return [s, member]() -> std::optional<QString> {
            return relativeList(s->port().*member, s->folder());
        };
    };
    c.add({QStringLiteral("Sounds"), ValueKind::Text, list(&RecordingPort::sounds), {}});
    c.add({QStringLiteral("DroppedSounds"),
           ValueKind::Text,
           list(&RecordingPort::droppedSounds),
           {}});
    c.add({QStringLiteral("Documents"), ValueKind::Text, list(&RecordingPort::documents), {}});
    c.add(
        {QStringLiteral("MusicCommands"),
         ValueKind::Text,
         [s]() -> std::optional<QString> { return s->port().musicCommands.join(QLatin1Char(',')); },
         {}});
    c.add({QStringLiteral("Time"),
           ValueKind::Number,
           [s]() -> std::optional<QString> { return QString::number(s->now()); },
           {}});
    c.add({QStringLiteral("Ticks"),
           ValueKind::Number,
           [s]() -> std::optional<QString> { return QString::number(s->ticks()); },
           {}});

    index_.reserve(static_cast<qsizetype>(entries_.size()));
    for (std::size_t i = 0; i < entries_.size(); ++i) index_.insert(entries_[i].path, i);
}

const PathEntry* PathTable::find(const QString& path) const {
    const auto it = index_.constFind(path);
    return it == index_.constEnd() ? nullptr : &entries_[*it];
}

}  // namespace kroda::headless
