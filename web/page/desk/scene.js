// The desk as a stack of pictures: every widget of the simulator's desk, in
// the order the desktop program paints them, each showing one of the
// pictures its control drew at build time. A change marks the rectangles it
// touches; a paint draws, inside each marked rectangle, the desk's own fill
// and then every shown widget that reaches into it, each clipped to its own
// rectangle and to those of all its parents, so that later widgets cover
// earlier ones as on the desktop.
import { DirtyRegion, intersect, isEmpty, union } from './rects.js';

export class Scene {
    // atlas: the layout and picture places (atlas.json).
    constructor(atlas) {
        this.atlas = atlas;
        this.bounds = [0, 0, atlas.width, atlas.height];
        this.nodes = atlas.nodes;
        this.byName = new Map();
        this.byControl = new Map();
        this.nodes.forEach((n, i) => {
            this.byName.set(n.name, i);
            if (n.control) {
                if (!this.byControl.has(n.control))
                    this.byControl.set(n.control, []);
                this.byControl.get(n.control).push(i);
            }
        });
        this.dirty = new DirtyRegion(this.bounds);
        this.missing = [];
        this.missingSeen = new Set();
        this.onMissing = null;
        this.reset();
    }

    // Back to the desk as built.
    reset() {
        this.look = this.nodes.map((n) => n.look);
        this.shown = this.nodes.map((n) => n.visible !== false);
        this.digits = this.nodes.map(() => null);
        this.invalidateAll();
    }

    invalidateAll() {
        this.dirty.add(this.bounds);
    }

    // The node's rectangle for its present look.
    rect(i) {
        const l = this.nodes[i].looks[this.look[i]];
        return l ? [l[1], l[2], l[3], l[4]] : this.nodes[i].rect;
    }

    // Whether the node and all its parents are shown.
    visible(i) {
        for (let k = i; k >= 0; k = this.nodes[k].parent)
            if (!this.shown[k])
                return false;
        return true;
    }

    // What of the desk the node may paint: its rectangle within its parents'.
    clip(i) {
        let r = this.rect(i);
        for (let k = this.nodes[i].parent; k >= 0; k = this.nodes[k].parent)
            r = intersect(r, this.rect(k));
        return r;
    }

    // Shows the look `key`; a key without a picture is listed as missing and
    // the node keeps what it shows. Returns whether the node has the look.
    setLook(i, key) {
        const n = this.nodes[i];
        if (!Object.prototype.hasOwnProperty.call(n.looks, key)) {
            this.noPicture(`${n.name}: ${key}`);
            return false;
        }
        if (this.look[i] === key)
            return true;
        const before = this.rect(i);
        this.look[i] = key;
        // A caption that shrinks uncovers what lay under its old text.
        this.dirty.add(union(before, this.rect(i)));
        return true;
    }

    setShown(i, shown) {
        if (this.shown[i] === shown)
            return;
        this.shown[i] = shown;
        this.dirty.add(this.rect(i));
    }

    // A counter's digits: one picture per place, or null.
    setDigits(i, pictures) {
        const old = this.digits[i];
        if (old && pictures && old.length === pictures.length && old.every((p, k) => p === pictures[k]))
            return;
        this.digits[i] = pictures;
        this.dirty.add(this.rect(i));
    }

    noPicture(what) {
        if (this.missingSeen.has(what))
            return;
        this.missingSeen.add(what);
        this.missing.push(what);
        if (this.onMissing)
            this.onMissing(what);
    }

    // The topmost shown node whose painted area holds the point, or -1.
    nodeAt(x, y) {
        for (let i = this.nodes.length - 1; i >= 0; --i) {
            if (!this.visible(i))
                continue;
            const c = this.clip(i);
            if (x >= c[0] && y >= c[1] && x < c[0] + c[2] && y < c[1] + c[3])
                return i;
        }
        return -1;
    }

    // Where a counter's digit for `place` of `count` places goes.
    digitPlace(i, place, count, picture) {
        const r = this.rect(i);
        const p = this.atlas.pictures[picture];
        if (p[2] >= r[2])
            return [r[0], r[1]];
        const cell = Math.floor(r[2] / count);
        return [r[0] + place * cell, r[1]];
    }

    // Paints what is marked. draw(picture, x, y, clip) draws the picture
    // with its top left at (x, y), only inside clip. Returns the rectangles
    // painted.
    paint(draw) {
        const rects = this.dirty.take();
        if (rects.length === 0)
            return rects;
        const order = [];
        for (let i = 0; i < this.nodes.length; ++i)
            if (this.visible(i))
                order.push([i, this.clip(i)]);
        for (const area of rects) {
            draw(this.atlas.background, 0, 0, area);
            for (const [i, clip] of order) {
                const c = intersect(clip, area);
                if (isEmpty(c))
                    continue;
                const n = this.nodes[i];
                const l = n.looks[this.look[i]];
                if (l && l[0] !== null && l[0] >= 0)
                    draw(l[0], l[1], l[2], c);
                const digits = this.digits[i];
                if (digits)
                    digits.forEach((p, place) => {
                        if (p === null || p === undefined)
                            return;
                        const [x, y] = this.digitPlace(i, place, digits.length, p);
                        draw(p, x, y, c);
                    });
            }
        }
        return rects;
    }
}

// Draws atlas pictures on a 2D canvas context: unscaled, at whole pixels,
// cut to the clip.
export function canvasDrawer(ctx, atlasImage, pictures) {
    return (picture, x, y, clip) => {
        const p = pictures[picture];
        if (!p)
            return;
        const c = intersect(clip, [x, y, p[2], p[3]]);
        if (isEmpty(c))
            return;
        ctx.drawImage(atlasImage, p[0] + c[0] - x, p[1] + c[1] - y, c[2], c[3], c[0], c[1], c[2], c[3]);
    };
}
