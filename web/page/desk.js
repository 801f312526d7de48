// The simulator window's desk in the browser: the core module drives it,
// the pictures the desktop program drew for each look of each control show
// it. Every change the core makes marks its control; each frame draws the
// marked controls' pictures for their present values.
'use strict';
(function () {
    const atlasData = window.KYT_ATLAS;
    const canvas = document.getElementById('desk');
    const ctx = canvas.getContext('2d');
    ctx.imageSmoothingEnabled = false;
    const narration = document.getElementById('narration');
    const buttons = document.getElementById('buttons');

    function image(url) {
        return new Promise((resolve, reject) => {
            const img = new Image();
            img.onload = () => resolve(img);
            img.onerror = reject;
            img.src = url;
        });
    }

    // control -> key of its values -> picture
    const pictures = new Map();
    for (const p of atlasData.pictures) {
        if (!pictures.has(p.control))
            pictures.set(p.control, new Map());
        pictures.get(p.control).set(p.key, p);
    }
    const rects = new Map(atlasData.controls.map((c) => [c.name, c.rect]));
    const missing = [];

    Promise.all([image(window.KYT_ATLAS_PNG), image(window.KYT_DESK_PNG), KytCore()]).then(([atlas, deskPicture, core]) => {
        let session = new core.Session();
        let props = {};
        let memo = null;
        const dirty = new Set();

        function keyOf(control) {
            return props[control].map((p) => String(session.get(control, p))).join('|');
        }
        function drawControl(control) {
            if (control === memo) {
                narration.textContent = session.get(control, 'Text');
                narration.hidden = !session.get(control, 'Visible');
                return;
            }
            const byKey = pictures.get(control);
            if (!byKey)
                return;
            const p = byKey.get(keyOf(control));
            if (!p) {
                missing.push(`${control} ${keyOf(control)}`);
                return;
            }
            ctx.drawImage(atlas, p.from[0], p.from[1], p.from[2], p.from[3], p.at[0], p.at[1], p.from[2], p.from[3]);
        }
        function start() {
            const desk = JSON.parse(session.state()).desk;
            props = {};
            for (const [control, values] of Object.entries(desk)) {
                props[control] = Object.keys(values);
                if ('Text' in values)
                    memo = control;
            }
            session.subscribe((control) => dirty.add(control));
            ctx.drawImage(deskPicture, 0, 0);
            session.press('FormActivate');
            for (const control of Object.keys(props))
                drawControl(control);
            dirty.clear();
        }
        function paint() {
            for (const control of dirty)
                drawControl(control);
            dirty.clear();
        }

        // A focusable button over each control a trainee can press.
        for (const p of core.pressables()) {
            const r = rects.get(p.control);
            if (!r || p.windowOnly)
                continue;
            const b = document.createElement('button');
            b.className = 'press';
            b.setAttribute('aria-label', p.name);
            b.title = p.name;
            b.style.left = r[0] + 'px';
            b.style.top = r[1] + 'px';
            b.style.width = r[2] + 'px';
            b.style.height = r[3] + 'px';
            b.addEventListener('click', () => {
                session.press(p.handler);
                paint();
            });
            buttons.appendChild(b);
        }
        start();
        const memoRect = rects.get(memo);
        if (memoRect) {
            narration.style.left = memoRect[0] + 'px';
            narration.style.top = memoRect[1] + 'px';
            narration.style.width = memoRect[2] + 'px';
            narration.style.height = memoRect[3] + 'px';
        }

        // The core's clock follows the browser's, a second at most per
        // frame, and stands while the page is hidden.
        const testing = location.hash === '#test';
        let last = performance.now();
        function frame(t) {
            const dt = Math.max(0, Math.min(t - last, 1000));
            last = t;
            if (!testing && !document.hidden && dt > 0)
                session.advance(Math.floor(dt));
            paint();
            requestAnimationFrame(frame);
        }
        requestAnimationFrame(frame);
        document.addEventListener('visibilitychange', () => { last = performance.now(); });

        if (testing)
            window.kytTest = {
                ready: true,
                state: () => session.state(),
                press: (h) => { const r = session.press(h); paint(); return r; },
                advance: (ms) => { session.advance(ms); paint(); },
                reset: () => { session.delete(); session = new core.Session(); start(); },
                rects: () => Object.fromEntries(rects),
                missing: () => missing.slice(),
            };
    });
})();
