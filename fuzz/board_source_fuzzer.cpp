// The board source compiler (kroda-board build): any source is parsed; one it accepts is
// written out and read back, and the reader must accept the configuration and card files
// that the compiler wrote.

#include "fuzz_support.h"

#include "board/board_source.h"
#include "board/board_writer.h"
#include "model/board_reader.h"

#include <QDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kroda;
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SourceParseResult parsed = parseBoardSource(input, QStringLiteral("fuzz.kroda"));
    if (!parsed.source)
        return 0;
    const QString out = fuzz::scratchFolder() + QStringLiteral("/built");
    QDir(out).removeRecursively();
    const QStringList errors = writeBoardFiles(*parsed.source, out);
    if (!errors.isEmpty())
        return 0;  // a name the file system cannot hold, such as two files in one
    const BoardReadResult r = readBoard(
        {out + QStringLiteral("/KovarT.dat"), out, out + QStringLiteral("/Image")}, false);
    // The pictures are not the compiler's; everything it wrote must read cleanly.
    const QString config = out + QStringLiteral("/KovarT.dat");
    for (const BoardProblem& p : r.problems) {
        if (!p.warning && p.file == config && !p.message.contains(QLatin1String("picture")))
            fuzz::finding(QStringLiteral("the compiler wrote a board the reader refuses: ") +
                          p.text());
        if (!p.warning && p.file.endsWith(QLatin1String(".crd")))
            fuzz::finding(QStringLiteral("the compiler wrote a card file the reader refuses: ") +
                          p.text());
    }
    return 0;
}
