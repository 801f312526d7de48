// The core module's JavaScript API under node: presses through the
// trainer's layer, the clock, the state, every desk change in order, the
// counts with their store, the journal and why.
//   node core_api.js CORE_MODULE
'use strict';
const assert = require('assert');
const test = require('node:test');
const path = require('path');


// The desk of a state JSON with the changes applied, property by property.
function applyChanges(desk, changes) {
    const out = JSON.parse(JSON.stringify(desk));
    for (const [control, property, value] of changes)
        out[control][property] = value;
    return out;
}

async function main() {
    const KytCore = require(path.resolve(process.argv[2]));
    const core = await KytCore();

    await test('every desk change reaches the listener, in order, with its value', () => {
        const s = new core.Session();
        const changes = [];
        s.subscribe((c, p, v) => changes.push([c, p, v]));
        let desk = JSON.parse(s.state()).desk;
        s.press('FormActivate');
        desk = applyChanges(desk, changes);
        for (const step of ['pwbl1Click', 'ppoz2Click', 'pdalejClick']) {
            changes.length = 0;
            assert.strictEqual(s.press(step).delivered, true, step);
            assert.ok(changes.length > 0, `${step} changed nothing on the desk`);
            desk = applyChanges(desk, changes);
            assert.deepStrictEqual(desk, JSON.parse(s.state()).desk, step);
        }
        changes.length = 0;
        s.advance(5000);
        desk = applyChanges(desk, changes);
        assert.deepStrictEqual(desk, JSON.parse(s.state()).desk, 'after the ticks');
        assert.strictEqual(s.now(), 5000);
        s.delete();
    });

    await test('a listener that leaves hears no more', () => {
        const s = new core.Session();
        let heard = 0;
        const id = s.subscribe(() => ++heard);
        s.press('FormActivate');
        s.press('pwbl1Click');
        assert.ok(heard > 0);
        s.unsubscribe(id);
        heard = 0;
        s.press('pwbl1Click');
        s.advance(3000);
        assert.strictEqual(heard, 0);
        s.delete();
    });

    await test('a refused press says why, as why() does; a done one clears it', () => {
        const s = new core.Session();
        s.press('FormActivate');
        // DALEJ is not shown in the basic state: the press is dropped.
        assert.deepStrictEqual(s.press('pdalejClick'), { delivered: false, result: 'done', reason: '' });
        const refused = s.press('ppoz1Click');
        assert.strictEqual(refused.result, 'refused');
        assert.ok(refused.reason.length > 0);
        assert.strictEqual(s.why(), refused.reason);
        assert.strictEqual(s.press('pwbl1Click').result, 'done');
        assert.strictEqual(s.why(), null);
        const journal = JSON.parse(s.journal());
        assert.deepStrictEqual(journal.journal.map((e) => [e.handler, e.result]),
            [['ppoz1Click', 'refused'], ['pwbl1Click', 'done']]);
        assert.strictEqual(journal.journal[0].reason, refused.reason);
        s.delete();
    });

    await test('a name that is no handler is an error, not a crash', () => {
        const s = new core.Session();
        const r = s.press('noSuchHandlerClick');
        assert.strictEqual(r.result, 'error');
        assert.strictEqual(r.delivered, false);
        assert.ok(r.reason.length > 0);
        assert.throws(() => s.advance(-1));
        s.delete();
    });

    await test('paused: every press refused with the pause reason, the clock stands', () => {
        const s = new core.Session();
        s.press('FormActivate');
        s.setPaused(true);
        const r = s.press('pwbl1Click');
        assert.strictEqual(r.result, 'refused');
        assert.strictEqual(r.reason, 'Symulacja wstrzymana.');
        s.advance(1000);
        assert.strictEqual(s.now(), 0);
        s.setPaused(false);
        assert.strictEqual(s.press('pwbl1Click').result, 'done');
        s.delete();
    });

    await test('counts: set and shown; loaded from the store a page keeps; saved back', () => {
        const s = new core.Session();
        s.press('FormActivate');
        const names = ['sza1', 'sza2', 'szb1', 'szb2', 'dkoa', 'dkob', 'dpoa', 'dpob'];
        const counts = [1, 2, 3, 4, 5, 6, 7, 8];
        s.setCounts(counts);
        assert.deepStrictEqual(s.counts(), counts);
        assert.throws(() => s.setCounts([1, 2]));
        assert.throws(() => s.setCounts([1, 2, 3, 4, 5, 6, 7, -1]));
        s.reset();
        const stored = {};
        names.forEach((n, i) => { stored[n] = 10 * (i + 1); });
        s.setStored(stored);
        assert.deepStrictEqual(s.stored(), stored);
        assert.strictEqual(s.loadCounts(), null);
        assert.deepStrictEqual(s.counts(), [10, 20, 30, 40, 50, 60, 70, 80]);
        // Uses since the load are added to what the store holds.
        s.setCounts([11, 20, 30, 40, 50, 60, 70, 80]);
        s.setStored({ ...stored, sza1: 100 });
        assert.strictEqual(s.saveCounts(), null);
        assert.strictEqual(s.stored().sza1, 100);
        // A stored value that is no count is reported by the load.
        s.reset();
        s.setStored({ ...stored, sza2: 'x' });
        assert.strictEqual(s.stored().sza2, null);
        assert.ok(typeof s.loadCounts() === 'string');
        s.delete();
    });

    await test('the session script replays the presses at their times', () => {
        const s = new core.Session();
        s.press('FormActivate');
        s.press('pwbl1Click');
        s.advance(1500);
        const script = s.sessionScript();
        assert.ok(script.startsWith('FormActivate\ncounts'));
        assert.ok(/pwbl1Click/.test(script));
        s.delete();
    });

    await test('the pressable controls carry their short names', () => {
        const p = core.pressables();
        assert.ok(p.length > 20);
        assert.ok(p.every((c) => c.name.length > 0 && c.handler.endsWith('Click')));
        assert.ok(core.handlers().includes('Timer1Timer'));
        // The train's and the bells' timers tick every 500 ms, the others every second.
        assert.equal(core.quickestTimerPeriod(), 500);
    });

}
main().catch((e) => {
    console.error(e);
    process.exit(1);
});
