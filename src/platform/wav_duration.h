#pragma once
// How long a WAV file plays, from its own header: the size of its sample data over its
// byte rate. A real sound device may never report the end of a sound; this always can.

#include <QString>

#include <cstdint>
#include <optional>

namespace kroda {

// Milliseconds of sound, rounded up; nothing for a missing file or one that is not a WAV
// file of PCM-style chunks.
std::optional<std::int64_t> wavDurationMs(const QString& path);

}  // namespace kroda
