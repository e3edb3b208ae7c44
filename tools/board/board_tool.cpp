#include "board/board_tool.h"

#include "board/board_dump.h"
#include "board/board_source.h"
#include "board/board_warnings.h"
#include "board/board_writer.h"
#include "board/manual_figures.h"
#include "model/board_reader.h"
#include "model/game_files.h"
#include "model/message_text.h"
#include "model/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kroda {

namespace {

const char* const kUsage =
    "usage: kroda-board build SOURCE OUTDIR   compile a board source (UTF-8) into OUTDIR:\n"
    "                                         KovarT.dat and the two card files\n"
    "       kroda-board check FOLDER          load FOLDER/KovarT.dat as the game does (cards\n"
    "                                         from FOLDER, pictures from FOLDER/Image) and\n"
    "                                         report every error and warning\n"
    "       kroda-board dump FOLDER           print the board of FOLDER as board source\n"
    "       kroda-board manual SOURCE PAGE OUT  write PAGE with the figures of the board\n"
    "                                         source filled in (see manual_figures.h)\n"
    "       kroda-board --help                this text\n"
    "exit status: 0 done, 1 the board has errors, 2 bad usage\n";

BoardLocation folderLocation(const QString& folder) {
    return {boardFile(folder), folder, folder + QStringLiteral("/Image")};
}

int build(const QString& sourcePath, const QString& outDir, QTextStream& out, QTextStream& err) {
    const FileRead file = readRegularFile(sourcePath, kBoardSourceLimit);
    if (!file.ok()) {
        err << escapeControls(sourcePath) << ": cannot be read: " << file.error << '\n';
        return 1;
    }
    const SourceParseResult parsed = parseBoardSource(file.bytes, sourcePath);
    for (const QString& e : parsed.errors) err << escapeControls(e) << '\n';
    if (!parsed.source) {
        err << sourcePath << ": no board written\n";
        return 1;
    }
    const QStringList errors = writeBoardFiles(*parsed.source, outDir);
    for (const QString& e : errors) err << e << '\n';
    if (!errors.isEmpty())
        return 1;
    out << "wrote KovarT.dat, " << parsed.source->treasureFile << " and "
        << parsed.source->fortuneFile << " to " << outDir << '\n';
    return 0;
}

int check(const QString& folder, QTextStream& out) {
    const BoardReadResult result = readBoard(folderLocation(folder), false);
    std::vector<BoardProblem> problems = result.problems;
    if (result.board) {
        const auto more = boardWarnings(*result.board);
        problems.insert(problems.end(), more.begin(), more.end());
    }
    int errors = 0;
    for (const BoardProblem& p : problems) {
        out << p.text() << '\n';
        errors += p.warning ? 0 : 1;
    }
    const int warnings = static_cast<int>(problems.size()) - errors;
    if (problems.empty())
        out << "no problems\n";
    else
        out << errors << (errors == 1 ? " error, " : " errors, ") << warnings
            << (warnings == 1 ? " warning\n" : " warnings\n");
    return errors == 0 ? 0 : 1;
}

int dump(const QString& folder, QTextStream& out, QTextStream& err) {
    const BoardReadResult result = readBoard(folderLocation(folder), false);
    if (result.hasErrors()) {
        err << result.errorText() << '\n';
        return 1;
    }
    out << dumpBoardSource(*result.board);
    return 0;
}

int manual(const QString& sourcePath, const QString& pagePath, const QString& outPath,
           QTextStream& err) {
    QFile sourceFile(sourcePath);
    QFile pageFile(pagePath);
    if (!sourceFile.open(QIODevice::ReadOnly)) {
        err << sourcePath << ": cannot be read: " << sourceFile.errorString() << '\n';
        return 1;
    }
    if (!pageFile.open(QIODevice::ReadOnly)) {
        err << pagePath << ": cannot be read: " << pageFile.errorString() << '\n';
        return 1;
    }
    const SourceParseResult parsed = parseBoardSource(sourceFile.readAll(), sourcePath);
    for (const QString& e : parsed.errors) err << e << '\n';
    if (!parsed.source)
        return 1;
    const ManualFillResult filled =
        fillManual(*parsed.source, QString::fromUtf8(pageFile.readAll()), pagePath);
    for (const QString& e : filled.errors) err << e << '\n';
    if (!filled.errors.isEmpty())
        return 1;
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(filled.page.toUtf8()) < 0 || !out.commit()) {
        err << outPath << ": cannot be written: " << out.errorString() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int runBoardTool(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() == 1 &&
        (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
        out << kUsage;
        return 0;
    }
    const QString command = args.value(0);
    if (command == QLatin1String("build") && args.size() == 3)
        return build(args[1], args[2], out, err);
    if (command == QLatin1String("check") && args.size() == 2)
        return check(args[1], out);
    if (command == QLatin1String("dump") && args.size() == 2)
        return dump(args[1], out, err);
    if (command == QLatin1String("manual") && args.size() == 4)
        return manual(args[1], args[2], args[3], err);
    err << kUsage;
    return 2;
}

}  // namespace kroda
