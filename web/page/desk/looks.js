// Which look a node shows: from its control's desk properties (the base:
// the lamp's frame, the relay's look, the section's colour, the caption),
// then what the pointer does to it ("down" while pressed, "spot" or "hover"
// under the pointer, else "up"), joined by '|'. The keys are listed from the
// most particular down; the first the atlas has wins, and the last is what
// the core's values alone ask for.

function baseKey(node, props, lamp) {
    if (lamp)
        return lamp.look();
    if ('Look' in props)
        return String(props.Look);
    if ('Color' in props)
        return String(props.Color);
    if ('Caption' in props)
        return `caption:${props.Caption}`;
    return null;
}

function join(base, suffix) {
    if (base === '')
        return suffix;
    return suffix === '' ? base : `${base}|${suffix}`;
}

// node: the atlas node; props: its control's properties ({} without one);
// pointer: {down, hover}; lamp: its Lamp or null.
export function lookKeys(node, props, pointer, lamp) {
    const base = baseKey(node, props, lamp);
    const suffixes = [];
    if (pointer.down)
        suffixes.push('down');
    if (pointer.hover)
        suffixes.push('spot', 'hover');
    suffixes.push('up', '');
    const keys = suffixes.map((s) => join(base === null ? '' : base, s));
    if (base === null && !keys.includes(node.look))
        keys.push(node.look);
    return keys;
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
