#include "widgets/program_log.h"

#include <QString>
#include <QtGlobal>

#include <cstring>

namespace kroda::widgets {

namespace {

QtMessageHandler previous = nullptr;
bool verbose = false;

bool aboutTheMachine(const QMessageLogContext& context, const QString& message) {
    const char* category = context.category ? context.category : "";
    return std::strncmp(category, "qt.multimedia", 13) == 0 ||
           std::strcmp(category, "kroda.music") == 0 ||
           message.startsWith(QLatin1String("PulseAudioService")) ||
           message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"));
}

void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!verbose && type != QtFatalMsg && aboutTheMachine(context, message))
        return;
    if (previous)
        previous(type, context, message);
}

}  // namespace

void installProgramLog() {
    verbose = qEnvironmentVariableIntValue("KRODA_LOG") != 0;
    previous = qInstallMessageHandler(handle);
}

}  // namespace kroda::widgets
