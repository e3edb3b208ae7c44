#include "platform/null_front_end.h"

#include <QTime>

#include <cmath>

namespace kroda {

NullFrontEnd::NullFrontEnd() : startOfDay(QTime::currentTime().msecsSinceStartOfDay() / 1000.0) {
    clock = [this] {
        const double elapsed = elapsedMs ? static_cast<double>(elapsedMs()) / 1000.0 : 0.0;
        return std::fmod(startOfDay + elapsed, 86400.0);
    };
}

}  // namespace kroda
