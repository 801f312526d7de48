// The desk page against the desktop program, pixel for pixel: for each
// replay script of the tree and for states picked by kyt-explore --sample,
// the page's 768 x 521 desk after the script's events (played through
// kytTest) must equal kyt-deskshot's picture after the same events, the
// narration's rect left out while it is shown (its text is set by the
// browser's fonts). On a difference both pictures and a diff are written,
// and the first differing pixel is named with the control under it.
//   node desk_pixels.js KYT_HTML KYT_DESKSHOT KYT_EXPLORE SOURCE_DIR OUT_DIR [SAMPLES] [SEED]
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');
const { pathToFileURL } = require('url');
const { Browser } = require('./cdp.js');
const png = require('./png.js');
const scripts = require('./scripts.js');
const deskPage = require('./desk_page.js');

const [html, deskshot, explore, sourceDir, outDir] = process.argv.slice(2, 7);
const sampleCount = Number(process.argv[7] || 100);
const seed = Number(process.argv[8] || 1);
if (!outDir) {
    console.error('usage: node desk_pixels.js KYT_HTML KYT_DESKSHOT KYT_EXPLORE SOURCE_DIR OUT_DIR [SAMPLES] [SEED]');
    process.exit(2);
}
const WRITE_AT_MOST = 8; // failures whose pictures are written

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'kyt-web-pixels-'));
process.on('exit', () => fs.rmSync(scratch, { recursive: true, force: true }));

const desktop = (events, name) => deskPage.desktopDesk(deskshot, scratch, events, name);

function cases() {
    const list = scripts.treeScripts(sourceDir).map((s) => ({ name: s.name, ...scripts.events(s.text) }));
    if (!list.some((c) => c.name.startsWith('tools/replay/')))
        throw new Error('no replay script found in tools/replay');
    const r = spawnSync(explore, ['--sample', String(sampleCount), '--seed', String(seed), '--quiet'],
        { encoding: 'utf8', timeout: 300000 });
    if (r.error || r.status !== 0)
        throw new Error(`kyt-explore --sample failed (${r.error || r.status}): ${r.stderr}`);
    const samples = r.stdout.trim().split('\n').map((l) => JSON.parse(l));
    if (samples.length !== sampleCount)
        throw new Error(`kyt-explore gave ${samples.length} states, not ${sampleCount}`);
    for (const s of samples)
        list.push({ name: `explored state ${s.state} (seed ${seed})`, events: s.script, skipped: [] });
    // Both sides start their session with FormActivate.
    for (const c of list)
        if (c.events[0] === 'FormActivate')
            c.events = c.events.slice(1);
    return list;
}

async function main() {
    const list = cases();
    fs.mkdirSync(outDir, { recursive: true });
    const browser = await Browser.launch(deskPage.VIEWPORT);
    let passed = 0, failed = 0, written = 0;
    try {
        const page = await deskPage.openDesk(browser, pathToFileURL(path.resolve(html)).href);
        const canvas = await deskPage.canvasRect(page);
        console.log(`desk canvas at ${canvas.join(', ')} (x, y, w, h) on the page`);
        for (const [i, c] of list.entries()) {
            const ref = desktop(c.events, `case-${i}`);
            const missingBefore = await page.evaluate('kytTest.missing().length');
            const pressErrors = await deskPage.play(page, c.events);
            const { problems, cmp, shot, pagePicture } = await deskPage.compareDesk(page, canvas, ref);
            const missing = await page.evaluate(`kytTest.missing().slice(${missingBefore})`);
            if (missing.length)
                problems.push(`no picture for: ${missing.slice(0, 5).join('; ')}`);
            if (page.errors.length)
                problems.push(`page errors: ${page.errors.splice(0).slice(0, 3).join(' | ')}`);
            if (!problems.length) {
                ++passed;
                continue;
            }
            ++failed;
            console.log(`DIFFERENT: ${c.name} (${c.events.length} events${c.skipped.length ? `, ${c.skipped.join('/')} lines left out` : ''})`);
            console.log(`  ${problems.join('; ')}`);
            if (pressErrors.length)
                console.log(`  presses with errors on the page: ${pressErrors.slice(0, 3).join('; ')}`);
            if (cmp.first)
                console.log(`  ${await deskPage.describeDifference(page, ref, pagePicture, cmp.first)}`);
            if (written < WRITE_AT_MOST) {
                ++written;
                const base = path.join(outDir, `case-${i}`);
                fs.writeFileSync(`${base}-desktop.png`, ref.bytes);
                fs.writeFileSync(`${base}-page.png`, shot);
                if (cmp.diff)
                    fs.writeFileSync(`${base}-diff.png`, png.encode(cmp.diff));
                fs.writeFileSync(`${base}-events.txt`, ['FormActivate', ...c.events].join('\n') + '\n');
                console.log(`  pictures: ${base}-{desktop,page,diff}.png, events: ${base}-events.txt`);
            }
        }
    } finally {
        await browser.close();
    }
    console.log(`desk pictures compared: ${list.length} (${list.length - sampleCount} scripts of the tree, ${sampleCount} explored states)`);
    console.log(`${passed} passed, ${failed} failed`);
    process.exit(failed ? 1 : 0);
}

main().catch((e) => {
    console.error(e);
    process.exit(1);
});
