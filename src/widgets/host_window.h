#pragma once
// The host's waiting window: the addresses to give out, a QR code of the page's link for each
// of the first two, the join code and each network seat
// as it fills, with a button that starts at once, the computer taking the empty seats once
// the host has said yes. During the game it comes back while a network seat's player is gone,
// its button then handing that seat to the computer; each seat whose player is gone has a
// button of its own that lets him back in by his name alone, should he have lost his seat's
// token. It shows the host session as it is and keeps nothing of its own.

#include "network/host_session.h"

#include <QStringList>
#include <QWidget>

class QPainter;

#include <functional>
#include <utility>
#include <vector>

namespace kroda::widgets {

// The addresses of this machine that players elsewhere can reach, most useful first.
QStringList hostAddresses();

class HostWindow : public QWidget {
    Q_OBJECT
  public:
    struct Actions {
        // The start-now or hand-over button, or Enter.
        std::function<void()> pressed;
        // A seat's let-back-in button.
        std::function<void(int seat)> letBackIn;
    };
    HostWindow(const network::HostSession& host, const Game& game, QStringList addresses,
               Actions actions, int scale = 1, QWidget* parent = nullptr);

    // The page's links with the join code in their fragment, one for each address shown as a
    // QR code: "http://192.168.1.20:47410/#QRST2345".
    QStringList links() const;
    // The button's text: start now before the game, hand over during it.
    QString buttonText() const;
    // Where the button is, in design pixels.
    static QRect buttonRect();
    // The seat lines as the window shows them, seat by seat: each network seat, with its
    // player's name or that it waits, and each seat handed to the computer.
    QStringList seatLines() const;
    // Where the let-back-in button of a seat is, in design pixels; empty when it has none.
    QRect letBackInRect(int seat) const;
    static QString letBackInText();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::vector<std::pair<int, QString>> lines() const;
    void paintLinks(QPainter& p, const QRect& area) const;
    // Where the seat lines start, below the addresses and the code.
    int seatTop() const;

    const network::HostSession& host_;
    const Game& game_;
    QStringList addresses_;
    Actions actions_;
    int scale_;
};

}  // namespace kroda::widgets
