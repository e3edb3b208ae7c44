#include "network/web_responder.h"

#include <algorithm>
#include <utility>

namespace kroda::network {

namespace {

QByteArray reasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 400:
            return "Bad Request";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 408:
            return "Request Timeout";
        case 421:
            return "Misdirected Request";
        case 431:
            return "Request Header Fields Too Large";
        case 505:
            return "HTTP Version Not Supported";
        default:
            return "Error";
    }
}

WebAnswer respond(int status, const QByteArray& contentType, const QByteArray& body, bool head,
                  const QByteArray& extra = {}) {
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) +
                     "\r\nContent-Type: " + contentType +
                     "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" +
                     WebResponder::securityFields() + extra +
                     "Cache-Control: no-cache\r\nConnection: close\r\n\r\n";
    if (!head)
        out += body;
    return WebAnswer{WebAnswer::Respond, out, status};
}

WebAnswer plainError(int status, bool head = false, const QByteArray& extra = {}) {
    return respond(status, "text/plain; charset=utf-8",
                   QByteArray::number(status) + ' ' + reasonPhrase(status) + '\n', head, extra);
}

}  // namespace

std::optional<QString> hostPart(QByteArrayView authority) {
    QByteArray text = authority.toByteArray().toLower();
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        if (close < 0)
            return std::nullopt;
        const QByteArray rest = text.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(':'))
            return std::nullopt;
        return QString::fromLatin1(text.mid(1, close - 1));
    }
    if (const qsizetype colon = text.indexOf(':'); colon >= 0) {
        if (text.indexOf(':', colon + 1) >= 0)
            return std::nullopt;  // an IPv6 address comes in brackets
        text.truncate(colon);
    }
    if (text.isEmpty())
        return std::nullopt;
    return QString::fromLatin1(text);
}

WebResponder::WebResponder(WebResources resources, QSet<QString> ownNames)
    : resources_(std::move(resources)), ownNames_(std::move(ownNames)) {}

QByteArray WebResponder::securityFields() {
    return "Content-Security-Policy: default-src 'none'; script-src 'self'; style-src 'self'; "
           "img-src 'self'; font-src 'self'; media-src 'self'; connect-src 'self' ws: wss:; "
           "base-uri 'none'; form-action 'none'; frame-ancestors 'none'\r\n"
           "X-Content-Type-Options: nosniff\r\n"
           "Referrer-Policy: no-referrer\r\n";
}

WebAnswer WebResponder::failure(int status) {
    return plainError(status);
}

bool WebResponder::ownHost(const QByteArray& host) const {
    const auto part = hostPart(host);
    return part && ownNames_.contains(*part);
}

WebAnswer WebResponder::answer(QByteArrayView head) const {
    const auto read = readRequestHead(head);
    if (const auto* error = std::get_if<HttpError>(&read))
        return plainError(error->status);
    const HttpRequest& request = std::get<HttpRequest>(read);
    const bool isHead = request.method == "HEAD";
    if (request.method != "GET" && !isHead)
        return plainError(405, false, "Allow: GET, HEAD\r\n");

    const std::optional<QByteArray> host = request.field("host");
    const std::optional<QByteArray> origin = request.field("origin");
    if (request.fieldHolds("upgrade", "websocket") && !isHead) {
        // kroda --join sends no Origin, and may have joined by any name: only a browser's
        // page can be made to reach the host by a foreign one.
        const bool sentOrigin = std::any_of(request.fields.begin(), request.fields.end(),
                                            [](const auto& f) { return f.first == "origin"; });
        if (!sentOrigin)
            return WebAnswer{WebAnswer::Upgrade, {}, 0};
        if (!origin || !host || !ownHost(*host))
            return plainError(403);
        const QByteArray prefix = origin->startsWith("https://") ? "https://" : "http://";
        if (!origin->startsWith(prefix) || origin->mid(prefix.size()).toLower() != host->toLower())
            return plainError(403);
        return WebAnswer{WebAnswer::Upgrade, {}, 0};
    }
    if (!host || !ownHost(*host))
        return plainError(421, isHead);
    const std::optional<QString> path = request.path();
    if (!path)
        return plainError(404, isHead);
    const std::optional<WebResource> resource = resources_ ? resources_(*path) : std::nullopt;
    if (!resource)
        return plainError(404, isHead);
    return respond(200, resource->contentType, resource->body, isHead);
}

}  // namespace kroda::network
