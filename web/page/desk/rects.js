// Rectangles on the desk as [x, y, w, h], whole pixels.

export function isEmpty(r) {
    return !r || r[2] <= 0 || r[3] <= 0;
}

export function intersect(a, b) {
    const x = Math.max(a[0], b[0]);
    const y = Math.max(a[1], b[1]);
    const r = Math.min(a[0] + a[2], b[0] + b[2]);
    const bottom = Math.min(a[1] + a[3], b[1] + b[3]);
    return [x, y, Math.max(0, r - x), Math.max(0, bottom - y)];
}

export function union(a, b) {
    if (isEmpty(a))
        return b.slice();
    if (isEmpty(b))
        return a.slice();
    const x = Math.min(a[0], b[0]);
    const y = Math.min(a[1], b[1]);
    return [x, y, Math.max(a[0] + a[2], b[0] + b[2]) - x, Math.max(a[1] + a[3], b[1] + b[3]) - y];
}

export function overlaps(a, b) {
    return !isEmpty(intersect(a, b));
}

export function contains(r, x, y) {
    return x >= r[0] && y >= r[1] && x < r[0] + r[2] && y < r[1] + r[3];
}

export function same(a, b) {
    return a[0] === b[0] && a[1] === b[1] && a[2] === b[2] && a[3] === b[3];
}

// The places to repaint: overlapping rectangles join into their union, so
// that no pixel is drawn twice in one frame and a chain of overlaps ends as
// one rectangle.
export class DirtyRegion {
    constructor(bounds) {
        this.bounds = bounds;
        this.rects = [];
    }
    add(rect) {
        let r = intersect(rect, this.bounds);
        if (isEmpty(r))
            return;
        for (let joined = true; joined;) {
            joined = false;
            for (let i = 0; i < this.rects.length; ++i) {
                if (overlaps(this.rects[i], r)) {
                    r = union(this.rects[i], r);
                    this.rects.splice(i, 1);
                    joined = true;
                    break;
                }
            }
        }
        this.rects.push(r);
    }
    take() {
        const out = this.rects;
        this.rects = [];
        return out;
    }
    get empty() {
        return this.rects.length === 0;
    }
}
