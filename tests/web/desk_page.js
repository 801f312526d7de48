// The desk page under test: opened with #test, its test interface
// (window.kytTest) waited for, the desk shown, events played through it.
'use strict';
const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');
const png = require('./png.js');

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


// The desktop's desk after the events, drawn by kyt-deskshot with a settings
// folder of its own (the use counts start from nothing, as on a fresh page):
// {picture (decoded), bytes (the PNG), memo ({memoVisible, memo})}.
function desktopDesk(deskshot, scratch, events, name) {
    const script = path.join(scratch, `${name}.txt`);
    const picture = path.join(scratch, `${name}.png`);
    fs.writeFileSync(script, events.join('\n') + '\n');
    const home = fs.mkdtempSync(path.join(scratch, 'home-'));
    const r = spawnSync(deskshot, [script, picture], {
        encoding: 'utf8', timeout: 60000,
        env: { ...process.env, HOME: home, XDG_CONFIG_HOME: path.join(home, '.config'), QT_QPA_PLATFORM: 'offscreen' },
    });
    fs.rmSync(home, { recursive: true, force: true });
    if (r.error || r.status !== 0)
        throw new Error(`kyt-deskshot failed (${r.error || r.status}): ${r.stderr}`);
    const memo = JSON.parse(r.stdout.trim().split('\n').pop());
    const bytes = fs.readFileSync(picture);
    return { picture: png.decode(bytes), bytes, memo };
}

// The page's desk as it is on the screen against the desktop's: the
// narration's rect left out while it is shown (the browser sets its text),
// its place and visibility compared. {problems, cmp, shot, pagePicture}.
async function compareDesk(page, canvas, ref) {
    const shot = await page.screenshot(canvas);
    const pagePicture = png.decode(shot);
    const pageMemo = await memo(page);
    const cmp = png.compare(ref.picture, pagePicture, ref.memo.memoVisible ? [ref.memo.memo] : []);
    const problems = [];
    if (cmp.count < 0)
        problems.push(`sizes differ: ${cmp.size}`);
    else if (cmp.count > 0)
        problems.push(`${cmp.count} pixels differ`);
    if (pageMemo.visible && ref.memo.memoVisible && pageMemo.rect.join() !== ref.memo.memo.join())
        problems.push(`narration at ${pageMemo.rect.join(', ')} on the page, ${ref.memo.memo.join(', ')} on the desktop`);
    if (pageMemo.visible !== ref.memo.memoVisible)
        problems.push(`narration ${pageMemo.visible ? 'shown' : 'hidden'} on the page, ${ref.memo.memoVisible ? 'shown' : 'hidden'} on the desktop`);
    return { problems, cmp, shot, pagePicture };
}

// Where the first differing pixel is and what lies there, for a report.
async function describeDifference(page, ref, pagePicture, [x, y]) {
    const rects = await page.evaluate('kytTest.rects()');
    const under = controlAt(rects, x, y);
    const at = (p) => { const k = (y * p.width + x) * 4; return `rgb(${p.data[k]}, ${p.data[k + 1]}, ${p.data[k + 2]})`; };
    return `first differing pixel (${x}, ${y}) in ${under ? `${under.name} [${under.rect.join(', ')}]` : 'no control'}: desktop ${at(ref.picture)}, page ${at(pagePicture)}`;
}

module.exports = { VIEWPORT, FRAMES, openDesk, waitReady, canvasRect, play, memo, controlAt, desktopDesk, compareDesk,
    describeDifference };
