// The player's manual as it lies in the game folder: present, current, readable by any browser
// without scripts or downloads, and with every section of the rules in place.

#include "board/board_source.h"
#include "board/manual_figures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <utility>
#include <vector>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

QString builtPath() {
    return QStringLiteral(KRODA_GAME_DIR "/help/help.htm");
}

QString manualText() {
    return QString::fromUtf8(readAll(builtPath()));
}

// Every tag's name, lower-cased, with a leading '/' for end tags; comments, the doctype and the
// insides of <style> are skipped.
QStringList tagsOf(const QString& html) {
    QStringList tags;
    static const QRegularExpression tag(QStringLiteral("<(/?)([A-Za-z][A-Za-z0-9]*)[^>]*>"));
    qsizetype pos = 0;
    while ((pos = html.indexOf(QLatin1Char('<'), pos)) >= 0) {
        if (html.mid(pos, 4) == QLatin1String("<!--")) {
            const qsizetype end = html.indexOf(QLatin1String("-->"), pos + 4);
            pos = end < 0 ? html.size() : end + 3;
            continue;
        }
        const QRegularExpressionMatch m = tag.match(html, pos, QRegularExpression::NormalMatch,
                                                    QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch()) {
            ++pos;
            continue;
        }
        const QString name = m.captured(2).toLower();
        tags << m.captured(1) + name;
        pos = m.capturedEnd();
        if (name == QLatin1String("style") && m.captured(1).isEmpty()) {
            const qsizetype end = html.indexOf(QLatin1String("</style"), pos, Qt::CaseInsensitive);
            pos = end < 0 ? html.size() : end;
        }
    }
    return tags;
}

}  // namespace

// The build puts the manual into the game folder's "help" folder with the default board's
// figures filled in, and the page there is the current one, not one left from an earlier build.
TEST(Manual, GameFolderHoldsTheCurrentPage) {
    const QByteArray built = readAll(builtPath());
    ASSERT_FALSE(built.isEmpty()) << "missing or empty: " << builtPath().toStdString();
    const QString boardPath = QStringLiteral(KRODA_SOURCE_DIR "/data/default-board.kroda");
    const kroda::SourceParseResult board = kroda::parseBoardSource(readAll(boardPath), boardPath);
    ASSERT_TRUE(board.source) << board.errors.join(QLatin1Char('\n')).toStdString();
    const QString page =
        QString::fromUtf8(readAll(QStringLiteral(KRODA_SOURCE_DIR "/data/help/help.htm")));
    const kroda::ManualFillResult filled =
        kroda::fillManual(*board.source, page, QStringLiteral("help.htm"));
    EXPECT_TRUE(filled.errors.isEmpty()) << filled.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(QString::fromUtf8(built), filled.page);
    EXPECT_FALSE(built.contains("{{"));
}

// The page is UTF-8 throughout, declares it where browsers look for it (the first 1024 bytes),
// and is marked as Thai.
TEST(Manual, IsThaiUtf8AndDeclaresIt) {
    const QByteArray bytes = readAll(builtPath());
    ASSERT_FALSE(bytes.isEmpty());
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    EXPECT_FALSE(decoder.hasError()) << "not valid UTF-8";
    EXPECT_TRUE(bytes.left(1024).toLower().contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(text.startsWith(QLatin1String("<!DOCTYPE html>")));
    EXPECT_TRUE(text.contains(QLatin1String("<html lang=\"th\">")));
}

// The page runs nothing and fetches nothing: no scripts or event handlers, no embedded objects,
// and every link or source is an anchor or a relative path inside the game folder.
TEST(Manual, RunsNoScriptAndFetchesNothing) {
    const QString html = manualText();
    ASSERT_FALSE(html.isEmpty());
    for (const char* banned :
         {"<script", "javascript:", "<iframe", "<object", "<embed", "<link", "@import", "url("}) {
        EXPECT_FALSE(html.contains(QLatin1String(banned), Qt::CaseInsensitive)) << banned;
    }
    static const QRegularExpression handler(QStringLiteral("<[^>]*\\son[a-z]+\\s*="),
                                            QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(handler.match(html).hasMatch()) << "event handler attribute";

    static const QRegularExpression reference(
        QStringLiteral("\\s(?:src|href)\\s*=\\s*\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    for (auto it = reference.globalMatch(html); it.hasNext();) {
        const QString target = it.next().captured(1);
        EXPECT_FALSE(target.contains(QLatin1Char(':')) || target.startsWith(QLatin1String("//")))
            << "points outside the game folder: " << target.toStdString();
    }
}

// Every element that is opened is closed again, in order, so no later section is swallowed by
// an unclosed table or list.
TEST(Manual, MarkupIsBalanced) {
    static const QSet<QString> voidElements = {QStringLiteral("br"), QStringLiteral("meta"),
                                               QStringLiteral("hr"), QStringLiteral("img"),
                                               QStringLiteral("wbr")};
    const QStringList tags = tagsOf(manualText());
    ASSERT_FALSE(tags.isEmpty());
    QStringList open;
    for (const QString& t : tags) {
        if (t.startsWith(QLatin1Char('/'))) {
            ASSERT_FALSE(open.isEmpty()) << "stray end tag " << t.toStdString();
            ASSERT_EQ(open.last(), t.mid(1))
                << "end tag " << t.toStdString() << " closes <" << open.last().toStdString() << ">";
            open.removeLast();
        } else if (!voidElements.contains(t)) {
            open << t;
        }
    }
    EXPECT_TRUE(open.isEmpty()) << "left open: " << open.join(QLatin1Char(' ')).toStdString();
}

// Each section of the rules is on the page under its heading, and the table of contents leads
// to it.
TEST(Manual, EveryRuleSectionIsPresentAndListed) {
    const std::vector<std::pair<const char*, const char*>> sections = {
        {"goal", "เป้าหมายของเกม"},
        {"start", "การเปิดโปรแกรมและหน้าจอแรก"},
        {"setup", "การตั้งเกมใหม่"},
        {"keys", "ปุ่มของผู้เล่น"},
        {"screen", "หน้าจอเกม"},
        {"narrator", "นายเหลือง ผู้บรรยาย"},
        {"order", "การโยนลูกเต๋าจัดอันดับ"},
        {"turn", "การเล่นในแต่ละตา"},
        {"squares", "ช่องต่าง ๆ บนกระดาน"},
        {"buying", "การซื้อที่ดิน"},
        {"building", "การสร้างบ้านและโรงแรม"},
        {"rent", "ค่าเช่า"},
        {"cards", "บัตรทรัพย์สมบัติและบัตรโชคชะตา"},
        {"money", "เงิน"},
        {"bankrupt", "การล้มละลายและผู้ชนะ"},
        {"computer", "ผู้เล่นคอมพิวเตอร์"},
        {"toolbar", "แถบเครื่องมือ"},
        {"deed", "บัตรโฉนด"},
    };
    const QString html = manualText();
    ASSERT_FALSE(html.isEmpty());
    for (const auto& [id, heading] : sections) {
        const QString title = QString::fromUtf8(heading);
        EXPECT_TRUE(
            html.contains(QStringLiteral("<h2 id=\"%1\">%2</h2>").arg(QLatin1String(id), title)))
            << "no section " << id;
        EXPECT_TRUE(
            html.contains(QStringLiteral("<a href=\"#%1\">%2</a>").arg(QLatin1String(id), title)))
            << "not in the contents: " << id;
    }
}

// Every link inside the page lands on an element that exists, and no two elements share an id.
TEST(Manual, InPageLinksLandSomewhere) {
    const QString html = manualText();
    ASSERT_FALSE(html.isEmpty());
    static const QRegularExpression idAttr(QStringLiteral("\\sid=\"([^\"]+)\""));
    QSet<QString> ids;
    for (auto it = idAttr.globalMatch(html); it.hasNext();) {
        const QString id = it.next().captured(1);
        EXPECT_FALSE(ids.contains(id)) << "id used twice: " << id.toStdString();
        ids.insert(id);
    }
    static const QRegularExpression anchor(QStringLiteral("href=\"#([^\"]*)\""));
    int links = 0;
    for (auto it = anchor.globalMatch(html); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        EXPECT_TRUE(ids.contains(target)) << "link to a missing anchor #" << target.toStdString();
    }
    EXPECT_GT(links, 0);
}
