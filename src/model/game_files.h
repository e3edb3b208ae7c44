#pragma once
// The files of the game folder the programs read by fixed names, each named here once.

#include <QString>

namespace kroda {

// The board's configuration file, which names the card files and the square pictures.
inline QString boardFile(const QString& folder) {
    return folder + QStringLiteral("/KovarT.dat");
}
// The button click, played to its end before a button's command runs.
inline QString clickSound(const QString& folder) {
    return folder + QStringLiteral("/Sound/505.wav");
}
// The rattle of a throw and of an answer to an offer.
inline QString throwSound(const QString& folder) {
    return folder + QStringLiteral("/Sound/503.wav");
}
// A sound of the Sound folder by its plain name, as the host names the sounds it plays.
inline QString soundFile(const QString& folder, const QString& name) {
    return folder + QStringLiteral("/Sound/") + name;
}
inline QString manualFile(const QString& folder) {
    return folder + QStringLiteral("/help/help.htm");
}

}  // namespace kroda
