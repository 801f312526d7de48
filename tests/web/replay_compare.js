// kyt-replay compiled to WebAssembly against the native kyt-replay: every
// replay script of the tree (tools/replay/*.txt and the scripts written
// into the tests), then seeded random scripts, must give byte for byte the
// same output, messages and exit status.
//   node replay_compare.js NATIVE_REPLAY WASM_REPLAY CORE_MODULE SOURCE_DIR [RANDOM_COUNT] [SEED]
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');
const { treeScripts } = require('./scripts.js');

const [nativeReplay, wasmReplay, coreModule, sourceDir] = process.argv.slice(2, 6);
const randomCount = Number(process.argv[6] || 200);
const firstSeed = Number(process.argv[7] || 1);
if (!sourceDir) {
    console.error('usage: node replay_compare.js NATIVE WASM CORE_MODULE SOURCE_DIR [COUNT] [SEED]');
    process.exit(2);
}

// The native program keeps its counts in the user's settings: a home of
// its own, empty at each run, as the WebAssembly one starts with none.
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'kyt-web-replay-'));

function run(program, args, scriptFile) {
    const home = fs.mkdtempSync(path.join(scratch, 'home-'));
    const env = { ...process.env, HOME: home, XDG_CONFIG_HOME: path.join(home, '.config') };
    const r = spawnSync(program, [...args, scriptFile], { env, encoding: 'buffer', timeout: 120000 });
    fs.rmSync(home, { recursive: true, force: true });
    if (r.error)
        throw r.error;
    return { status: r.status, stdout: r.stdout, stderr: r.stderr };
}

// A small seeded generator, the same scripts on every machine.
function generator(seed) {
    let a = seed >>> 0;
    return () => {
        a = (a + 0x6D2B79F5) >>> 0;
        let t = a;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

function randomScript(seed, presses, others) {
    const rnd = generator(seed);
    const pick = (list) => list[Math.floor(rnd() * list.length)];
    const lines = [];
    if (rnd() < 0.9)
        lines.push('FormActivate');
    const length = 20 + Math.floor(rnd() * 80);
    for (let i = 0; i < length; ++i) {
        const r = rnd();
        if (r < 0.55)
            lines.push(rnd() < 0.1 ? `${pick(presses)}*${1 + Math.floor(rnd() * 4)}` : pick(presses));
        else if (r < 0.62)
            lines.push(pick(others));
        else if (r < 0.8)
            lines.push(`wait ${rnd() < 0.8 ? Math.floor(rnd() * 3000) : Math.floor(rnd() * 120000)}`);
        else if (r < 0.88)
            lines.push('state');
        else if (r < 0.92)
            lines.push('journal');
        else if (r < 0.97)
            lines.push('why');
        else {
            const names = ['sza1', 'sza2', 'szb1', 'szb2', 'dkoa', 'dkob', 'dpoa', 'dpob'];
            lines.push('counts ' + names.map((n) => `${n}=${Math.floor(rnd() * (rnd() < 0.1 ? 2147483648 : 10000))}`).join(' '));
        }
    }
    lines.push('state', 'journal', 'why');
    return lines.join('\n') + '\n';
}

async function main() {
    const KytCore = require(path.resolve(coreModule));
    const core = await KytCore();
    const pressable = core.pressables().filter((p) => !p.windowOnly).map((p) => p.handler);
    const others = core.handlers().filter((h) => !pressable.includes(h));
    if (pressable.length < 20 || others.length < 4)
        throw new Error(`too few handlers from the core module: ${pressable.length}, ${others.length}`);

    const scripts = treeScripts(sourceDir);
    if (!scripts.some((s) => s.name.startsWith('tools/replay/')))
        throw new Error('no replay script found in tools/replay');
    for (let i = 0; i < randomCount; ++i)
        scripts.push({ name: `random seed ${firstSeed + i}`, text: randomScript(firstSeed + i, pressable, others) });

    let passed = 0, failed = 0, bytes = 0;
    for (const [i, s] of scripts.entries()) {
        const file = path.join(scratch, `script-${i}.txt`);
        fs.writeFileSync(file, s.text);
        const a = run(nativeReplay, [], file);
        const b = run(process.execPath, [wasmReplay], file);
        const same = a.status === b.status && a.stdout.equals(b.stdout) && a.stderr.equals(b.stderr);
        if (same) {
            ++passed;
            bytes += a.stdout.length;
        } else {
            ++failed;
            console.log(`DIFFERENT: ${s.name} (exit ${a.status} / ${b.status}, ${a.stdout.length} / ${b.stdout.length} bytes)`);
            const la = a.stdout.toString().split('\n'), lb = b.stdout.toString().split('\n');
            for (let k = 0; k < Math.max(la.length, lb.length); ++k)
                if (la[k] !== lb[k]) {
                    console.log(`  first different line ${k + 1}:\n  native: ${String(la[k]).slice(0, 300)}\n  wasm:   ${String(lb[k]).slice(0, 300)}`);
                    break;
                }
            if (!a.stderr.equals(b.stderr))
                console.log(`  messages: ${a.stderr.toString().trim()} / ${b.stderr.toString().trim()}`);
        }
    }
    fs.rmSync(scratch, { recursive: true, force: true });
    console.log(`replay scripts compared: ${scripts.length}, output ${bytes} bytes`);
    console.log(`${passed} passed, ${failed} failed`);
    process.exit(failed ? 1 : 0);
}

main().catch((e) => {
    console.error(e);
    process.exit(1);
});
