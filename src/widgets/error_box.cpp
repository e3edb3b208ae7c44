#include "widgets/error_box.h"

#include <QMessageBox>

namespace kroda::widgets {

QMessageBox* makeErrorBox(const QString& title, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Critical, title, text, QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

void showErrorBox(const QString& title, const QString& text) {
    makeErrorBox(title, text)->exec();
}

}  // namespace kroda::widgets
