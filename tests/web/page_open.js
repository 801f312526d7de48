// The desk page opened as a person opens it: from the file itself (file://,
// with the browser's default file access, no --allow-file-access-from-files)
// and from a static web server on 127.0.0.1. Each way, with and without
// #test: ready, the first frame drawn (the canvas shows a desk, not a blank;
// without #test the page shows more than a blank),
// nothing the server did not have asked for, no console error.
//   node page_open.js KYT_HTML
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const { pathToFileURL } = require('url');
const { Browser } = require('./cdp.js');
const png = require('./png.js');
const deskPage = require('./desk_page.js');

const html = process.argv[2];
if (!html) {
    console.error('usage: node page_open.js KYT_HTML');
    process.exit(2);
}
const TYPES = {
    '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
    '.wasm': 'application/wasm', '.png': 'image/png', '.json': 'application/json', '.css': 'text/css',
};

// A static server of the page's folder on a free port of 127.0.0.1; it
// notes every request it could not answer.
function serve(root) {
    const missing = [];
    const server = http.createServer((req, res) => {
        const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
        if (name === '/favicon.ico') {
            // Asked for by the browser itself, not by the page.
            res.writeHead(204);
            res.end();
            return;
        }
        const file = path.join(root, path.normalize(name).replace(/^(\.\.[/\\])+/, ''));
        if (!file.startsWith(root) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
            missing.push(name);
            res.writeHead(404);
            res.end();
            return;
        }
        res.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' });
        fs.createReadStream(file).pipe(res);
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({ server, missing })));
}

// Distinct colours in the canvas's screenshot: a drawn desk has many.
function colours(picture) {
    const seen = new Set();
    for (let i = 0; i < picture.data.length && seen.size < 64; i += 4 * 7)
        seen.add(picture.data.readUInt32BE(i));
    return seen.size;
}

async function main() {
    const root = path.dirname(path.resolve(html));
    const { server, missing } = await serve(root);
    const urls = {
        file: pathToFileURL(path.resolve(html)).href,
        server: `http://127.0.0.1:${server.address().port}/${path.basename(html)}`,
    };
    let passed = 0, failed = 0;
    const browser = await Browser.launch(deskPage.VIEWPORT);
    try {
        for (const [how, url] of Object.entries(urls)) {
            for (const testing of [true, false]) {
                const what = `${how}${testing ? ' #test' : ''}`;
                const problems = [];
                const page = await browser.newPage('about:blank', deskPage.VIEWPORT);
                const t0 = Date.now();
                await page.navigate(url + (testing ? '#test' : ''));
                if (testing) {
                    await deskPage.waitReady(page, 20000).catch((e) => problems.push(e.message));
                    await page.evaluate('kytTest.openDesk()');
                } else {
                    // No test interface: the page has loaded (the start
                    // window or the desk is shown).
                    await page.waitUntil('document.readyState === "complete"', 20000)
                        .catch((e) => problems.push(e.message));
                }
                await page.evaluate(deskPage.FRAMES);
                await new Promise((r) => setTimeout(r, 300));
                // #test: the desk's canvas; else whatever the page shows.
                const rect = testing
                    ? await deskPage.canvasRect(page).catch(() => null)
                    : [0, 0, deskPage.VIEWPORT.width, deskPage.VIEWPORT.height];
                if (!rect || rect[2] < 100 || rect[3] < 100) {
                    problems.push(`no desk shown: ${JSON.stringify(rect)}`);
                } else {
                    const n = colours(png.decode(await page.screenshot(rect)));
                    if (n < 8)
                        problems.push(`nothing drawn (${n} colours)`);
                }
                problems.push(...page.errors);
                if (how === 'server' && missing.length)
                    problems.push(`the server had no ${missing.splice(0).join(', ')}`);
                await page.close();
                if (problems.length) {
                    ++failed;
                    console.log(`FAILED: opened from ${what}: ${problems.join('; ')}`);
                } else {
                    ++passed;
                    console.log(`opened from ${what}: drawn in ${Date.now() - t0} ms`);
                }
            }
        }
    } finally {
        await browser.close();
        server.close();
    }
    console.log(`${passed} passed, ${failed} failed`);
    process.exit(failed ? 1 : 0);
}

main().catch((e) => {
    console.error(e);
    process.exit(1);
});
