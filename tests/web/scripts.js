// The replay scripts of the tree and their events as the page plays them.
'use strict';
const fs = require('fs');
const path = require('path');

// Every replay script of the tree: tools/replay/*.txt and the scripts
// written into the tests as raw strings that start a window.
function treeScripts(sourceDir) {
    const scripts = [];
    const replayDir = path.join(sourceDir, 'tools', 'replay');
    for (const f of fs.readdirSync(replayDir).sort())
        if (f.endsWith('.txt') && f !== 'CMakeLists.txt')
            scripts.push({ name: `tools/replay/${f}`, text: fs.readFileSync(path.join(replayDir, f), 'utf8') });
    const testsDir = path.join(sourceDir, 'tests');
    for (const dir of fs.readdirSync(testsDir).sort()) {
        const full = path.join(testsDir, dir);
        if (!fs.statSync(full).isDirectory())
            continue;
        for (const f of fs.readdirSync(full).sort()) {
            if (!f.endsWith('.cpp'))
                continue;
            const text = fs.readFileSync(path.join(full, f), 'utf8');
            let n = 0;
            for (const m of text.matchAll(/R"\(([\s\S]*?)\)"/g))
                if (/^\s*FormActivate\b/.test(m[1]))
                    scripts.push({ name: `tests/${dir}/${f} #${++n}`, text: m[1] });
        }
    }
    return scripts;
}

// The events of a replay script that change the desk, in the replay
// language's own order: a handler name (NAME*N as N of them) or "wait N".
// Lines that only print (state, journal, why) are left out, and so are the
// use counts set by "counts", which the page takes from its own store.
function events(text) {
    const out = [];
    const skipped = new Set();
    for (const raw of text.split('\n')) {
        const line = raw.trim();
        if (!line || line.startsWith('#'))
            continue;
        const word = line.split(/\s+/)[0];
        if (['state', 'journal', 'why', 'counts'].includes(word)) {
            skipped.add(word);
            continue;
        }
        let m = /^wait\s+(\d+)$/.exec(line);
        if (m) {
            out.push(`wait ${Number(m[1])}`);
            continue;
        }
        m = /^(\w+)(?:\*(\d+))?$/.exec(line);
        if (!m)
            throw new Error(`not a replay event: ${line}`);
        for (let i = 0; i < Number(m[2] || 1); ++i)
            out.push(m[1]);
    }
    return { events: out, skipped: [...skipped] };
}

module.exports = { treeScripts, events };
