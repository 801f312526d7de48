// Writes the windows' script for the page: windows.json of kyt-webwindows
// with every picture it names (the PNG files beside it, the schematics'
// JPEG files from the pictures' folder) inside as data: URLs, assigned to
// window.KYT_WINDOWS.
//   node embed.js WINDOWS_DIR PICTURES_DIR OUT.js
// A PNG file is refused when it carries a colour-space chunk (the browser
// would change its pixels) or alpha other than fully opaque or fully
// transparent.
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const [windowsDir, picturesDir, outFile] = process.argv.slice(2);
if (!outFile) {
    console.error('usage: node embed.js WINDOWS_DIR PICTURES_DIR OUT.js');
    process.exit(2);
}

function fail(message) {
    console.error(message);
    process.exit(1);
}

// The alpha values a PNG file's pixels may take: colour types without
// alpha are opaque; with alpha, every sample is checked.
function checkPng(file, bytes) {
    if (bytes.subarray(0, 8).toString('latin1') !== '\x89PNG\r\n\x1a\n')
        fail(`${file}: no PNG file`);
    let at = 8;
    let header = null;
    const data = [];
    while (at + 8 <= bytes.length) {
        const length = bytes.readUInt32BE(at);
        const type = bytes.subarray(at + 4, at + 8).toString('latin1');
        const body = bytes.subarray(at + 8, at + 8 + length);
        if (['gAMA', 'cHRM', 'iCCP', 'sRGB', 'tRNS'].includes(type))
            fail(`${file}: carries a ${type} chunk`);
        if (type === 'IHDR')
            header = { width: body.readUInt32BE(0), height: body.readUInt32BE(4), depth: body[8], colour: body[9] };
        if (type === 'IDAT')
            data.push(body);
        at += 12 + length;
    }
    if (!header)
        fail(`${file}: no header`);
    if (header.colour !== 6 && header.colour !== 4)
        return;
    if (header.depth !== 8)
        fail(`${file}: alpha of ${header.depth} bits`);
    const channels = header.colour === 6 ? 4 : 2;
    const raw = zlib.inflateSync(Buffer.concat(data));
    const stride = header.width * channels;
    // Filters change the bytes; undo them to read the alpha.
    let previous = Buffer.alloc(stride);
    for (let y = 0; y < header.height; ++y) {
        const filter = raw[y * (stride + 1)];
        const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
        for (let i = 0; i < stride; ++i) {
            const a = i >= channels ? line[i - channels] : 0;
            const b = previous[i];
            const c = i >= channels ? previous[i - channels] : 0;
            let p = 0;
            if (filter === 1) p = a;
            else if (filter === 2) p = b;
            else if (filter === 3) p = (a + b) >> 1;
            else if (filter === 4) {
                const e = a + b - c;
                const pa = Math.abs(e - a), pb = Math.abs(e - b), pc = Math.abs(e - c);
                p = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            }
            line[i] = (line[i] + p) & 255;
        }
        for (let x = channels - 1; x < stride; x += channels)
            if (line[x] !== 0 && line[x] !== 255)
                fail(`${file}: alpha ${line[x]} at ${(x - channels + 1) / channels}, ${y}`);
        previous = line;
    }
}

function dataUrl(dir, name) {
    const file = path.join(dir, name);
    let bytes;
    try {
        bytes = fs.readFileSync(file);
    } catch (e) {
        fail(`${file}: ${e.message}`);
    }
    if (name.endsWith('.png')) {
        checkPng(file, bytes);
        return 'data:image/png;base64,' + bytes.toString('base64');
    }
    if (name.endsWith('.jpg'))
        return 'data:image/jpeg;base64,' + bytes.toString('base64');
    fail(`${file}: neither PNG nor JPEG`);
}

const windows = JSON.parse(fs.readFileSync(path.join(windowsDir, 'windows.json'), 'utf8'));
const inline = (owner, key, dir) => { owner[key] = dataUrl(dir, owner[key]); };
for (const name of ['start', 'about', 'poster'])
    inline(windows[name], 'picture', windowsDir);
for (const button of [...Object.values(windows.start.buttons), windows.about.ok])
    for (const look of Object.keys(button.looks))
        inline(button.looks, look, windowsDir);
for (const s of windows.schematics)
    s.url = dataUrl(picturesDir, s.file);

const text = '// The program\'s windows for the page, drawn by kyt-webwindows.\n'
    + 'window.KYT_WINDOWS = ' + JSON.stringify(windows) + ';\n';
fs.writeFileSync(outFile, text);
console.log(`${outFile}: ${text.length} bytes`);
