// The rooms of src/ stand in layers: model/ at the bottom reads nothing above it, the Game in
// game/ sits above every subsystem, the windows (widgets/), network play (network/) and the
// program (app/) sit above the Game and nothing in the engine reads them, and no two rooms'
// headers include each other round a circle. These tests read the source tree itself.

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
    QString target;  // as written, e.g. "model/game_state.h"
    QString targetRoom;
    bool fromHeader;
};

std::vector<Include> projectIncludes(const QString& src) {
    static const QRegularExpression line(
        QStringLiteral(R"re(^\s*#\s*include\s*"([^"/]+)/([^"]+)")re"),
        QRegularExpression::MultilineOption);
    std::vector<Include> out;
    const QDir root(src);
    QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = root.relativeFilePath(path);
        const QString room = rel.section(QLatin1Char('/'), 0, 0);
        if (room == rel)
            continue;  // a file at the top of src/ belongs to no room
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        auto m = line.globalMatch(text);
        while (m.hasNext()) {
            const auto hit = m.next();
            const QString targetRoom = hit.captured(1);
            if (!QFileInfo::exists(src + QLatin1Char('/') + targetRoom))
                continue;  // a library's header, not a room's
            out.push_back({rel, room, targetRoom + QLatin1Char('/') + hit.captured(2), targetRoom,
                           rel.endsWith(QLatin1String(".h"))});
        }
    }
    return out;
}

bool aboveTheEngine(const QString& room) {
    return room == QLatin1String("widgets") || room == QLatin1String("network") ||
           room == QLatin1String("app");
}

// Every broken rule, one line each; empty when the tree keeps its layers.
std::vector<std::string> layerViolations(const QString& src) {
    std::vector<std::string> problems;
    std::map<QString, std::set<QString>> headerEdges;
    for (const Include& i : projectIncludes(src)) {
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
        if (i.fromHeader && i.room != i.targetRoom)
            headerEdges[i.room].insert(i.targetRoom);
    }
    // A circle of rooms through their headers, found by a depth-first walk.
    std::map<QString, int> mark;  // 1 on the walk, 2 done
    std::vector<QString> walk;
    std::function<void(const QString&)> visit = [&](const QString& room) {
        mark[room] = 1;
        walk.push_back(room);
        for (const QString& next : headerEdges[room]) {
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
    for (const auto& [room, targets] : headerEdges) {
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
    const std::vector<std::string> problems =
        layerViolations(QStringLiteral(KRODA_SOURCE_DIR "/src"));
    std::string all;
    for (const std::string& p : problems) all += p + '\n';
    EXPECT_TRUE(problems.empty()) << all;
}

// The check itself finds each kind of break in a small tree made for it, and lets the
// includes it allows pass.
TEST(Layering, EachKindOfBreakIsFound) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString src = dir.path();
    writeFile(src + "/model/state.h", "#pragma once\n#include <QString>\n");
    writeFile(src + "/game/game.h", "#pragma once\n#include \"model/state.h\"\n");
    writeFile(src + "/rules/rule.cpp", "#include \"game/game.h\"\n");
    writeFile(src + "/dice/dice.h", "#pragma once\n#include \"model/state.h\"\n");
    writeFile(src + "/widgets/window.h", "#pragma once\n#include \"game/game.h\"\n");
    writeFile(src + "/network/host.h", "#pragma once\n#include \"model/state.h\"\n");
    EXPECT_TRUE(layerViolations(src).empty());

    writeFile(src + "/model/reader.cpp", "#include \"dice/dice.h\"\n");
    writeFile(src + "/screen/screen.h", "#include \"game/game.h\"\n");
    writeFile(src + "/sequencer/a.h", "#include \"platform/b.h\"\n");
    writeFile(src + "/platform/b.h", "  #  include \"sequencer/a.h\"\n");
    writeFile(src + "/rules/sound.cpp", "#include \"widgets/window.h\"\n");
    writeFile(src + "/game/remote.cpp", "#include \"network/host.h\"\n");
    const std::vector<std::string> problems = layerViolations(src);
    ASSERT_EQ(problems.size(), 5u);
    std::string all;
    for (const std::string& p : problems) all += p + '\n';
    EXPECT_NE(all.find("model/reader.cpp includes dice/dice.h"), std::string::npos) << all;
    EXPECT_NE(all.find("screen/screen.h includes game/game.h"), std::string::npos) << all;
    EXPECT_NE(all.find("platform -> sequencer -> platform"), std::string::npos) << all;
    EXPECT_NE(all.find("rules/sound.cpp includes widgets/window.h"), std::string::npos) << all;
    EXPECT_NE(all.find("game/remote.cpp includes network/host.h"), std::string::npos) << all;
}

}  // namespace
