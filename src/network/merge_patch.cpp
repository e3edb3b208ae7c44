#include "network/merge_patch.h"

#include <QJsonValue>

namespace kroda::network {

QJsonObject mergePatch(const QJsonObject& from, const QJsonObject& to) {
    QJsonObject patch;
    for (auto it = from.begin(); it != from.end(); ++it) {
        if (!to.contains(it.key()))
            patch.insert(it.key(), QJsonValue::Null);
    }
    for (auto it = to.begin(); it != to.end(); ++it) {
        const QJsonValue before = from.value(it.key());
        const QJsonValue after = it.value();
        if (before == after)
            continue;
        if (before.isObject() && after.isObject())
            patch.insert(it.key(), mergePatch(before.toObject(), after.toObject()));
        else
            patch.insert(it.key(), after);
    }
    return patch;
}

QJsonObject applyMergePatch(QJsonObject target, const QJsonObject& patch) {
    for (auto it = patch.begin(); it != patch.end(); ++it) {
        const QJsonValue change = it.value();
        if (change.isNull()) {
            target.remove(it.key());
        } else if (change.isObject()) {
            const QJsonValue before = target.value(it.key());
            target.insert(it.key(),
                          applyMergePatch(before.isObject() ? before.toObject() : QJsonObject(),
                                          change.toObject()));
        } else {
            target.insert(it.key(), change);
        }
    }
    return target;
}

}  // namespace kroda::network
