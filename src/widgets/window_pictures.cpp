#include "widgets/window_pictures.h"

#include <QtCore/qglobal.h>

// Outside any namespace: the registration function is declared at global scope.
static void registerWindowPictures() {
    Q_INIT_RESOURCE(window_pictures);
}

namespace kroda::windowpictures {

void load() {
    static const bool once = (registerWindowPictures(), true);
    (void)once;
}

}  // namespace kroda::windowpictures
