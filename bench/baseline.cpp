// kroda-baseline FOLDER: what any Qt Widgets program of the game's kind costs. It opens a
// 640 x 480 window and paints 20 BMP pictures of FOLDER (the game folder: so they have the
// game's sizes), and at its first painted frame prints "startup-ms N" on stderr, as kroda does
// with --print-startup. Then it waits, idle, until it is ended.

#include "platform/startup_clock.h"

#include <QApplication>
#include <QDirIterator>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class Window : public QWidget {
  public:
    explicit Window(std::vector<QImage> pictures) : pictures_(std::move(pictures)) {
        setFixedSize(640, 480);
        setWindowTitle(QStringLiteral("baseline"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        // Five columns of four: each picture scaled into its cell, the first one behind all.
        const int w = width() / 5, h = height() / 4;
        for (std::size_t i = 0; i < pictures_.size(); ++i) {
            const QRect cell(static_cast<int>(i % 5) * w, static_cast<int>(i / 5) * h, w, h);
            p.drawImage(i == 0 ? rect() : cell, pictures_[i]);
        }
        if (!painted_) {
            painted_ = true;
            std::fprintf(stderr, "startup-ms %lld\n",
                         static_cast<long long>(kroda::msSinceProcessStart()));
            std::fflush(stderr);
        }
    }

  private:
    std::vector<QImage> pictures_;
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kroda-baseline FOLDER\n");
        return 2;
    }
    QStringList files;
    // Links to folders are followed, so that an installed game folder works too.
    QDirIterator linked(QString::fromLocal8Bit(argv[1]), {QStringLiteral("*.bmp")}, QDir::Files,
                        QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (linked.hasNext()) files << linked.next();
    files.removeDuplicates();
    std::sort(files.begin(), files.end());
    if (files.size() < 20) {
        std::fprintf(stderr, "kroda-baseline: %s holds %lld BMP files, not 20\n", argv[1],
                     static_cast<long long>(files.size()));
        return 1;
    }
    std::vector<QImage> pictures;
    for (const QString& f : files.mid(0, 20)) {
        QImage image(f);
        if (image.isNull()) {
            std::fprintf(stderr, "kroda-baseline: cannot read %s\n", qPrintable(f));
            return 1;
        }
        pictures.push_back(image);
    }
    Window window(std::move(pictures));
    window.show();
    return app.exec();
}
