#pragma once
// What changed between two moments of the game, as a JSON merge patch: the members that
// differ, with their new values, nested objects patched member by member, lists replaced
// whole, and null for a member that is gone. The save document holds no nulls, so a patch
// carries its moments exactly; the host sends one after every event in place of the whole
// state.

#include <QJsonObject>

namespace kroda::network {

// The patch that turns `from` into `to`; empty when they are equal.
QJsonObject mergePatch(const QJsonObject& from, const QJsonObject& to);

// `target` with `patch` applied.
QJsonObject applyMergePatch(QJsonObject target, const QJsonObject& patch);

}  // namespace kroda::network
