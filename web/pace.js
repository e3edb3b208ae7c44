// @ts-check
// The page's inputs are paced as the desktop client paces its own: a burst of 20 and 20 a
// second, well under the host's 40 and 30, so that taps as fast as fingers go never cost the
// player the connection.

export const INPUT_BURST = 20;
export const INPUTS_PER_SECOND = 20;

export class TokenBucket {
    /**
     * @param {number} capacity
     * @param {number} perSecond
     * @param {number} nowMs
     */
    constructor(capacity, perSecond, nowMs) {
        this.capacity = capacity;
        this.perSecond = perSecond;
        this.tokens = capacity;
        this.lastMs = nowMs;
    }

    /**
     * Takes one token at `nowMs`; false when none is left. A clock that steps back refills
     * nothing.
     * @param {number} nowMs
     * @returns {boolean}
     */
    take(nowMs) {
        const elapsed = Math.max(0, nowMs - this.lastMs);
        this.lastMs = Math.max(this.lastMs, nowMs);
        this.tokens = Math.min(this.capacity, this.tokens + (elapsed * this.perSecond) / 1000);
        if (this.tokens < 1)
            return false;
        this.tokens -= 1;
        return true;
    }
}
