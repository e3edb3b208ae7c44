#include "widgets/real_port.h"

#include "widgets/document_opener.h"
#include "widgets/file_dialogs.h"

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
    showFileDialog(dialogParent, {FileDialogKind::Open, title, filter, initialFolder, {}},
                   [this, answer = std::move(answer)](const QString& file) {
                       deliver([answer, file] { answer(file); });
                   });
}

void RealPort::askSaveFile(const QString& title, const QString& filter,
                           const QString& initialFolder) {
    if (saveRequested)
        saveRequested(title, filter, initialFolder);
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

void RealPort::changeSpeed() {
    if (speedChange)
        speedChange();
}

void RealPort::showDeedCard() {
    if (deedCard)
        deedCard();
}

double RealPort::timeOfDay() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace kroda::widgets
