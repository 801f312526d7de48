// The page's script: the core module, the desk and the program's windows
// around it. Bundled into one classic script; the layout and the pictures
// come with the page (window.KYT_ATLAS, window.KYT_ATLAS_PNG).
import { createDesk } from './desk/index.js';
import { startApp } from './app/index.js';

function decode(url) {
    return new Promise((resolve, reject) => {
        const img = new Image();
        img.onload = () => resolve(img);
        img.onerror = () => reject(new Error('the desk\'s pictures cannot be read'));
        img.src = url;
    });
}

function fail(message) {
    const p = document.createElement('p');
    p.className = 'kyt-failure';
    p.textContent = `Pulpit nie może się uruchomić: ${message}`;
    document.body.append(p);
}

const testing = location.hash === '#test';
Promise.all([decode(window.KYT_ATLAS_PNG), KytCore()]).then(([image, core]) => {
    const desk = createDesk(core, { atlas: window.KYT_ATLAS, image, testing });
    const app = startApp(core, desk);
    if (testing) {
        const api = desk.testInterface();
        api.openDesk = () => app.openDesk();
        window.kytTest = api;
    }
}).catch((e) => fail(e && e.message ? e.message : String(e)));
