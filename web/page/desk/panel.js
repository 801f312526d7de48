// Beside the desk: why the last press was refused, the clock's pause and
// speed, and what went wrong.
import { kSpeeds } from './clock.js';

export class SidePanel {
    // actions: {setPaused(bool), setSpeed(n)}
    constructor(actions) {
        const el = document.createElement('aside');
        el.className = 'kyt-desk-side';
        el.setAttribute('aria-label', 'Zegar i odmowy');
        this.element = el;

        const clockBox = document.createElement('div');
        clockBox.className = 'kyt-desk-clock';
        this.pause = document.createElement('button');
        this.pause.type = 'button';
        this.pause.addEventListener('click', () => actions.setPaused(!this.paused));
        clockBox.append(this.pause);
        const speeds = document.createElement('div');
        speeds.className = 'kyt-desk-speeds';
        speeds.setAttribute('role', 'group');
        speeds.setAttribute('aria-label', 'Szybkość');
        speeds.append('Szybkość: ');
        this.speedButtons = kSpeeds.map((s) => {
            const b = document.createElement('button');
            b.type = 'button';
            b.textContent = `×${s}`;
            b.addEventListener('click', () => actions.setSpeed(s));
            speeds.append(b);
            return [s, b];
        });
        clockBox.append(speeds);
        this.status = document.createElement('div');
        this.status.className = 'kyt-desk-status';
        clockBox.append(this.status);

        const refusalBox = document.createElement('div');
        refusalBox.className = 'kyt-desk-refusal';
        const title = document.createElement('div');
        title.className = 'kyt-desk-side-title';
        title.textContent = 'Ostatnia odmowa:';
        this.reason = document.createElement('div');
        this.reason.setAttribute('role', 'status');
        this.reason.setAttribute('aria-live', 'polite');
        refusalBox.append(title, this.reason);

        this.errors = document.createElement('div');
        this.errors.className = 'kyt-desk-errors';
        this.errors.setAttribute('role', 'alert');

        el.append(clockBox, refusalBox, this.errors);
        this.paused = false;
        this.update({ paused: false, speed: 1 });
        this.refusal('');
    }

    update({ paused, speed }) {
        this.paused = paused;
        this.pause.textContent = paused ? 'Wznów' : 'Pauza';
        this.pause.setAttribute('aria-pressed', String(paused));
        for (const [s, b] of this.speedButtons)
            b.setAttribute('aria-pressed', String(s === speed));
        const parts = [];
        if (paused)
            parts.push('Pauza (Pause lub Ctrl+Spacja: wznów)');
        if (speed !== 1)
            parts.push(`Szybkość ×${speed}`);
        this.status.textContent = parts.join('   •   ');
    }

    refusal(reason) {
        this.reason.textContent = reason || '—';
    }

    error(message) {
        const line = document.createElement('div');
        line.textContent = message;
        this.errors.append(line);
        while (this.errors.childElementCount > 5)
            this.errors.firstElementChild.remove();
    }

    missing(what) {
        this.error(`Brak obrazka: ${what}`);
    }
}
