#pragma once
// The small window that asks a joining player for what the command line left out: the
// host's address, the join code and the player's name (plain text, at most 12 characters),
// with a second name for a second person at this machine, who then plays a seat of his own,
// and the certificate of a host that made its own, for wss. It is shown, never run: the
// answer comes later through `accepted` or `cancelled`.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;

namespace kroda::widgets {

struct JoinAnswer {
    QString address, code;
    QStringList names;  // one for each person at this machine, each with a seat
    // A PEM file with the certificate of a host that made its own, trusted for wss; or empty.
    QString certificateFile;
};

class JoinWindow : public QWidget {
    Q_OBJECT
  public:
    // Fields already known are not asked for again.
    explicit JoinWindow(const JoinAnswer& known, QWidget* parent = nullptr);

    std::function<void(const JoinAnswer&)> accepted;
    std::function<void()> cancelled;

    QLineEdit* addressField() const { return address_; }
    QLineEdit* codeField() const { return code_; }
    QLineEdit* nameField() const { return name_; }
    QLineEdit* secondNameField() const { return second_; }
    // Opens the file dialog that chooses the host's certificate; its answer comes later.
    void chooseCertificate();
    // The certificate file chosen, shown in the window; the dialog's answer, or a test's.
    void certificateChosen(const QString& file);
    // Checks the fields and answers, or says in the window what is wrong.
    void join();
    // What the window says is wrong; empty until something is.
    QString problem() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    JoinAnswer known_;
    QLineEdit* address_ = nullptr;
    QLineEdit* code_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* second_ = nullptr;
    QLabel* certificate_ = nullptr;
    QLabel* problem_ = nullptr;
    bool answered_ = false;
};

}  // namespace kroda::widgets
