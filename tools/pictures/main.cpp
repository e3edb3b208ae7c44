// kroda-pictures OUTDIR [--contact-sheet FILE.png] [--window-pictures DIR]
// Draws every picture and synthesises both sounds of the game folder into OUTDIR; optionally
// writes the review sheet of all pictures and the window pictures (PNG) that the build compiles
// into the program.

#include "art/pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "kroda-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writeImage(const QString& path, const QImage& image, const char* format) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter writer(path, format);
    if (!writer.write(image)) {
        std::fprintf(stderr, "kroda-pictures: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

int usage() {
    std::fprintf(stderr,
                 "usage: kroda-pictures OUTDIR [--contact-sheet FILE.png] "
                 "[--window-pictures DIR]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString outDir, sheetPath, windowDir;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--contact-sheet" && i + 1 < args.size()) {
            sheetPath = args[++i];
        } else if (args[i] == "--window-pictures" && i + 1 < args.size()) {
            windowDir = args[++i];
        } else if (!args[i].startsWith("--") && outDir.isEmpty()) {
            outDir = args[i];
        } else {
            return usage();
        }
    }
    if (outDir.isEmpty()) {
        return usage();
    }

    bool ok = true;
    const auto pictures = kroda::art::gamePictures();
    for (const auto& picture : pictures) {
        const QImage image = picture.paletted ? kroda::art::toPaletted(picture.image)
                                              : picture.image.convertToFormat(QImage::Format_RGB32);
        ok = writeImage(outDir + "/" + picture.path, image, "bmp") && ok;
    }
    for (const auto& sound : kroda::art::gameSounds()) {
        ok = writeFile(outDir + "/" + sound.path, sound.wav) && ok;
    }
    const auto windowPictures = kroda::art::windowPictures();
    if (!windowDir.isEmpty()) {
        for (const auto& picture : windowPictures) {
            ok = writeImage(windowDir + "/" + picture.name, picture.image, "png") && ok;
        }
    }
    if (!sheetPath.isEmpty()) {
        const QImage sheet = kroda::art::contactSheet(pictures, windowPictures);
        ok = writeImage(sheetPath, kroda::art::toPaletted(sheet), "png") && ok;
    }
    return ok ? 0 : 1;
}
