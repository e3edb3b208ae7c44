#include "widgets/wizard_window.h"

#include "model/codes.h"
#include "widgets/fonts.h"
#include "widgets/window_pictures.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

namespace kroda::widgets {

namespace {

const char* const kIcons[4] = {windowpictures::kWizardDescription, windowpictures::kWizardClose,
                               windowpictures::kWizardBack, windowpictures::kWizardNext};
constexpr Long kPageColour = 0xF4F4F4;

QFont bandFont() {
    QFont font = labelFont();
    font.setPixelSize(22);
    font.setBold(true);
    return font;
}

QFont questionFont() {
    QFont font = labelFont();
    font.setPixelSize(16);
    font.setBold(true);
    return font;
}

// An option button or a check box: its mark, then its caption.
void paintChoice(ControlPainter& painter, const Rect& r, const QString& caption, bool value,
                 bool round, bool enabled = true) {
    QPainter& p = painter.painter();
    const QRect mark(r.Left + 2, r.Top + (r.Height - 15) / 2, 15, 15);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    if (round)
        p.drawEllipse(mark);
    else
        p.drawRect(mark);
    if (value) {
        p.setBrush(Qt::black);
        if (round) {
            p.drawEllipse(mark.adjusted(4, 4, -4, -4));
        } else {
            QPen pen(Qt::black, 2);
            p.setPen(pen);
            p.drawLine(mark.left() + 3, mark.center().y(), mark.center().x() - 1,
                       mark.bottom() - 3);
            p.drawLine(mark.center().x() - 1, mark.bottom() - 3, mark.right() - 2, mark.top() + 3);
        }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    Label text{{r.Left + 24, r.Top, r.Width - 24, r.Height},
               caption,
               enabled ? 0x000000 : 0x808080,
               0,
               true};
    painter.paint(text, labelFont());
}

bool inside(const Rect& r, QPoint at) {
    return toQRect(r).contains(at);
}

}  // namespace

FrmWizard::FrmWizard(Wizard& wizard, PictureCache& pictures, const SourceWindow& source, int scale,
                     QWidget* parent)
    : FrontWindow(pictures, source, scale, {480, 400}, parent), wizard_(wizard) {
    setWindowTitle(wizard_.window.Caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    // The name boxes inherit the window's font from the start: given theirs only after
    // construction, they would first load the application's default face for nothing.
    QFont nameFont = labelFont();
    nameFont.setPixelSize(labelFont().pixelSize() * scale + 2 * scale);
    setFont(nameFont);
    for (int box = 0; box < 2; ++box) {
        auto* edit = new QLineEdit(this);
        const NameBox& model = wizard_.window.TxtName[static_cast<std::size_t>(box)];
        edit->setMaxLength(model.MaxLength);
        edit->setGeometry(scaled(model.Box.Geometry));
        edit->setFrame(true);
        edit->hide();
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this,
                [this, box](const QString& text) { wizard_.setName(box, text); });
        names_[static_cast<std::size_t>(box)] = edit;
    }
    refresh();
}

void FrmWizard::refresh() {
    const int page = wizard_.shownPanel();
    for (int box = 0; box < 2; ++box) {
        QLineEdit* edit = names_[static_cast<std::size_t>(box)];
        const QString& text = wizard_.window.TxtName[static_cast<std::size_t>(box)].Box.Text;
        if (edit->text() != text)
            edit->setText(text);
        const bool shown = page == (box == 0 ? PersonNamePanel : ComputerNamePanel);
        edit->setVisible(shown);
        if (shown && page != shownPage_)
            edit->setFocus(Qt::OtherFocusReason);
    }
    if (page != PersonNamePanel && page != ComputerNamePanel && focusWidget() != this)
        setFocus(Qt::OtherFocusReason);
    shownPage_ = page;
    update();
}

void FrmWizard::paintControls(ControlPainter& painter) {
    const WizardWindow& w = wizard_.window;
    painter.background(w.Picture, {480, 400});
    painter.paint(w.ShpBlock);
    painter.paint(w.LblCaption[1], bandFont(), true);
    painter.paint(w.LblCaption[0], bandFont(), true);
    const int page = wizard_.shownPanel();
    if (page >= 0) {
        const Panel& panel = w.PicPad[static_cast<std::size_t>(page)];
        painter.paint(Shape{panel.Geometry, kPageColour, true, true});
        paintPage(painter, page);
    }
    for (std::size_t i = 0; i < w.ImgButtonW.size(); ++i) {
        painter.paint(w.ImgButtonW[i].Button);
        painter.paint(w.ImgButtonW[i].Icon, QString::fromLatin1(kIcons[i]));
    }
    painter.paint(w.LblDescriptW, labelFont());
}

void FrmWizard::paintPage(ControlPainter& painter, int page) {
    const WizardWindow& w = wizard_.window;
    const Label& question = w.LblQuest[static_cast<std::size_t>(page)];
    if (page != PersonNamePanel)
        painter.paint(question, questionFont());
    switch (page) {
        case BoardPanel:
            for (const OptionButton& o : w.Opt1)
                if (o.Visible)
                    paintChoice(painter, o.Geometry, o.Caption, o.Value, true);
            break;
        case OptionsPanel:
            paintChoice(painter, w.Check1.Geometry, w.Check1.Caption, w.Check1.Value, false,
                        w.Check1.Enabled);
            break;
        case PlayerCountPanel:
            for (const OptionButton& o : w.Opt2)
                paintChoice(painter, o.Geometry, o.Caption, o.Value, true);
            break;
        case ControllerPanel:
            for (const OptionButton& o : w.Opt3)
                paintChoice(painter, o.Geometry, o.Caption, o.Value, true);
            break;
        case PersonNamePanel:
            painter.paint(w.LblNameTitle[0], questionFont());
            painter.paint(w.LblKeyTitle, questionFont());
            for (std::size_t k = 0; k < 3; ++k) {
                painter.paint(w.LblKey[k], labelFont());
                QFont keys = labelFont();
                keys.setBold(true);
                painter.paint(w.LblKey2[k], keys);
            }
            break;
        case ComputerNamePanel:
            painter.paint(w.LblNameTitle[1], questionFont());
            break;
        default:
            break;
    }
}

ImageButtonMouse::Handlers FrmWizard::handlers() {
    return {[this](int i) { wizard_.ImgButtonW_MouseDown(i); },
            [this](int i, bool held) { wizard_.ImgButtonW_MouseMove(i, held); },
            [this](int i) { wizard_.ImgButtonW_MouseUp(i); }};
}

bool FrmWizard::clickChoice(QPoint at) {
    const WizardWindow& w = wizard_.window;
    switch (wizard_.shownPanel()) {
        case BoardPanel:
            for (int k = 0; k < 2; ++k)
                if (w.Opt1[static_cast<std::size_t>(k)].Visible &&
                    inside(w.Opt1[static_cast<std::size_t>(k)].Geometry, at))
                    return wizard_.selectOption1(k), true;
            return false;
        case OptionsPanel:
            if (inside(w.Check1.Geometry, at))
                return wizard_.setCheck1(!w.Check1.Value), true;
            return false;
        case PlayerCountPanel:
            for (int k = 0; k < 3; ++k)
                if (inside(w.Opt2[static_cast<std::size_t>(k)].Geometry, at))
                    return wizard_.selectOption2(k), true;
            return false;
        case ControllerPanel:
            for (int k = 0; k < 4; ++k)
                if (inside(w.Opt3[static_cast<std::size_t>(k)].Geometry, at))
                    return wizard_.selectOption3(k), true;
            return false;
        default:
            return false;
    }
}

void FrmWizard::mousePressEvent(QMouseEvent* event) {
    const QPoint at = designPoint(*event);
    if (!mouse_.press(wizard_.window.ImgButtonW, at, handlers()) &&
        event->button() == Qt::LeftButton)
        clickChoice(at);
    if (wizard_.outcome() == WizardOutcome::Open)
        refresh();
}

void FrmWizard::mouseMoveEvent(QMouseEvent* event) {
    mouse_.move(wizard_.window.ImgButtonW, designPoint(*event), event->buttons() != Qt::NoButton,
                handlers());
    update();
}

void FrmWizard::mouseReleaseEvent(QMouseEvent* event) {
    mouse_.release(wizard_.window.ImgButtonW, designPoint(*event), handlers());
    update();
}

void FrmWizard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        wizard_.keyPressed(EnterKey);
    } else if (event->key() == Qt::Key_Escape) {
        wizard_.keyPressed(EscapeKey);
    } else {
        FrontWindow::keyPressEvent(event);
        return;
    }
    if (wizard_.outcome() == WizardOutcome::Open)
        refresh();
}

void FrmWizard::closeEvent(QCloseEvent* event) {
    wizard_.Form_Unload();
    FrontWindow::closeEvent(event);
}

bool FrmWizard::eventFilter(QObject* watched, QEvent* event) {
    for (int box = 0; box < 2; ++box) {
        QLineEdit* edit = names_[static_cast<std::size_t>(box)];
        if (watched != edit)
            continue;
        if (event->type() == QEvent::FocusIn) {
            wizard_.TxtName_GotFocus(box);
            // After the focus has settled, or a click would place the caret over it.
            QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                key->key() == Qt::Key_Escape) {
                keyPressEvent(const_cast<QKeyEvent*>(key));
                return true;
            }
        }
    }
    return FrontWindow::eventFilter(watched, event);
}

}  // namespace kroda::widgets
