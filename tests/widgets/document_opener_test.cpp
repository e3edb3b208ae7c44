// The manual opens with the desktop's handler, which is given the file's address and whose
// complaints stay out of the game's output; a missing manual is ignored.
#include "widgets/document_opener.h"

#include "support/wait_until.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kroda::widgets {
namespace {

class FakeHandler : public ::testing::Test {
  protected:
    void SetUp() override {
        savedPath_ = qgetenv("PATH");
        const QString script = dir_.filePath(QStringLiteral("xdg-open"));
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho \"$1\" >\"$(dirname \"$0\")/opened\"\necho complaint >&2\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", QFile::encodeName(dir_.path()) + ':' + savedPath_);
    }
    void TearDown() override { qputenv("PATH", savedPath_); }

    QString opened() const {
        QFile f(dir_.filePath(QStringLiteral("opened")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    }

    QTemporaryDir dir_;
    QByteArray savedPath_;
};

TEST_F(FakeHandler, TheManualGoesToTheHandlerAndAMissingOneIsIgnored) {
    EXPECT_FALSE(openDocument(dir_.filePath(QStringLiteral("help/help.htm"))));
    EXPECT_FALSE(openDocument(dir_.path()));
    QTest::qWait(200);
    EXPECT_TRUE(opened().isEmpty());

    const QString manual = dir_.filePath(QStringLiteral("help.htm"));
    QFile f(manual);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(openDocument(manual));
    testing::waitUntil([&] { return !opened().isEmpty(); }, 5000, "the handler");
    EXPECT_EQ(opened(), QStringLiteral("file://") + manual);
}

}  // namespace
}  // namespace kroda::widgets
