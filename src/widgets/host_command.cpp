#include "widgets/host_command.h"

#include "model/seat_defaults.h"
#include "widgets/error_box.h"
#include "widgets/frm_back.h"
#include "widgets/front_window.h"
#include "widgets/network_host.h"

#include <QApplication>

namespace kroda::widgets {

int hostGame(const QString& appFolder, const SessionOptions& options, const HostOptions& host) {
    GameSession session(appFolder, options);
    const QList<int> networkSeats = setUpSeats(session.game().state, host.seats);
    NetworkHost hosting(session, networkSeats, options.narration, options.scale, [&session] {
        auto* backdrop = new FrmBack;
        backdrop->load(FrontWindow::screenSize());
        backdrop->show();
        if (session.start(backdrop))
            return true;
        backdrop->close();
        return false;
    });
    if (const auto error = hosting.listen(host)) {
        reportFault(*error, true);
        return 1;
    }
    return QApplication::exec();
}

}  // namespace kroda::widgets
