// @ts-check
// The messages between the page and the host (docs/network.md): the page says hello and sends
// the people's inputs; the host welcomes or refuses, tells the seats, and sends the game as a
// whole state, then as moments, with the narrator's lines and the sounds. Reading checks every
// field the page uses, so that nothing the host sends is drawn unread.

/** @typedef {import('./merge_patch.js').JsonObject} JsonObject */

export const PROTOCOL_VERSION = 2;
export const MAX_NAME_LENGTH = 12;
export const MAX_CODE_LENGTH = 16;
export const SEAT_COUNT = 4;

/**
 * @typedef {{seat: number, player: 'person' | 'computer' | 'network', name: string, present: boolean}} SeatEntry
 * @typedef {'wrong-code' | 'locked-out' | 'no-free-seat' | 'name-in-use' | 'wrong-token' | 'version'} RefusalReason
 * @typedef {{type: 'welcome', version: number, seats: number[], names: string[], tokens: string[]}} Welcome
 * @typedef {{type: 'refused', reason: RefusalReason, version: number}} Refused
 * @typedef {{type: 'seats', seats: SeatEntry[]}} Seats
 * @typedef {{type: 'state', save: string}} State
 * @typedef {{type: 'moment', patch: JsonObject}} Moment
 * @typedef {{type: 'narration', line: string}} Narration
 * @typedef {{type: 'sound', file: string}} Sound
 * @typedef {Welcome | Refused | Seats | State | Moment | Narration | Sound} HostMessage
 */

/**
 * @typedef {{kind: 'key', key: number, shift: number}
 *   | {kind: 'click', control: 'ImgTao' | 'ImgTable' | 'ImgDescripter' | 'TxtCrd' | 'LblClose', index: number}} Action
 */

const TOKEN_FORM = /^[A-Za-z0-9_-]{22}$/;
const REASONS = ['wrong-code', 'locked-out', 'no-free-seat', 'name-in-use', 'wrong-token', 'version'];
const PLAYERS = ['person', 'computer', 'network'];

/**
 * Control, format and separator characters of lines and paragraphs, and lone surrogates:
 * what a plain name or code may not hold.
 */
const NOT_PLAIN = /[\p{Cc}\p{Cf}\p{Zl}\p{Zp}\p{Cs}]/u;
/** @param {string} s */
function lonelySurrogate(s) {
    for (let i = 0; i < s.length; ++i) {
        const c = s.charCodeAt(i);
        if (c >= 0xd800 && c <= 0xdbff) {
            const next = s.charCodeAt(i + 1);
            if (!(next >= 0xdc00 && next <= 0xdfff))
                return true;
            ++i;
        } else if (c >= 0xdc00 && c <= 0xdfff) {
            return true;
        }
    }
    return false;
}

/**
 * A name as the host takes it: trimmed, 1 to 12 UTF-16 code units of plain text; or null.
 * @param {string} name
 * @returns {string | null}
 */
export function plainName(name) {
    const trimmed = name.trim();
    if (trimmed.length < 1 || trimmed.length > MAX_NAME_LENGTH)
        return null;
    if (NOT_PLAIN.test(trimmed) || lonelySurrogate(trimmed))
        return null;
    return trimmed;
}

/**
 * The names of the people at this page, or what is wrong with them in Thai (the join
 * window's own words). An empty second box means one person.
 * @param {string} first
 * @param {string} second
 * @returns {{names: string[]} | {problem: string}}
 */
export function namesOf(first, second) {
    const typed = second.trim() === '' ? [first] : [first, second];
    /** @type {string[]} */
    const names = [];
    for (const t of typed) {
        const name = plainName(t);
        if (name === null) {
            const wrong = t.trim();
            if (wrong === '' || wrong.length > MAX_NAME_LENGTH)
                return { problem: 'ชื่อยาวได้ไม่เกิน 12 ตัวอักษร และต้องไม่ว่าง' };
            return { problem: 'ชื่อต้องไม่มีอักขระพิเศษ' };
        }
        if (names.includes(name))
            return { problem: 'ชื่อของสองคนต้องไม่ซ้ำกัน' };
        names.push(name);
    }
    return { names };
}

/**
 * The code as the host compares it: letter case, blanks and dashes aside.
 * @param {string} code
 * @returns {string}
 */
export function plainCode(code) {
    return code.replace(/[\s-]/g, '').toUpperCase();
}

/**
 * The code as typed, or null when it could not be sent.
 * @param {string} code
 * @returns {string | null}
 */
export function codeOf(code) {
    const trimmed = code.trim();
    if (trimmed === '' || trimmed.length > MAX_CODE_LENGTH)
        return null;
    if (NOT_PLAIN.test(trimmed) || lonelySurrogate(trimmed))
        return null;
    return trimmed;
}

/**
 * @param {string} code
 * @param {string[]} names
 * @param {string[]} tokens one per name, "" for none; left out when none is known
 * @returns {string}
 */
export function helloFrame(code, names, tokens) {
    /** @type {{type: string, version: number, code: string, names: string[], tokens?: string[]}} */
    const hello = { type: 'hello', version: PROTOCOL_VERSION, code, names };
    if (tokens.some((t) => t !== ''))
        hello.tokens = tokens.map((t) => (TOKEN_FORM.test(t) ? t : ''));
    return JSON.stringify(hello);
}

/**
 * @param {number} seat
 * @param {Action} action
 * @returns {string}
 */
export function inputFrame(seat, action) {
    if (action.kind === 'key')
        return JSON.stringify({ type: 'input', seat, kind: 'key', key: action.key, shift: action.shift });
    return JSON.stringify({ type: 'input', seat, kind: 'click', control: action.control, index: action.index });
}

/**
 * @param {unknown} v
 * @param {number} lo
 * @param {number} hi
 */
function wholeIn(v, lo, hi) {
    return typeof v === 'number' && Number.isInteger(v) && v >= lo && v <= hi;
}

/**
 * A rising list of seats 1..4, or null.
 * @param {unknown} v
 * @returns {number[] | null}
 */
function seatList(v) {
    if (!Array.isArray(v) || v.length < 1 || v.length > SEAT_COUNT)
        return null;
    /** @type {number[]} */
    const seats = [];
    for (const s of v) {
        if (!wholeIn(s, 1, SEAT_COUNT) || (seats.length > 0 && s <= seats[seats.length - 1]))
            return null;
        seats.push(s);
    }
    return seats;
}

/**
 * The message of one text frame from the host, or a string saying what is wrong with it.
 * @param {string} text
 * @returns {HostMessage | string}
 */
export function readHostMessage(text) {
    /** @type {unknown} */
    let parsed;
    try {
        parsed = JSON.parse(text);
    } catch (e) {
        return 'the message is not JSON';
    }
    if (typeof parsed !== 'object' || parsed === null || Array.isArray(parsed))
        return 'the message is not a JSON object';
    const m = /** @type {Record<string, unknown>} */ (parsed);
    switch (m.type) {
        case 'welcome': {
            const version = m.version === undefined ? 1 : m.version;
            if (!wholeIn(version, 1, 1000000))
                return 'the welcome has no version';
            if (version !== PROTOCOL_VERSION)
                return { type: 'welcome', version: /** @type {number} */ (version), seats: [], names: [], tokens: [] };
            const seats = seatList(m.seats);
            const names = m.names;
            const tokens = m.tokens;
            if (!seats || !Array.isArray(names) || !Array.isArray(tokens) ||
                names.length !== seats.length || tokens.length !== seats.length)
                return 'the welcome does not give one name and one token for each seat';
            if (!names.every((n) => typeof n === 'string' && plainName(n) === n))
                return 'the welcome holds what is not a plain name';
            if (!tokens.every((t) => typeof t === 'string' && TOKEN_FORM.test(t)))
                return 'the welcome holds what is not a token';
            return { type: 'welcome', version: PROTOCOL_VERSION, seats, names, tokens };
        }
        case 'refused': {
            if (typeof m.reason !== 'string' || !REASONS.includes(m.reason))
                return 'the refusal gives no reason the host gives';
            const reason = /** @type {RefusalReason} */ (m.reason);
            const version = reason === 'version' && wholeIn(m.version, 1, 1000000)
                ? /** @type {number} */ (m.version) : PROTOCOL_VERSION;
            return { type: 'refused', reason, version };
        }
        case 'seats': {
            const list = m.seats;
            if (!Array.isArray(list) || list.length < 1 || list.length > SEAT_COUNT)
                return 'the seats are not a list of 1 to 4 seats';
            /** @type {SeatEntry[]} */
            const seats = [];
            for (const e of list) {
                if (typeof e !== 'object' || e === null)
                    return 'the seats hold what is not a seat';
                const entry = /** @type {Record<string, unknown>} */ (e);
                if (!wholeIn(entry.seat, 1, SEAT_COUNT) || typeof entry.player !== 'string' ||
                    !PLAYERS.includes(entry.player) || typeof entry.name !== 'string' ||
                    entry.name.length > MAX_NAME_LENGTH || typeof entry.present !== 'boolean')
                    return 'the seats hold what is not a seat';
                const seat = /** @type {number} */ (entry.seat);
                if (seats.length > 0 && seat <= seats[seats.length - 1].seat)
                    return 'the seats are not in rising order';
                seats.push({
                    seat,
                    player: /** @type {SeatEntry['player']} */ (entry.player),
                    name: entry.name,
                    present: entry.present,
                });
            }
            return { type: 'seats', seats };
        }
        case 'state':
            if (typeof m.save !== 'string' || m.save === '')
                return 'the state holds no save';
            return { type: 'state', save: m.save };
        case 'moment':
            if (typeof m.patch !== 'object' || m.patch === null || Array.isArray(m.patch))
                return 'the moment holds no patch';
            return { type: 'moment', patch: /** @type {JsonObject} */ (m.patch) };
        case 'narration':
            if (typeof m.line !== 'string' || m.line.length > 4096)
                return 'the narration holds no line';
            return { type: 'narration', line: m.line };
        case 'sound':
            if (typeof m.file !== 'string' || !/^[A-Za-z0-9_-]{1,64}\.wav$/i.test(m.file))
                return 'the sound is not the plain name of a sound';
            return { type: 'sound', file: m.file };
        default:
            return 'the message is of no kind a host sends';
    }
}

/**
 * The bytes of a state's base64 save as the save's document, or null when they are none.
 * @param {string} base64
 * @returns {JsonObject | null}
 */
export function saveDocument(base64) {
    try {
        const binary = atob(base64);
        const bytes = new Uint8Array(binary.length);
        for (let i = 0; i < binary.length; ++i)
            bytes[i] = binary.charCodeAt(i);
        const doc = JSON.parse(new TextDecoder('utf-8', { fatal: true }).decode(bytes));
        if (typeof doc !== 'object' || doc === null || Array.isArray(doc))
            return null;
        return doc;
    } catch (e) {
        return null;
    }
}

const REFUSED = 'เจ้าของเกมไม่รับ: ';

/**
 * Why the page's game ended or waits, in the player's words: the desktop client's own Thai.
 * @param {{kind: 'refused', reason: RefusalReason, hostVersion?: number}
 *   | {kind: 'unanswered' | 'lost' | 'fault' | 'retrying', address: string}} ending
 * @returns {string}
 */
export function endingText(ending) {
    switch (ending.kind) {
        case 'refused':
            switch (ending.reason) {
                case 'wrong-code':
                    return REFUSED + 'รหัสเข้าร่วมไม่ถูกต้อง';
                case 'locked-out':
                    return REFUSED + 'ใส่รหัสผิดหลายครั้ง กรุณารอหนึ่งนาทีแล้วลองใหม่';
                case 'no-free-seat':
                    return REFUSED + 'ไม่มีที่นั่งว่าง';
                case 'name-in-use':
                    return REFUSED + 'ชื่อนี้เป็นของผู้เล่นในเกมแล้ว ถ้าเป็นชื่อของคุณ ' +
                        'ให้เจ้าของเกมกด "ให้กลับเข้ามาเล่น" แล้วเข้าร่วมอีกครั้ง';
                case 'wrong-token':
                    return REFUSED + 'ที่นั่งนี้เป็นของผู้เล่นคนอื่น';
                case 'version':
                    return REFUSED + `เกมของเจ้าของเกมสื่อสารรุ่น ${ending.hostVersion ?? PROTOCOL_VERSION} ` +
                        `แต่เกมนี้สื่อสารรุ่น ${PROTOCOL_VERSION} กรุณาใช้เกมรุ่นเดียวกัน`;
            }
            break;
        case 'unanswered':
            return `ติดต่อเจ้าของเกมที่ ${ending.address} ไม่ได้ กรุณาตรวจที่อยู่และพอร์ต ` +
                'และดูว่าเจ้าของเกมเปิดเกมรออยู่';
        case 'lost':
            return `การเชื่อมต่อกับเจ้าของเกมที่ ${ending.address} ขาดหาย`;
        case 'retrying':
            return `การเชื่อมต่อกับเจ้าของเกมที่ ${ending.address} ขาดหาย กำลังเชื่อมต่อใหม่…`;
        case 'fault':
            return `ข้อมูลจากเจ้าของเกมที่ ${ending.address} เสียหาย เกมจึงหยุดเล่น`;
    }
    return '';
}

/**
 * One line of the seats list while the game has not begun, as the desktop's waiting window
 * writes it.
 * @param {SeatEntry} e
 * @param {number[]} own
 * @returns {string}
 */
export function seatLine(e, own) {
    let who = '';
    switch (e.player) {
        case 'person':
            who = e.name + ' (ที่เครื่องเจ้าของเกม)';
            break;
        case 'computer':
            who = e.name + ' (คอมพิวเตอร์)';
            break;
        case 'network':
            if (e.name === '')
                who = 'ว่าง';
            else if (own.includes(e.seat))
                who = e.name + ' (เครื่องนี้)';
            else
                who = e.present ? e.name : e.name + ' (หลุดจากเกม)';
            break;
    }
    return `ผู้เล่น ${e.seat}: ${who}`;
}
