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

}  // namespace kroda::widgets
