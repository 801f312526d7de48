// PNG pictures in node with zlib alone: decode(buffer) -> {width, height,
// data} with data RGBA, 8 bits a channel, rows top down; encode(picture) ->
// buffer (RGBA, 8 bits). Decodes the non-interlaced 8-bit greyscale, grey
// and alpha, RGB, RGBA and palette pictures that Qt and Chromium write.
'use strict';
const zlib = require('zlib');

const SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

const crcTable = (() => {
    const t = new Uint32Array(256);
    for (let n = 0; n < 256; ++n) {
        let c = n;
        for (let k = 0; k < 8; ++k)
            c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
        t[n] = c >>> 0;
    }
    return t;
})();

function crc32(buffers) {
    let c = 0xffffffff;
    for (const b of buffers)
        for (let i = 0; i < b.length; ++i)
            c = crcTable[(c ^ b[i]) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
}

function paeth(a, b, c) {
    const p = a + b - c;
    const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

function decode(buffer) {
    if (buffer.length < 8 || !buffer.subarray(0, 8).equals(SIGNATURE))
        throw new Error('not a PNG picture');
    let width = 0, height = 0, depth = 0, colour = 0, interlace = 0;
    let palette = null, transparency = null;
    const idat = [];
    for (let at = 8; at < buffer.length;) {
        if (at + 12 > buffer.length)
            throw new Error('PNG picture cut short');
        const length = buffer.readUInt32BE(at);
        const type = buffer.toString('latin1', at + 4, at + 8);
        const body = buffer.subarray(at + 8, at + 8 + length);
        if (body.length !== length)
            throw new Error('PNG picture cut short');
        if (crc32([buffer.subarray(at + 4, at + 8), body]) !== buffer.readUInt32BE(at + 8 + length))
            throw new Error(`PNG chunk ${type} has a wrong checksum`);
        at += 12 + length;
        if (type === 'IHDR') {
            width = body.readUInt32BE(0);
            height = body.readUInt32BE(4);
            depth = body[8];
            colour = body[9];
            interlace = body[12];
        } else if (type === 'PLTE') {
            palette = body;
        } else if (type === 'tRNS') {
            transparency = body;
        } else if (type === 'IDAT') {
            idat.push(body);
        } else if (type === 'IEND') {
            break;
        }
    }
    const channels = { 0: 1, 2: 3, 3: 1, 4: 2, 6: 4 }[colour];
    if (!channels || depth !== 8 || interlace !== 0)
        throw new Error(`PNG colour type ${colour}, depth ${depth}, interlace ${interlace} not read`);
    if (colour === 3 && !palette)
        throw new Error('PNG palette picture without a palette');
    const raw = zlib.inflateSync(Buffer.concat(idat));
    const stride = width * channels;
    if (raw.length < (stride + 1) * height)
        throw new Error('PNG picture data cut short');
    const rows = Buffer.alloc(stride * height);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        const src = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
        const row = rows.subarray(y * stride, (y + 1) * stride);
        const up = y > 0 ? rows.subarray((y - 1) * stride, y * stride) : null;
        for (let i = 0; i < stride; ++i) {
            const a = i >= channels ? row[i - channels] : 0;
            const b = up ? up[i] : 0;
            const c = up && i >= channels ? up[i - channels] : 0;
            let v = src[i];
            switch (filter) {
            case 0: break;
            case 1: v += a; break;
            case 2: v += b; break;
            case 3: v += (a + b) >> 1; break;
            case 4: v += paeth(a, b, c); break;
            default: throw new Error(`PNG row filter ${filter} unknown`);
            }
            row[i] = v & 0xff;
        }
    }
    const data = Buffer.alloc(width * height * 4);
    for (let p = 0; p < width * height; ++p) {
        const s = p * channels, d = p * 4;
        if (colour === 6) {
            rows.copy(data, d, s, s + 4);
        } else if (colour === 2) {
            data[d] = rows[s]; data[d + 1] = rows[s + 1]; data[d + 2] = rows[s + 2]; data[d + 3] = 255;
        } else if (colour === 0) {
            data[d] = data[d + 1] = data[d + 2] = rows[s]; data[d + 3] = 255;
        } else if (colour === 4) {
            data[d] = data[d + 1] = data[d + 2] = rows[s]; data[d + 3] = rows[s + 1];
        } else {
            const i = rows[s];
            data[d] = palette[i * 3]; data[d + 1] = palette[i * 3 + 1]; data[d + 2] = palette[i * 3 + 2];
            data[d + 3] = transparency && i < transparency.length ? transparency[i] : 255;
        }
    }
    return { width, height, data };
}

function chunk(type, body) {
    const head = Buffer.alloc(8);
    head.writeUInt32BE(body.length, 0);
    head.write(type, 4, 'latin1');
    const tail = Buffer.alloc(4);
    tail.writeUInt32BE(crc32([head.subarray(4), body]), 0);
    return Buffer.concat([head, body, tail]);
}

function encode({ width, height, data }) {
    if (data.length !== width * height * 4)
        throw new Error('picture data is not width x height RGBA');
    const header = Buffer.alloc(13);
    header.writeUInt32BE(width, 0);
    header.writeUInt32BE(height, 4);
    header[8] = 8; // depth
    header[9] = 6; // RGBA
    const raw = Buffer.alloc((width * 4 + 1) * height);
    for (let y = 0; y < height; ++y)
        data.copy(raw, y * (width * 4 + 1) + 1, y * width * 4, (y + 1) * width * 4);
    return Buffer.concat([SIGNATURE, chunk('IHDR', header), chunk('IDAT', zlib.deflateSync(raw)),
        chunk('IEND', Buffer.alloc(0))]);
}

// Compares two pictures of one size pixel for pixel (RGB; alpha taken as
// opaque), leaving out the rectangles in `skip` ([x, y, w, h] each).
// Returns {count, first: [x, y] | null, diff} with diff a picture: the
// first picture greyed, differing pixels red, skipped ones blue.
function compare(a, b, skip = []) {
    if (a.width !== b.width || a.height !== b.height)
        return { count: -1, first: null, diff: null, size: `${a.width} x ${a.height} / ${b.width} x ${b.height}` };
    const inSkip = (x, y) => skip.some(([sx, sy, sw, sh]) => x >= sx && x < sx + sw && y >= sy && y < sy + sh);
    const diff = Buffer.alloc(a.width * a.height * 4);
    let count = 0, first = null;
    for (let y = 0; y < a.height; ++y)
        for (let x = 0; x < a.width; ++x) {
            const i = (y * a.width + x) * 4;
            const grey = (a.data[i] + a.data[i + 1] + a.data[i + 2]) / 12 + 160;
            diff[i + 3] = 255;
            if (inSkip(x, y)) {
                diff[i] = diff[i + 1] = grey * 0.6; diff[i + 2] = 255;
                continue;
            }
            if (a.data[i] !== b.data[i] || a.data[i + 1] !== b.data[i + 1] || a.data[i + 2] !== b.data[i + 2]) {
                ++count;
                if (!first)
                    first = [x, y];
                diff[i] = 255; diff[i + 1] = diff[i + 2] = 0;
            } else {
                diff[i] = diff[i + 1] = diff[i + 2] = grey;
            }
        }
    return { count, first, diff: { width: a.width, height: a.height, data: diff } };
}

module.exports = { decode, encode, compare, crc32 };
