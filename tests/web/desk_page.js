// The desk page under test: opened with #test, its test interface
// (window.kytTest) waited for, the desk shown, events played through it.
'use strict';

const VIEWPORT = { width: 1024, height: 768 };

// Two animation frames: whatever was drawn before is on the screen.
const FRAMES = 'new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(() => r(true))))';

async function openDesk(browser, url, { timeoutMs = 30000 } = {}) {
    const page = await browser.newPage(url + '#test', VIEWPORT);
    await waitReady(page, timeoutMs);
    await page.evaluate(`(async () => {
        kytTest.openDesk();
        await ${FRAMES};
    })()`);
    return page;
}

// Waits for the test interface; when it never comes, says what the page
// shows and what it reported.
async function waitReady(page, timeoutMs = 30000) {
    try {
        await page.waitUntil('window.kytTest && window.kytTest.ready', timeoutMs);
    } catch (e) {
        const shown = await page.evaluate('document.body ? document.body.innerText.slice(0, 300) : ""').catch(() => '');
        throw new Error(`the page did not become ready: ${e.message}; it shows "${shown.trim()}"` +
            (page.errors.length ? `; errors: ${page.errors.join(' | ')}` : ''));
    }
}

// The canvas of the desk in CSS pixels of the page: [x, y, w, h].
async function canvasRect(page) {
    return page.evaluate('kytTest.canvasRect()');
}

// A new session, then the events: handler names pressed, "wait N" as the
// virtual clock moved on; the desk redrawn and on the screen at the end.
// Returns the press results that were errors.
async function play(page, events, { clearStore = true } = {}) {
    return page.evaluate(`(async () => {
        ${clearStore ? 'try { localStorage.clear(); } catch (e) {}' : ''}
        kytTest.reset();
        const errors = [];
        for (const e of ${JSON.stringify(events)}) {
            const m = /^wait (\\d+)$/.exec(e);
            if (m) {
                kytTest.advance(Number(m[1]));
                continue;
            }
            const r = kytTest.press(e);
            if (r && r.result === 'error')
                errors.push(e + ': ' + r.reason);
        }
        await ${FRAMES};
        return errors;
    })()`);
}

// The narration on the desk: {visible, rect}.
async function memo(page) {
    return page.evaluate('kytTest.memo()');
}

// The smallest present rect of a node that holds the desk point (x, y).
function controlAt(rects, x, y) {
    let best = null;
    for (const [name, [rx, ry, rw, rh]] of Object.entries(rects))
        if (x >= rx && x < rx + rw && y >= ry && y < ry + rh && (!best || rw * rh < best.area))
            best = { name, area: rw * rh, rect: [rx, ry, rw, rh] };
    return best;
}

module.exports = { VIEWPORT, FRAMES, openDesk, waitReady, canvasRect, play, memo, controlAt };
