// The join window asks for one name or two, typed as a person types them: a first name alone
// is one person, a second one is a second person at this machine with a seat of his own; names
// are trimmed, and a missing first name, one that could be read as markup or the same name
// twice is refused in the window, which then answers nothing. Names the command line gave are
// not asked for again.
#include "widgets/join_window.h"

#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace kroda::widgets {
namespace {

const QString kAddress = QStringLiteral("192.168.1.20");
const QString kCode = QStringLiteral("QRST2345");

// Key by key, as a Thai keyboard gives them: each key press carries its character.
void type(QLineEdit* field, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

TEST(JoinWindow, OneNameOrTwoEachPlainAndDifferent) {
    const QString empty = QStringLiteral("ชื่อยาวได้ไม่เกิน 12 ตัวอักษร และต้องไม่ว่าง");
    const QString twice = QStringLiteral("ชื่อของสองคนต้องไม่ซ้ำกัน");
    const struct {
        QString first, second;
        QStringList names;  // the answer, or
        QString problem;    // what the window says instead
    } cases[] = {
        {QStringLiteral("ยาย"), {}, {QStringLiteral("ยาย")}, {}},
        {QStringLiteral("  ยาย "),
         QStringLiteral(" ตา  "),
         {QStringLiteral("ยาย"), QStringLiteral("ตา")},
         {}},
        {QStringLiteral("ยาย"), QStringLiteral("   "), {QStringLiteral("ยาย")}, {}},
        {{}, QStringLiteral("ตา"), {}, empty},
        {QStringLiteral("   "), {}, {}, empty},
        {QStringLiteral("ยาย"), QStringLiteral(" ยาย"), {}, twice},
        // Names are plain text: what looks like markup is a name like any other.
        {QStringLiteral("<b>ยาย</b>"),
         QStringLiteral("ตา>"),
         {QStringLiteral("<b>ยาย</b>"), QStringLiteral("ตา>")},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first.toStdString() + " / " + c.second.toStdString());
        QPointer<JoinWindow> w = new JoinWindow({kAddress, kCode, {}, {}});
        std::optional<JoinAnswer> answer;
        w->accepted = [&](const JoinAnswer& a) { answer = a; };
        w->show();
        ASSERT_EQ(w->addressField(), nullptr);
        ASSERT_EQ(w->codeField(), nullptr);
        ASSERT_NE(w->nameField(), nullptr);
        ASSERT_NE(w->secondNameField(), nullptr);
        type(w->nameField(), c.first);
        type(w->secondNameField(), c.second);
        QTest::keyClick(w->secondNameField(), Qt::Key_Return);
        if (c.problem.isEmpty()) {
            ASSERT_TRUE(answer);
            EXPECT_EQ(answer->names, c.names);
            EXPECT_EQ(answer->address, kAddress);
            EXPECT_EQ(answer->code, kCode);
        } else {
            EXPECT_FALSE(answer);
            ASSERT_TRUE(w);
            EXPECT_EQ(w->problem(), c.problem);
            EXPECT_TRUE(w->isVisible());
        }
        delete w;
    }

    // Names already given: only the code is asked for, and the names come back as given.
    QPointer<JoinWindow> w =
        new JoinWindow({kAddress, {}, {QStringLiteral("ยาย"), QStringLiteral("ตา")}, {}});
    std::optional<JoinAnswer> answer;
    w->accepted = [&](const JoinAnswer& a) { answer = a; };
    w->show();
    EXPECT_EQ(w->nameField(), nullptr);
    EXPECT_EQ(w->secondNameField(), nullptr);
    ASSERT_NE(w->codeField(), nullptr);
    QTest::keyClicks(w->codeField(), kCode);
    QTest::keyClick(w->codeField(), Qt::Key_Return);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->names, (QStringList{QStringLiteral("ยาย"), QStringLiteral("ตา")}));
    delete w;
}

}  // namespace
}  // namespace kroda::widgets
