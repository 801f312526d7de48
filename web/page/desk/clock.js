// The simulation clock in the page: it follows the browser's clock at the
// chosen speed, moves on by at most one period of the core's quickest timer
// per frame (a page the browser held back does not run the desk through
// minutes at once), and stands while paused or while the page is hidden.

export const kSpeeds = [1, 2, 4];

export class PageClock {
    // advance(ms): moves the core's clock on; maxStepMs: the period of the
    // core's quickest timer.
    constructor(advance, maxStepMs, now = () => performance.now()) {
        this.advanceCore = advance;
        this.maxStepMs = maxStepMs;
        this.now = now;
        this.last = null;
        this.carry = 0;
        this.speed = 1;
        this.paused = false;
        this.running = false;
    }

    // Starts following the browser's clock from now.
    start() {
        this.running = true;
        this.last = this.now();
        this.carry = 0;
    }

    stop() {
        this.running = false;
        this.last = null;
    }

    setPaused(paused) {
        if (paused === this.paused)
            return;
        // The time up to the pause still counts; the pause itself does not.
        this.follow();
        this.paused = paused;
        this.last = this.now();
    }

    setSpeed(speed) {
        if (!kSpeeds.includes(speed) || speed === this.speed)
            return;
        // The time before the change goes at the old speed.
        this.follow();
        this.speed = speed;
    }

    // Hands the core the time gone by since the last call.
    follow() {
        const t = this.now();
        if (!this.running || this.last === null) {
            this.last = t;
            return;
        }
        const gone = t - this.last;
        this.last = t;
        if (this.paused || !(gone > 0))
            return;
        const total = this.carry + gone * this.speed;
        const step = Math.min(Math.floor(total), this.maxStepMs);
        this.carry = total >= this.maxStepMs ? 0 : total - step;
        if (step > 0)
            this.advanceCore(step);
    }
}
