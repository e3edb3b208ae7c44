// The review sheet: every picture of the game folder with its file name, size and numbered
// cells, and the window pictures on a checked ground that shows their transparency.

#include "art/canvas.h"
#include "art/pictures.h"
#include "art/style.h"

#include <QFontMetrics>

#include <algorithm>

namespace kroda::art {

namespace {

struct Item {
    QString title;
    QImage image;  // as the game shows it
    int rows, columns, scale;
    bool checked;  // has transparency
};

constexpr int kWidth = 1560;
constexpr int kGap = 14;
constexpr int kLabel = 20;

int scaleFor(const QImage& image) {
    const int largest = std::max(image.width(), image.height());
    return largest <= 100 ? 3 : largest <= 300 ? 2 : 1;
}

void drawItem(QPainter& p, const Item& item, QPoint at) {
    const QSize size = item.image.size() * item.scale;
    p.setPen(colours::ink);
    p.setFont(thaiFont("Loma", 13, true));
    p.drawText(QRect(at.x(), at.y(), std::max(size.width(), 400), kLabel),
               Qt::AlignLeft | Qt::AlignVCenter, item.title);
    const QRect target(at + QPoint(0, kLabel), size);
    if (item.checked) {
        for (int y = 0; y < size.height(); y += 8) {
            for (int x = 0; x < size.width(); x += 8) {
                p.fillRect(QRect(target.x() + x, target.y() + y, 8, 8).intersected(target),
                           ((x + y) / 8) % 2 ? QColor(200, 200, 200) : QColor(245, 245, 245));
            }
        }
    }
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(target, item.image);
    p.restore();
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(target.adjusted(-1, -1, 0, 0));
    if (item.rows * item.columns <= 1) {
        return;
    }
    const qreal cw = qreal(size.width()) / item.columns, ch = qreal(size.height()) / item.rows;
    p.setPen(QPen(QColor(0, 90, 255, 150), 1, Qt::DashLine));
    for (int c = 1; c < item.columns; ++c) {
        p.drawLine(QPointF(target.x() + c * cw, target.y()),
                   QPointF(target.x() + c * cw, target.bottom()));
    }
    for (int r = 1; r < item.rows; ++r) {
        p.drawLine(QPointF(target.x(), target.y() + r * ch),
                   QPointF(target.right(), target.y() + r * ch));
    }
    const QFont numberFont = thaiFont("Loma", 10, true);
    p.setFont(numberFont);
    for (int cell = 0; cell < item.rows * item.columns; ++cell) {
        const QRectF tag(target.x() + (cell % item.columns) * cw,
                         target.y() + (cell / item.columns) * ch, cell > 9 ? 17 : 11, 12);
        p.fillRect(tag, QColor(0, 60, 200, 190));
        p.setPen(Qt::white);
        p.drawText(tag, Qt::AlignCenter, QString::number(cell));
    }
}

const QImage* find(const std::vector<GamePicture>& pictures, const QString& path) {
    for (const GamePicture& picture : pictures) {
        if (picture.path == path) {
            return &picture.image;
        }
    }
    return nullptr;
}

QImage cell(const QImage& strip, int rows, int columns, int index) {
    const int w = strip.width() / columns, h = strip.height() / rows;
    return strip.copy((index % columns) * w, (index / columns) * h, w, h);
}

// The game window put together the way the window lays its pictures out, with a few owned
// squares and buildings, so the pieces can be judged side by side.
QImage gameWindowPreview(const std::vector<GamePicture>& pictures) {
    const QImage* game = find(pictures, "RsCommon/Game.bmp");
    const QImage* centre = find(pictures, "Image/CBlock.bmp");
    const QImage* corners = find(pictures, "Image/Corners.bmp");
    const QImage* sides = find(pictures, "Image/Sides.bmp");
    const QImage* hblocks = find(pictures, "Image/Hblocks.bmp");
    const QImage* vblocks = find(pictures, "Image/Vblocks.bmp");
    const QImage* dice = find(pictures, "RsCommon/Tao.bmp");
    const QImage* narrator = find(pictures, "Image/Yelface.bmp");
    const QImage* places = find(pictures, "Image/Places.bmp");
    const QImage* levels = find(pictures, "Image/Stblocks.bmp");
    if (!game || !centre || !corners || !sides || !hblocks || !vblocks || !dice || !narrator ||
        !places || !levels) {
        return {};
    }
    QImage window = game->convertToFormat(QImage::Format_RGB32);
    QPainter p(&window);
    p.drawImage(56, 56, *centre);
    const QPoint cornerAt[4] = {{344, 344}, {8, 344}, {8, 8}, {344, 8}};
    for (int c = 0; c < 4; ++c) {
        p.drawImage(cornerAt[c], cell(*corners, 2, 2, c));
    }
    for (int k = 0; k < 36; ++k) {
        const int side = k / 9, j = k % 9;
        QPoint square, head, bottom;
        if (side == 0) {
            square = {312 - 32 * j, 352};
            head = {312 - 32 * j, 344};
            bottom = {312 - 32 * j, 384};
        } else if (side == 1) {
            square = {16, 312 - 32 * j};
            head = {48, 312 - 32 * j};
            bottom = {8, 312 - 32 * j};
        } else if (side == 2) {
            square = {56 + 32 * j, 16};
            head = {56 + 32 * j, 48};
            bottom = {56 + 32 * j, 8};
        } else {
            square = {352, 56 + 32 * j};
            head = {344, 56 + 32 * j};
            bottom = {384, 56 + 32 * j};
        }
        const bool rows = side == 0 || side == 2;
        const QImage& strip = rows ? *hblocks : *vblocks;
        auto block = [&](int index) {
            return rows ? cell(strip, 10, 1, index) : cell(strip, 1, 10, index);
        };
        p.drawImage(square, cell(*sides, 6, 6, k));
        const int owner = (k % 7 == 2) ? 1 + (k / 7) % 4 : 0;
        p.drawImage(bottom, block(owner));
        p.drawImage(head, block(owner ? 4 + 1 + (k % 5) : 0));
    }
    p.fillRect(QRect(64, 64, 121, 73), QColor(0, 255, 255));
    p.fillRect(QRect(216, 264, 121, 73), QColor(255, 0, 255));
    p.fillRect(QRect(112, 160, 177, 81), QColor(255, 0, 0));
    p.drawImage(128, 172, cell(*dice, 1, 10, 0));
    p.drawImage(232, 172, cell(*dice, 1, 10, 4));
    p.drawImage(8, 400, cell(*narrator, 1, 5, 1));
    p.drawImage(408, 24, cell(*places, 5, 8, 1));
    p.drawImage(408, 136, cell(*levels, 6, 1, 2));
    const char* faces[4] = {"Image/Redface.bmp", "Image/Grnface.bmp", "Image/Whiface.bmp",
                            "Image/Bluface.bmp"};
    for (int seat = 0; seat < 4; ++seat) {
        if (const QImage* strip = find(pictures, faces[seat])) {
            p.drawImage(408, 192 + 72 * seat, cell(*strip, 1, 5, seat));
        }
    }
    for (int seat = 0; seat < 4; ++seat) {
        const QPoint token = QPoint(352 + (seat % 2) * 16, 352 + (seat / 2) * 16);
        p.setPen(Qt::black);
        p.setBrush(playerColours[size_t(seat)]);
        p.drawEllipse(QRect(token, QSize(15, 15)));
    }
    return window;
}

}  // namespace

QImage contactSheet(const std::vector<GamePicture>& pictures,
                    const std::vector<WindowPicture>& windowPictures) {
    std::vector<Item> items;
    for (const GamePicture& picture : pictures) {
        const QImage shown = picture.paletted ? toPaletted(picture.image) : picture.image;
        const int scale = scaleFor(shown);
        QString title =
            QString("%1  %2x%3").arg(picture.path).arg(shown.width()).arg(shown.height());
        if (picture.rows * picture.columns > 1) {
            title += QString("  cells %1x%2").arg(picture.rows).arg(picture.columns);
        }
        if (picture.paletted) {
            title += "  (256 colours)";
        }
        if (scale > 1) {
            title += QString("  shown x%1").arg(scale);
        }
        items.push_back({title, shown.convertToFormat(QImage::Format_RGB32), picture.rows,
                         picture.columns, scale, false});
    }
    const QImage preview = gameWindowPreview(pictures);
    if (!preview.isNull()) {
        items.push_back({"The game window put together (preview)", preview, 1, 1, 1, false});
    }
    for (const WindowPicture& picture : windowPictures) {
        items.push_back({":/pictures/" + picture.name, picture.image, 1, 1, 3, true});
    }

    // Shelves: left to right, a new row when the next picture does not fit.
    std::vector<QPoint> places;
    int x = kGap, y = kGap, rowHeight = 0;
    for (const Item& item : items) {
        const int label = QFontMetrics(thaiFont("Loma", 13, true)).horizontalAdvance(item.title);
        const int w = std::max(item.image.width() * item.scale, label + 6);
        const int h = item.image.height() * item.scale + kLabel;
        if (x + w > kWidth - kGap) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += w + kGap;
        rowHeight = std::max(rowHeight, h);
    }
    QImage sheet = blankImage(kWidth, y + rowHeight + kGap, QColor(236, 232, 224));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    for (size_t i = 0; i < items.size(); ++i) {
        drawItem(p, items[i], places[i]);
    }
    return sheet;
}

}  // namespace kroda::art
