#pragma once
// The illustration of each board square, by square index 0..39, in a 96 x 96 space.

#include <QPainter>

namespace kroda::art {

void drawPlace(QPainter& p, int index);
// The province plots and streets (the Land squares).
bool drawLandPlace(QPainter& p, int index);
// Everything else: start, cards, hotels, utilities, jail, rest, taxes.
bool drawRulePlace(QPainter& p, int index);

}  // namespace kroda::art
