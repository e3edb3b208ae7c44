// @ts-check
// The people's keys as the game's virtual-key codes, the seat each goes for, and the pace
// the page sends at.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { keyInput, virtualKey, shiftState, VK_UNMAPPED } from '../keys.js';
import { TokenBucket, INPUT_BURST, INPUTS_PER_SECOND } from '../pace.js';

test('keys are the game\'s virtual-key codes, by their place on the keyboard', () => {
    const cases = [
        [{ code: 'KeyS', key: 's' }, 83],
        [{ code: 'KeyS', key: 'ห' }, 83], // the Thai layout throws with the same keys
        [{ code: 'KeyJ', key: 'J', shiftKey: true }, 74],
        [{ code: 'Digit0', key: ')' }, 48],
        [{ code: 'Numpad4', key: 'ArrowLeft' }, 100], // the keypad gives its digit, NumLock or not
        [{ code: 'Numpad6', key: '6' }, 102],
        [{ code: 'NumpadEnter', key: 'Enter' }, 13],
        [{ code: 'Enter', key: 'Enter' }, 13],
        [{ code: 'Escape', key: 'Escape' }, 27],
        [{ code: 'Space', key: ' ' }, 32],
        [{ code: 'ArrowLeft', key: 'ArrowLeft' }, 37],
        [{ code: 'ArrowUp', key: 'ArrowUp' }, 38],
        [{ code: 'ArrowRight', key: 'ArrowRight' }, 39],
        [{ code: 'ArrowDown', key: 'ArrowDown' }, 40],
        [{ code: 'F1', key: 'F1' }, 112],
        [{ code: 'F12', key: 'F12' }, 123],
        [{ code: 'ShiftLeft', key: 'Shift' }, 16],
        [{ code: 'Semicolon', key: 'ว' }, 186],
        // Keyboards that give no place: the printed key decides.
        [{ code: '', key: 'a' }, 65],
        [{ code: '', key: '7' }, 55],
        [{ code: '', key: 'Enter' }, 13],
        [{ code: '', key: 'F5' }, 116],
        // A key with no code of its own is still a key; what is no key is nothing.
        [{ code: 'IntlRo', key: 'ろ' }, VK_UNMAPPED],
        [{ code: '', key: 'Unidentified' }, null],
        [{ code: 'KeyA', key: 'Process' }, null],
        [{ code: 'KeyA', key: 'a', isComposing: true }, null],
    ];
    for (const [event, vk] of cases)
        assert.equal(virtualKey(/** @type {any} */ (event)), vk, JSON.stringify(event));
    assert.equal(shiftState({ shiftKey: true }), 1);
    assert.equal(shiftState({ ctrlKey: true, altKey: true }), 6);
    assert.equal(shiftState({ shiftKey: true, ctrlKey: true, altKey: true }), 7);
});

test('each person at the page throws with his own seat\'s keys; other keys go for the seat that acts', () => {
    const keys = [
        { seat: 1, keys: [83, 68, 70] },
        { seat: 2, keys: [74, 75, 76] },
        { seat: 3, keys: [37, 40, 39] },
        { seat: 4, keys: [100, 101, 102] },
    ];
    const own = [2, 3];
    // Seat 3's key while seat 2 is to play still goes for seat 3: the host decides.
    assert.deepEqual(keyInput({ code: 'ArrowDown', key: 'ArrowDown' }, keys, 2, own), { seat: 3, key: 40, shift: 0 });
    assert.deepEqual(keyInput({ code: 'KeyK', key: 'k', shiftKey: true }, keys, 3, own), { seat: 2, key: 75, shift: 1 });
    // Another seat's keys are no key of this page's: they go for the seat that acts here.
    assert.deepEqual(keyInput({ code: 'KeyD', key: 'd' }, keys, 3, own), { seat: 3, key: 68, shift: 0 });
    assert.deepEqual(keyInput({ code: 'Enter', key: 'Enter' }, keys, 1, own), { seat: 2, key: 13, shift: 0 });
    // A held key repeats on the screen, never on the network.
    assert.equal(keyInput({ code: 'KeyK', key: 'k', repeat: true }, keys, 2, own), null);
    assert.equal(keyInput({ code: 'KeyK', key: 'k' }, keys, 2, []), null);
});

test('inputs are paced at a burst of 20 and 20 a second', () => {
    assert.deepEqual([INPUT_BURST, INPUTS_PER_SECOND], [20, 20]);
    const pace = new TokenBucket(INPUT_BURST, INPUTS_PER_SECOND, 1000);
    for (let i = 0; i < 20; ++i)
        assert.ok(pace.take(1000), `press ${i + 1} of the burst`);
    assert.ok(!pace.take(1000));
    assert.ok(!pace.take(1049));
    assert.ok(pace.take(1050), 'one more after a twentieth of a second');
    assert.ok(!pace.take(1050));
    // A clock that steps back refills nothing; a long pause refills no more than the burst.
    assert.ok(!pace.take(500));
    let passed = 0;
    for (let i = 0; i < 30; ++i)
        passed += pace.take(60000) ? 1 : 0;
    assert.equal(passed, 20);
    // Steady pressing faster than the pace is cut to it.
    const steady = new TokenBucket(INPUT_BURST, INPUTS_PER_SECOND, 0);
    let sent = 0;
    for (let t = 0; t < 10000; t += 10)
        sent += steady.take(t) ? 1 : 0;
    assert.ok(sent >= 215 && sent <= 221, `${sent} in ten seconds at a hundred a second`);
});
