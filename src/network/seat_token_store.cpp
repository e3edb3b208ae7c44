#include "network/seat_token_store.h"

#include "model/regular_file.h"
#include "network/join_code.h"
#include "network/protocol.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace kroda::network {

namespace {

QJsonObject entryOf(const SeatTokenStore::Key& key) {
    return {{"host", key.host.toLower()},
            {"port", key.port},
            {"code", plainJoinCode(key.code)},
            {"name", key.name}};
}

bool sameSeat(const QJsonObject& entry, const QJsonObject& key) {
    for (auto it = key.begin(); it != key.end(); ++it)
        if (entry.value(it.key()) != it.value())
            return false;
    return true;
}

// The entries of the file, each with a token of a token's form; anything else is dropped.
QJsonArray entriesIn(const QString& file) {
    const FileRead read = readRegularFile(file, SeatTokenStore::kFileLimit);
    if (!read.ok())
        return {};
    QJsonArray entries;
    for (const QJsonValue& v : QJsonDocument::fromJson(read.bytes).array()) {
        const QJsonObject e = v.toObject();
        if (tokenForm(e.value("token").toString()))
            entries.append(e);
    }
    return entries;
}

}  // namespace

SeatTokenStore::SeatTokenStore(QString file) : file_(std::move(file)) {}

QString SeatTokenStore::defaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/seat-tokens.json");
}

QString SeatTokenStore::find(const Key& key) const {
    const QJsonObject wanted = entryOf(key);
    for (const QJsonValue& v : entriesIn(file_)) {
        if (sameSeat(v.toObject(), wanted))
            return v.toObject().value("token").toString();
    }
    return {};
}

std::optional<QString> SeatTokenStore::keep(const std::vector<std::pair<Key, QString>>& tokens) {
    const QFileInfo info(file_);
    if (!QDir().mkpath(info.absolutePath()))
        return file_ + QStringLiteral(": its folder cannot be made");
    // Two clients on one machine read, change and write the file one at a time.
    QLockFile lock(file_ + QStringLiteral(".lock"));
    if (!lock.tryLock(2000))
        return file_ + QStringLiteral(": another copy holds its lock");
    QJsonArray entries = entriesIn(file_);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (const auto& [key, token] : tokens) {
        const QJsonObject wanted = entryOf(key);
        for (qsizetype i = entries.size() - 1; i >= 0; --i)
            if (sameSeat(entries[i].toObject(), wanted))
                entries.removeAt(i);
        QJsonObject entry = wanted;
        entry.insert("token", token);
        entry.insert("kept", now);
        entries.append(entry);
    }
    // The newest entries are the last.
    while (entries.size() > kMaxEntries) entries.removeFirst();

    QSaveFile out(file_);
    if (!out.open(QIODevice::WriteOnly))
        return file_ + QStringLiteral(": cannot be written: ") + out.errorString();
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray bytes = QJsonDocument(entries).toJson(QJsonDocument::Indented);
    if (out.write(bytes) != bytes.size() || !out.commit())
        return file_ + QStringLiteral(": cannot be written: ") + out.errorString();
    return std::nullopt;
}

}  // namespace kroda::network
