// The page's windows in headless Chromium, driven by real pointer events:
// the start window as the desktop program draws it, the menus and the
// windows they open, the schematics leading to one another and hiding when
// the page is pressed elsewhere, the poster behind "SZLAK", the about box,
// the counts kept across a reload, storage the browser refuses, and the
// closing screen. The desk is a small stand-in with the desk's interface
// around the real core; the desk itself is tested with the desk page.
//   node page_test.mjs ESBUILD CORE_JS WINDOWS_JS WINDOWS_DIR
import assert from 'node:assert';
import test from 'node:test';
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const [esbuild, coreJs, windowsJs, windowsDir] = process.argv.slice(2);
const here = path.dirname(fileURLToPath(import.meta.url));
const appIndex = path.resolve(here, '../../web/page/app/index.js');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'kyt-webapp-'));

// ---- the page: the app around a stand-in desk --------------------------
fs.writeFileSync(path.join(work, 'entry.js'), `
import { startApp } from ${JSON.stringify(appIndex)};
KytCore().then((core) => {
    const session = new core.Session();
    session.press('FormActivate');
    const element = document.createElement('div');
    element.id = 'desk';
    element.style.cssText = 'position:relative;width:768px;height:521px;background:#fff';
    element.hidden = true;
    const listeners = [];
    session.subscribe(() => listeners.forEach((cb) => cb()));
    let windowHandler = null;
    const sz = document.createElement('button');
    sz.id = 'psza1';
    sz.textContent = 'Sz';
    sz.style.cssText = 'position:absolute;left:100px;top:300px;width:40px;height:30px';
    sz.onclick = () => session.press('psza1Click');
    const szlak = document.createElement('div');
    szlak.id = 'szlak';
    szlak.style.cssText = 'position:absolute;left:364px;top:64px;width:42px;height:15px;background:#ccc';
    szlak.onclick = () => windowHandler && windowHandler('SpotLabel3Click');
    element.append(sz, szlak);
    const desk = { element, show() { element.hidden = false; }, hide() { element.hidden = true; },
        session: () => session, reset() {}, onChange(cb) { listeners.push(cb); },
        onWindowHandler(fn) { windowHandler = fn; } };
    window.app = startApp(core, desk);
    window.session = session;
    window.ready = true;
});
`);
execFileSync(esbuild, [path.join(work, 'entry.js'), '--bundle', '--format=iife', '--log-level=warning',
    `--outfile=${path.join(work, 'bundle.js')}`]);
const inline = (f) => '<script>' + fs.readFileSync(f, 'utf8').replace(/<\/script/gi, '<\\/script') + '</script>\n';
fs.writeFileSync(path.join(work, 'page.html'), '<!DOCTYPE html>\n<html lang="pl"><head><meta charset="utf-8"><title>Kyt</title>'
    + '<style>body{margin:0;background:#fff}</style></head><body>\n'
    + inline(coreJs) + inline(windowsJs) + inline(path.join(work, 'bundle.js')) + '</body></html>\n');
const pageUrl = 'file://' + path.join(work, 'page.html');

// ---- Chromium over its debugging pipe, as the desk page's tests drive it --
const { Browser } = createRequire(import.meta.url)('../web/cdp.js');
const browser = await Browser.launch({ width: 1000, height: 800 });
const page = await browser.newPage('about:blank');
const pageErrors = page.errors;
const cdp = (method, params) => page.send(method, params);
const evaluate = (expression) => page.evaluate(expression);
// Waits (by polling the page, not by time) until the expression is true.
async function until(expression) {
    for (let i = 0; i < 500; ++i) {
        if (await evaluate(expression))
            return;
        await cdp('Runtime.evaluate', { expression: 'new Promise((r) => requestAnimationFrame(() => r(1)))', awaitPromise: true });
    }
    throw new Error(`never: ${expression}`);
}
async function load() {
    await cdp('Page.navigate', { url: pageUrl });
    await until('window.ready === true');
}
// A left click with the pointer at the centre of the element the
// expression gives (it must be the element hit there).
async function click(selector) {
    const at = await evaluate(`(() => { const e = ${selector}; if (!e) return null; const r = e.getBoundingClientRect();
        const x = r.left + r.width / 2, y = r.top + r.height / 2; const hit = document.elementFromPoint(x, y);
        return hit === e || e.contains(hit) ? [x, y] : 'covered by ' + (hit && hit.outerHTML.slice(0, 80)); })()`);
    assert.ok(Array.isArray(at), `${selector}: ${at}`);
    for (const type of ['mouseMoved', 'mousePressed', 'mouseReleased'])
        await cdp('Input.dispatchMouseEvent', { type, x: at[0], y: at[1], button: type === 'mouseMoved' ? 'none' : 'left',
            buttons: type === 'mousePressed' ? 1 : 0, clickCount: 1 });
}
const shown = () => evaluate(`[...document.querySelectorAll('.kyt-window:not([hidden])')].map((w) => w.getAttribute('aria-label')).join('|')`);
const topMenu = (caption) => `[...document.querySelectorAll('.kyt-menu > button')].find((b) => b.textContent === ${JSON.stringify(caption)} && b.offsetParent)`;
const menuItem = (caption) => `[...document.querySelectorAll('.kyt-items:not([hidden]) > button')].find((b) => b.textContent === ${JSON.stringify(caption)})`;
const startButton = (n) => `document.querySelectorAll('.kyt-picture-button')[${n}]`;
const errorText = () => evaluate(`(() => { const e = document.querySelector('.kyt-error'); return e.hidden ? null : e.querySelector('.kyt-error-text').textContent; })()`);

// ---- pictures --------------------------------------------------------------
// The desk page tests' PNG reader (RGBA, 8 bits a channel).
const png = createRequire(import.meta.url)('../web/png.js');
function decodePng(bytes) {
    const picture = png.decode(bytes);
    return { width: picture.width, height: picture.height,
        rgb: (x, y) => picture.data.readUInt32BE((y * picture.width + x) * 4) >>> 8 };
}
// How many pixels of the picture differ from the screen at (x, y).
async function differing(pictureFile, x, y) {
    const shot = decodePng(Buffer.from((await cdp('Page.captureScreenshot', { format: 'png' })).data, 'base64'));
    const picture = decodePng(fs.readFileSync(path.join(windowsDir, pictureFile)));
    let n = 0;
    for (let j = 0; j < picture.height; ++j)
        for (let i = 0; i < picture.width; ++i)
            if (shot.rgb(x + i, y + j) !== picture.rgb(i, j))
                ++n;
    return n;
}
const clientAt = (label) => evaluate(`(() => { const w = [...document.querySelectorAll('.kyt-window')].find((w) => w.getAttribute('aria-label') === ${JSON.stringify(label)});
    const r = w.querySelector('.kyt-client').getBoundingClientRect(); return [r.left, r.top]; })()`);

// ---- the cases -------------------------------------------------------------
const windows = JSON.parse(fs.readFileSync(path.join(windowsDir, 'windows.json'), 'utf8'));

await test('the start window comes first, drawn as the desktop program draws it, its buttons too', async () => {
    await load();
    assert.strictEqual(await shown(), windows.start.title);
    assert.strictEqual(await evaluate('document.getElementById("desk").hidden'), true);
    const [x, y] = await clientAt(windows.start.title);
    assert.strictEqual(await differing(windows.start.picture, x, y), 0);
    // The pointer over a button and pressed on it: the button's own looks.
    const [bx, by] = windows.start.buttons.st.rect;
    await cdp('Input.dispatchMouseEvent', { type: 'mouseMoved', x: x + bx + 20, y: y + by + 20 });
    await until(`${startButton(2)}.querySelector('img').getAttribute('src') === window.KYT_WINDOWS.start.buttons.st.looks.hover`);
    assert.strictEqual(await differing(windows.start.buttons.st.looks.hover, x + bx, y + by), 0);
    await cdp('Input.dispatchMouseEvent', { type: 'mousePressed', x: x + bx + 20, y: y + by + 20, button: 'left', buttons: 1, clickCount: 1 });
    await until(`${startButton(2)}.querySelector('img').getAttribute('src') === window.KYT_WINDOWS.start.buttons.st.looks.down`);
    assert.strictEqual(await differing(windows.start.buttons.st.looks.down, x + bx, y + by), 0);
    // Released elsewhere: no click.
    await cdp('Input.dispatchMouseEvent', { type: 'mouseMoved', x: 2, y: 2, buttons: 1 });
    await cdp('Input.dispatchMouseEvent', { type: 'mouseReleased', x: 2, y: 2, button: 'left', buttons: 0, clickCount: 1 });
    assert.strictEqual(await shown(), windows.start.title);
});

await test('"Chętnie się pouczę." opens the simulator; its menus open every window they name', async () => {
    await click(startButton(2));
    await until('!document.getElementById("desk").hidden');
    assert.strictEqual(await evaluate('document.title'), windows.simulator.title);
    const titles = { opis: windows.description.title, AboutBox: windows.about.title };
    for (const s of windows.schematics)
        titles[s.form] = s.title;
    const closeBox = (title) => `[...document.querySelectorAll('.kyt-window')].find((w) => w.getAttribute('aria-label') === ${JSON.stringify(title)}).querySelector('.kyt-close')`;
    for (const menu of windows.simulator.menus) {
        for (const item of menu.items) {
            await click(topMenu(menu.caption));
            await click(menuItem(item.caption));
            const now = await shown();
            assert.ok(now.split('|').includes(titles[item.shows]), `${item.caption}: ${now}`);
            await click(closeBox(titles[item.shows]));
            assert.ok(!(await shown()).split('|').includes(titles[item.shows]), item.caption);
        }
    }
    // "SZLAK" shows the poster, drawn as the desktop program draws it.
    await click('document.getElementById("szlak")');
    assert.ok((await shown()).split('|').includes(windows.poster.title));
    const [px, py] = await clientAt(windows.poster.title);
    assert.strictEqual(await differing(windows.poster.picture, px, py), 0);
    await click(closeBox(windows.poster.title));
    // The about box as drawn; its OK hides it.
    await click(topMenu('INFORMACJE'));
    await click(menuItem('O programie'));
    const [ax, ay] = await clientAt(windows.about.title);
    assert.strictEqual(await differing(windows.about.picture, ax, ay), 0);
    await click(`document.querySelectorAll('.kyt-picture-button')[0]`);
    assert.ok(!(await shown()).split('|').includes(windows.about.title));
});

await test('a schematic\'s menu leads to the others, one shown at a time', async () => {
    const first = windows.schematics[0];
    await click(topMenu('Schematy'));
    await click(menuItem(windows.simulator.menus[0].items[0].caption));
    const go = async (caption, form) => {
        await click(`[...document.querySelectorAll('.kyt-window:not([hidden])[data-form] .kyt-menu > button')][0]`);
        await click(menuItem(caption));
        const now = (await shown()).split('|');
        const target = windows.schematics.find((s) => s.form === form);
        assert.ok(now.includes(target.title), `${caption}: ${now}`);
        assert.strictEqual(now.filter((t) => windows.schematics.some((s) => s.title === t)).length, 1, now.join('|'));
        return target;
    };
    // There and back from the first to each of the others.
    for (const item of first.menu) {
        const target = await go(item.caption, item.shows);
        const back = target.menu.find((i) => i.shows === first.form);
        await go(back.caption, first.form);
    }
    // The picture scrolls inside the window.
    assert.ok(await evaluate(`(() => { const c = document.querySelector('.kyt-window:not([hidden])[data-form] .kyt-client');
        return c.scrollHeight > c.clientHeight; })()`));
    await click(`document.querySelector('.kyt-window:not([hidden])[data-form] .kyt-close')`);
    assert.ok(!(await shown()).split('|').includes(first.title));
});

await test('counts are saved at each use and loaded when the simulator is opened again', async () => {
    await click('document.getElementById("psza1")');
    await until(`localStorage.getItem('kyt.sza1') === '1'`);
    await load();
    await click(startButton(2));
    await until('!document.getElementById("desk").hidden');
    assert.strictEqual(await evaluate('session.counts()[0]'), 1);
    assert.strictEqual(await errorText(), null);
    // Text that is no count: the desktop program's message, in the page.
    await evaluate(`localStorage.setItem('kyt.sza2', '1e3'); 1`);
    await load();
    await click(startButton(2));
    await until('document.querySelector(".kyt-error") && !document.querySelector(".kyt-error").hidden');
    assert.match(await errorText(), /Invalid data type for 'sza2'\.$/);
    await click('document.querySelector(".kyt-error-ok")');
    assert.strictEqual(await errorText(), null);
    await evaluate(`localStorage.clear(); 1`);
});

await test('storage the browser refuses is reported in the page and the simulator works on', async () => {
    await load();
    await evaluate(`Object.defineProperty(window, 'localStorage', { get() { throw new DOMException('refused', 'SecurityError'); } }); 1`);
    await click(startButton(2));
    await until('!document.getElementById("desk").hidden');
    assert.match(await errorText(), /Failed to get data for 'sza1'\.$/);
    await click('document.querySelector(".kyt-error-ok")');
    await click('document.getElementById("psza1")');
    await until('document.querySelector(".kyt-error") && !document.querySelector(".kyt-error").hidden');
    assert.match(await errorText(), /Failed to set data for 'sza1'\.$/);
    assert.strictEqual(await evaluate('session.counts()[0]'), 1);
    // The close box then keeps the simulator open: the counts are not saved.
    await click('document.querySelector(".kyt-error-ok")');
    await click(`[...document.querySelectorAll('.kyt-window')].find((w) => w.getAttribute('aria-label') === ${JSON.stringify(windows.simulator.title)}).querySelector('.kyt-close')`);
    assert.ok((await shown()).split('|').includes(windows.simulator.title));
});

await test('"Nie !!! Może kiedyś ?" ends the session with the closing screen', async () => {
    await load();
    await click(startButton(1));
    assert.strictEqual(await shown(), '');
    assert.strictEqual(await evaluate('document.getElementById("kyt-closing").hidden'), false);
    assert.strictEqual(await evaluate('document.getElementById("desk").hidden'), true);
});

await test('the page reported no error', () => assert.deepStrictEqual(pageErrors, []));
await browser.close();
fs.rmSync(work, { recursive: true, force: true });
