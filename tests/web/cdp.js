// Headless Chromium driven over its DevTools protocol on a pipe: the
// browser reads commands from its fd 3 and writes answers and events on its
// fd 4, each message JSON followed by a NUL byte. No package beyond node.
//
//   const browser = await Browser.launch({ width, height });
//   const page = await browser.newPage('file:///...');
//   await page.evaluate('1 + 1');
//   const png = await page.screenshot([x, y, w, h]);
//   await browser.close();
//
// Every command has a time limit; the browser is killed on close, on any
// failure to start and when node exits.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const CHROMIUM = process.env.KYT_CHROMIUM || 'chromium';

// Browsers started by this process, killed if node goes away first.
const running = new Set();
process.on('exit', () => {
    for (const b of running)
        b.kill();
});
for (const signal of ['SIGINT', 'SIGTERM'])
    process.on(signal, () => process.exit(130));

class ProtocolError extends Error {}

class Browser {
    constructor(child, profile, timeoutMs) {
        this.child = child;
        this.profile = profile;
        this.timeoutMs = timeoutMs;
        this.nextId = 1;
        this.waiting = new Map(); // id -> {resolve, reject, timer, method}
        this.listeners = new Set(); // (message) => void
        this.closed = false;
        this.stderr = '';
        let pending = Buffer.alloc(0);
        child.stdio[4].on('data', (chunk) => {
            pending = Buffer.concat([pending, chunk]);
            for (let end = pending.indexOf(0); end >= 0; end = pending.indexOf(0)) {
                const text = pending.subarray(0, end).toString('utf8');
                pending = pending.subarray(end + 1);
                this.receive(JSON.parse(text));
            }
        });
        child.stderr.on('data', (chunk) => {
            // Kept short: only the end helps when something goes wrong.
            this.stderr = (this.stderr + chunk.toString()).slice(-8000);
        });
        child.on('exit', (code, signal) => {
            this.closed = true;
            running.delete(this);
            const why = new ProtocolError(`chromium exited (${signal || code})`);
            for (const w of this.waiting.values()) {
                clearTimeout(w.timer);
                w.reject(why);
            }
            this.waiting.clear();
        });
        child.stdio[3].on('error', () => {});
    }

    // Starts the browser with a fresh profile; the viewport of every page
    // it opens is width x height CSS pixels at one device pixel each.
    static async launch({ width = 1000, height = 700, timeoutMs = 30000, args = [] } = {}) {
        const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'kyt-chromium-'));
        const child = spawn(CHROMIUM, [
            '--headless=new', '--no-sandbox', '--disable-gpu', '--hide-scrollbars',
            '--force-device-scale-factor=1', '--force-color-profile=srgb',
            '--remote-debugging-pipe', `--user-data-dir=${profile}`,
            '--no-first-run', '--no-default-browser-check', '--disable-extensions',
            '--disable-background-networking', '--disable-sync', '--mute-audio',
            `--window-size=${width},${height}`, ...args, 'about:blank',
        ], { stdio: ['ignore', 'pipe', 'pipe', 'pipe', 'pipe'] });
        const browser = new Browser(child, profile, timeoutMs);
        browser.width = width;
        browser.height = height;
        running.add(browser);
        try {
            await new Promise((resolve, reject) => {
                child.once('spawn', resolve);
                child.once('error', reject);
            });
            await browser.send('Browser.getVersion');
        } catch (e) {
            browser.kill();
            throw new ProtocolError(`chromium did not start: ${e.message}\n${browser.stderr}`);
        }
        return browser;
    }

    receive(message) {
        if (message.id !== undefined) {
            const w = this.waiting.get(message.id);
            if (!w)
                return;
            this.waiting.delete(message.id);
            clearTimeout(w.timer);
            if (message.error)
                w.reject(new ProtocolError(`${w.method}: ${message.error.message} ${message.error.data || ''}`));
            else
                w.resolve(message.result);
            return;
        }
        for (const l of [...this.listeners])
            l(message);
    }

    // One protocol command; sessionId addresses an attached page.
    send(method, params = {}, sessionId, timeoutMs = this.timeoutMs) {
        if (this.closed)
            return Promise.reject(new ProtocolError(`${method}: the browser is closed`));
        const id = this.nextId++;
        const message = { id, method, params };
        if (sessionId)
            message.sessionId = sessionId;
        return new Promise((resolve, reject) => {
            const timer = setTimeout(() => {
                this.waiting.delete(id);
                reject(new ProtocolError(`${method}: no answer in ${timeoutMs} ms`));
            }, timeoutMs);
            this.waiting.set(id, { resolve, reject, timer, method });
            this.child.stdio[3].write(JSON.stringify(message) + '\0');
        });
    }

    // Waits for the first event for which test(message) holds.
    waitFor(test, timeoutMs = this.timeoutMs, what = 'event') {
        return new Promise((resolve, reject) => {
            const timer = setTimeout(() => {
                this.listeners.delete(listener);
                reject(new ProtocolError(`no ${what} in ${timeoutMs} ms`));
            }, timeoutMs);
            const listener = (m) => {
                if (test(m)) {
                    clearTimeout(timer);
                    this.listeners.delete(listener);
                    resolve(m);
                }
            };
            this.listeners.add(listener);
        });
    }

    // A new tab at url, attached, its viewport set and checked, its console
    // errors and uncaught exceptions collected in page.errors.
    async newPage(url, { width = this.width, height = this.height, waitLoad = true } = {}) {
        const { targetId } = await this.send('Target.createTarget', { url: 'about:blank' });
        const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true });
        const page = new Page(this, targetId, sessionId);
        await page.send('Page.enable');
        await page.send('Runtime.enable');
        await page.send('Log.enable');
        await page.send('Emulation.setDeviceMetricsOverride',
            { width, height, deviceScaleFactor: 1, mobile: false });
        if (url)
            await page.navigate(url, { waitLoad });
        const inner = await page.evaluate('[innerWidth, innerHeight, devicePixelRatio]');
        if (inner[0] !== width || inner[1] !== height || inner[2] !== 1)
            throw new ProtocolError(`viewport is ${inner.join(' x ')}, not ${width} x ${height} at 1`);
        return page;
    }

    kill() {
        if (!this.closed) {
            try {
                this.child.kill('SIGKILL');
            } catch (e) {
                // already gone
            }
        }
        running.delete(this);
        fs.rmSync(this.profile, { recursive: true, force: true });
    }

    async close() {
        if (!this.closed) {
            const exited = new Promise((resolve) => this.child.once('exit', resolve));
            this.send('Browser.close', {}, undefined, 3000).catch(() => {});
            const timer = new Promise((resolve) => setTimeout(resolve, 5000));
            await Promise.race([exited, timer]);
        }
        this.kill();
    }
}

class Page {
    constructor(browser, targetId, sessionId) {
        this.browser = browser;
        this.targetId = targetId;
        this.sessionId = sessionId;
        this.errors = [];
        browser.listeners.add((m) => {
            if (m.sessionId !== sessionId)
                return;
            if (m.method === 'Runtime.exceptionThrown') {
                const d = m.params.exceptionDetails;
                this.errors.push(`uncaught: ${(d.exception && d.exception.description) || d.text}`);
            } else if (m.method === 'Runtime.consoleAPICalled' && m.params.type === 'error') {
                this.errors.push(`console.error: ${m.params.args.map((a) => a.value ?? a.description).join(' ')}`);
            } else if (m.method === 'Log.entryAdded' && m.params.entry.level === 'error') {
                this.errors.push(`log: ${m.params.entry.text} ${m.params.entry.url || ''}`);
            }
        });
    }

    send(method, params = {}, timeoutMs) {
        return this.browser.send(method, params, this.sessionId, timeoutMs);
    }

    async navigate(url, { waitLoad = true, timeoutMs = this.browser.timeoutMs } = {}) {
        const loaded = waitLoad
            ? this.browser.waitFor((m) => m.sessionId === this.sessionId && m.method === 'Page.loadEventFired',
                timeoutMs, `load of ${url}`)
            : null;
        const r = await this.send('Page.navigate', { url });
        if (r.errorText) {
            if (loaded)
                loaded.catch(() => {});
            throw new ProtocolError(`navigation to ${url}: ${r.errorText}`);
        }
        if (loaded)
            await loaded;
    }

    // The value of a JavaScript expression, promises awaited; an exception
    // in the page is thrown here with its message.
    async evaluate(expression, timeoutMs) {
        const r = await this.send('Runtime.evaluate',
            { expression, awaitPromise: true, returnByValue: true, userGesture: true }, timeoutMs);
        if (r.exceptionDetails) {
            const d = r.exceptionDetails;
            throw new ProtocolError(`in the page: ${(d.exception && d.exception.description) || d.text}`);
        }
        return r.result.value;
    }

    // Polls an expression until it is true.
    async waitUntil(expression, timeoutMs = this.browser.timeoutMs, intervalMs = 20) {
        const end = Date.now() + timeoutMs;
        for (;;) {
            if (await this.evaluate(`!!(${expression})`))
                return;
            if (Date.now() > end)
                throw new ProtocolError(`${expression} did not hold in ${timeoutMs} ms`);
            await new Promise((r) => setTimeout(r, intervalMs));
        }
    }

    // A PNG of the page's [x, y, w, h] in CSS pixels (one device pixel each).
    async screenshot([x, y, width, height]) {
        const r = await this.send('Page.captureScreenshot',
            { format: 'png', clip: { x, y, width, height, scale: 1 }, captureBeyondViewport: false });
        return Buffer.from(r.data, 'base64');
    }

    // A real pointer click at (x, y) of the page: moved there, pressed and
    // released with the left button.
    async click(x, y) {
        await this.send('Input.dispatchMouseEvent', { type: 'mouseMoved', x, y, button: 'none' });
        await this.send('Input.dispatchMouseEvent', { type: 'mousePressed', x, y, button: 'left', buttons: 1, clickCount: 1 });
        await this.send('Input.dispatchMouseEvent', { type: 'mouseReleased', x, y, button: 'left', buttons: 0, clickCount: 1 });
    }

    async close() {
        await this.browser.send('Target.closeTarget', { targetId: this.targetId }).catch(() => {});
    }
}

module.exports = { Browser, Page, ProtocolError };
