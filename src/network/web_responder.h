#pragma once
// What the host answers an HTTP request with, on the same port as its game: the page and the
// files it needs, from a fixed list, and the WebSocket upgrade of a connection to the game.
// No path of a request ever reaches the file system: a request names an entry of the list or
// gets 404. Only GET and HEAD are answered. The Host field must name this machine, which keeps
// another site's page from reaching the host through a name of its own (DNS rebinding), and
// a WebSocket's Origin, when a browser sends one, must be this same host and port.

#include "network/http_request.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

namespace kroda::network {

struct WebResource {
    QByteArray contentType;
    QByteArray body;
};
// The resource at a decoded request path ("/web/main.js"), or nullopt for none.
using WebResources = std::function<std::optional<WebResource>(const QString& path)>;

struct WebAnswer {
    enum Kind {
        Respond,  // write `response` and close
        Upgrade,  // hand the connection, its request unread, to the WebSocket server
    } kind = Respond;
    QByteArray response;
    int status = 0;  // with Respond
};

class WebResponder {
  public:
    // `ownNames`: the names and addresses by which this machine may be reached, in lower
    // case and without brackets ("192.168.1.20", "::1", "kitchen-pc", "localhost").
    WebResponder(WebResources resources, QSet<QString> ownNames);

    // The answer to a whole request head (requestHeadLength's bytes).
    WebAnswer answer(QByteArrayView head) const;
    // The answer when no head came whole: too large (431) or too slow (408).
    static WebAnswer failure(int status);

    // The fields every response carries.
    static QByteArray securityFields();

  private:
    bool ownHost(const QByteArray& host) const;

    WebResources resources_;
    QSet<QString> ownNames_;
};

// The host part of a Host field or of an origin's authority, in lower case and without
// brackets or port; nullopt when it is not one.
std::optional<QString> hostPart(QByteArrayView authority);

}  // namespace kroda::network
