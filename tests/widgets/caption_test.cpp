// A caption set on one line stands where the line-breaking layout would put it, for every
// alignment; a caption that does not fit is wrapped as before.
#include "widgets/control_painter.h"
#include "widgets/fonts.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace kroda::widgets {
namespace {

QImage drawn(const QString& text, Qt::Alignment align, bool throughCaption) {
    QImage image(200, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(labelFont());
    p.setPen(Qt::black);
    const QRect r(10, 5, 180, 50);
    if (throughCaption)
        drawCaption(p, r, align, text);
    else
        p.drawText(r, static_cast<int>(align) | Qt::TextWordWrap, text);
    return image;
}

// The rectangle of everything that is not white.
QRect ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(Caption, OneLineStandsWhereTheLayoutPutsIt) {
    const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    for (const QString& text : {QStringLiteral("เริ่มเกมใหม่"), QStringLiteral("Version 1.0")}) {
        for (const Qt::Alignment h : horizontal) {
            for (const Qt::Alignment v : vertical) {
                const QRect expected = ink(drawn(text, h | v, false));
                const QRect got = ink(drawn(text, h | v, true));
                ASSERT_FALSE(expected.isEmpty());
                EXPECT_LE(std::abs(got.left() - expected.left()), 1) << int(h | v);
                EXPECT_LE(std::abs(got.top() - expected.top()), 1) << int(h | v);
                EXPECT_EQ(got.size(), expected.size()) << int(h | v);
            }
        }
    }
}

TEST(Caption, WhatDoesNotFitOnOneLineIsWrapped) {
    const QString longText = QStringLiteral("ผู้เล่นทุกคนทอดลูกเต๋าเพื่อจัดลำดับการเล่นก่อนเริ่มเกมใหม่");
    EXPECT_EQ(drawn(longText, Qt::AlignCenter, true), drawn(longText, Qt::AlignCenter, false));
    const QString twoLines = QStringLiteral("หนึ่ง\nสอง");
    EXPECT_EQ(drawn(twoLines, Qt::AlignLeft, true), drawn(twoLines, Qt::AlignLeft, false));
    EXPECT_GT(ink(drawn(longText, Qt::AlignCenter, true)).height(),
              ink(drawn(QStringLiteral("หนึ่ง"), Qt::AlignCenter, true)).height());
}

}  // namespace
}  // namespace kroda::widgets
