#pragma once
// The front-end windows' click: a button's action starts only when its click sound has
// finished. Whoever shows the window plays the sound and calls back later, from its event
// loop; nothing waits in between.

#include <QString>

#include <functional>

namespace kroda {

using ClickPlayer = std::function<void(const QString& wavPath, std::function<void()> finished)>;

// Plays nothing and goes on at once: for windows without sound.
inline void silentClick(const QString&, std::function<void()> finished) {
    if (finished)
        finished();
}

// One press at a time: a press that arrives while the click of an earlier one is still
// playing is dropped, as the platform's blocking click would never have seen it.
class ClickGate {
  public:
    bool busy() const { return busy_; }
    void run(const ClickPlayer& player, const QString& wavPath, std::function<void()> action) {
        busy_ = true;
        player(wavPath, [this, action = std::move(action)] {
            busy_ = false;
            action();
        });
    }

  private:
    bool busy_ = false;
};

}  // namespace kroda
