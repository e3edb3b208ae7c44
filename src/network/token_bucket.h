#pragma once
// A rate limit: a bucket of `capacity` tokens refilled at `perSecond`; each message takes one,
// or each byte one. Bursts up to the capacity pass; a steady stream faster than the refill
// runs it dry.

#include <QtGlobal>

#include <algorithm>

namespace kroda::network {

class TokenBucket {
  public:
    TokenBucket(double capacity, double perSecond, qint64 nowMs)
        : capacity_(capacity), perSecond_(perSecond), tokens_(capacity), lastMs_(nowMs) {}

    // Takes `count` tokens at `nowMs`; false when fewer are left.
    bool take(qint64 nowMs, double count = 1.0) {
        const qint64 elapsed = std::max<qint64>(0, nowMs - lastMs_);
        lastMs_ = std::max(lastMs_, nowMs);
        tokens_ = std::min(capacity_, tokens_ + static_cast<double>(elapsed) * perSecond_ / 1000.0);
        if (tokens_ < count)
            return false;
        tokens_ -= count;
        return true;
    }

  private:
    double capacity_;
    double perSecond_;
    double tokens_;
    qint64 lastMs_;
};

}  // namespace kroda::network
