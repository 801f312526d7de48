// The desk's compositing, lamps and clock without a browser:
//   node --test web/page/desk/tests/
// The compositor paints into a grid that remembers which picture each pixel
// came from; after every change the grid must equal the desk composed from
// scratch pixel by pixel: the topmost shown node whose rectangle, cut by its
// parents', holds the pixel, else the background.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { Scene } from '../scene.js';
import { DirtyRegion, union } from '../rects.js';
import { Lamp } from '../lamps.js';
import { PageClock } from '../clock.js';

const W = 40, H = 30;

// An atlas of opaque pictures; every look of a node has a picture of its own.
function atlasOf(nodes) {
    const pictures = [[0, 0, W, H]];
    for (const n of nodes)
        for (const key of Object.keys(n.looks)) {
            const [x, y, w, h] = n.looks[key];
            pictures.push([0, 0, w, h]);
            n.looks[key] = [pictures.length - 1, x, y, w, h];
        }
    return { width: W, height: H, pictures, background: 0, nodes };
}

function node(name, parent, rect, looks = { '': rect }) {
    return { name, class: 'Panel', parent, rect, control: null, visible: true, looks,
        look: Object.keys(looks)[0], handler: null, input: 'none', hit: null };
}

// Paints into a grid of 'picture:dx,dy' strings.
function grid() {
    const px = Array.from({ length: H }, () => new Array(W).fill('?'));
    const draw = (picture, x, y, clip) => {
        for (let j = clip[1]; j < clip[1] + clip[3]; ++j)
            for (let i = clip[0]; i < clip[0] + clip[2]; ++i)
                px[j][i] = `${picture}:${i - x},${j - y}`;
    };
    return { px, draw };
}

// The desk composed from nothing, one pixel at a time.
function composed(scene) {
    const out = [];
    for (let y = 0; y < H; ++y) {
        const row = [];
        for (let x = 0; x < W; ++x) {
            let v = `0:${x},${y}`;
            scene.nodes.forEach((n, i) => {
                let ok = true;
                for (let k = i; k >= 0; k = scene.nodes[k].parent) {
                    const r = scene.rect(k);
                    if (!scene.shown[k] || x < r[0] || y < r[1] || x >= r[0] + r[2] || y >= r[1] + r[3])
                        ok = false;
                }
                if (ok) {
                    const l = n.looks[scene.look[i]];
                    v = `${l[0]}:${x - l[1]},${y - l[2]}`;
                }
            });
            row.push(v);
        }
        out.push(row);
    }
    return out;
}

// A panel with a lamp a pixel over its edge and a bar cut by it, a second
// panel covering the bar's end, a caption that changes its width, and a
// large panel over several of them.
function desk() {
    return atlasOf([
        node('left', -1, [2, 2, 16, 12]),
        node('lamp', 0, [14, 3, 5, 5], { unlit: [14, 3, 5, 5], 'lit:255': [14, 3, 5, 5] }),
        node('bar', 0, [4, 8, 30, 3]),
        node('right', -1, [17, 2, 16, 12]),
        node('caption', 3, [18, 4, 4, 3], { 'caption:a': [18, 4, 4, 3], 'caption:abcdefg': [18, 4, 12, 3] }),
        node('mishap', -1, [6, 6, 24, 18]),
        node('text', 5, [8, 8, 10, 4]),
    ]);
}

test('every paint leaves the desk as composed from scratch', () => {
    const scene = new Scene(desk());
    const g = grid();
    scene.paint(g.draw);
    assert.deepEqual(g.px, composed(scene));
    // Later nodes cover earlier ones; a child is cut by its parent.
    assert.equal(g.px[9][20], `${scene.nodes[5].looks[''][0]}:14,3`); // mishap over the bar
    const lamp = scene.nodes[1].looks.unlit[0];
    const right = scene.nodes[3].looks[''][0];
    assert.equal(g.px[4][16], `${lamp}:2,1`);
    assert.equal(g.px[4][17], `${right}:0,2`); // the next panel covers the lamp's edge
    scene.setShown(5, false);
    scene.paint(g.draw);
    assert.deepEqual(g.px, composed(scene));
    // The bar ends at its panel's edge, and the next panel lies over the lamp.
    assert.equal(g.px[9][18].split(':')[0], String(scene.nodes[3].looks[''][0]));
    assert.equal(g.px[9][17].split(':')[0], String(scene.nodes[3].looks[''][0]));
    assert.equal(g.px[9][16].split(':')[0], String(scene.nodes[2].looks[''][0]));

    const steps = [
        () => scene.setLook(1, 'lit:255'),
        () => scene.setLook(4, 'caption:abcdefg'),
        () => scene.setShown(3, false),
        () => scene.setLook(4, 'caption:a'),
        () => scene.setShown(3, true),
        () => scene.setShown(5, true),
        () => scene.setLook(4, 'caption:abcdefg'),
        () => scene.setShown(0, false),
        () => scene.setLook(1, 'unlit'),
        () => scene.setShown(0, true),
        () => scene.setShown(5, false),
        () => scene.setLook(4, 'caption:a'),
    ];
    for (const step of steps) {
        step();
        scene.paint(g.draw);
        assert.deepEqual(g.px, composed(scene));
    }
});

test('a caption change repaints the old and new rectangles together; a look without a picture is listed', () => {
    const scene = new Scene(desk());
    const g = grid();
    scene.paint(g.draw);
    scene.setLook(4, 'caption:abcdefg');
    assert.deepEqual(scene.paint(g.draw), [[18, 4, 12, 3]]);
    scene.setLook(4, 'caption:a');
    assert.deepEqual(scene.paint(g.draw), [[18, 4, 12, 3]]);
    assert.equal(scene.setLook(4, 'caption:zz'), false);
    assert.equal(scene.setLook(4, 'caption:zz'), false);
    assert.deepEqual(scene.missing, ['caption: caption:zz']);
    assert.deepEqual(scene.paint(g.draw), []);
    assert.equal(scene.look[4], 'caption:a');
});

test('the topmost shown node takes the point, a hidden one does not', () => {
    const scene = new Scene(desk());
    assert.equal(scene.nodeAt(20, 9), 5);
    scene.setShown(5, false);
    assert.equal(scene.nodeAt(20, 9), 3);
    assert.equal(scene.nodeAt(18, 4), 4);
    assert.equal(scene.nodeAt(16, 4), 1);
    assert.equal(scene.nodeAt(0, 0), -1);
});

test('marked rectangles join while they overlap, through chains', () => {
    const d = new DirtyRegion([0, 0, 100, 100]);
    d.add([0, 0, 10, 10]);
    d.add([50, 50, 10, 10]);
    d.add([-5, -5, 3, 3]);
    assert.equal(d.rects.length, 2);
    d.add([8, 8, 44, 4]); // touches the first only
    assert.equal(d.rects.length, 2);
    d.add([45, 9, 10, 45]); // now reaches the second
    assert.deepEqual(d.take(), [union([0, 0, 55, 54], [50, 50, 10, 10])]);
    assert.ok(d.empty);
    d.add([120, 0, 5, 5]);
    assert.ok(d.empty);
});

test('a lamp blinks as the desktop lamp does', () => {
    const lamp = new Lamp(1000, false, true, 255, 0);
    assert.equal(lamp.look(), 'unlit');
    lamp.set('Value', true, 300); // lit at once, timer from 300
    assert.equal(lamp.look(), 'lit:255');
    assert.equal(lamp.tick(1299), false);
    assert.equal(lamp.tick(1300), true);
    assert.equal(lamp.look(), 'unlit');
    lamp.set('Value', true, 1500); // no change, no restart
    assert.equal(lamp.look(), 'unlit');
    assert.equal(lamp.tick(2300), true);
    assert.equal(lamp.look(), 'lit:255');
    assert.equal(lamp.tick(5300), true); // three flips at once
    assert.equal(lamp.look(), 'unlit');
    lamp.set('TrueColor', 65280, 5400); // a new colour: lit again, from now
    assert.equal(lamp.look(), 'lit:65280');
    assert.equal(lamp.tick(6399), false);
    assert.equal(lamp.tick(6400), true);
    lamp.set('Blink', false, 6500); // steady: lit, no timer
    assert.equal(lamp.look(), 'lit:65280');
    assert.equal(lamp.tick(20000), false);
    lamp.set('TrueColor', 255, 20000); // steady lamp: colour only
    assert.equal(lamp.look(), 'lit:255');
    lamp.set('Value', false, 20100);
    lamp.set('Blink', true, 20200); // off: no timer
    assert.equal(lamp.tick(30000), false);
    assert.equal(lamp.look(), 'unlit');
    // Off and on again within one press: lit, timer from then.
    lamp.set('Value', true, 30000);
    lamp.tick(30999);
    lamp.set('Value', false, 31000);
    lamp.set('Value', true, 31000);
    assert.equal(lamp.tick(31999), false);
    assert.equal(lamp.look(), 'lit:255');
    assert.equal(new Lamp(0, true, true, 255, 0).tick(1e9), false); // a period of 0 never ticks
});

test('the clock follows the browser at its speed, at most one timer period a frame', () => {
    let t = 0;
    const got = [];
    const clock = new PageClock((ms) => got.push(ms), 500, () => t);
    t = 100;
    clock.follow();
    assert.deepEqual(got, []); // not started
    clock.start();
    t += 16.5;
    clock.follow();
    t += 16.5;
    clock.follow();
    assert.deepEqual(got, [16, 17]);
    got.length = 0;
    t += 3000;
    clock.follow();
    assert.deepEqual(got, [500]);
    got.length = 0;
    clock.setSpeed(4);
    t += 20;
    clock.follow();
    assert.deepEqual(got, [80]);
    clock.setPaused(true);
    t += 1000;
    clock.follow();
    clock.setPaused(false);
    t += 10;
    clock.follow();
    assert.deepEqual(got, [80, 40]);
    clock.setSpeed(3);
    assert.equal(clock.speed, 4);
});
