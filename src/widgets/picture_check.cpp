#include "widgets/picture_check.h"

#include <QFileInfo>
#include <QImageReader>

namespace kroda::widgets {

std::optional<QString> pictureProblem(const QStringList& files) {
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (!info.exists())
            return file + QStringLiteral(": the file is missing");
        if (!info.isFile())
            return file + QStringLiteral(": not a file");
        QImageReader reader(file);
        if (reader.read().isNull())
            return file + QStringLiteral(": not a picture that can be read (") +
                   reader.errorString() + QStringLiteral(")");
    }
    return std::nullopt;
}

}  // namespace kroda::widgets
