#pragma once
// The size of a BMP picture, read from its header alone (no pixels are decoded).

#include <QString>

namespace kroda {

struct BmpHeader {
    bool ok = false;
    int width = 0;
    int height = 0;  // positive also for pictures stored top-down
    QString error;   // why it is no picture: "it is not a BMP picture", "it is a folder, ..."
};

BmpHeader readBmpHeader(const QString& path);

}  // namespace kroda
