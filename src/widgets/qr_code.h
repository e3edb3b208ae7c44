#pragma once
// A QR code of a short text, as its square of modules, for the host's window to draw: a
// phone's camera opens the page's link from it.

#include <QByteArray>

#include <optional>
#include <vector>

namespace kroda::widgets {

struct QrCode {
    int size = 0;  // modules on a side, without the quiet zone around them
    std::vector<bool> dark;
    bool at(int x, int y) const { return dark[static_cast<std::size_t>(y * size + x)]; }
};

// nullopt when the text does not fit a code.
std::optional<QrCode> qrCode(const QByteArray& text);

}  // namespace kroda::widgets
