#pragma once
// The program's icon: a corner of the board in teak and cream with the two dice on it.

#include <QImage>

namespace kroda::icons {

// The icon drawn for a square of size x size pixels, on transparent ground.
QImage applicationIcon(int size);

}  // namespace kroda::icons
