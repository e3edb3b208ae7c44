#pragma once
// The code a host gives out and every joining player types: 8 characters from an alphabet
// without look-alikes (no 0/O, 1/I/L), drawn from the system's random source.

#include <QString>

namespace kroda::network {

inline constexpr int kJoinCodeLength = 8;
inline constexpr char kJoinCodeAlphabet[] = "ABCDEFGHJKMNPQRSTUVWXYZ23456789";

QString newJoinCode();

// The code as typed, letter case, blanks and dashes aside: "qrst-2345" is "QRST2345".
QString plainJoinCode(const QString& typed);

// Whether `typed` is `code`, letter case, blanks and dashes aside. The comparison takes as long
// whichever character differs, so timing tells a guesser nothing.
bool sameJoinCode(const QString& typed, const QString& code);

}  // namespace kroda::network
