// A whole exercise played with real pointer events: a train from A to B and
// back, each press a mouse click sent through the browser's input (moved,
// pressed, released) at the middle of its control's rect on the page, the
// start window's "Chętnie się pouczę." clicked first.
// After every event the page's state must be kyt-replay's state after the
// same events, and its desk kyt-deskshot's picture, pixel for pixel (the
// narration's rect left out while it is shown).
//   node desk_pointer.js KYT_HTML KYT_REPLAY KYT_DESKSHOT
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');
const { pathToFileURL } = require('url');
const { Browser } = require('./cdp.js');
const deskPage = require('./desk_page.js');

const [html, replay, deskshot] = process.argv.slice(2, 5);
if (!deskshot) {
    console.error('usage: node desk_pointer.js KYT_HTML KYT_REPLAY KYT_DESKSHOT');
    process.exit(2);
}

// Block set A to B, exit signal, the train runs and arrives (63 clock
// steps of 500 ms), Ko and the release; then the same from B to A.
const EXERCISE = [
    'pwbl1Click', 'ppoz2Click', 'pdalejClick', 'psa1Click', 'psa2Click', 'ArrowButton1Click',
    'wait 31500', 'pkoaClick', 'pdalejClick', 'pdalejClick', 'pdalejClick',
    'pwbl2Click', 'ppoz1Click', 'pdalejClick', 'psb2Click', 'psb1Click', 'ArrowButton3Click',
    'wait 31500', 'pkobClick', 'pdalejClick', 'pdalejClick', 'pdalejClick',
];
const START_TEXT = 'Chętnie się pouczę.';

// kyt-replay's state after each event, FormActivate first.
function replayStates() {
    const home = fs.mkdtempSync(path.join(os.tmpdir(), 'kyt-web-pointer-'));
    const script = path.join(home, 'exercise.txt');
    fs.writeFileSync(script, ['FormActivate', ...EXERCISE.flatMap((e) => [e, 'state'])].join('\n') + '\n');
    const r = spawnSync(replay, [script], { encoding: 'utf8', timeout: 60000, env: { ...process.env, HOME: home } });
    fs.rmSync(home, { recursive: true, force: true });
    if (r.error || r.status !== 0)
        throw new Error(`kyt-replay failed (${r.error || r.status}): ${r.stderr}`);
    const states = r.stdout.trim().split('\n');
    if (states.length !== EXERCISE.length)
        throw new Error(`kyt-replay printed ${states.length} lines, not ${EXERCISE.length}`);
    return states;
}

// Where the first difference of two states' JSON lies, by key path.
function firstDifference(a, b, at = '') {
    if (typeof a !== 'object' || typeof b !== 'object' || a === null || b === null)
        return a === b ? null : `${at}: ${JSON.stringify(a)} / ${JSON.stringify(b)}`.slice(0, 300);
    for (const k of new Set([...Object.keys(a), ...Object.keys(b)])) {
        const d = firstDifference(a[k], b[k], `${at}.${k}`);
        if (d)
            return d;
    }
    return null;
}

async function main() {
    const expected = replayStates();
    const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'kyt-web-pointer-desks-'));
    process.on('exit', () => fs.rmSync(scratch, { recursive: true, force: true }));
    const browser = await Browser.launch(deskPage.VIEWPORT);
    let passed = 0, failed = 0;
    try {
        const page = await browser.newPage(pathToFileURL(path.resolve(html)).href + '#test', deskPage.VIEWPORT);
        await deskPage.waitReady(page);
        // The page opens with the start window: its button clicked.
        const start = await page.evaluate(`(() => {
            const text = ${JSON.stringify(START_TEXT)};
            for (const e of document.querySelectorAll('button, a, [role=button], div, span')) {
                const named = e.getAttribute('aria-label') === text || e.title === text || e.textContent.trim() === text;
                if (!named || !e.offsetParent)
                    continue;
                const r = e.getBoundingClientRect();
                return [r.left + r.width / 2, r.top + r.height / 2];
            }
            return null;
        })()`);
        if (!start)
            throw new Error(`the page opens without the start window's "${START_TEXT}"`);
        await page.click(start[0], start[1]);
        console.log(`clicked "${START_TEXT}" at ${start.map(Math.round).join(', ')}`);
        await page.evaluate(deskPage.FRAMES);
        const canvas = await deskPage.canvasRect(page);
        for (const [i, event] of EXERCISE.entries()) {
            const wait = /^wait (\d+)$/.exec(event);
            if (wait) {
                await page.evaluate(`kytTest.advance(${Number(wait[1])})`);
            } else {
                const control = event.replace(/Click$/, '');
                const rect = (await page.evaluate('kytTest.rects()'))[control];
                if (!rect)
                    throw new Error(`the page has no rect for ${control}`);
                const x = canvas[0] + rect[0] + Math.floor(rect[2] / 2);
                const y = canvas[1] + rect[1] + Math.floor(rect[3] / 2);
                await page.click(x, y);
            }
            await page.evaluate(deskPage.FRAMES);
            const state = await page.evaluate('kytTest.state()');
            if (state.trim() === expected[i].trim()) {
                ++passed;
            } else {
                ++failed;
                const d = firstDifference(JSON.parse(state), JSON.parse(expected[i]));
                console.log(`DIFFERENT after event ${i + 1} (${event}): first at ${d} (page / kyt-replay)`);
            }
            // The desk as the desktop draws it after the same events, the
            // pointer moved off the desk first (nothing under it).
            await page.send('Input.dispatchMouseEvent', { type: 'mouseMoved', x: 2, y: deskPage.VIEWPORT.height - 2, button: 'none' });
            await page.evaluate(deskPage.FRAMES);
            const ref = deskPage.desktopDesk(deskshot, scratch, EXERCISE.slice(0, i + 1), `event-${i + 1}`);
            const { problems, cmp, pagePicture } = await deskPage.compareDesk(page, canvas, ref);
            if (problems.length) {
                ++failed;
                console.log(`DIFFERENT desk after event ${i + 1} (${event}): ${problems.join('; ')}`);
                if (cmp.first)
                    console.log(`  ${await deskPage.describeDifference(page, ref, pagePicture, cmp.first)}`);
            }
        }
        if (page.errors.length) {
            ++failed;
            console.log(`page errors: ${page.errors.join(' | ')}`);
        }
    } finally {
        await browser.close();
    }
    console.log(`events played by pointer: ${EXERCISE.length}`);
    console.log(`${passed} passed, ${failed} failed`);
    process.exit(failed ? 1 : 0);
}

main().catch((e) => {
    console.error(e);
    process.exit(1);
});
