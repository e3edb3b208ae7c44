#pragma once
// The head of an HTTP/1.1 request as a browser sends it to the host: the request line and the
// header fields, read from at most kMaxRequestHead bytes. Reading is a pure function of the
// bytes, and anything that is not a plain request head is an error naming the status to answer
// with.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace kroda::network {

// The most a request head may hold, its ending blank line included.
inline constexpr qsizetype kMaxRequestHead = 8 * 1024;
inline constexpr int kMaxHeaderFields = 64;

struct HttpRequest {
    QByteArray method;  // as sent: methods are case-sensitive
    QByteArray target;  // the request target as sent, e.g. "/web/main.js?x"
    // Each field's name in lower case and its value without the blanks around it, in order.
    QList<std::pair<QByteArray, QByteArray>> fields;

    // The value of the one field of this name (lower case); nullopt when it is absent or
    // sent more than once.
    std::optional<QByteArray> field(QByteArrayView name) const;
    // Whether a comma-separated field (Connection, Upgrade) holds `token`, in any case.
    bool fieldHolds(QByteArrayView name, QByteArrayView token) const;
    // The target's path, percent-decoded, without its query; nullopt when the target is not a
    // path from the root or decodes to something that is not UTF-8 text.
    std::optional<QString> path() const;
};

struct HttpError {
    int status;  // 400 malformed, 431 head too large, 505 not HTTP/1.x
    QString why;
};

// The head in `bytes`, which end with its blank line ("\r\n\r\n").
std::variant<HttpRequest, HttpError> readRequestHead(QByteArrayView bytes);

// Where the head ends in the bytes arrived so far: the count of its bytes, blank line
// included; 0 when it has not ended yet.
qsizetype requestHeadLength(QByteArrayView arrived);

}  // namespace kroda::network
