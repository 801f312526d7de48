// The program in the page around the desk: the start window, the simulator
// window's frame with its menus "Schematy" and "INFORMACJE", the five
// schematics, the description, the about box, the poster behind "SZLAK",
// the closing screen, and the counts kept between visits.
//
// The windows' pictures and texts come from window.KYT_WINDOWS, which the
// page includes from kyt-windows.js (drawn by kyt-webwindows at build time
// with the desktop program's own windows).
//
//   startApp(core, desk) -> { openDesk(), windowHandler(name) }
// desk: { element, show(), hide(), session(), reset(), onChange(cb) }.

import { CountKeeper, pageStorage } from './counts.js';
import { addStyle, centre, makeErrorBox, makeMenuBar, makePictureButton, makeWindow } from './frame.js';

// The desk's own handler that shows a window (the label "SZLAK").
const POSTER_HANDLER = 'SpotLabel3Click';
const CLOSING_TEXT = 'Program Blokada Kyt został zakończony. Tę kartę przeglądarki można zamknąć.';

export function startApp(core, desk, windows = globalThis.KYT_WINDOWS, view = globalThis) {
    const doc = view.document;
    addStyle(doc);
    const layer = doc.createElement('div');
    layer.id = 'kyt-app';
    doc.body.appendChild(layer);

    const errors = makeErrorBox(doc, view, layer);
    const keeper = new CountKeeper({
        getSession: () => desk.session(),
        getStorage: () => pageStorage(view),
        report: (message) => errors.show(message),
    });
    let ended = false;
    // Every change of a count is saved at once (once per batch of desk
    // changes); what a failed write owes is tried again when the page goes.
    let saving = false;
    desk.onChange(() => {
        if (saving || ended)
            return;
        saving = true;
        queueMicrotask(() => {
            saving = false;
            keeper.save();
        });
    });
    view.addEventListener('pagehide', () => keeper.save({ retry: true }));

    if (!windows) {
        // A page built without the windows' pictures: the desk alone.
        layer.appendChild(desk.element);
        const openDesk = () => {
            desk.show();
            desk.paint?.();
            keeper.load();
        };
        openDesk();
        return { openDesk, windowHandler: () => false, errors };
    }

    // Windows that are not maximised come to the front when shown.
    let front = 20;
    const toFront = (win) => { win.root.style.zIndex = String(++front); };
    const showFixed = (win, place) => {
        const wasHidden = win.root.hidden;
        win.root.hidden = false;
        if (wasHidden)
            place(win);
        toFront(win);
    };

    // --- The description, the about box and the poster ------------------
    const opis = makeWindow(doc, { title: windows.description.title, maximised: true, onClose: () => { opis.root.hidden = true; }, z: 20 });
    {
        const { panel, edit, fontPx, fontFamily } = windows.description.layout;
        const box = doc.createElement('div');
        Object.assign(box.style, { position: 'absolute', left: panel[0] + 'px', top: panel[1] + 'px',
            width: panel[2] + 'px', height: panel[3] + 'px', boxSizing: 'border-box', border: '1px outset #fff' });
        const text = doc.createElement('textarea');
        text.readOnly = true;
        text.wrap = 'soft';
        text.value = windows.description.text;
        text.setAttribute('aria-label', windows.description.title);
        Object.assign(text.style, { position: 'absolute', left: (edit[0] - 1) + 'px', top: (edit[1] - 1) + 'px',
            width: edit[2] + 'px', height: edit[3] + 'px', boxSizing: 'border-box', margin: '0', resize: 'none',
            overflowX: 'scroll', overflowY: 'scroll', font: `${fontPx}px "${fontFamily}", sans-serif`, color: '#000',
            background: '#fff', border: '2px inset #fff' });
        box.appendChild(text);
        opis.client.appendChild(box);
        const room = doc.createElement('div');
        Object.assign(room.style, { position: 'absolute', left: '0', top: '0', width: (panel[0] + panel[2]) + 'px',
            height: (panel[1] + panel[3]) + 'px', pointerEvents: 'none' });
        opis.client.appendChild(room);
    }
    layer.appendChild(opis.root);

    const about = makeWindow(doc, { title: windows.about.title, width: windows.about.size[0], height: windows.about.size[1],
        onClose: () => { about.root.hidden = true; } });
    {
        const img = doc.createElement('img');
        img.src = windows.about.picture;
        img.alt = '';
        img.draggable = false;
        about.client.appendChild(img);
        about.client.appendChild(makePictureButton(doc, { ...windows.about.ok, onClick: () => { about.root.hidden = true; } }));
    }
    layer.appendChild(about.root);

    const poster = makeWindow(doc, { title: windows.poster.title, width: windows.poster.size[0], height: windows.poster.size[1],
        onClose: () => { poster.root.hidden = true; } });
    {
        const img = doc.createElement('img');
        img.src = windows.poster.picture;
        img.alt = windows.poster.title;
        img.draggable = false;
        poster.client.appendChild(img);
    }
    layer.appendChild(poster.root);

    // --- The schematics: shown over the page while they are active --------
    const schematics = new Map();
    const showSchematic = (form) => {
        for (const [name, s] of schematics)
            s.root.hidden = name !== form;
        const s = schematics.get(form);
        if (s)
            s.root.hidden = false;
    };
    for (const s of windows.schematics) {
        const win = makeWindow(doc, { title: s.title, maximised: true, onClose: () => { win.root.hidden = true; }, z: 900 });
        win.root.dataset.form = s.form;
        const bar = makeMenuBar(doc, [{ caption: s.menuCaption,
            items: s.menu.map((item) => ({ caption: item.caption, run: () => showSchematic(item.shows) })) }]);
        win.root.insertBefore(bar, win.client);
        // The picture control: the picture at its natural size from the
        // control's corner, clipped to the control; the window scrolls.
        const [x, y, w, h] = s.picture;
        const control = doc.createElement('div');
        Object.assign(control.style, { position: 'absolute', left: x + 'px', top: y + 'px', width: w + 'px',
            height: h + 'px', overflow: 'hidden' });
        const img = doc.createElement('img');
        img.src = s.url;
        img.alt = s.title;
        img.draggable = false;
        img.style.display = 'block';
        control.appendChild(img);
        const room = doc.createElement('div');
        Object.assign(room.style, { position: 'relative', width: (x + w) + 'px', height: Math.max(0, y + h) + 'px' });
        room.appendChild(control);
        win.client.appendChild(room);
        layer.appendChild(win.root);
        schematics.set(s.form, win);
    }
    // A press anywhere outside the schematic shown deactivates it: hidden.
    doc.addEventListener('pointerdown', (e) => {
        for (const s of schematics.values())
            if (!s.root.hidden && !s.root.contains(e.target) && !errors.root.contains(e.target))
                s.root.hidden = true;
    }, true);

    // --- Which window each handler shows ----------------------------------
    const forms = {
        opis: () => showFixed(opis, () => {}),
        AboutBox: () => showFixed(about, (w) => centre(w, view)),
        zar: () => showFixed(poster, (w) => {
            w.root.style.left = windows.poster.at[0] + 'px';
            w.root.style.top = windows.poster.at[1] + 'px';
        }),
    };
    for (const form of schematics.keys())
        forms[form] = () => showSchematic(form);
    const handlers = { [POSTER_HANDLER]: 'zar' };
    for (const menu of windows.simulator.menus)
        for (const item of menu.items)
            handlers[item.name + 'Click'] = item.shows;
    const windowHandler = (name) => {
        const show = forms[handlers[name]];
        if (!show)
            return false;
        show();
        return true;
    };

    // --- The simulator window ---------------------------------------------
    const simulator = makeWindow(doc, { title: windows.simulator.title, maximised: true, onClose: () => closeSimulator(), z: 10 });
    // The window's own background around the desk.
    simulator.client.style.background = 'rgb(140, 198, 165)';
    simulator.root.insertBefore(makeMenuBar(doc, windows.simulator.menus.map((menu) => ({
        caption: menu.caption,
        items: menu.items.map((item) => ({ caption: item.caption, run: () => windowHandler(item.name + 'Click') })),
    }))), simulator.client);
    simulator.client.appendChild(desk.element);
    layer.appendChild(simulator.root);
    desk.onWindowHandler((name) => windowHandler(name));

    // --- The start window -------------------------------------------------
    const start = makeWindow(doc, { title: windows.start.title, width: windows.start.size[0], height: windows.start.size[1],
        onClose: () => endSession(), z: 5 });
    {
        const img = doc.createElement('img');
        img.src = windows.start.picture;
        img.alt = '';
        img.draggable = false;
        start.client.appendChild(img);
        const b = windows.start.buttons;
        start.client.appendChild(makePictureButton(doc, { ...b.ExplorerButton1, onClick: () => endSession() }));
        start.client.appendChild(makePictureButton(doc, { ...b.st, onClick: () => openDesk() }));
    }
    layer.appendChild(start.root);

    const closing = doc.createElement('div');
    closing.id = 'kyt-closing';
    closing.hidden = true;
    closing.textContent = CLOSING_TEXT;
    Object.assign(closing.style, { padding: '40px', font: '16px sans-serif', textAlign: 'center' });
    layer.appendChild(closing);

    // "Chętnie się pouczę.": the simulator is shown, then the stored counts
    // are loaded into it (again, each time).
    function openDesk() {
        if (ended)
            return;
        simulator.root.hidden = false;
        desk.show();
        desk.paint?.();
        doc.title = windows.simulator.title;
        keeper.load();
    }
    // The simulator's close box: the counts are saved; when they cannot
    // be, the window stays open.
    function closeSimulator() {
        if (!keeper.save({ retry: true }))
            return;
        simulator.root.hidden = true;
        desk.hide();
        doc.title = windows.start.title;
    }
    // "Nie !!! Może kiedyś ?": the program ends (saving nothing more); a
    // page cannot close itself, so it says so.
    function endSession() {
        ended = true;
        desk.hide();
        for (const child of layer.children)
            child.hidden = child !== closing;
        closing.hidden = false;
        doc.title = windows.start.title;
    }

    doc.title = windows.start.title;
    start.root.hidden = false;
    // The start window and the about box stay at the centre of the view.
    const centred = [start, about];
    const recentre = () => {
        for (const w of centred)
            if (!w.root.hidden)
                centre(w, view);
    };
    recentre();
    view.addEventListener('resize', recentre);
    view.requestAnimationFrame?.(recentre);
    return { openDesk, windowHandler, errors };
}
