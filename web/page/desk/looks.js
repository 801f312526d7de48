// Which look a node shows: from its control's desk properties, its lamp's
// frame and what the pointer does to it. Each entry lists keys from the most
// particular down; the first the atlas has wins.

const buttonClasses = new Set(['HemisphereButton', 'ArrowButton', 'GradientButton', 'ShadowButton',
    'ExplorerButton', 'Button3D']);

// node: the atlas node; props: its control's properties ({} without one);
// pointer: {down, hover}; lamp: its Lamp or null.
export function lookKeys(node, props, pointer, lamp) {
    if (lamp)
        return [lamp.look()];
    if (node.class === 'RelayIndicator' && 'Look' in props)
        return [String(props.Look)];
    if ('Color' in props)
        return [String(props.Color)];
    if ('Caption' in props) {
        const base = `caption:${props.Caption}`;
        const keys = [];
        if (pointer.down)
            keys.push(`${base}|down`);
        if (pointer.hover)
            keys.push(`${base}|spot`, `${base}|hover`);
        keys.push(base);
        return keys;
    }
    if (buttonClasses.has(node.class) || node.looks.up !== undefined) {
        const keys = [];
        if (pointer.down)
            keys.push('down');
        if (pointer.hover)
            keys.push('hover');
        keys.push('up');
        if (!keys.includes(node.look))
            keys.push(node.look);
        return keys;
    }
    return [node.look];
}

// A counter's digit pictures for a value, or null when it has none.
export function digitPictures(node, value) {
    const places = node.digits;
    if (!places || places.length === 0)
        return null;
    let v = Math.max(0, Math.floor(Number(value) || 0));
    const out = new Array(places.length);
    for (let place = places.length - 1; place >= 0; --place) {
        out[place] = places[place][v % 10];
        v = Math.floor(v / 10);
    }
    return out;
}
