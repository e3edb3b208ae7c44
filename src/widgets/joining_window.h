#pragma once
// What a joining player sees until the host's game is on screen: that the client is
// connecting to the host, then, once welcomed, each seat of the host's game as it fills. It
// shows the client session as it is and keeps nothing of its own; closing it leaves.

#include "network/client_session.h"

#include <QWidget>

#include <functional>

namespace kroda::widgets {

class JoiningWindow : public QWidget {
    Q_OBJECT
  public:
    JoiningWindow(const network::ClientSession& session, int scale = 1, QWidget* parent = nullptr);

    // The lines the window shows: the heading, then a line for each seat once welcomed.
    QStringList lines() const;

    // Closes the window for the program: the game came or the join ended.
    void dismiss();

    // The player closed the window (its frame or Escape) before the game came.
    std::function<void()> closedByPlayer;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    const network::ClientSession& session_;
    int scale_;
    bool dismissed_ = false;
};

}  // namespace kroda::widgets
