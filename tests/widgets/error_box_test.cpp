// A file's message box shows the names of files and folders as they are, even when they
// look like markup.
#include "widgets/error_box.h"

#include <QMessageBox>

#include <gtest/gtest.h>

#include <memory>

namespace kroda::widgets {
namespace {

TEST(ErrorBox, NamesThatLookLikeMarkupStayPlainText) {
    const QString text =
        QStringLiteral("<b>boards</b>/&amp;/KovarT.dat line 3: a price is missing");
    std::unique_ptr<QMessageBox> box(makeErrorBox(QStringLiteral("Kroda"), text));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->text(), text);
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
}

}  // namespace
}  // namespace kroda::widgets
