// 256-colour copies of the pictures: a palette chosen by splitting the picture's colours where
// they spread most (weighted by how many pixels use them), then error diffusion so gradients
// keep their look instead of banding.

#include "art/pictures.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace kroda::art {

namespace {

struct Entry {
    QRgb rgb;
    int count;
};

struct Box {
    int begin, end;  // range of entries
    double error = 0;
    int axis = 0;
};

int channel(QRgb c, int axis) {
    return axis == 0 ? qRed(c) : axis == 1 ? qGreen(c) : qBlue(c);
}

void measure(const std::vector<Entry>& entries, Box& box) {
    double n = 0;
    std::array<double, 3> sum{}, sum2{};
    for (int i = box.begin; i < box.end; ++i) {
        for (int a = 0; a < 3; ++a) {
            const double v = channel(entries[i].rgb, a);
            sum[a] += v * entries[i].count;
            sum2[a] += v * v * entries[i].count;
        }
        n += entries[i].count;
    }
    box.error = 0;
    double widest = -1;
    for (int a = 0; a < 3; ++a) {
        const double variance = sum2[a] - sum[a] * sum[a] / n;
        box.error += variance;
        if (variance > widest) {
            widest = variance;
            box.axis = a;
        }
    }
    if (box.end - box.begin < 2) {
        box.error = 0;
    }
}

QRgb average(const std::vector<Entry>& entries, const Box& box) {
    double n = 0;
    std::array<double, 3> sum{};
    for (int i = box.begin; i < box.end; ++i) {
        for (int a = 0; a < 3; ++a) {
            sum[a] += double(channel(entries[i].rgb, a)) * entries[i].count;
        }
        n += entries[i].count;
    }
    return qRgb(int(std::lround(sum[0] / n)), int(std::lround(sum[1] / n)),
                int(std::lround(sum[2] / n)));
}

std::vector<QRgb> choosePalette(std::vector<Entry>& entries, int size) {
    std::vector<Box> boxes{{0, int(entries.size())}};
    measure(entries, boxes[0]);
    while (int(boxes.size()) < size) {
        auto worst = std::max_element(boxes.begin(), boxes.end(),
                                      [](const Box& a, const Box& b) { return a.error < b.error; });
        if (worst->error <= 0) {
            break;
        }
        Box box = *worst;
        const int axis = box.axis;
        std::sort(entries.begin() + box.begin, entries.begin() + box.end,
                  [axis](const Entry& a, const Entry& b) {
                      return channel(a.rgb, axis) != channel(b.rgb, axis)
                                 ? channel(a.rgb, axis) < channel(b.rgb, axis)
                                 : a.rgb < b.rgb;
                  });
        long long total = 0;
        for (int i = box.begin; i < box.end; ++i) {
            total += entries[i].count;
        }
        long long seen = 0;
        int split = box.begin + 1;
        for (int i = box.begin; i < box.end - 1; ++i) {
            seen += entries[i].count;
            split = i + 1;
            if (seen * 2 >= total) {
                break;
            }
        }
        Box low{box.begin, split}, high{split, box.end};
        measure(entries, low);
        measure(entries, high);
        *worst = low;
        boxes.push_back(high);
    }
    std::vector<QRgb> palette;
    for (const Box& box : boxes) {
        palette.push_back(average(entries, box));
    }
    return palette;
}

}  // namespace

QImage toPaletted(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();

    std::vector<QRgb> pixels;
    pixels.reserve(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            pixels.push_back(row[x] | 0xff000000u);
        }
    }
    std::sort(pixels.begin(), pixels.end());
    std::vector<Entry> entries;
    for (QRgb c : pixels) {
        if (entries.empty() || entries.back().rgb != c) {
            entries.push_back({c, 0});
        }
        ++entries.back().count;
    }
    const bool exact = entries.size() <= 256;
    std::vector<QRgb> palette;
    if (exact) {
        for (const Entry& e : entries) {
            palette.push_back(e.rgb);
        }
    } else {
        palette = choosePalette(entries, 256);
    }

    QImage out(w, h, QImage::Format_Indexed8);
    QList<QRgb> table(palette.begin(), palette.end());
    // A full table keeps the file 8 bits per pixel even for pictures of few colours.
    while (table.size() < 256) {
        table.push_back(qRgb(0, 0, 0));
    }
    out.setColorTable(table);

    QHash<QRgb, uchar> nearestCache;
    auto nearest = [&](int r, int g, int b) -> uchar {
        const QRgb key = qRgb(r, g, b);
        auto found = nearestCache.constFind(key);
        if (found != nearestCache.constEnd()) {
            return found.value();
        }
        int best = 0;
        long bestDistance = -1;
        for (int i = 0; i < int(palette.size()); ++i) {
            const long dr = qRed(palette[i]) - r, dg = qGreen(palette[i]) - g,
                       db = qBlue(palette[i]) - b;
            // Eyes forgive blue errors more than green ones.
            const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        nearestCache.insert(key, uchar(best));
        return uchar(best);
    };

    // Serpentine error diffusion, slightly damped so flat areas near a palette colour stay calm.
    constexpr float strength = 0.8f;
    std::vector<std::array<float, 3>> errorRow(size_t(w) + 2), nextRow(size_t(w) + 2);
    for (int y = 0; y < h; ++y) {
        std::fill(nextRow.begin(), nextRow.end(), std::array<float, 3>{});
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* outRow = out.scanLine(y);
        const bool leftToRight = (y % 2) == 0;
        for (int step = 0; step < w; ++step) {
            const int x = leftToRight ? step : w - 1 - step;
            const int dir = leftToRight ? 1 : -1;
            std::array<float, 3> want{float(qRed(row[x])), float(qGreen(row[x])),
                                      float(qBlue(row[x]))};
            std::array<int, 3> clamped{};
            for (int a = 0; a < 3; ++a) {
                want[a] += exact ? 0.f : errorRow[size_t(x) + 1][size_t(a)];
                clamped[size_t(a)] = std::clamp(int(std::lround(want[a])), 0, 255);
            }
            const uchar index = nearest(clamped[0], clamped[1], clamped[2]);
            outRow[x] = index;
            if (exact) {
                continue;
            }
            const QRgb got = palette[index];
            const std::array<float, 3> error{(want[0] - float(qRed(got))) * strength,
                                             (want[1] - float(qGreen(got))) * strength,
                                             (want[2] - float(qBlue(got))) * strength};
            for (int a = 0; a < 3; ++a) {
                errorRow[size_t(x + dir) + 1][size_t(a)] += error[a] * 7 / 16;
                nextRow[size_t(x - dir) + 1][size_t(a)] += error[a] * 3 / 16;
                nextRow[size_t(x) + 1][size_t(a)] += error[a] * 5 / 16;
                nextRow[size_t(x + dir) + 1][size_t(a)] += error[a] * 1 / 16;
            }
        }
        std::swap(errorRow, nextRow);
    }
    return out;
}

}  // namespace kroda::art
