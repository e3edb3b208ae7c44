// The host's reading of a browser's request head and its answer. Whatever arrives, the answer
// is a whole HTTP/1.1 response with the page's security fields, or the upgrade; only the fixed
// list's entries are ever served, and only for GET or HEAD with the host's own name.

#include "network/web_responder.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void finding(const char* what, const QByteArray& input) {
    std::fprintf(stderr, "fuzz finding: %s: %s\n", what, input.left(200).toHex().constData());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kroda::network;
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static const WebResponder responder(
        [](const QString& path) -> std::optional<WebResource> {
            if (path == QLatin1String("/") || path == QLatin1String("/web/main.js"))
                return WebResource{"text/plain", "served"};
            return std::nullopt;
        },
        {QStringLiteral("127.0.0.1"), QStringLiteral("localhost"), QStringLiteral("::1")});

    const qsizetype length =
        requestHeadLength(input.first(std::min(input.size(), kMaxRequestHead)));
    if (length == 0)
        return 0;
    const QByteArray head = input.first(length);
    const WebAnswer answer = responder.answer(head);
    if (answer.kind == WebAnswer::Upgrade) {
        const auto request = readRequestHead(head);
        if (!std::holds_alternative<HttpRequest>(request) ||
            std::get<HttpRequest>(request).method != "GET")
            finding("an upgrade of what is no GET request", head);
        return 0;
    }
    if (!answer.response.startsWith("HTTP/1.1 ") || !answer.response.contains("\r\n\r\n") ||
        !answer.response.contains(WebResponder::securityFields()))
        finding("an answer that is not a whole response with the security fields", head);
    if (answer.status == 200) {
        const auto request = std::get<HttpRequest>(readRequestHead(head));
        const auto path = request.path();
        if ((request.method != "GET" && request.method != "HEAD") || !path ||
            (*path != QLatin1String("/") && *path != QLatin1String("/web/main.js")))
            finding("something served that is not on the list", head);
    }
    return 0;
}
