#include "widgets/screen_fit.h"

#include "screen/controls.h"

#include <QGuiApplication>
#include <QScreen>

namespace kroda::widgets {

int fittingScale(QSize available, QSize frame) {
    int scale = 1;
    for (int s = 2; s <= 4; ++s)
        if (kGameWindowWidth * s + frame.width() <= available.width() &&
            kGameWindowHeight * s + frame.height() <= available.height())
            scale = s;
    return scale;
}

int fittingScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? fittingScale(screen->availableGeometry().size()) : 1;
}

}  // namespace kroda::widgets
