#include "widgets/real_port.h"

#include "widgets/document_opener.h"

#include <QApplication>
#include <QFileDialog>
#include <QTime>

namespace kroda::widgets {

QString qtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

RealPort::RealPort() = default;

void RealPort::beep() {
    QApplication::beep();
}

void RealPort::playSound(const QString& wavPath, SoundMode mode, std::function<void()> finished) {
    if (mode == SoundMode::AsyncNoInterrupt) {
        if (!sound_.busy())
            sound_.play(wavPath, {});
        if (finished)
            finished();
        return;
    }
    sound_.play(wavPath, [this, finished = std::move(finished)] {
        if (finished)
            deliver(finished);
    });
}

void RealPort::musicClose() {
    music_.close();
}

bool RealPort::musicOpen(const QString& midiPath) {
    return music_.open(midiPath);
}

void RealPort::musicPlay() {
    music_.play();
}

std::int64_t RealPort::musicLength() {
    return music_.length();
}

std::int64_t RealPort::musicPosition() {
    return music_.position();
}

void RealPort::askOpenFile(const QString& title, const QString& filter,
                           const QString& initialFolder,
                           std::function<void(const QString&)> answer) {
    auto* dialog = new QFileDialog(dialogParent, title, initialFolder, qtFileFilter(filter));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // The dialog answers once, by whichever signal comes.
    auto pending = std::make_shared<std::function<void(const QString&)>>(std::move(answer));
    const auto reply = [this, pending](const QString& file) {
        if (!*pending)
            return;
        auto f = std::move(*pending);
        *pending = {};
        deliver([f, file] { f(file); });
    };
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog, reply);
    QObject::connect(dialog, &QDialog::rejected, dialog, [reply] { reply(QString()); });
    dialog->open();
}

void RealPort::openDocument(const QString& path) {
    widgets::openDocument(path);
}

void RealPort::quit() {
    if (onQuit)
        onQuit();
    else
        QCoreApplication::exit(0);
}

void RealPort::showDeedCard() {
    if (deedCard)
        deedCard();
}

double RealPort::timeOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace kroda::widgets
