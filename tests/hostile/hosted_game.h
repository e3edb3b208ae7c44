#pragma once
// The game the hostile peers attack: three players at a host on 127.0.0.1, seat 1 a person
// there, seats 2 and 3 from the network, listening on a free port with the given limits and,
// for the page's side, the given files.

#include "network/client_transport.h"
#include "network/host_session.h"
#include "support/game_harness.h"

#include <gtest/gtest.h>

#include <memory>

namespace kroda::network {

inline const QString kHostedCode = QStringLiteral("HJKM2345");

struct Hosted {
    kroda::testing::GameHarness h{3, {1, 2, 3}};
    std::unique_ptr<HostSession> host;
    quint16 port = 0;

    explicit Hosted(HostLimits limits = {}, WebResources web = {}) {
        h.game.setAppFolder(QStringLiteral(KRODA_GAME_DIR));
        h.load();
        host = std::make_unique<HostSession>(
            h.game, [this]() -> const VirtualClock& { return h.clock; }, QList<int>{2, 3},
            kHostedCode, limits);
        HostTransport::Options options;
        options.address = QHostAddress::LocalHost;
        options.port = 0;
        options.web = std::move(web);
        EXPECT_EQ(host->listen(options), std::nullopt);
        port = host->port();
    }
    QUrl url() const { return *joinUrl(QStringLiteral("127.0.0.1:%1").arg(port)); }
};

}  // namespace kroda::network
