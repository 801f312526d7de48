// A stand-in for the program's windows around the desk: it shows the desk
// at once. The page's windows (start window, menus, schematics, about,
// closing screen) replace it.
export function startApp(core, desk) {
    document.body.append(desk.element);
    desk.show();
    return {
        openDesk() {
            desk.show();
            desk.paint();
        },
    };
}
