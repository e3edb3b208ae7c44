#include "widgets/join_command.h"

#include "widgets/game_windows.h"
#include "widgets/join_window.h"

#include <QApplication>

#include <cstdio>

namespace kroda::widgets {

using network::ClientEnding;

QString endingLine(const ClientEnding& ending) {
    const QString at = ending.address.isEmpty() ? QString() : ending.address + QStringLiteral(": ");
    switch (ending.kind) {
        case ClientEnding::Refused:
            if (ending.reason == network::RefusalReason::Version)
                return QStringLiteral(
                           "kroda: %1the host speaks version %2 of the protocol, "
                           "this game %3")
                    .arg(at)
                    .arg(ending.hostVersion)
                    .arg(network::kProtocolVersion);
            return QStringLiteral("kroda: %1the host refused to let this player in: ").arg(at) +
                   network::reasonText(ending.reason.value_or(network::RefusalReason::WrongCode));
        case ClientEnding::Unanswered:
            return QStringLiteral("kroda: %1no host answered: ").arg(at) + ending.detail;
        case ClientEnding::Untrusted:
            return QStringLiteral("kroda: %1").arg(at) + ending.detail +
                   QStringLiteral("; give --tls-ca the host's certificate if it is the host's own");
        case ClientEnding::Lost:
            return QStringLiteral("kroda: %1lost the host: ").arg(at) + ending.detail;
        case ClientEnding::Fault:
            return QStringLiteral("kroda: %1").arg(at) + ending.detail;
        case ClientEnding::Left:
            break;
    }
    return {};
}

namespace {

// The client of one `--join`: the join window when something is missing, then the game.
class JoinRun : public QObject {
  public:
    JoinRun(const QString& appFolder, const JoinOptions& options)
        : options_(options), game_(appFolder, options.client) {
        // A script sees why the join ended while the message box still waits for a person.
        game_.told = [](const ClientEnding& e) {
            const QString line = endingLine(e);
            if (!line.isEmpty()) {
                std::fprintf(stderr, "%s\n", line.toUtf8().constData());
                std::fflush(stderr);
            }
        };
        game_.ended = [](const ClientEnding& e) {
            QApplication::exit(e.kind == ClientEnding::Left ? 0 : 1);
        };
    }

    // Whatever is wrong with the certificates to trust.
    std::optional<QString> trust(const QString& pemFile) {
        return game_.session().trustCertificates(pemFile);
    }

    void start() {
        if (!options_.code.isEmpty() && !options_.names.isEmpty()) {
            go({options_.address, options_.code, options_.names, {}});
            return;
        }
        auto* w = new JoinWindow(
            {options_.address, options_.code, options_.names, options_.trustedCertificates});
        w->accepted = [this](const JoinAnswer& a) { go(a); };
        w->cancelled = [] { QApplication::exit(0); };
        centreOnScreen(*w);
        w->show();
        w->activateWindow();
    }

  private:
    // The window checked the certificate file it chose.
    void go(const JoinAnswer& a) {
        if (!a.certificateFile.isEmpty() && a.certificateFile != options_.trustedCertificates)
            trust(a.certificateFile);
        game_.join(*network::joinUrl(a.address), {a.code, a.names});
    }

    JoinOptions options_;
    ClientGame game_;
};

}  // namespace

int playJoined(const QString& appFolder, const JoinOptions& options) {
    if (!network::joinUrl(options.address)) {
        std::fprintf(stderr, "kroda: --join: not an address: %s\n",
                     options.address.toUtf8().constData());
        return 2;
    }
    if (options.names.size() > network::kSeatCount) {
        std::fprintf(stderr, "kroda: --name: at most %d people play at one machine\n",
                     network::kSeatCount);
        return 2;
    }
    const auto names = network::plainNames(options.names);
    if (const auto* problem = std::get_if<network::NameProblem>(&names)) {
        const QByteArray given = options.names[problem->index].trimmed().toUtf8();
        if (problem->twice)
            std::fprintf(stderr,
                         "kroda: --name: each person at this machine needs a name of "
                         "his own: %s is given twice\n",
                         given.constData());
        else
            std::fprintf(stderr, "kroda: --name: a name is plain text of 1 to %d characters: %s\n",
                         network::kMaxNameLength, given.constData());
        return 2;
    }
    JoinOptions checked = options;
    checked.names = std::get<QStringList>(names);
    JoinRun run(appFolder, checked);
    if (!options.trustedCertificates.isEmpty()) {
        if (const auto problem = run.trust(options.trustedCertificates)) {
            std::fprintf(stderr, "kroda: --tls-ca: %s\n", problem->toUtf8().constData());
            return 2;
        }
    }
    run.start();
    return QApplication::exec();
}

}  // namespace kroda::widgets
