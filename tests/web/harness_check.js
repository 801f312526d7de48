// The picture comparison itself: PNG pictures written by Qt and by Chromium
// survive the decoder and encoder; one pixel changed in the desktop's
// picture, or drawn into the page's canvas, is found at its place and named
// by the control under it; the narration's rect is left out; two
// screenshots of one page state are equal.
//   node harness_check.js KYT_HTML KYT_DESKSHOT
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');
const { pathToFileURL } = require('url');
const { Browser } = require('./cdp.js');
const png = require('./png.js');
const deskPage = require('./desk_page.js');

const [html, deskshot] = process.argv.slice(2, 4);
if (!deskshot) {
    console.error('usage: node harness_check.js KYT_HTML KYT_DESKSHOT');
    process.exit(2);
}
let passed = 0, failed = 0;
function check(ok, what) {
    if (ok) {
        ++passed;
    } else {
        ++failed;
        console.log(`FAILED: ${what}`);
    }
}

const EVENTS = ['pwbl1Click', 'ppoz2Click', 'pdalejClick'];

async function main() {
    const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'kyt-web-harness-'));
    const browser = await Browser.launch(deskPage.VIEWPORT);
    try {
        // The desktop's picture: Qt's PNG through the decoder and encoder.
        fs.writeFileSync(path.join(scratch, 's.txt'), EVENTS.join('\n') + '\n');
        const r = spawnSync(deskshot, [path.join(scratch, 's.txt'), path.join(scratch, 's.png')],
            { encoding: 'utf8', timeout: 60000, env: { ...process.env, HOME: scratch, QT_QPA_PLATFORM: 'offscreen' } });
        check(r.status === 0, `kyt-deskshot ran: ${r.status} ${r.stderr}`);
        const memo = JSON.parse(r.stdout.trim().split('\n').pop());
        check(memo.memoVisible === true && memo.memo.length === 4 && memo.memo[2] > 100,
            `the narration is shown after a block is set: ${JSON.stringify(memo)}`);
        const desktop = png.decode(fs.readFileSync(path.join(scratch, 's.png')));
        check(desktop.width === 768 && desktop.height === 521, `desktop picture is 768 x 521: ${desktop.width} x ${desktop.height}`);
        const again = png.decode(png.encode(desktop));
        check(again.data.equals(desktop.data), 'a picture encoded and decoded again is the same');
        const broken = png.encode(desktop);
        broken[40] ^= 0xff;
        let threw = false;
        try {
            png.decode(broken);
        } catch (e) {
            threw = /checksum/.test(e.message);
        }
        check(threw, 'a damaged picture is refused');

        // One pixel changed is found there, and named by its control.
        const page = await deskPage.openDesk(browser, pathToFileURL(path.resolve(html)).href);
        const rects = await page.evaluate('kytTest.rects()');
        // The control whose click runs the first event's handler.
        const control = EVENTS[0].replace(/Click$/, '');
        const button = Object.entries(rects).find(([n]) => n === control);
        check(!!button, 'the page names its controls\' rects');
        const [bx, by, bw, bh] = button ? button[1] : [10, 10, 10, 10];
        const px = bx + Math.floor(bw / 2), py = by + Math.floor(bh / 2);
        const changed = { ...desktop, data: Buffer.from(desktop.data) };
        const k = (py * changed.width + px) * 4;
        changed.data[k] ^= 0x01;
        let cmp = png.compare(desktop, changed);
        check(cmp.count === 1 && cmp.first[0] === px && cmp.first[1] === py,
            `one changed pixel found at (${px}, ${py}): ${cmp.count} at ${cmp.first}`);
        const under = deskPage.controlAt(rects, px, py);
        check(under && under.name === control, `the pixel is named by its control: ${under && under.name}`);
        const inMemo = { ...desktop, data: Buffer.from(desktop.data) };
        const m = ((memo.memo[1] + 5) * inMemo.width + memo.memo[0] + 5) * 4;
        inMemo.data[m + 1] ^= 0x80;
        check(png.compare(desktop, inMemo, [memo.memo]).count === 0, 'a pixel in the left-out narration is not counted');
        check(png.compare(desktop, inMemo).count === 1, 'the same pixel counts when nothing is left out');
        check(png.compare(desktop, { width: 10, height: 10, data: Buffer.alloc(400) }).count === -1, 'pictures of other sizes differ');

        // The page's screenshots: stable, and a pixel drawn into the canvas
        // shows at the same desk coordinates.
        const canvas = await deskPage.canvasRect(page);
        await deskPage.play(page, EVENTS);
        const first = png.decode(await page.screenshot(canvas));
        const second = png.decode(await page.screenshot(canvas));
        check(first.width === 768 && first.height === 521, `page picture is 768 x 521: ${first.width} x ${first.height}`);
        check(png.compare(first, second).count === 0, 'two screenshots of one state are equal');
        await page.evaluate(`(async () => {
            const c = document.querySelector('canvas').getContext('2d');
            c.fillStyle = 'rgb(1, 2, 3)';
            c.fillRect(${px}, ${py}, 1, 1);
            await ${deskPage.FRAMES};
        })()`);
        const marked = png.decode(await page.screenshot(canvas));
        cmp = png.compare(first, marked);
        check(cmp.count === 1 && cmp.first[0] === px && cmp.first[1] === py,
            `a pixel drawn on the canvas found at (${px}, ${py}): ${cmp.count} at ${cmp.first}`);
        const at = (py * marked.width + px) * 4;
        check(marked.data[at] === 1 && marked.data[at + 1] === 2 && marked.data[at + 2] === 3,
            'the screenshot keeps the colour exactly (sRGB, no scaling)');
        check(page.errors.length === 0, `no page errors: ${page.errors.join(' | ')}`);
    } finally {
        await browser.close();
        fs.rmSync(scratch, { recursive: true, force: true });
    }
    console.log(`${passed} passed, ${failed} failed`);
    process.exit(failed ? 1 : 0);
}

main().catch((e) => {
    console.error(e);
    process.exit(1);
});
