#include "driver_harness.h"

#include "support/fixture_board.h"

#include <QTemporaryDir>

#include <sstream>

namespace kroda::headless::testing {

ScriptOutcome runScript(const std::string& script, const QString& folder, bool narration) {
    std::istringstream in(script);
    std::ostringstream out, err;
    RunnerOptions options;
    options.folder = folder;
    options.narration = narration;
    ScriptOutcome r;
    {
        ScriptRunner runner(options, out, err);
        r.status = runner.run(in, QStringLiteral("test"));
    }
    r.out = out.str();
    r.err = err.str();
    return r;
}

const QString& boardFolder() {
    static QTemporaryDir dir;
    static const QString path = [] {
        fixture::makeBoardFolder(dir.path(), fixture::defaultBoardSource());
        return dir.path();
    }();
    return path;
}

const QString& emptyFolder() {
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

}  // namespace kroda::headless::testing
