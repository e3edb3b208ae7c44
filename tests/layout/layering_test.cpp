// The rooms of src/ stand in layers: model/ at the bottom reads nothing above it, the Game in
// game/ sits above every subsystem, the windows (widgets/), network play (network/) and the
// program (app/) sit above the Game and nothing in the engine reads them, no file of the game
// includes a tool's header, and no rooms include each other round a circle except through the
// Game's members.
// Includes are found as the compiler finds them, with or without a folder. These tests read
// the source tree itself.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct Include {
    QString file;    // relative to src/, e.g. "rules/landing.cpp"
    QString room;    // the including file's folder
    QString target;  // the included file relative to its tree, e.g. "model/game_state.h"
    QString targetRoom;
    bool fromHeader;
    bool intoTools;  // the included file lies under tools/
};

// Where a quoted include is found, as the compiler looks: beside the including file first,
// then in the include folders (src/, tools/ and each tool's own folder). Empty when nowhere,
// as for a generated header.
QString resolveInclude(const QString& root, const QString& includer, const QString& written) {
    QStringList folders{QFileInfo(includer).path(), root + QStringLiteral("/src"),
                        root + QStringLiteral("/tools")};
    const QDir tools(root + QStringLiteral("/tools"));
    for (const QString& tool : tools.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        folders << tools.filePath(tool);
    for (const QString& folder : folders) {
        const QString candidate = QDir::cleanPath(folder + QLatin1Char('/') + written);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

// Every include of a file of src/ that names a file of the project; `root` holds src/ and
// tools/.
std::vector<Include> projectIncludes(const QString& root) {
    static const QRegularExpression line(QStringLiteral(R"re(^\s*#\s*include\s*"([^"]+)")re"),
                                         QRegularExpression::MultilineOption);
    std::vector<Include> out;
    const QString src = root + QStringLiteral("/src");
    const QDir srcDir(src);
    const QDir rootDir(root);
    QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = srcDir.relativeFilePath(path);
        const QString room = rel.section(QLatin1Char('/'), 0, 0);
        if (room == rel)
            continue;  // a file at the top of src/ belongs to no room
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        auto m = line.globalMatch(text);
        while (m.hasNext()) {
            const QString found = resolveInclude(root, path, m.next().captured(1));
            if (found.isEmpty())
                continue;  // a library's header
            const QString fromRoot = rootDir.relativeFilePath(found);
            const bool intoTools = fromRoot.startsWith(QLatin1String("tools/"));
            const QString target = intoTools ? fromRoot : srcDir.relativeFilePath(found);
            out.push_back({rel, room, target, target.section(QLatin1Char('/'), 0, 0),
                           rel.endsWith(QLatin1String(".h")), intoTools});
        }
    }
    return out;
}

bool aboveTheEngine(const QString& room) {
    return room == QLatin1String("widgets") || room == QLatin1String("network") ||
           room == QLatin1String("app");
}

// Every broken rule, one line each; empty when the tree keeps its layers.
std::vector<std::string> layerViolations(const QString& root) {
    std::vector<std::string> problems;
    std::map<QString, std::set<QString>> roomEdges;
    for (const Include& i : projectIncludes(root)) {
        if (i.intoTools) {
            problems.push_back((i.file + QStringLiteral(" includes ") + i.target +
                                QStringLiteral(": the game never builds from a tool's folder"))
                                   .toStdString());
            continue;
        }
        if (i.room == QLatin1String("model") && i.targetRoom != QLatin1String("model"))
            problems.push_back((i.file + QStringLiteral(" includes ") + i.target +
                                QStringLiteral(": model/ includes only model/"))
                                   .toStdString());
        if (i.fromHeader && i.target == QLatin1String("game/game.h") &&
            i.room != QLatin1String("game") && !aboveTheEngine(i.room))
            problems.push_back((i.file + QStringLiteral(" includes game/game.h: only .cpp files "
                                                        "and game/ may"))
                                   .toStdString());
        if (aboveTheEngine(i.targetRoom) && !aboveTheEngine(i.room))
            problems.push_back((i.file + QStringLiteral(" includes ") + i.target +
                                QStringLiteral(": the engine never reads the windows or "
                                               "the network"))
                                   .toStdString());
        // The rooms define the Game's members, so their files include game/ freely.
        if (i.room != i.targetRoom && i.targetRoom != QLatin1String("game"))
            roomEdges[i.room].insert(i.targetRoom);
    }
    // A circle of rooms, found by a depth-first walk.
    std::map<QString, int> mark;  // 1 on the walk, 2 done
    std::vector<QString> walk;
    std::function<void(const QString&)> visit = [&](const QString& room) {
        mark[room] = 1;
        walk.push_back(room);
        for (const QString& next : roomEdges[room]) {
            if (mark[next] == 1) {
                QStringList circle;
                bool on = false;
                for (const QString& r : walk) {
                    on = on || r == next;
                    if (on)
                        circle << r;
                }
                circle << next;
                problems.push_back((QStringLiteral("rooms include each other: ") +
                                    circle.join(QStringLiteral(" -> ")))
                                       .toStdString());
            } else if (mark[next] == 0) {
                visit(next);
            }
        }
        walk.pop_back();
        mark[room] = 2;
    };
    for (const auto& [room, targets] : roomEdges) {
        if (mark[room] == 0)
            visit(room);
    }
    return problems;
}

void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(text);
}

TEST(Layering, TheEngineKeepsItsLayers) {
    const std::vector<std::string> problems = layerViolations(QStringLiteral(KRODA_SOURCE_DIR));
    std::string all;
    for (const std::string& p : problems) all += p + '\n';
    EXPECT_TRUE(problems.empty()) << all;
}

// The check itself finds each kind of break in a small tree made for it, and lets the
// includes it allows pass.
TEST(Layering, EachKindOfBreakIsFound) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    const QString src = root + "/src";
    writeFile(src + "/model/state.h", "#pragma once\n#include <QString>\n");
    writeFile(src + "/game/game.h", "#pragma once\n#include \"model/state.h\"\n");
    writeFile(src + "/rules/rule.cpp", "#include \"game/game.h\"\n");
    writeFile(src + "/rules/ledger.h", "#pragma once\n");
    writeFile(src + "/game/game.cpp", "#include \"rules/ledger.h\"\n");
    writeFile(src + "/dice/dice.h", "#pragma once\n#include \"model/state.h\"\n");
    writeFile(src + "/widgets/window.h", "#pragma once\n#include \"game/game.h\"\n");
    writeFile(src + "/network/host.h", "#pragma once\n#include \"model/state.h\"\n");
    writeFile(src + "/widgets/window.cpp", "#include \"window.h\"\n#include \"pictures.h\"\n");
    writeFile(src + "/widgets/pictures.h", "#pragma once\n");
    writeFile(root + "/tools/pictures/art.h", "#pragma once\n#include \"widgets/window.h\"\n");
    EXPECT_TRUE(layerViolations(root).empty());

    writeFile(src + "/model/reader.cpp", "#include \"rules/ledger.h\"\n");
    writeFile(src + "/screen/screen.h", "#include \"game/game.h\"\n");
    writeFile(src + "/sequencer/a.h", "#include \"platform/b.h\"\n");
    writeFile(src + "/platform/b.cpp", "  #  include \"sequencer/a.h\"\n");
    writeFile(src + "/platform/b.h", "#pragma once\n");
    writeFile(src + "/rules/sound.cpp", "#include \"widgets/window.h\"\n");
    writeFile(src + "/game/remote.cpp", "#include \"network/host.h\"\n");
    writeFile(src + "/widgets/frame.cpp", "#include \"art.h\"\n");
    const std::vector<std::string> problems = layerViolations(root);
    std::string all;
    for (const std::string& p : problems) all += p + '\n';
    ASSERT_EQ(problems.size(), 6u) << all;
    EXPECT_NE(all.find("model/reader.cpp includes rules/ledger.h"), std::string::npos) << all;
    EXPECT_NE(all.find("screen/screen.h includes game/game.h"), std::string::npos) << all;
    EXPECT_NE(all.find("platform -> sequencer -> platform"), std::string::npos) << all;
    EXPECT_NE(all.find("rules/sound.cpp includes widgets/window.h"), std::string::npos) << all;
    EXPECT_NE(all.find("game/remote.cpp includes network/host.h"), std::string::npos) << all;
    EXPECT_NE(all.find("widgets/frame.cpp includes tools/pictures/art.h"), std::string::npos)
        << all;
}

}  // namespace
