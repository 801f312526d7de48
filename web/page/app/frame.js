// The page's windows: a frame with a caption and a close box around a
// client area, menu bars with drop-down menus, buttons drawn with the
// pictures the desktop program drew, and the error box.

const STYLE = `
.kyt-window { position: absolute; background: #d4d0c8; border: 2px outset #fff; box-sizing: content-box;
  font: 11px sans-serif; color: #000; user-select: none; }
.kyt-window[hidden] { display: none; }
.kyt-caption { display: flex; align-items: center; height: 18px; padding: 0 2px 0 4px; color: #fff;
  background: linear-gradient(90deg, #0a246a, #a6caf0); font: bold 11px sans-serif; white-space: pre; }
.kyt-caption-text { flex: 1; overflow: hidden; text-overflow: ellipsis; }
.kyt-close { width: 16px; height: 14px; padding: 0; border: 1px outset #fff; background: #d4d0c8;
  font: bold 10px sans-serif; line-height: 10px; color: #000; cursor: pointer; }
.kyt-client { position: relative; overflow: hidden; }
.kyt-maximised { position: fixed; left: 0; top: 0; right: 0; bottom: 0; display: flex; flex-direction: column; border-width: 0; }
.kyt-maximised > .kyt-client { flex: 1; overflow: auto; }
.kyt-menubar { display: flex; height: 19px; background: #d4d0c8; border-bottom: 1px solid #808080; }
.kyt-menu { position: relative; }
.kyt-menu > button { height: 19px; padding: 0 7px; border: 0; background: none; font: 12px sans-serif; color: #000;
  white-space: pre; cursor: default; }
.kyt-menu.kyt-open > button { background: #0a246a; color: #fff; }
.kyt-items { position: absolute; left: 0; top: 19px; z-index: 50; min-width: 150px; padding: 2px;
  background: #d4d0c8; border: 2px outset #fff; }
.kyt-items[hidden] { display: none; }
.kyt-items > button { display: block; width: 100%; padding: 3px 20px; border: 0; background: none; text-align: left;
  font: 12px sans-serif; color: #000; white-space: pre; cursor: default; }
.kyt-items > button:hover, .kyt-items > button:focus { background: #0a246a; color: #fff; outline: none; }
.kyt-picture-button { position: absolute; padding: 0; border: 0; background: none; cursor: pointer; }
.kyt-picture-button > img { display: block; pointer-events: none; }
.kyt-unseen { position: absolute; width: 1px; height: 1px; overflow: hidden; clip-path: inset(50%); white-space: nowrap; }
.kyt-picture-button:focus-visible { outline: 1px dotted #000; }
.kyt-error { z-index: 1000; }
.kyt-error .kyt-client { display: flex; flex-direction: column; align-items: center; padding: 14px 16px 10px; gap: 14px;
  min-width: 220px; max-width: 480px; }
.kyt-error-text { display: flex; align-items: center; gap: 12px; font: 12px sans-serif; white-space: pre-wrap;
  user-select: text; }
.kyt-error-icon { flex: none; width: 32px; height: 32px; border-radius: 50%; background: #e00; color: #fff;
  font: bold 20px sans-serif; line-height: 32px; text-align: center; }
.kyt-error-ok { min-width: 75px; height: 23px; border: 2px outset #fff; background: #d4d0c8; font: 12px sans-serif; }
`;

export function addStyle(doc) {
    const style = doc.createElement('style');
    style.textContent = STYLE;
    doc.head.appendChild(style);
}

function element(doc, tag, className, text) {
    const e = doc.createElement(tag);
    if (className)
        e.className = className;
    if (text !== undefined)
        e.textContent = text;
    return e;
}

// A window: caption bar (with a close box when onClose is given) and a
// client area of the given size, or maximised over the page.
export function makeWindow(doc, { title, width, height, maximised = false, onClose = null, z = 10 }) {
    const root = element(doc, 'div', 'kyt-window' + (maximised ? ' kyt-maximised' : ''));
    root.setAttribute('role', 'dialog');
    root.setAttribute('aria-label', title);
    root.style.zIndex = String(z);
    root.hidden = true;
    const caption = element(doc, 'div', 'kyt-caption');
    caption.appendChild(element(doc, 'span', 'kyt-caption-text', title));
    if (onClose) {
        const close = element(doc, 'button', 'kyt-close', '\u00d7');
        close.type = 'button';
        close.title = 'Zamknij';
        close.addEventListener('click', () => onClose());
        caption.appendChild(close);
    }
    root.appendChild(caption);
    const client = element(doc, 'div', 'kyt-client');
    if (!maximised) {
        client.style.width = width + 'px';
        client.style.height = height + 'px';
    }
    root.appendChild(client);
    return { root, caption, client };
}

// Places a window of a fixed size at the centre of the page's view.
export function centre(win, view) {
    const w = win.root.offsetWidth;
    const h = win.root.offsetHeight;
    win.root.style.left = Math.max(0, Math.round((view.innerWidth - w) / 2 + view.scrollX)) + 'px';
    win.root.style.top = Math.max(0, Math.round((view.innerHeight - h) / 2 + view.scrollY)) + 'px';
}

// A menu bar: menus = [{caption, items: [{caption, run}]}]. A menu opens on
// a click and closes on the choice of an item, a click elsewhere or Escape.
export function makeMenuBar(doc, menus) {
    const bar = element(doc, 'div', 'kyt-menubar');
    bar.setAttribute('role', 'menubar');
    const open = [];
    const closeAll = () => {
        for (const m of open) {
            m.root.classList.remove('kyt-open');
            m.items.hidden = true;
        }
    };
    for (const menu of menus) {
        const root = element(doc, 'div', 'kyt-menu');
        const top = element(doc, 'button', '', menu.caption);
        top.type = 'button';
        top.setAttribute('aria-haspopup', 'true');
        const items = element(doc, 'div', 'kyt-items');
        items.setAttribute('role', 'menu');
        items.hidden = true;
        for (const item of menu.items) {
            const b = element(doc, 'button', '', item.caption);
            b.type = 'button';
            b.setAttribute('role', 'menuitem');
            b.addEventListener('click', (e) => {
                e.stopPropagation();
                closeAll();
                item.run();
            });
            items.appendChild(b);
        }
        const entry = { root, items };
        open.push(entry);
        top.addEventListener('click', (e) => {
            e.stopPropagation();
            const wasOpen = !items.hidden;
            closeAll();
            if (!wasOpen) {
                root.classList.add('kyt-open');
                items.hidden = false;
            }
        });
        root.appendChild(top);
        root.appendChild(items);
        bar.appendChild(root);
    }
    doc.addEventListener('click', closeAll);
    doc.addEventListener('keydown', (e) => {
        if (e.key === 'Escape')
            closeAll();
    });
    return bar;
}

// A button that shows the desktop program's pictures of it: looks.up,
// looks.hover (pointer over it) and looks.down (pressed with the pointer
// over it). It clicks on a release over it after a press on it, or with
// the keyboard.
export function makePictureButton(doc, { rect, caption, looks, onClick }) {
    const button = element(doc, 'button', 'kyt-picture-button');
    button.type = 'button';
    // The caption as text too, unseen: for screen readers and for finding
    // the button by what it says.
    button.appendChild(element(doc, 'span', 'kyt-unseen', caption));
    const [x, y, w, h] = rect;
    Object.assign(button.style, { left: x + 'px', top: y + 'px', width: w + 'px', height: h + 'px' });
    const img = element(doc, 'img');
    img.alt = '';
    img.width = w;
    img.height = h;
    img.draggable = false;
    button.appendChild(img);
    let over = false;
    let pressed = false;
    const show = () => {
        const look = pressed && over && looks.down ? 'down' : over && looks.hover ? 'hover' : 'up';
        if (img.getAttribute('src') !== looks[look])
            img.src = looks[look];
    };
    button.addEventListener('pointerenter', () => { over = true; show(); });
    button.addEventListener('pointerleave', () => { over = false; show(); });
    button.addEventListener('pointerdown', (e) => {
        if (e.button !== 0)
            return;
        pressed = true;
        over = true;
        button.setPointerCapture?.(e.pointerId);
        show();
    });
    button.addEventListener('pointermove', (e) => {
        if (!pressed)
            return;
        const r = button.getBoundingClientRect();
        over = e.clientX >= r.left && e.clientX < r.right && e.clientY >= r.top && e.clientY < r.bottom;
        show();
    });
    const release = (e, cancelled) => {
        if (!pressed)
            return;
        pressed = false;
        const r = button.getBoundingClientRect();
        const inside = !cancelled && e.clientX >= r.left && e.clientX < r.right && e.clientY >= r.top && e.clientY < r.bottom;
        over = inside && e.pointerType === 'mouse';
        show();
        if (inside)
            onClick();
    };
    button.addEventListener('pointerup', (e) => release(e, false));
    button.addEventListener('pointercancel', (e) => release(e, true));
    // Clicks from the keyboard (a pointer's click is handled above).
    button.addEventListener('click', (e) => {
        if (e.detail === 0)
            onClick();
    });
    show();
    return button;
}

// The error box: the message followed by "." under the caption "Blokada
// Kyt", with one OK button; shown on the page without blocking it. Boxes
// that come while one is shown wait for it.
export function makeErrorBox(doc, view, parent) {
    const queue = [];
    const win = makeWindow(doc, { title: 'Blokada Kyt', width: 0, height: 0, onClose: () => next(), z: 1000 });
    win.root.classList.add('kyt-error');
    win.root.setAttribute('role', 'alertdialog');
    win.client.style.width = '';
    win.client.style.height = '';
    const line = element(doc, 'div', 'kyt-error-text');
    line.appendChild(element(doc, 'span', 'kyt-error-icon', '\u00d7'));
    const text = element(doc, 'span', '');
    line.appendChild(text);
    const ok = element(doc, 'button', 'kyt-error-ok', 'OK');
    ok.type = 'button';
    ok.addEventListener('click', () => next());
    win.client.appendChild(line);
    win.client.appendChild(ok);
    parent.appendChild(win.root);
    function present() {
        text.textContent = queue[0];
        win.root.hidden = false;
        centre(win, view);
        ok.focus({ preventScroll: true });
    }
    function next() {
        queue.shift();
        if (queue.length > 0)
            present();
        else
            win.root.hidden = true;
    }
    return {
        root: win.root,
        text,
        show(message) {
            const text = String(message) + '.';
            // The same report again while it waits adds nothing.
            if (queue.includes(text))
                return;
            queue.push(text);
            if (queue.length === 1)
                present();
        },
        shown() {
            return win.root.hidden ? null : text.textContent;
        },
    };
}
