// The use counts of the emergency buttons across visits of the page, kept
// in the browser's local storage as the desktop program keeps them in the
// user's settings: one entry per count, named after its settings key with
// the prefix "kyt." ("kyt.sza1" ... "kyt.dpob"), holding the count as
// decimal text.
//
// They are loaded when the simulator is opened from the start window and
// saved after every change of a count (and when the page goes away). A save
// adds the uses since the last load or save to what the storage holds at
// that moment, so two pages open at once lose none of each other's uses.
//
// Whatever the storage holds is read as the desktop program reads its
// settings file: an optional sign and decimal digits within 32 bits (blanks
// around it and a pair of double quotes allowed); anything else is a value
// of another type. Storage that cannot be used at all (turned off, refused
// by the browser, full) is reported with the desktop program's messages and
// the page goes on with the counts it has.

// The settings keys of the counts, in the order the core's counts() gives
// them (the order a load reads them).
export const COUNT_NAMES = ['sza1', 'sza2', 'szb1', 'szb2', 'dkoa', 'dkob', 'dpoa', 'dpob'];
export const KEY_PREFIX = 'kyt.';

const INT32_MIN = -2147483648;
const INT32_MAX = 2147483647;

// Blanks as the desktop's settings reader trims them.
function isBlank(c) {
    return c === ' ' || c === '\t' || c === '\n' || c === '\v' || c === '\f' || c === '\r';
}

function trimmed(text) {
    let start = 0;
    let end = text.length;
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
    return text.slice(start, end);
}

// A stored text as a count, or null when it is no count.
export function parseCount(raw) {
    if (typeof raw !== 'string')
        return null;
    let text = trimmed(raw);
    if (text.length >= 2 && text[0] === '"' && text[text.length - 1] === '"')
        text = trimmed(text.slice(1, -1));
    if (text.length === 0)
        return null;
    for (let i = 0; i < text.length; ++i) {
        const c = text[i];
        if (!(c >= '0' && c <= '9') && !(i === 0 && (c === '-' || c === '+')))
            return null;
    }
    const sign = text[0] === '-' || text[0] === '+' ? 1 : 0;
    // Leading zeros count for nothing, however many there are.
    let digits = sign;
    while (digits < text.length - 1 && text[digits] === '0')
        ++digits;
    const body = text.slice(digits);
    if (body.length === 0 || sign + body.length > 12)
        return null;
    const n = Number(body) * (text[0] === '-' ? -1 : 1);
    if (!Number.isInteger(n) || n < INT32_MIN || n > INT32_MAX)
        return null;
    return n === 0 ? 0 : n;
}

function clampCount(n) {
    return Math.min(INT32_MAX, Math.max(INT32_MIN, n));
}

function failedToGet(name) {
    return `Failed to get data for '${name}'`;
}
function failedToSet(name) {
    return `Failed to set data for '${name}'`;
}

// The page's local storage, or null when the browser refuses it (reading
// window.localStorage itself throws a SecurityError where storage is turned
// off for the page).
export function pageStorage(scope = globalThis) {
    try {
        return scope.localStorage || null;
    } catch (e) {
        return null;
    }
}

// The raw texts stored under the counts' keys ({name: text}, absent names
// left out), or null when the storage cannot be read.
function readRaw(storage) {
    if (!storage)
        return null;
    try {
        const raw = {};
        for (const name of COUNT_NAMES) {
            const text = storage.getItem(KEY_PREFIX + name);
            if (text !== null && text !== undefined)
                raw[name] = String(text);
        }
        return raw;
    } catch (e) {
        return null;
    }
}

// Writes the given texts ({name: text}); on a failure puts back what the
// storage held before (raw) as far as it can and returns false.
function writeRaw(storage, texts, raw) {
    const written = [];
    try {
        for (const [name, text] of Object.entries(texts)) {
            storage.setItem(KEY_PREFIX + name, text);
            written.push(name);
        }
        return true;
    } catch (e) {
        for (const name of written) {
            try {
                if (name in raw)
                    storage.setItem(KEY_PREFIX + name, raw[name]);
                else
                    storage.removeItem(KEY_PREFIX + name);
            } catch (ignored) {
                // What cannot be put back stays as written: a whole count.
            }
        }
        return false;
    }
}

function sameCounts(a, b) {
    return a !== null && b !== null && a.length === b.length && a.every((v, i) => v === b[i]);
}

// The counts of a session (the core's Session, from getSession()) kept in
// storage (from getStorage(), null when refused). report(message) shows a
// message the way the desktop program's error box does.
export class CountKeeper {
    constructor({ getSession, getStorage = () => pageStorage(), report }) {
        this.getSession = getSession;
        this.getStorage = getStorage;
        this.report = report;
        this.session = null;
        this.saved = null; // the counts as last loaded or saved
        // Uses counted by the core as saved but not yet in storage: a write
        // that failed. Added at the next save.
        this.unsaved = COUNT_NAMES.map(() => 0);
        // A save found the storage unreadable: the core still owes it.
        this.failed = false;
    }

    // The load when the simulator is opened: the stored counts replace the
    // session's and are shown. Nothing stored: nothing changes.
    load() {
        const session = this.getSession();
        this.session = session;
        this.unsaved = COUNT_NAMES.map(() => 0);
        this.failed = false;
        const raw = readRaw(this.getStorage());
        if (raw === null) {
            // Storage that is there but cannot be read: every value is
            // missing.
            this.saved = Array.from(session.counts());
            this.report(failedToGet(COUNT_NAMES[0]));
            return false;
        }
        const stored = {};
        for (const [name, text] of Object.entries(raw))
            stored[name] = parseCount(text);
        session.setStored(stored);
        const error = session.loadCounts();
        this.saved = Array.from(session.counts());
        if (error !== null && error !== undefined) {
            this.report(String(error));
            return false;
        }
        return true;
    }

    // Saves the counts when they changed since the last load or save; with
    // retry, also when an earlier write failed. Returns false when they
    // could not be stored.
    save({ retry = false } = {}) {
        const session = this.getSession();
        if (!session)
            return true;
        const counts = Array.from(session.counts());
        const pending = this.failed || this.unsaved.some((u) => u !== 0);
        if (session === this.session && sameCounts(counts, this.saved) && !(pending && retry))
            return true;
        if (session !== this.session) {
            // A new session (the desk was reset): its counts start afresh,
            // nothing of the old one is owed.
            this.session = session;
        }
        const storage = this.getStorage();
        const raw = readRaw(storage);
        if (raw === null) {
            // The core has not counted these uses as saved: the next save
            // that gets through stores them.
            this.saved = counts;
            this.failed = true;
            this.report(failedToSet(COUNT_NAMES[0]));
            return false;
        }
        // What the storage holds now, plus the uses a failed write owes it.
        const fresh = {};
        COUNT_NAMES.forEach((name, i) => {
            const count = name in raw ? parseCount(raw[name]) : 0;
            if (this.unsaved[i] === 0)
                fresh[name] = name in raw ? count : undefined;
            else
                fresh[name] = clampCount((count === null ? 0 : count) + this.unsaved[i]);
        });
        const contents = {};
        for (const [name, v] of Object.entries(fresh))
            if (v !== undefined)
                contents[name] = v;
        session.setStored(contents);
        const error = session.saveCounts();
        if (error !== null && error !== undefined) {
            this.report(String(error));
            return false;
        }
        const after = session.stored();
        const texts = {};
        for (const name of COUNT_NAMES) {
            const v = after[name];
            // A value of another type that was not used is kept as it is.
            if (typeof v === 'number' && raw[name] !== String(v))
                texts[name] = String(v);
        }
        if (!writeRaw(storage, texts, raw)) {
            // The core counts these uses as saved: keep them owed.
            COUNT_NAMES.forEach((name, i) => {
                const now = after[name];
                const held = name in raw ? parseCount(raw[name]) : 0;
                this.unsaved[i] = typeof now === 'number' ? now - (held === null ? 0 : held) : 0;
            });
            this.saved = counts;
            this.report(failedToSet(COUNT_NAMES[0]));
            return false;
        }
        this.unsaved = COUNT_NAMES.map(() => 0);
        this.failed = false;
        this.saved = counts;
        return true;
    }
}
