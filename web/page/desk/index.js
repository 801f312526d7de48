// The simulator's desk in the browser: the core's session drives it, the
// pictures the desktop program's controls drew at build time show it.
//
// createDesk(core, {atlas, image, testing}) builds the desk's element (not
// yet in the document) and returns the desk: element, show(), hide(),
// session(), reset(), onChange(cb), press(handler), onWindowHandler(fn),
// paintState() and, for the page's tests, testInterface().
import { Scene, canvasDrawer } from './scene.js';
import { Lamp } from './lamps.js';
import { digitPictures, lookKeys } from './looks.js';
import { PageClock } from './clock.js';
import { Input } from './input.js';
import { SidePanel } from './panel.js';
import { contains } from './rects.js';

const kFormActivate = 'FormActivate';

export function createDesk(core, { atlas, image, testing = false }) {
    const scene = new Scene(atlas);
    const nodes = atlas.nodes;
    // Handlers a click runs that are not the core's open the program's
    // windows (the page's windows take them).
    const coreHandlers = new Set(core.handlers());
    const windowHandlers = new Set(nodes.map((n) => n.handler).filter((h) => h && !coreHandlers.has(h)));

    // ---- the element -------------------------------------------------
    const element = document.createElement('div');
    element.className = 'kyt-desk';
    element.hidden = true;
    const frame = document.createElement('div');
    frame.className = 'kyt-desk-frame';
    frame.style.width = `${atlas.width}px`;
    frame.style.height = `${atlas.height}px`;
    const canvas = document.createElement('canvas');
    canvas.className = 'kyt-desk-canvas';
    canvas.width = atlas.width;
    canvas.height = atlas.height;
    const keys = document.createElement('div');
    keys.className = 'kyt-desk-keys';
    const memo = document.createElement('div');
    memo.className = 'kyt-desk-memo';
    memo.setAttribute('role', 'log');
    memo.setAttribute('aria-live', 'polite');
    memo.hidden = true;
    const holder = document.createElement('div');
    holder.className = 'kyt-desk-holder';
    frame.append(canvas, keys, memo);
    holder.append(frame);
    element.append(holder);
    const ctx = canvas.getContext('2d');
    ctx.imageSmoothingEnabled = false;
    const draw = canvasDrawer(ctx, image, atlas.pictures);

    // ---- the atlas's pixels: masks of shaped buttons, the memo's colour -----
    let atlasData = null;
    function atlasPixels() {
        if (atlasData === null) {
            const c = document.createElement('canvas');
            c.width = image.naturalWidth || image.width;
            c.height = image.naturalHeight || image.height;
            const cx = c.getContext('2d');
            cx.drawImage(image, 0, 0);
            atlasData = cx.getImageData(0, 0, c.width, c.height);
        }
        return atlasData;
    }
    function onFace(i, x, y) {
        const hit = nodes[i].hit;
        const r = scene.rect(i);
        if (!contains(r, x, y))
            return false;
        if (typeof hit !== 'number')
            return true;
        const p = atlas.pictures[hit];
        const mx = x - r[0], my = y - r[1];
        if (mx >= p[2] || my >= p[3])
            return false;
        const data = atlasPixels();
        return data.data[((p[1] + my) * data.width + p[0] + mx) * 4 + 3] !== 0;
    }

    // ---- the session and what it shows ----------------------------------
    let session = new core.Session();
    let props = new Map(); // control -> {property: value}
    const lamps = new Map(); // node -> Lamp
    const pointer = nodes.map(() => ({ down: false, hover: false }));
    const listeners = [];
    let windowHandler = null;
    const memoNode = nodes.findIndex((n) => n.class === 'Memo');
    let paints = 0;
    let painted = 0;
    let lastPaint = [];
    let lastPress = null;
    const blinkEpoch = performance.now();
    const blinkNow = () => (testing ? 0 : performance.now() - blinkEpoch);

    function nodeProps(i) {
        const c = nodes[i].control;
        return (c && props.get(c)) || {};
    }

    function showLook(i) {
        const n = nodes[i];
        const candidates = lookKeys(n, nodeProps(i), pointer[i], lamps.get(i) || null);
        const key = candidates.find((k) => Object.prototype.hasOwnProperty.call(n.looks, k));
        scene.setLook(i, key === undefined ? candidates[candidates.length - 1] : key);
    }

    function showNode(i) {
        const p = nodeProps(i);
        if ('Visible' in p)
            scene.setShown(i, !!p.Visible);
        if (nodes[i].digits && 'Value' in p)
            scene.setDigits(i, digitPictures(nodes[i], p.Value));
        showLook(i);
    }

    // One desk change, as the core reports it, in the order it makes them.
    function applyChange(control, property, value) {
        if (!props.has(control))
            props.set(control, {});
        props.get(control)[property] = value;
        for (const i of scene.byControl.get(control) || []) {
            if (i === memoNode)
                memoChanged = true;
            const lamp = lamps.get(i);
            if (property === 'Visible')
                scene.setShown(i, !!value);
            else if (lamp)
                lamp.set(property, value, blinkNow());
            else if (nodes[i].digits && property === 'Value')
                scene.setDigits(i, digitPictures(nodes[i], value));
            showLook(i);
        }
        for (const cb of listeners.slice())
            cb(control, property, value);
    }
    session.subscribe(applyChange);

    // The desk as the session holds it now, every lamp's timer from now.
    function readSession() {
        props = new Map(Object.entries(JSON.parse(session.state()).desk || {}));
        lamps.clear();
        scene.reset();
        pointer.forEach((p) => { p.down = false; p.hover = false; });
        nodes.forEach((n, i) => {
            const p = nodeProps(i);
            if ('Blink' in p && 'TrueColor' in p)
                lamps.set(i, new Lamp(n.blink, !!p.Value, !!p.Blink, p.TrueColor, blinkNow()));
            showNode(i);
        });
    }

    // ---- painting ---------------------------------------------------------
    const side = new SidePanel({
        setPaused: (p) => setPaused(p),
        setSpeed: (s) => { clock.setSpeed(s); side.update(clockState()); },
    });
    element.append(side.element);
    scene.onMissing = (what) => side.missing(what);

    // The narration is real text over the memo's pictures: on the memo's
    // colour (as painted, just inside its frame), inside the frame and left
    // of the painted scroll bar, covering the text the pictures hold.
    let memoMeasured = null;
    let memoInset = [2, 2, 2, 2]; // left, top, right, bottom
    function measureMemo(m) {
        const key = m.join(',');
        if (key === memoMeasured || m[2] < 8 || m[3] < 8)
            return;
        memoMeasured = key;
        const row = ctx.getImageData(m[0], m[1] + m[3] - 5, m[2], 1).data;
        const at = (x) => Array.from(row.slice(x * 4, x * 4 + 3)).join(',');
        const fill = at(4);
        let right = 2;
        for (let x = m[2] - 1; x > 4; --x)
            if (at(x) === fill) {
                right = m[2] - 1 - x;
                break;
            }
        memoInset = [2, 2, right, 2];
        memo.style.backgroundColor = `rgb(${fill})`;
    }

    function placeMemo() {
        if (memoNode < 0)
            return;
        const shown = scene.visible(memoNode);
        const m = scene.rect(memoNode);
        if (shown)
            measureMemo(m);
        const r = [m[0] + memoInset[0], m[1] + memoInset[1], m[2] - memoInset[0] - memoInset[2],
            m[3] - memoInset[1] - memoInset[3]];
        if (memo.hidden === shown)
            memo.hidden = !shown;
        memo.style.left = `${r[0]}px`;
        memo.style.top = `${r[1]}px`;
        memo.style.width = `${r[2]}px`;
        memo.style.height = `${r[3]}px`;
        const text = String(nodeProps(memoNode).Text ?? '');
        if (memo.textContent !== text) {
            // A new text shows from its beginning, as the desktop's memo does.
            memo.textContent = text;
            memo.scrollTop = 0;
        }
    }

    // The narration's text changes without a picture to repaint.
    let memoChanged = false;
    function paint() {
        const rects = scene.paint(draw);
        if (rects.length === 0 && !memoChanged)
            return;
        memoChanged = false;
        placeMemo();
        if (rects.length === 0)
            return;
        ++paints;
        painted += rects.reduce((s, r) => s + r[2] * r[3], 0);
        lastPaint = rects;
        placeKeys();
    }

    // ---- presses ------------------------------------------------------------
    const clock = new PageClock((ms) => {
        const errors = session.advance(ms);
        if (errors.length)
            side.error(errors[errors.length - 1]);
    }, core.quickestTimerPeriod());
    function clockState() {
        return { paused: clock.paused, speed: clock.speed };
    }
    let refusedInPause = false;
    function setPaused(p) {
        clock.setPaused(p);
        session.setPaused(p);
        // What the pause refused is past once the clock runs again.
        if (!p && refusedInPause)
            side.refusal('');
        refusedInPause = false;
        side.update(clockState());
    }

    // Runs what a click on the desk runs; returns the core's answer, or
    // {delivered, result: "window"} for a window's handler.
    function press(handler) {
        if (windowHandlers.has(handler)) {
            if (windowHandler)
                windowHandler(handler);
            lastPress = { delivered: !!windowHandler, result: 'window', reason: '' };
            return lastPress;
        }
        // The press comes at the present moment: the clock catches up first.
        if (!testing)
            clock.follow();
        const result = session.press(handler);
        lastPress = result;
        if (result.delivered && result.result === 'refused') {
            side.refusal(result.reason);
            refusedInPause = session.paused();
        }
        if (result.result === 'error')
            side.error(result.reason);
        paint();
        return result;
    }

    const input = new Input({
        canvas,
        scene,
        nodes,
        onFace,
        setPointer: (i, what, on) => {
            if (pointer[i][what] === on)
                return;
            pointer[i][what] = on;
            showLook(i);
        },
        click: (i) => press(nodes[i].handler),
        paint,
    });

    // ---- keys: one focusable button over each control a trainee presses -----
    const keyFor = [];
    for (const p of core.pressables()) {
        let i = nodes.findIndex((n) => n.handler === p.handler);
        if (i < 0)
            i = nodes.findIndex((n) => n.name === p.control || n.control === p.control);
        if (i < 0)
            continue;
        const b = document.createElement('button');
        b.type = 'button';
        b.className = 'kyt-desk-key';
        b.textContent = p.name;
        b.setAttribute('aria-label', p.name);
        b.addEventListener('click', () => press(p.handler));
        keys.appendChild(b);
        keyFor.push([i, b]);
    }
    function placeKeys() {
        for (const [i, b] of keyFor) {
            const r = scene.rect(i);
            const shown = scene.visible(i);
            if (b.hidden === shown)
                b.hidden = !shown;
            b.style.left = `${r[0]}px`;
            b.style.top = `${r[1]}px`;
            b.style.width = `${r[2]}px`;
            b.style.height = `${r[3]}px`;
        }
    }

    // ---- starting ---------------------------------------------------------
    function begin() {
        readSession();
        memoChanged = true;
        session.press(kFormActivate);
        scene.invalidateAll();
        paint();
    }
    begin();

    // ---- time ---------------------------------------------------------------
    let shown = false;
    let rafId = 0;
    function onFrame() {
        rafId = 0;
        if (!shown)
            return;
        if (!testing && !document.hidden) {
            clock.follow();
            const now = blinkNow();
            for (const [i, lamp] of lamps)
                if (lamp.tick(now))
                    showLook(i);
        }
        paint();
        rafId = requestAnimationFrame(onFrame);
    }
    document.addEventListener('visibilitychange', () => {
        // The time the page spent hidden does not count.
        if (document.hidden)
            clock.stop();
        else if (shown && !testing)
            clock.start();
    });
    document.addEventListener('keydown', (e) => {
        if (!shown)
            return;
        if (e.key === 'Pause' || (e.ctrlKey && e.code === 'Space')) {
            e.preventDefault();
            setPaused(!clock.paused);
        }
    });

    // ---- scaling: whole device pixels per desk pixel ------------------------
    function fitScale() {
        const dpr = window.devicePixelRatio || 1;
        const k = Math.max(1, Math.round(dpr));
        const s = k / dpr;
        frame.style.transform = s === 1 ? '' : `scale(${s})`;
        holder.style.width = `${atlas.width * s}px`;
        holder.style.height = `${atlas.height * s}px`;
    }
    fitScale();
    let dprQuery = null;
    function watchScale() {
        if (dprQuery)
            dprQuery.removeEventListener('change', onScale);
        dprQuery = window.matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
        dprQuery.addEventListener('change', onScale);
    }
    function onScale() {
        fitScale();
        watchScale();
    }
    watchScale();

    const desk = {
        element,
        // The clock's and the refusals' panel, beside the desk in element;
        // the page's windows may place it elsewhere.
        panel: side.element,
        canvas,
        scene,
        show() {
            if (shown)
                return;
            shown = true;
            element.hidden = false;
            if (!testing && !document.hidden)
                clock.start();
            if (!rafId)
                rafId = requestAnimationFrame(onFrame);
            paint();
        },
        hide() {
            shown = false;
            element.hidden = true;
            clock.stop();
            input.cancel();
        },
        get shown() {
            return shown;
        },
        session: () => session,
        reset() {
            input.cancel();
            session.reset();
            session.setPaused(clock.paused);
            side.refusal('');
            refusedInPause = false;
            begin();
        },
        onChange(cb) {
            listeners.push(cb);
            return () => {
                const k = listeners.indexOf(cb);
                if (k >= 0)
                    listeners.splice(k, 1);
            };
        },
        // What a handler that is not the core's (a window of the program)
        // does: the page's windows take it.
        onWindowHandler(fn) {
            windowHandler = fn;
        },
        press,
        advance(ms) {
            const errors = session.advance(ms);
            paint();
            return errors;
        },
        paint,
        setPaused,
        setSpeed: (s) => { clock.setSpeed(s); side.update(clockState()); },
        clockState,
        lastPress: () => lastPress,
        paintState: () => ({
            paints,
            pixels: painted,
            last: lastPaint.map((r) => r.slice()),
            looks: Object.fromEntries(nodes.map((n, i) => [n.name, scene.look[i]])),
            missing: scene.missing.slice(),
        }),
        testInterface() {
            return {
                ready: true,
                state: () => session.state(),
                press: (handler) => press(handler),
                advance: (ms) => { desk.advance(ms); },
                reset: () => desk.reset(),
                rects: () => Object.fromEntries(nodes.map((n, i) => [n.name, scene.rect(i)])),
                canvasRect: () => {
                    const r = canvas.getBoundingClientRect();
                    return [r.left, r.top, r.width, r.height];
                },
                memo: () => ({
                    visible: memoNode >= 0 && scene.visible(memoNode),
                    rect: memoNode >= 0 ? scene.rect(memoNode) : null,
                }),
                missing: () => scene.missing.slice(),
            };
        },
    };
    return desk;
}
