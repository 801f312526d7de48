// The pointer on the desk, as the desktop's controls take the mouse (a touch
// is a press like any other). The topmost shown widget under the pointer
// takes a press, even where its own shape does not count it; what follows
// is its class's rule:
//   hemisphere: a press on the face shows it pressed; moving off the face
//     shows it up, back on shows it pressed; a release on the face runs the
//     click while it still shows pressed, then it comes up.
//   arrow: only a press inside the triangle counts; it shows pressed until
//     the release, comes up, and clicks if the release is on the button.
//   gradient: pressed while the pointer is on it; at the release it comes up
//     first and clicks then, if the release is on it.
//   button: pressed until the release; comes up, then clicks if on it.
//   spot, and any other with a handler: clicks at a release on it.
import { contains } from './rects.js';

export class Input {
    // env: {canvas, scene, nodes, onFace(i, x, y), setPointer(i, what, on),
    //       click(i), paint()}
    constructor(env) {
        Object.assign(this, env);
        this.tracking = null; // {i, pointerId}
        this.hover = -1;
        const c = this.canvas;
        c.addEventListener('pointerdown', (e) => this.down(e));
        c.addEventListener('pointermove', (e) => this.move(e));
        c.addEventListener('pointerup', (e) => this.up(e));
        c.addEventListener('pointercancel', () => this.cancel());
        c.addEventListener('pointerleave', (e) => {
            if (!this.tracking && e.pointerType === 'mouse')
                this.setHover(-1);
        });
    }

    // The event's point in desk pixels.
    at(e) {
        const r = this.canvas.getBoundingClientRect();
        return [Math.floor((e.clientX - r.left) * this.canvas.width / r.width),
            Math.floor((e.clientY - r.top) * this.canvas.height / r.height)];
    }

    kind(i) {
        const n = this.nodes[i];
        return n.input || (n.handler ? 'button' : 'none');
    }

    setHover(i) {
        if (i === this.hover)
            return;
        if (this.hover >= 0)
            this.setPointer(this.hover, 'hover', false);
        this.hover = i;
        if (i >= 0)
            this.setPointer(i, 'hover', true);
        this.paint();
    }

    down(e) {
        if (e.button !== 0 || this.tracking)
            return;
        const [x, y] = this.at(e);
        const i = this.scene.nodeAt(x, y);
        if (e.pointerType !== 'mouse')
            this.setHover(i);
        if (i < 0)
            return;
        const kind = this.kind(i);
        if (kind === 'none' || !this.nodes[i].handler)
            return;
        if ((kind === 'hemisphere' || kind === 'arrow') && !this.onFace(i, x, y))
            return;
        e.preventDefault();
        this.tracking = { i, pointerId: e.pointerId, kind };
        try {
            this.canvas.setPointerCapture(e.pointerId);
        } catch (_) {
            // a pointer already gone: its release does not come either
        }
        if (kind !== 'spot')
            this.setPointer(i, 'down', true);
        this.paint();
    }

    move(e) {
        const [x, y] = this.at(e);
        const t = this.tracking;
        if (!t) {
            this.setHover(this.scene.nodeAt(x, y));
            return;
        }
        if (e.pointerId !== t.pointerId)
            return;
        if (t.kind === 'hemisphere')
            this.setPointer(t.i, 'down', this.onFace(t.i, x, y));
        else if (t.kind === 'gradient')
            this.setPointer(t.i, 'down', contains(this.scene.rect(t.i), x, y));
        this.paint();
    }

    up(e) {
        const t = this.tracking;
        if (!t || e.pointerId !== t.pointerId || e.button !== 0)
            return;
        this.tracking = null;
        const [x, y] = this.at(e);
        const i = t.i;
        const onIt = contains(this.scene.rect(i), x, y);
        if (t.kind === 'hemisphere') {
            if (this.onFace(i, x, y)) {
                this.click(i);
                // the click may have hidden it; it comes up all the same
            }
            this.setPointer(i, 'down', false);
        } else if (t.kind === 'spot') {
            if (onIt)
                this.click(i);
        } else {
            this.setPointer(i, 'down', false);
            this.paint();
            if (onIt)
                this.click(i);
        }
        this.paint();
        if (e.pointerType !== 'mouse')
            this.setHover(-1);
        else
            this.setHover(this.scene.nodeAt(x, y));
    }

    // Forgets a press under way (the pointer went, the desk was hidden).
    cancel() {
        const t = this.tracking;
        this.tracking = null;
        if (t) {
            this.setPointer(t.i, 'down', false);
            this.paint();
        }
    }
}
