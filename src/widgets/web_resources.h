#pragma once
// What the host serves a browser, a fixed list made when hosting starts: the page (compiled in
// under ":/web"), the game folder's pictures as PNG, its two sounds and the Thai faces the game
// draws with. A request names an entry of the list or nothing; no part of it ever becomes a
// path. Each picture is converted on its first request and kept.

#include "network/web_responder.h"

#include <QString>

namespace kroda::widgets {

network::WebResources webResources(const QString& appFolder);

}  // namespace kroda::widgets
