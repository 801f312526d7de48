// The page's counts in local storage, with the real core module: loaded and
// saved as the desktop program loads and saves its settings, with storage
// that is refused, full, shared by two pages or holding anything at all.
//   node counts_test.mjs CORE_MODULE
import assert from 'node:assert';
import test from 'node:test';
import { createRequire } from 'node:module';
import path from 'node:path';
import { COUNT_NAMES, CountKeeper, pageStorage, parseCount } from '../../web/page/app/counts.js';

const require = createRequire(import.meta.url);

function domError(name) {
    const e = new Error(`${name} raised`);
    e.name = name;
    return e;
}

// localStorage as a browser gives it: texts under keys, a quota on the
// total length, and faults switched on by the test.
class FakeStorage {
    constructor(entries = {}) {
        this.map = new Map(Object.entries(entries));
        this.quota = Infinity;
        this.refuseReads = false;
        this.writes = 0;
    }
    used() {
        let n = 0;
        for (const [k, v] of this.map)
            n += k.length + v.length;
        return n;
    }
    getItem(key) {
        if (this.refuseReads)
            throw domError('SecurityError');
        return this.map.has(key) ? this.map.get(key) : null;
    }
    setItem(key, value) {
        const text = String(value);
        const old = this.map.has(key) ? key.length + this.map.get(key).length : 0;
        if (this.used() - old + key.length + text.length > this.quota)
            throw domError('QuotaExceededError');
        ++this.writes;
        this.map.set(key, text);
    }
    removeItem(key) {
        this.map.delete(key);
    }
    counts() {
        const out = {};
        for (const name of COUNT_NAMES)
            if (this.map.has('kyt.' + name))
                out[name] = this.map.get('kyt.' + name);
        return out;
    }
}

const KytCore = require(path.resolve(process.argv[2]));
const core = await KytCore();

// A page: a session started as the page starts it, and its keeper.
function page(storage) {
    const session = new core.Session();
    session.press('FormActivate');
    const reports = [];
    const keeper = new CountKeeper({ getSession: () => session, getStorage: () => storage, report: (m) => reports.push(m) });
    return { session, keeper, reports };
}
const count = (session, name) => session.counts()[COUNT_NAMES.indexOf(name)];
const shown = (session, name) => session.get('l' + name, 'Value');
// Uses a counted button: an Sz button's second press puts its lamp out
// without counting, so it is pressed until its count grows.
function press(p, handler, times = 1) {
    const name = handler.slice(1, 5);
    for (let i = 0; i < times; ++i) {
        const before = count(p.session, name);
        for (let tries = 0; tries < 2 && count(p.session, name) === before; ++tries)
            assert.strictEqual(p.session.press(handler).result, 'done');
        assert.strictEqual(count(p.session, name), before + 1);
    }
    return p.keeper.save();
}
// All eight counts stored, 0 unless given.
function all(given) {
    const out = {};
    for (const name of COUNT_NAMES)
        out['kyt.' + name] = '0';
    for (const [k, v] of Object.entries(given))
        out[k] = v;
    return out;
}

await test('a first visit loads nothing and reports nothing; each use is stored at once', () => {
    const storage = new FakeStorage();
    const p = page(storage);
    assert.strictEqual(p.keeper.load(), true);
    assert.deepStrictEqual(p.session.counts(), [0, 0, 0, 0, 0, 0, 0, 0]);
    assert.strictEqual(storage.writes, 0);
    assert.strictEqual(press(p, 'pszb1Click'), true);
    assert.strictEqual(storage.counts().szb1, '1');
    assert.strictEqual(press(p, 'pszb1Click', 2), true);
    assert.deepStrictEqual(storage.counts(),
        { sza1: '0', sza2: '0', szb1: '3', szb2: '0', dkoa: '0', dkob: '0', dpoa: '0', dpob: '0' });
    // Nothing changed: nothing written.
    const writes = storage.writes;
    assert.strictEqual(p.keeper.save({ retry: true }), true);
    assert.strictEqual(storage.writes, writes);
    assert.deepStrictEqual(p.reports, []);
});

await test('stored counts are loaded and shown, and uses add to them', () => {
    const storage = new FakeStorage({ 'kyt.sza1': '10007', 'kyt.sza2': ' 0012 ', 'kyt.szb1': '"5"', 'kyt.szb2': '+4',
        'kyt.dkoa': '-3', 'kyt.dkob': '2147483647', 'kyt.dpoa': '0', 'kyt.dpob': '7', 'other': 'x' });
    const p = page(storage);
    assert.strictEqual(p.keeper.load(), true);
    assert.deepStrictEqual(p.session.counts(), [10007, 12, 5, 4, -3, 2147483647, 0, 7]);
    assert.strictEqual(shown(p.session, 'sza1'), 10007);
    assert.strictEqual(press(p, 'psza1Click'), true);
    assert.strictEqual(storage.counts().sza1, '10008');
    // Every count is written back as a plain number; other entries stay.
    assert.strictEqual(storage.counts().sza2, '12');
    assert.strictEqual(storage.counts().dkob, '2147483647');
    assert.strictEqual(storage.map.get('other'), 'x');
    assert.deepStrictEqual(p.reports, []);
});

await test('stored text that is no count is read as the desktop reads its settings', () => {
    const good = { '7': 7, ' \t7\r\n': 7, '"  -7 "': -7, '-0': 0, '+0': 0, '2147483647': 2147483647,
        '-2147483648': -2147483648, ['0'.repeat(1 << 20) + '9']: 9, '000000000000': 0 };
    for (const [text, n] of Object.entries(good))
        assert.strictEqual(parseCount(text), n, JSON.stringify(text.slice(0, 20)));
    const bad = ['', ' ', '""', '"', '-', '+', '1e3', '12.5', '0x10', 'abc', '2147483648', '-2147483649',
        '99999999999999999999', '1 2', '\u0661\u0662', '\u00a012', '12\u3000', '--1', '"12', 'Infinity', 'NaN',
        '9'.repeat(1 << 20)];
    for (const text of bad)
        assert.strictEqual(parseCount(text), null, JSON.stringify(text.slice(0, 20)));
    assert.strictEqual(parseCount(null), null);
});

await test('a value of another type or a missing value is reported by the load, the rest is loaded', () => {
    const storage = new FakeStorage({ 'kyt.sza1': '3', 'kyt.sza2': '12.5', 'kyt.szb1': 'garbage', 'kyt.szb2': '4',
        'kyt.dkoa': '5', 'kyt.dkob': '6', 'kyt.dpoa': '7', 'kyt.dpob': '8' });
    const p = page(storage);
    assert.strictEqual(p.keeper.load(), false);
    assert.deepStrictEqual(p.reports, ["Invalid data type for 'sza2'"]);
    assert.deepStrictEqual(p.session.counts(), [3, 0, 0, 4, 5, 6, 7, 8]);
    // An unused value of another type is kept; a used one becomes its uses.
    assert.strictEqual(press(p, 'psza2Click'), true);
    assert.strictEqual(storage.counts().sza2, '1');
    assert.strictEqual(storage.counts().szb1, 'garbage');

    const missing = new FakeStorage({ 'kyt.sza1': '9', 'kyt.szb1': '1' });
    const q = page(missing);
    assert.strictEqual(q.keeper.load(), false);
    assert.deepStrictEqual(q.reports, ["Failed to get data for 'sza2'"]);
    assert.strictEqual(count(q.session, 'sza1'), 9);
});

await test('storage the browser refuses is reported and the simulator goes on without it', () => {
    // Reading window.localStorage itself throws where storage is off.
    const scope = {};
    Object.defineProperty(scope, 'localStorage', { get() { throw domError('SecurityError'); } });
    assert.strictEqual(pageStorage(scope), null);
    const p = page(null);
    assert.strictEqual(p.keeper.load(), false);
    assert.deepStrictEqual(p.reports, ["Failed to get data for 'sza1'"]);
    assert.strictEqual(press(p, 'psza1Click'), false);
    assert.deepStrictEqual(p.reports, ["Failed to get data for 'sza1'", "Failed to set data for 'sza1'"]);
    assert.strictEqual(count(p.session, 'sza1'), 1);
    // A change that is no use of a counter is not tried again.
    assert.strictEqual(p.keeper.save(), true);

    // Storage whose every read is refused after the page opened.
    const revoked = new FakeStorage(all({ 'kyt.sza1': '4' }));
    const q = page(revoked);
    assert.strictEqual(q.keeper.load(), true);
    revoked.refuseReads = true;
    assert.strictEqual(press(q, 'psza1Click'), false);
    assert.deepStrictEqual(q.reports, ["Failed to set data for 'sza1'"]);
    assert.strictEqual(revoked.map.get('kyt.sza1'), '4');
});

await test('full storage: nothing half written, the uses stored once there is room', () => {
    const storage = new FakeStorage({ ...all({ 'kyt.sza1': '9', 'kyt.sza2': '99', 'kyt.dpob': '1' }), filler: 'x'.repeat(100) });
    // Room for one more character: the first count that grows a digit is
    // written, the second is not.
    storage.quota = storage.used() + 1;
    const p = page(storage);
    assert.strictEqual(p.keeper.load(), true);
    const before = new Map(storage.map);
    assert.strictEqual(p.session.press('psza1Click').result, 'done');
    assert.strictEqual(press(p, 'psza2Click'), false);
    assert.deepStrictEqual(p.reports, ["Failed to set data for 'sza1'"]);
    assert.deepStrictEqual(storage.map, before);
    assert.deepStrictEqual(p.session.counts().slice(0, 2), [10, 100]);
    // Another use while full: reported again, every use still owed.
    assert.strictEqual(press(p, 'psza2Click'), false);
    assert.deepStrictEqual(p.reports, ["Failed to set data for 'sza1'", "Failed to set data for 'sza1'"]);
    assert.deepStrictEqual(storage.map, before);
    storage.map.delete('filler');
    assert.strictEqual(p.keeper.save({ retry: true }), true);
    assert.deepStrictEqual(storage.counts(),
        { sza1: '10', sza2: '101', szb1: '0', szb2: '0', dkoa: '0', dkob: '0', dpoa: '0', dpob: '1' });
    assert.strictEqual(press(p, 'psza1Click'), true);
    assert.strictEqual(storage.counts().sza1, '11');
});

await test('two pages on one storage lose none of each other\'s uses', () => {
    const storage = new FakeStorage(all({ 'kyt.szb2': '10' }));
    const a = page(storage);
    const b = page(storage);
    a.keeper.load();
    b.keeper.load();
    press(a, 'pszb2Click', 2);
    press(b, 'pszb2Click', 3);
    press(a, 'pszb2Click');
    assert.strictEqual(storage.counts().szb2, '16');
    assert.deepStrictEqual([...a.reports, ...b.reports], []);
});

await test('a count at the largest 32-bit value stays there; a new session owes nothing of the old', () => {
    const storage = new FakeStorage(all({ 'kyt.dkob': '2147483647', 'kyt.sza1': '1' }));
    let session = new core.Session();
    session.press('FormActivate');
    const keeper = new CountKeeper({ getSession: () => session, getStorage: () => storage, report: (m) => { throw new Error(m); } });
    keeper.load();
    press({ session, keeper }, 'psza1Click');
    assert.strictEqual(storage.counts().sza1, '2');
    assert.strictEqual(storage.counts().dkob, '2147483647');
    session = new core.Session();
    session.press('FormActivate');
    assert.strictEqual(keeper.save(), true);
    assert.strictEqual(storage.counts().sza1, '2');
    press({ session, keeper }, 'psza1Click');
    assert.strictEqual(storage.counts().sza1, '3');
});

