#pragma once
// File names written inside a board. Boards come from a case-blind file system with `\` as
// folder separator, so "IMAGE\corners.BMP" finds "Image/Corners.bmp": each part of the name
// is matched exactly when it exists, otherwise without regard to letter case.
// A board names its files inside its own folders: absolute names (a leading `/` or `\`, a
// drive letter such as "C:\") and ".." parts are refused, so a board never reaches files
// elsewhere on the machine.

#include <QString>

namespace kroda {

// Why a written name may not be used; empty when it may.
QString boardNameProblem(const QString& name);

// The name's parts with `/` between them (no check of the disk).
QString boardNameToRelativePath(const QString& name);

struct ResolvedPath {
    QString path;          // the file found on disk
    QString error;         // "not found in /folder" or the reason the name is refused
    bool missing = false;  // the name is fine but no such file exists

    bool ok() const { return error.isEmpty(); }
    // "\"name\" not found in /folder" or "\"name\": the reason".
    QString describe(const QString& name) const;
};
ResolvedPath resolveBoardPath(const QString& folder, const QString& name);

}  // namespace kroda
