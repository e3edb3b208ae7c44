// The headless driver's script reader: commands, paths and values against a game of the
// default board. Whatever a script sets, the game must never fail inside the engine. Whole
// simulations and waits of more than ten virtual minutes are left out to keep each run short.

#include "fuzz_support.h"

#include "headless/script_runner.h"

#include <QRegularExpression>

#include <cstddef>
#include <cstdint>
#include <sstream>

namespace {

constexpr qlonglong kLongestWait = 10 * 60 * 1000;

// The script with its slow lines dropped or shortened.
std::string bounded(const QByteArray& input) {
    static const QRegularExpression timed(QStringLiteral("^\\s*(advance|wait|play)\\s+(\\S+)"));
    std::string out;
    for (const QByteArray& raw : input.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.trimmed().startsWith(QLatin1String("simulate")))
            continue;
        const auto m = timed.match(line);
        if (m.hasMatch()) {
            bool ok = false;
            const qlonglong ms = m.captured(2).toLongLong(&ok);
            if (ok && ms > kLongestWait)
                continue;
        }
        out += raw.toStdString();
        out += '\n';
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kroda;
    using namespace kroda::headless;
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::istringstream in(bounded(input));
    std::ostringstream out, err;
    RunnerOptions options;
    options.folder = fuzz::defaultBoardFolder();
    int status = 0;
    {
        ScriptRunner runner(options, out, err);
        status = runner.run(in, QStringLiteral("fuzz"));
    }
    if (status == ExitEngineFault)
        fuzz::finding(QStringLiteral("the game failed: ") + QString::fromStdString(err.str()));
    return 0;
}
