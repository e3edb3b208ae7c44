// @ts-check
// Keys as the game stores them: Windows virtual-key codes and the shift bits (1 Shift, 2 Ctrl,
// 4 Alt). A key is named by its place on the keyboard (KeyboardEvent.code) first, so that a
// Thai layout throws with the same keys as a Latin one and the keypad gives its digits
// whatever NumLock says; the printed key is the fallback of keyboards that give no place.

/** What the mapping reads of a KeyboardEvent. */
/** @typedef {{code?: string, key?: string, shiftKey?: boolean, ctrlKey?: boolean, altKey?: boolean, repeat?: boolean, isComposing?: boolean}} KeyLike */

/** What Windows reports for a key it has no code for: still a key to the game. */
export const VK_UNMAPPED = 0xff;

/** @type {Record<string, number>} */
const BY_PLACE = {
    Backspace: 8, Tab: 9, Enter: 13, NumpadEnter: 13, ShiftLeft: 16, ShiftRight: 16,
    ControlLeft: 17, ControlRight: 17, AltLeft: 18, AltRight: 18, Pause: 19, CapsLock: 20,
    Escape: 27, Space: 32, PageUp: 33, PageDown: 34, End: 35, Home: 36,
    ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, PrintScreen: 44, Insert: 45,
    Delete: 46, MetaLeft: 91, MetaRight: 92, OSLeft: 91, OSRight: 92, ContextMenu: 93,
    NumpadMultiply: 106, NumpadAdd: 107, NumpadSubtract: 109, NumpadDecimal: 110,
    NumpadComma: 110, NumpadDivide: 111, NumLock: 144, ScrollLock: 145, Semicolon: 186,
    Equal: 187, Comma: 188, Minus: 189, Period: 190, Slash: 191, Backquote: 192,
    BracketLeft: 219, Backslash: 220, BracketRight: 221, Quote: 222, NumpadClear: 12,
};

/** @type {Record<string, number>} */
const BY_NAME = {
    Backspace: 8, Tab: 9, Enter: 13, Shift: 16, Control: 17, Alt: 18, AltGraph: 18, Pause: 19,
    CapsLock: 20, Escape: 27, Esc: 27, ' ': 32, Spacebar: 32, PageUp: 33, PageDown: 34, End: 35,
    Home: 36, ArrowLeft: 37, Left: 37, ArrowUp: 38, Up: 38, ArrowRight: 39, Right: 39,
    ArrowDown: 40, Down: 40, Insert: 45, Delete: 46, Del: 46, Meta: 91, ContextMenu: 93,
    NumLock: 144, ScrollLock: 145, Clear: 12,
};

/**
 * The virtual-key code of a key press, or null for what is no key of its own (the steps of
 * an input method, a key the browser cannot name).
 * @param {KeyLike} event
 * @returns {number | null}
 */
export function virtualKey(event) {
    if (event.isComposing || event.key === 'Process' || event.key === 'Dead')
        return null;
    const code = event.code || '';
    let m = /^Key([A-Z])$/.exec(code);
    if (m)
        return m[1].charCodeAt(0);
    m = /^Digit([0-9])$/.exec(code);
    if (m)
        return 48 + Number(m[1]);
    m = /^Numpad([0-9])$/.exec(code);
    if (m)
        return 96 + Number(m[1]);
    m = /^F([0-9]{1,2})$/.exec(code);
    if (m && Number(m[1]) >= 1 && Number(m[1]) <= 24)
        return 111 + Number(m[1]);
    if (Object.prototype.hasOwnProperty.call(BY_PLACE, code))
        return BY_PLACE[code];

    const key = event.key || '';
    if (key === '' || key === 'Unidentified')
        return code === '' ? null : VK_UNMAPPED;
    if (/^[a-zA-Z]$/.test(key))
        return key.toUpperCase().charCodeAt(0);
    if (/^[0-9]$/.test(key))
        return key.charCodeAt(0);
    m = /^F([0-9]{1,2})$/.exec(key);
    if (m && Number(m[1]) >= 1 && Number(m[1]) <= 24)
        return 111 + Number(m[1]);
    if (Object.prototype.hasOwnProperty.call(BY_NAME, key))
        return BY_NAME[key];
    return VK_UNMAPPED;
}

/**
 * @param {KeyLike} event
 * @returns {number} 1 Shift, 2 Ctrl, 4 Alt
 */
export function shiftState(event) {
    return (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
}

/**
 * The seat that acts now among the page's own: the current player's when he is one of them,
 * else the first.
 * @param {number} currentPlayer
 * @param {number[]} ownSeats
 * @returns {number}
 */
export function actingSeat(currentPlayer, ownSeats) {
    if (ownSeats.includes(currentPlayer))
        return currentPlayer;
    return ownSeats.length > 0 ? ownSeats[0] : 1;
}

/**
 * The seat a key goes for: the page's seat whose three keys include it, so that two people at
 * one screen each throw with their own keys; any other key for the seat that acts now.
 * @param {number} vk
 * @param {{seat: number, keys: number[]}[]} seatKeys each seat's three key codes
 * @param {number} currentPlayer
 * @param {number[]} ownSeats
 * @returns {number}
 */
export function seatOfKey(vk, seatKeys, currentPlayer, ownSeats) {
    for (const seat of ownSeats) {
        const entry = seatKeys.find((s) => s.seat === seat);
        if (entry && entry.keys.includes(vk))
            return seat;
    }
    return actingSeat(currentPlayer, ownSeats);
}

/**
 * The key input for the host, or null for what stays on the page: a held key's repeats (they
 * would only spend the host's rate limit) and what is no key.
 * @param {KeyLike} event
 * @param {{seat: number, keys: number[]}[]} seatKeys
 * @param {number} currentPlayer
 * @param {number[]} ownSeats
 * @returns {{seat: number, key: number, shift: number} | null}
 */
export function keyInput(event, seatKeys, currentPlayer, ownSeats) {
    if (event.repeat || ownSeats.length === 0)
        return null;
    const vk = virtualKey(event);
    if (vk === null || vk < 0 || vk > 255)
        return null;
    return { seat: seatOfKey(vk, seatKeys, currentPlayer, ownSeats), key: vk, shift: shiftState(event) };
}
