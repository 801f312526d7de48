// A desk lamp as the desktop's Led control keeps it: on or off, blinking or
// steady, its lit colour, the frame on show (lit or unlit) and its own blink
// timer. Each setter acts only when its value changes; a lamp switched on
// shows lit at once and, if it blinks, starts its timer then; a colour
// change of a blinking lamp starts its blinking anew, lit. The timer flips
// the frame every interval counted from its start.
export class Lamp {
    constructor(interval, value, blink, color, now) {
        this.interval = interval;
        this.value = value;
        this.blink = blink;
        this.color = color;
        this.frame = value ? 0 : 1; // 0: lit, 1: unlit
        this.start = null; // when the running timer started, or null
        this.ticks = 0; // ticks of the running timer shown so far
        if (value && blink)
            this.startTimer(now);
    }

    startTimer(now) {
        if (this.start !== null)
            return;
        this.frame = 0;
        this.start = now;
        this.ticks = 0;
    }

    stopTimer() {
        this.start = null;
    }

    restart(now) {
        this.frame = this.value ? 0 : 1;
        if (this.blink && this.value)
            this.startTimer(now);
        else
            this.stopTimer();
    }

    // One property change as the core reports it.
    set(property, v, now) {
        if (property === 'Value') {
            if (this.value === v)
                return;
            this.value = v;
            if (v) {
                this.frame = 0;
                if (this.blink)
                    this.startTimer(now);
            } else {
                this.stopTimer();
                this.frame = 1;
            }
        } else if (property === 'Blink') {
            if (this.blink === v)
                return;
            this.blink = v;
            this.restart(now);
        } else if (property === 'TrueColor') {
            if (this.color === v)
                return;
            this.color = v;
            if (this.blink) {
                this.blink = false;
                this.restart(now);
                this.blink = true;
                this.restart(now);
            }
        }
    }

    // The timer's ticks up to `now`; returns whether the frame changed.
    tick(now) {
        if (this.start === null || !(this.interval > 0))
            return false;
        const ticks = Math.floor((now - this.start) / this.interval);
        if (ticks <= this.ticks)
            return false;
        const flips = ticks - this.ticks;
        this.ticks = ticks;
        if (flips % 2 === 0)
            return false;
        this.frame = this.frame === 0 ? 1 : 0;
        return true;
    }

    // The look key of the frame on show.
    look() {
        return this.frame === 0 && this.value ? `lit:${this.color}` : 'unlit';
    }
}
