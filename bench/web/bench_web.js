// The web desk in headless Chromium, each figure beside its baseline
// measured in the same run (a report: the figures never fail the run; a page
// that does not load does).
//
//   node bench_web.js --page KYT_HTML [--build BUILD_DIR] [--rounds N] [--clicks N]
//
// 1. Load: navigation start to the page's first desk frame drawn (the test
//    interface's ready), against a blank page with a canvas of the desk's
//    size drawn once; fresh tabs, interleaved rounds, medians and ratio.
// 2. Size downloaded: the page and what it holds (core module, atlas,
//    windows' pictures), against the desktop package (.deb under the build
//    folder) or, without one, the desktop program and its pictures.
// 3. Click to canvas: a real pointer click (the protocol's mouse events) on
//    Wbl of station A to the first animation frame after the canvas changed,
//    median and p99, against the desktop's complete update (bench_click
//    offscreen, press to idle loop) when the build has it.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');
const { pathToFileURL } = require('url');
const { Browser } = require('../../tests/web/cdp.js');

function option(name, fallback) {
    const i = process.argv.indexOf(name);
    return i > 0 && i + 1 < process.argv.length ? process.argv[i + 1] : fallback;
}
const pageFile = option('--page');
const buildDir = option('--build');
const rounds = Math.max(15, Number(option('--rounds', 15)));
const clicks = Number(option('--clicks', 200));
if (!pageFile) {
    console.error('usage: node bench_web.js --page KYT_HTML [--build BUILD_DIR] [--rounds N] [--clicks N]');
    process.exit(2);
}
const VIEWPORT = { width: 1024, height: 768 };
const CLICK_HANDLER = 'pwbl1Click';

const percentile = (values, p) => {
    const s = [...values].sort((a, b) => a - b);
    return s[Math.min(s.length - 1, Math.floor(p * s.length))];
};
const median = (values) => percentile(values, 0.5);
const kib = (n) => `${(n / 1024).toFixed(0)} KiB`;

// Records, in every document, the time of the first animation frame after
// the test interface says ready (performance.now(): from navigation start).
const WATCH = `(() => {
    const look = () => {
        if (window.kytTest && window.kytTest.ready) {
            requestAnimationFrame(() => { window.__kytDrawn = performance.now(); });
            return;
        }
        requestAnimationFrame(look);
    };
    requestAnimationFrame(look);
})();`;

async function loadTime(browser, url) {
    const page = await browser.newPage(null, VIEWPORT);
    await page.send('Page.addScriptToEvaluateOnNewDocument', { source: WATCH });
    await page.navigate(url);
    await page.waitUntil('window.__kytDrawn !== undefined', 30000, 5);
    const t = await page.evaluate('window.__kytDrawn');
    await page.close();
    return t;
}

function sizes() {
    const lines = [];
    const page = fs.statSync(pageFile).size;
    const dir = path.dirname(pageFile);
    lines.push(`  page ${path.basename(pageFile)}: ${kib(page)} (one file: everything it needs inside)`);
    const parts = [['core module', path.join(buildDir || '', 'web', 'wasm', 'bin', 'kyt-core.js')],
        ['atlas picture', path.join(dir, 'atlas', 'atlas.png')], ['atlas layout', path.join(dir, 'atlas', 'atlas.json')]];
    for (const f of fs.readdirSync(dir))
        if (f.endsWith('.js') && f !== path.basename(pageFile))
            parts.push(['script', path.join(dir, f)]);
    if (buildDir)
        parts.push(['windows\' pictures', path.join(buildDir, 'tools', 'webwindows', 'kyt-windows.js')]);
    for (const [what, file] of parts)
        if (fs.existsSync(file))
            lines.push(`    of which ${what} ${path.basename(file)}: ${kib(fs.statSync(file).size)}`);
    let desktop = null, how = '';
    if (buildDir) {
        const debs = [];
        const walk = (d, depth) => {
            for (const e of fs.readdirSync(d, { withFileTypes: true })) {
                if (e.isFile() && e.name.endsWith('.deb'))
                    debs.push(path.join(d, e.name));
                else if (e.isDirectory() && depth < 2 && !e.name.startsWith('.'))
                    walk(path.join(d, e.name), depth + 1);
            }
        };
        walk(buildDir, 0);
        if (debs.length) {
            desktop = fs.statSync(debs[0]).size;
            how = `package ${path.basename(debs[0])}`;
        } else {
            // The files the package would hold: installed, stripped, into
            // a folder of their own.
            const prefix = fs.mkdtempSync(path.join(os.tmpdir(), 'kyt-bench-install-'));
            const r = spawnSync('cmake', ['--install', buildDir, '--prefix', prefix, '--strip'],
                { encoding: 'utf8', timeout: 120000 });
            if (r.status === 0) {
                let total = 0, files = 0;
                const walk = (d) => {
                    for (const e of fs.readdirSync(d, { withFileTypes: true })) {
                        const f = path.join(d, e.name);
                        if (e.isDirectory())
                            walk(f);
                        else if (e.isFile() && !f.includes(`${path.sep}web${path.sep}`)) {
                            total += fs.statSync(f).size;
                            ++files;
                        }
                    }
                };
                walk(prefix);
                desktop = total;
                how = `installed files, stripped, the web page left out (${files} files; no package built)`;
            }
            fs.rmSync(prefix, { recursive: true, force: true });
            // Else the program stripped and its pictures, the package's
            // bulk.
            const program = path.join(buildDir, 'bin', 'kyt');
            const pictures = path.join(buildDir, 'pictures');
            if (desktop === null && fs.existsSync(program)) {
                const stripped = path.join(os.tmpdir(), `kyt-bench-stripped-${process.pid}`);
                const s = spawnSync('strip', ['-o', stripped, program], { timeout: 60000 });
                desktop = fs.statSync(s.status === 0 ? stripped : program).size;
                fs.rmSync(stripped, { force: true });
                how = `program bin/kyt${s.status === 0 ? ' stripped' : ', unstripped'}`;
                if (fs.existsSync(pictures)) {
                    for (const f of fs.readdirSync(pictures))
                        desktop += fs.statSync(path.join(pictures, f)).size;
                    how += ' and its pictures';
                }
                how += ' (neither a package nor an install could be made)';
            }
        }
    }
    lines.push(desktop
        ? `  desktop ${how}: ${kib(desktop)}; page / desktop ${(page / desktop).toFixed(2)}`
        : '  desktop: neither a package nor the program in the build folder');
    return lines;
}

async function clickTimes(browser) {
    const page = await browser.newPage(pathToFileURL(path.resolve(pageFile)).href + '#test', VIEWPORT);
    await page.waitUntil('window.kytTest && window.kytTest.ready');
    await page.evaluate(`(async () => {
        kytTest.openDesk();
        await new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)));
    })()`);
    const canvasRect = await page.evaluate('kytTest.canvasRect()');
    const r = (await page.evaluate('kytTest.rects()'))[CLICK_HANDLER.replace(/Click$/, '')];
    const x = canvasRect[0] + r[0] + Math.floor(r[2] / 2), y = canvasRect[1] + r[1] + Math.floor(r[3] / 2);
    // In the page: the time of the pointer event after which the state has
    // changed (the page takes a press on the button's press or release, as
    // its control does), and the start of the first animation frame after
    // it: the frame that shows the canvas painted with the change.
    await page.evaluate(`(() => {
        window.__kytClicks = [];
        let before = null;
        addEventListener('pointerdown', () => { before = kytTest.state(); }, true);
        for (const type of ['pointerdown', 'pointerup', 'click'])
            addEventListener(type, (e) => {
                const handled = performance.now(); // before the state is read
                if (before === null || kytTest.state() === before)
                    return;
                before = null;
                const t0 = e.timeStamp;
                requestAnimationFrame(() => window.__kytClicks.push([t0, performance.now(), type, handled]));
            });
    })()`);
    const times = [], handling = [];
    const by = {};
    let missed = 0;
    for (let i = 0; i < clicks; ++i) {
        await page.evaluate('kytTest.reset(); new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)))');
        const n = await page.evaluate('window.__kytClicks.length');
        await page.click(x, y);
        try {
            await page.waitUntil(`window.__kytClicks.length > ${n}`, 2000, 1);
            const [t0, t1, type, handled] = await page.evaluate('window.__kytClicks[window.__kytClicks.length - 1]');
            times.push((t1 - t0) * 1000);
            handling.push((handled - t0) * 1000);
            by[type] = (by[type] || 0) + 1;
        } catch (e) {
            ++missed;
        }
    }
    await page.close();
    return { times, handling, missed, by };
}

async function main() {
    const browser = await Browser.launch(VIEWPORT);
    const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'kyt-bench-web-'));
    try {
        const blank = path.join(scratch, 'blank.html');
        fs.writeFileSync(blank, `<!DOCTYPE html><html><head><meta charset="utf-8"><title>blank</title></head>
<body style="margin:0"><canvas id="c" width="768" height="521"></canvas><script>
const c = document.getElementById('c').getContext('2d');
c.fillStyle = '#8cc6a5'; c.fillRect(0, 0, 768, 521);
window.kytTest = { ready: true };
</script></body></html>`);
        const urls = { page: pathToFileURL(path.resolve(pageFile)).href + '#test', blank: pathToFileURL(blank).href };
        const load = { page: [], blank: [] };
        await loadTime(browser, urls.page); // the first load warms the browser's own start
        await loadTime(browser, urls.blank);
        for (let i = 0; i < rounds; ++i)
            for (const k of i % 2 ? ['blank', 'page'] : ['page', 'blank'])
                load[k].push(await loadTime(browser, urls[k]));
        console.log(`page load to the first desk frame drawn, headless Chromium, ${rounds} interleaved rounds, fresh tabs`);
        console.log(`  desk page   median ${median(load.page).toFixed(1)} ms  min ${Math.min(...load.page).toFixed(1)} ms  max ${Math.max(...load.page).toFixed(1)} ms`);
        console.log(`  blank canvas median ${median(load.blank).toFixed(1)} ms  min ${Math.min(...load.blank).toFixed(1)} ms  max ${Math.max(...load.blank).toFixed(1)} ms`);
        console.log(`  page / blank ${(median(load.page) / median(load.blank)).toFixed(1)}`);

        console.log('size downloaded');
        for (const l of sizes())
            console.log(l);

        const c = await clickTimes(browser);
        console.log(`click to canvas, pointer press (Input.dispatchMouseEvent) to the first frame after the change, ${c.times.length} clicks`);
        if (c.times.length)
            console.log(`  ${CLICK_HANDLER}: median ${median(c.times).toFixed(0)} us  p99 ${percentile(c.times, 0.99).toFixed(0)} us  max ${Math.max(...c.times).toFixed(0)} us (changed on ${Object.entries(c.by).map(([k, v]) => `${k} ${v}`).join(', ')})`);
        if (c.handling.length)
            console.log(`  of which the event handled and the canvas painted: median ${median(c.handling).toFixed(0)} us  p99 ${percentile(c.handling, 0.99).toFixed(0)} us (the rest waits for the browser's next frame)`);
        if (c.missed)
            console.log(`  ${c.missed} clicks changed nothing within 2 s`);
    } finally {
        await browser.close();
        fs.rmSync(scratch, { recursive: true, force: true });
    }
    // The desktop's complete update, offscreen, in the same run.
    const bench = buildDir && path.resolve(buildDir, 'bin', 'bench_click');
    if (bench && fs.existsSync(bench) && fs.existsSync(path.join(buildDir, 'pictures'))) {
        const r = spawnSync(bench, ['--presses', '500'], {
            cwd: path.resolve(buildDir, 'pictures'), encoding: 'utf8', timeout: 300000,
            env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' },
        });
        console.log('desktop baseline, bench_click offscreen (press to idle loop):');
        for (const l of (r.stdout || '').split('\n').filter((l) => /median|click to screen/.test(l)))
            console.log(`  ${l.trim()}`);
    } else {
        console.log('desktop baseline: bench_click is not built (KYT_BENCH), no figure');
    }
}

main().catch((e) => {
    console.error(e);
    process.exit(1);
});
