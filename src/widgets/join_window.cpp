#include "widgets/join_window.h"

#include "network/client_transport.h"
#include "network/protocol.h"
#include "widgets/file_dialogs.h"
#include "widgets/fonts.h"
#include "widgets/window_pictures.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>

namespace kroda::widgets {

namespace {

// The wizard's colours: a warm well on a dark wooden frame.
const QColor kFrame(74, 44, 24);
const QColor kWell(252, 244, 222);
const QColor kBand(250, 200, 60);

QToolButton* iconButton(const char* picture, const QString& tip, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setIcon(QIcon(QString::fromLatin1(picture)));
    b->setIconSize({16, 16});
    b->setFixedSize(32, 32);
    b->setToolTip(tip);
    b->setAutoRaise(false);
    return b;
}

}  // namespace

JoinWindow::JoinWindow(const JoinAnswer& known, QWidget* parent)
    : QWidget(parent, Qt::Dialog), known_(known) {
    setWindowTitle(QStringLiteral("เข้าร่วมเกมทางเครือข่าย"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QFont font = labelFont();
    setFont(font);

    auto* heading = new QLabel(QStringLiteral("เข้าร่วมเกมทางเครือข่าย"), this);
    heading->setTextFormat(Qt::PlainText);
    QFont bold = font;
    bold.setBold(true);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);
    heading->setFixedHeight(25);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto field = [&](const QString& label, const QString& value, int maxLength,
                           const QString& hint = {}) {
        auto* l = new QLabel(label, this);
        l->setTextFormat(Qt::PlainText);
        auto* e = new QLineEdit(value, this);
        e->setMaxLength(maxLength);
        e->setPlaceholderText(hint);
        grid->addWidget(l, row, 0);
        grid->addWidget(e, row, 1);
        ++row;
        return e;
    };
    if (known.address.isEmpty())
        address_ = field(QStringLiteral("ที่อยู่ของเจ้าของเกม"), {}, 255);
    if (known.code.isEmpty())
        code_ = field(QStringLiteral("รหัสเข้าร่วม"), {}, network::kMaxCodeLength);
    if (known.names.isEmpty()) {
        name_ = field(QStringLiteral("ชื่อผู้เล่น"), {}, network::kMaxNameLength);
        second_ = field(QStringLiteral("ชื่อผู้เล่นคนที่สอง"), {}, network::kMaxNameLength,
                        QStringLiteral("ถ้าเล่นสองคนที่เครื่องนี้"));
    }

    if (known.certificateFile.isEmpty()) {
        auto* l = new QLabel(QStringLiteral("ใบรับรองของเจ้าของเกม"), this);
        l->setTextFormat(Qt::PlainText);
        certificate_ = new QLabel(QStringLiteral("(ใช้กับ wss:// เท่านั้น)"), this);
        certificate_->setTextFormat(Qt::PlainText);
        auto* choose = new QToolButton(this);
        choose->setText(QStringLiteral("เลือก…"));
        connect(choose, &QToolButton::clicked, this, [this] { chooseCertificate(); });
        auto* chooser = new QHBoxLayout;
        chooser->addWidget(certificate_, 1);
        chooser->addWidget(choose);
        grid->addWidget(l, row, 0);
        grid->addLayout(chooser, row, 1);
    }

    problem_ = new QLabel(this);
    problem_->setTextFormat(Qt::PlainText);
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b01010;"));

    auto* ok = iconButton(windowpictures::kWizardNext, QStringLiteral("เข้าร่วม"), this);
    auto* cancel = iconButton(windowpictures::kWizardClose, QStringLiteral("ยกเลิก"), this);
    connect(ok, &QToolButton::clicked, this, [this] { join(); });
    connect(cancel, &QToolButton::clicked, this, [this] { close(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(problem_, 1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 10, 16, 12);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setFixedSize(360, sizeHint().height() + 8);
    for (QLineEdit* e : {address_, code_, name_, second_})
        if (e) {
            e->setFocus();
            break;
        }
}

void JoinWindow::join() {
    JoinAnswer a = known_;
    if (address_)
        a.address = address_->text().trimmed();
    if (code_)
        a.code = code_->text().trimmed();
    if (!network::joinUrl(a.address)) {
        problem_->setText(QStringLiteral("ที่อยู่ไม่ถูกต้อง"));
        return;
    }
    if (a.code.isEmpty()) {
        problem_->setText(QStringLiteral("กรุณาใส่รหัสเข้าร่วม"));
        return;
    }
    if (name_) {
        // An empty second box: one person plays here.
        QStringList typed{name_->text()};
        if (!second_->text().trimmed().isEmpty())
            typed << second_->text();
        const auto names = network::plainNames(typed);
        if (const auto* problem = std::get_if<network::NameProblem>(&names)) {
            const QString wrong = typed[problem->index].trimmed();
            if (problem->twice)
                problem_->setText(QStringLiteral("ชื่อของสองคนต้องไม่ซ้ำกัน"));
            else if (wrong.isEmpty() || wrong.size() > network::kMaxNameLength)
                problem_->setText(QStringLiteral("ชื่อยาวได้ไม่เกิน 12 ตัวอักษร และต้องไม่ว่าง"));
            else
                problem_->setText(QStringLiteral("ชื่อต้องไม่มีอักขระพิเศษ"));
            return;
        }
        a.names = std::get<QStringList>(names);
    }
    if (!a.certificateFile.isEmpty()) {
        if (const auto problem = network::certificateFileProblem(a.certificateFile)) {
            std::fprintf(stderr, "kroda: %s\n", problem->toUtf8().constData());
            problem_->setText(QStringLiteral("อ่านใบรับรองจากไฟล์นี้ไม่ได้"));
            return;
        }
    }
    answered_ = true;
    if (accepted)
        accepted(a);
    close();
}

void JoinWindow::chooseCertificate() {
    showFileDialog(this,
                   {FileDialogKind::Open,
                    QStringLiteral("ใบรับรองของเจ้าของเกม"),
                    QStringLiteral("ใบรับรอง (PEM)|*.pem;*.crt;*.cer"),
                    QDir::homePath(),
                    {}},
                   [this](const QString& file) {
                       if (!file.isEmpty())
                           certificateChosen(file);
                   });
}

void JoinWindow::certificateChosen(const QString& file) {
    known_.certificateFile = file;
    if (certificate_)
        certificate_->setText(QFileInfo(file).fileName());
}

QString JoinWindow::problem() const {
    return problem_->text();
}

void JoinWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kFrame);
    const QRect well = rect().adjusted(6, 6, -6, -6);
    p.fillRect(well, kWell);
    p.fillRect(QRect(well.left(), well.top(), well.width(), 29), kBand);
}

void JoinWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        join();
    else if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void JoinWindow::closeEvent(QCloseEvent* event) {
    if (!answered_) {
        answered_ = true;
        if (cancelled)
            cancelled();
    }
    QWidget::closeEvent(event);
}

}  // namespace kroda::widgets
