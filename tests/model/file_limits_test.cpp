// Special files, oversized files and broken folders are refused at once with their true
// cause; nothing blocks, nothing is read until memory runs out.

#include "board_folder.h"

#include "model/board_paths.h"
#include "model/card_file.h"
#include "model/regular_file.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace kroda {
namespace {

QString replaceWithFifo(const BoardFolder& folder, const QString& name) {
    const QString path = folder.path(name);
    QFile::remove(path);
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

QString replaceWithLink(const BoardFolder& folder, const QString& name, const QString& target) {
    const QString path = folder.path(name);
    QFile::remove(path);
    EXPECT_TRUE(QFile::link(target, path));
    return path;
}

// The one problem naming `file`, or a failure.
BoardProblem problemOf(const BoardReadResult& r, const QString& file) {
    for (const BoardProblem& p : r.problems) {
        if (p.file == file)
            return p;
    }
    ADD_FAILURE() << "no problem in " << file.toStdString() << ":\n"
                  << problemText(r).toStdString();
    return {};
}

struct SpecialFile {
    const char* name;
    const char* kind;  // "fifo", "zero", "folder", "loop", "dangling"
    const char* cause;
};

// Whatever stands in place of the configuration file, a card file or a picture, the reader
// returns at once with an error naming the file and what it is.
TEST(FileLimits, SpecialFilesInPlaceOfBoardFiles) {
    const SpecialFile cases[] = {
        {"KovarT.dat", "fifo", "it is a FIFO, not a regular file"},
        {"KovarT.dat", "zero", "it is a device, not a regular file"},
        {"KovarT.dat", "folder", "it is a folder, not a file"},
        {"KovarT.dat", "loop", "it is a symbolic-link loop"},
        {"Treasure.crd", "fifo", "it is a FIFO, not a regular file"},
        {"Fortune.crd", "zero", "it is a device, not a regular file"},
        {"Treasure.crd", "dangling", "it is a symbolic link to nothing"},
        {"Image/Sides.bmp", "fifo", "it is a FIFO, not a regular file"},
        {"Image/Hblocks.bmp", "folder", "it is a folder, not a file"},
        {"Image/Places.bmp", "loop", "it is a symbolic-link loop"},
    };
    for (const SpecialFile& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " as " + c.kind);
        BoardFolder folder;
        const QString name = QLatin1String(c.name);
        const QString kind = QLatin1String(c.kind);
        QString path = folder.path(name);
        if (kind == QLatin1String("fifo")) {
            replaceWithFifo(folder, name);
        } else if (kind == QLatin1String("zero")) {
            replaceWithLink(folder, name, QStringLiteral("/dev/zero"));
        } else if (kind == QLatin1String("folder")) {
            QFile::remove(path);
            ASSERT_TRUE(QDir().mkpath(path));
        } else if (kind == QLatin1String("loop")) {
            replaceWithLink(folder, name, path);
        } else {
            replaceWithLink(folder, name, folder.path(QStringLiteral("gone")));
        }
        const BoardReadResult r = folder.read();
        EXPECT_FALSE(r.board.has_value());
        const BoardProblem p = problemOf(r, path);
        EXPECT_FALSE(p.warning);
        EXPECT_TRUE(p.message.contains(QLatin1String(c.cause))) << p.text().toStdString();
        EXPECT_FALSE(p.message.contains(QLatin1String("Unknown error")));
    }
}

// Each kind of file has its size limit; a larger one is refused with both sizes, and a long
// card file is read only as far as its twenty records.
TEST(FileLimits, SizeLimits) {
    BoardFolder folder;
    ASSERT_TRUE(QFile::resize(folder.path(QStringLiteral("KovarT.dat")), kConfigFileLimit + 1));
    BoardReadResult r = folder.read();
    const BoardProblem p = problemOf(r, folder.path(QStringLiteral("KovarT.dat")));
    EXPECT_TRUE(p.message.contains(QStringLiteral("it is larger than %1 bytes (%2 bytes)")
                                       .arg(kConfigFileLimit)
                                       .arg(kConfigFileLimit + 1)))
        << p.text().toStdString();

    BoardFolder cards;
    ASSERT_TRUE(QFile::resize(cards.path(QStringLiteral("Fortune.crd")), kCardFileLimit));
    EXPECT_FALSE(cards.read().hasErrors());
    ASSERT_TRUE(QFile::resize(cards.path(QStringLiteral("Fortune.crd")), kCardFileLimit + 1));
    r = cards.read();
    EXPECT_TRUE(problemOf(r, cards.path(QStringLiteral("Fortune.crd")))
                    .message.contains(QStringLiteral("larger than")));

    const FileRead part = readRegularFile(cards.path(QStringLiteral("Treasure.crd")), 1 << 20, 10);
    EXPECT_TRUE(part.ok());
    EXPECT_EQ(part.bytes.size(), 10);
    EXPECT_EQ(part.size, kCardRecordSize * kCardsPerDeck);
}

// A plain file or an unreadable folder in place of Image/ is reported once per picture as
// what it is, not as each picture "not found"; paths never show a doubled separator.
TEST(FileLimits, BrokenPictureFolder) {
    BoardFolder plain;
    const QString image = plain.path(QStringLiteral("Image"));
    ASSERT_TRUE(QDir(image).removeRecursively());
    plain.writeBytes(QStringLiteral("Image"), "not a folder");
    BoardReadResult r = plain.read();
    ASSERT_FALSE(r.problems.empty());
    for (const BoardProblem& p : r.problems) {
        EXPECT_TRUE(p.message.contains(image + QStringLiteral(" is not a folder")))
            << p.text().toStdString();
        EXPECT_FALSE(p.text().contains(QStringLiteral("//"))) << p.text().toStdString();
        EXPECT_FALSE(p.message.contains(QStringLiteral("not found")));
    }

    if (::geteuid() != 0) {  // the superuser reads any folder
        BoardFolder locked;
        const QString folder = locked.path(QStringLiteral("Image"));
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0), 0);
        r = locked.read();
        ::chmod(QFile::encodeName(folder).constData(), 0700);
        ASSERT_FALSE(r.problems.empty());
        for (const BoardProblem& p : r.problems)
            EXPECT_TRUE(p.message.contains(QStringLiteral("cannot be read")) ||
                        p.message.contains(QStringLiteral("permission denied")))
                << p.text().toStdString();
    }

    // The game's own image folder ends with a separator.
    BoardFolder missing;
    QFile::remove(missing.path(QStringLiteral("Image/Hblocks.bmp")));
    BoardLocation where = fixture::boardFolderLocation(missing.dir());
    where.imageFolder += QLatin1Char('/');
    r = readBoard(where, false);
    ASSERT_EQ(r.problems.size(), 1u) << problemText(r).toStdString();
    EXPECT_EQ(r.problems[0].file, missing.path(QStringLiteral("Image/Hblocks.bmp")));
    EXPECT_FALSE(r.problems[0].text().contains(QStringLiteral("//")));
}

// A name that holds a NUL or another control character is refused by name, never handed to
// the system, which would stop it at the NUL; the message shows the character escaped.
TEST(FileLimits, ControlCharactersInNames) {
    EXPECT_EQ(boardNameProblem(QStringLiteral("Fortune.crd") + QChar(u'\0') + QStringLiteral("x")),
              QStringLiteral("the name holds a control character"));
    EXPECT_FALSE(readRegularFile(QStringLiteral("/etc/hostname") + QChar(u'\0'), 100).ok());

    BoardFolder folder;
    QStringList l = folder.lines();
    l[5] = QStringLiteral("\"Fort\x01une.crd\"");
    folder.writeLines(l);
    const BoardReadResult r = folder.read();
    ASSERT_TRUE(r.hasErrors());
    EXPECT_TRUE(r.errorText().contains(
        QStringLiteral("item 6 (card file 2): card file \"Fort\\x01une.crd\": the name holds a "
                       "control character")))
        << r.errorText().toStdString();
}

// The reader's messages name the card files by the path they were found at.
TEST(FileLimits, CardFilesAreNamedByTheirPaths) {
    BoardFolder folder;
    const BoardReadResult r = folder.read();
    ASSERT_TRUE(r.board);
    EXPECT_EQ(r.board->Deck1Path, folder.path(QStringLiteral("Treasure.crd")));
    EXPECT_EQ(r.board->Deck2Path, folder.path(QStringLiteral("Fortune.crd")));
}

}  // namespace
}  // namespace kroda
