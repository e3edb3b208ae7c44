#pragma once
// The windows' fonts: TLWG Thai faces looked up by family name, falling back to any face
// that has Thai.

#include <QFont>

namespace kroda::widgets {

// The narrator's box: bold, about the visual size of the designed 18-point face, so that
// two lines fit the 313 x 72 box.
QFont narratorFont();
// Labels and panels.
QFont labelFont();
// The card window's text.
QFont cardFont();

// The first of the families that is installed, else any family with Thai, else the
// application's default.
QString thaiFamily(const QStringList& preferred);

// Gives the application's default font the labels' Thai family at its own size, so that the
// system's boxes (a name box before its window's font reaches it, the file dialogs) set Thai
// in the face the game has loaded already rather than in a second one.
void useThaiFaceByDefault();

}  // namespace kroda::widgets
