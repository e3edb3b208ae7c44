#pragma once
// A seat's secret: the host gives it in the welcome, and only a hello that carries it takes the
// seat back. 16 bytes of the system's random source, as unpadded base64url (kTokenLength).

#include <QString>

namespace kroda::network {

QString newSeatToken();

// Whether `given` is `token`. The comparison takes as long whichever character differs, so
// timing tells a guesser nothing.
bool sameToken(const QString& given, const QString& token);

}  // namespace kroda::network
