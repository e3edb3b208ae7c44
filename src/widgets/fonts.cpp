#include "widgets/fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace kroda::widgets {

QString thaiFamily(const QStringList& preferred) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : preferred)
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    const QStringList thai = QFontDatabase::families(QFontDatabase::Thai);
    if (!thai.isEmpty())
        return thai.first();
    return QGuiApplication::font().family();
}

void useThaiFaceByDefault() {
    QFont font = QGuiApplication::font();
    font.setFamily(labelFont().family());
    QGuiApplication::setFont(font);
}

namespace {
QFont pixelFont(const QStringList& families, int pixels, bool bold) {
    QFont font(thaiFamily(families));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
}  // namespace

QFont narratorFont() {
    static const QFont font = pixelFont({QStringLiteral("Loma")}, 18, true);
    return font;
}

QFont labelFont() {
    static const QFont font = pixelFont({QStringLiteral("Loma")}, 13, false);
    return font;
}

QFont cardFont() {
    static const QFont font = pixelFont({QStringLiteral("Loma")}, 16, false);
    return font;
}

}  // namespace kroda::widgets
