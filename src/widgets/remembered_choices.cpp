#include "widgets/remembered_choices.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace kroda::widgets {

namespace {

const QString kSpeedKey = QStringLiteral("game/speed");
const QString kFullScreenKey = QStringLiteral("game/fullScreen");

// $XDG_CONFIG_HOME/kroda/kroda.conf, whatever the application's own names.
std::unique_ptr<QSettings> openSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("kroda"), QStringLiteral("kroda"));
}

}  // namespace

RememberedChoices rememberedChoices() {
    const auto s = openSettings();
    RememberedChoices choices;
    bool ok = false;
    const double speed = s->value(kSpeedKey).toDouble(&ok);
    // The same range the command line takes.
    if (ok && speed >= 0.25 && speed <= 100)
        choices.speed = speed;
    const QVariant full = s->value(kFullScreenKey);
    choices.fullScreen = full.isValid() && full.toString() == QLatin1String("true");
    return choices;
}

void rememberSpeed(double speed) {
    openSettings()->setValue(kSpeedKey, speed);
}

void rememberFullScreen(bool on) {
    openSettings()->setValue(kFullScreenKey, on);
}

}  // namespace kroda::widgets
