// kroda-icons OUTDIR SIZE...: writes OUTDIR/<SIZE>x<SIZE>/apps/kroda.png for every size, the
// layout of the hicolor icon theme.

#include "app_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: kroda-icons OUTDIR SIZE...\n");
        return 2;
    }
    for (const QString& arg : args.mid(1)) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        if (!ok || size < 16 || size > 1024) {
            std::fprintf(stderr, "kroda-icons: not an icon size: %s\n", qPrintable(arg));
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args[0]).arg(size);
        QDir().mkpath(dir);
        QImageWriter writer(dir + QStringLiteral("/kroda.png"), "png");
        if (!writer.write(kroda::icons::applicationIcon(size))) {
            std::fprintf(stderr, "kroda-icons: cannot write %s/kroda.png: %s\n", qPrintable(dir),
                         qPrintable(writer.errorString()));
            return 1;
        }
    }
    return 0;
}
