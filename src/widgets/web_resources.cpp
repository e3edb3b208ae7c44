#include "widgets/web_resources.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>

#include <memory>

// Outside every namespace, as the resource compiler's functions are.
static void initPageResources() {
    Q_INIT_RESOURCE(web_page);
}

namespace kroda::widgets {

namespace {

// The folders of the game folder that hold pictures a save may name.
const QStringList kPictureFolders = {QStringLiteral("Image"), QStringLiteral("Rs256"),
                                     QStringLiteral("Rs64K"), QStringLiteral("RsCommon")};
const QString kFaceFolder = QStringLiteral("/usr/share/fonts/truetype/tlwg");
const QStringList kFaces = {QStringLiteral("Loma.ttf"), QStringLiteral("Loma-Bold.ttf")};

QByteArray typeOf(const QString& name) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("html"))
        return "text/html; charset=utf-8";
    if (suffix == QLatin1String("js"))
        return "text/javascript; charset=utf-8";
    if (suffix == QLatin1String("css"))
        return "text/css; charset=utf-8";
    if (suffix == QLatin1String("png"))
        return "image/png";
    if (suffix == QLatin1String("wav"))
        return "audio/wav";
    if (suffix == QLatin1String("ttf"))
        return "font/ttf";
    return "application/octet-stream";
}

std::optional<QByteArray> readWhole(const QString& file) {
    QFile in(file);
    if (!QFileInfo(file).isFile() || !in.open(QIODevice::ReadOnly))
        return std::nullopt;
    return in.readAll();
}

struct Site {
    QHash<QString, QString> files;     // request path -> file, read on request
    QHash<QString, QString> pictures;  // request path -> picture file, converted on request
    QHash<QString, network::WebResource> converted;

    std::optional<network::WebResource> at(const QString& path) {
        if (const auto done = converted.constFind(path); done != converted.cend())
            return *done;
        if (const auto file = files.constFind(path); file != files.cend()) {
            const auto bytes = readWhole(*file);
            if (!bytes)
                return std::nullopt;
            return network::WebResource{typeOf(*file), *bytes};
        }
        const auto picture = pictures.constFind(path);
        if (picture == pictures.cend())
            return std::nullopt;
        const QImage image(*picture);
        if (image.isNull())
            return std::nullopt;
        QByteArray png;
        QBuffer out(&png);
        out.open(QIODevice::WriteOnly);
        if (!image.save(&out, "PNG"))
            return std::nullopt;
        return converted[path] = network::WebResource{"image/png", png};
    }
};

}  // namespace

network::WebResources webResources(const QString& appFolder) {
    initPageResources();
    auto site = std::make_shared<Site>();
    site->files.insert(QStringLiteral("/"), QStringLiteral(":/web/index.html"));
    site->files.insert(QStringLiteral("/favicon.ico"), QStringLiteral(":/pictures/title/join.png"));
    for (const QString& name : QDir(QStringLiteral(":/web")).entryList(QDir::Files))
        site->files.insert(QStringLiteral("/web/") + name, QStringLiteral(":/web/") + name);
    for (const QString& face : kFaces)
        site->files.insert(QStringLiteral("/fonts/") + face, kFaceFolder + QLatin1Char('/') + face);
    const QDir app(appFolder);
    const QDir sounds(app.filePath(QStringLiteral("Sound")));
    for (const QString& sound : sounds.entryList({QStringLiteral("*.wav")}, QDir::Files))
        site->files.insert(QStringLiteral("/sound/") + sound, sounds.filePath(sound));
    for (const QString& folder : kPictureFolders) {
        const QDir dir(app.filePath(folder));
        for (const QString& name : dir.entryList(QDir::Files)) {
            const QString suffix = QFileInfo(name).suffix().toLower();
            if (suffix == QLatin1String("bmp") || suffix == QLatin1String("png") ||
                suffix == QLatin1String("gif") || suffix == QLatin1String("jpg"))
                site->pictures.insert(QStringLiteral("/app/%1/%2").arg(folder, name),
                                      dir.filePath(name));
        }
    }
    return [site](const QString& path) { return site->at(path); };
}

}  // namespace kroda::widgets
