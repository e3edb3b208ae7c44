#include "network/host_copy.h"

#include "game/save_game.h"
#include "network/merge_patch.h"

#include <QJsonDocument>
#include <QJsonParseError>

namespace kroda::network {

std::optional<QString> HostCopy::take(const State& state) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(state.save, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return QStringLiteral("the host's state is not a save: ") + error.errorString();
    return load(doc.object());
}

std::optional<QString> HostCopy::take(const Moment& moment) {
    if (document_.isEmpty())
        return QStringLiteral("the host sent a moment before the state");
    return load(applyMergePatch(document_, moment.patch));
}

std::optional<QString> HostCopy::load(const QJsonObject& document) {
    const QByteArray bytes = QJsonDocument(document).toJson(QJsonDocument::Compact);
    if (const auto error = readSave(bytes, game_, clock_, SaveSource::Host))
        return QStringLiteral("the host sent a moment that does not load: ") + *error;
    document_ = document;
    return std::nullopt;
}

}  // namespace kroda::network
