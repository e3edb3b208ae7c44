// The about window: its texts and its one working button.
#include "frontend/about_window.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace kroda {
namespace {

// Heading, nine read-only lines naming the project and what it is built on, centred 400 x 400.
TEST(About, TextsAndPlace) {
    About about(QStringLiteral("/g/RsCommon/"), QStringLiteral("/g"), 1024, 768);
    const AboutWindow& w = about.window;
    EXPECT_EQ(w.Caption, QStringLiteral("เกี่ยวกับซอฟต์แวร์เกมส์Kroda"));
    EXPECT_EQ(w.Geometry, (Rect{312, 184, 400, 400}));
    EXPECT_EQ(w.Picture, QStringLiteral("/g/RsCommon/About.bmp"));
    EXPECT_EQ(w.LblATitle.Caption, QStringLiteral("เกมKroda Version 2.0 Final"));
    EXPECT_TRUE(w.TxtAboutLocked);
    const QStringList lines = w.TxtAbout.Text.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.size(), 9);
    for (const char* name : {"Kroda", "Qt", "FluidSynth", "TimGM6mb", "TLWG"})
        EXPECT_TRUE(w.TxtAbout.Text.contains(QLatin1String(name))) << name;
    EXPECT_EQ(w.ImgButtonA[1].Text.Caption, QStringLiteral("ปิดหน้าต่าง"));
    EXPECT_EQ(w.ImgButtonA[1].Button.Geometry, (Rect{152, 312, 100, 35}));
    EXPECT_EQ(w.ImgButtonA[1].Text.Geometry.Left, 160);
    EXPECT_FALSE(w.ImgButtonA[0].Button.Visible);
    EXPECT_FALSE(w.ImgButtonA[0].Text.Visible);
}

// The close button closes once, after its click; the hidden button never acts; Escape closes.
TEST(About, CloseAfterTheClick) {
    About about(QStringLiteral("/g/RsCommon/"), QStringLiteral("/g"), 640, 480);
    int closes = 0;
    int clicks = 0;
    std::function<void()> pending;
    about.closed = [&] { ++closes; };
    about.playClick = [&](const QString&, std::function<void()> done) {
        ++clicks;
        pending = std::move(done);
    };
    about.ImgButtonA_MouseDown(0);
    EXPECT_EQ(clicks, 0);
    about.ImgButtonA_MouseDown(1);
    EXPECT_EQ(closes, 0);
    about.ImgButtonA_MouseMove(1, true);
    about.ImgButtonA_MouseDown(1);
    EXPECT_EQ(clicks, 1);
    pending();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(about.isClosed());
    about.ImgButtonA_MouseUp(1);
    about.ImgButtonA_MouseDown(1);
    EXPECT_EQ(clicks, 1) << "a closed window takes no more presses";

    About again(QStringLiteral("/g/RsCommon/"), QStringLiteral("/g"), 640, 480);
    again.closed = [&] { ++closes; };
    again.keyPressed(27);
    EXPECT_EQ(closes, 2);
}

}  // namespace
}  // namespace kroda
