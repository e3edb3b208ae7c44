#include "widgets/error_box.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <cstdio>

namespace kroda::widgets {

QMessageBox* makeErrorBox(const QString& title, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Critical, title, text, QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("ตกลง"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

void reportFault(const QString& line, bool box) {
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
    if (box)
        makeErrorBox(QStringLiteral("Kroda"), line)->exec();
}

}  // namespace kroda::widgets
