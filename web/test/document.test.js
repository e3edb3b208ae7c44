// @ts-check
// The document the page holds: the host's moments applied as merge patches, its checksum made
// again, and what is drawn read out of it.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { applyMergePatch } from '../merge_patch.js';
import { checksumMatches, compactJson, hostNumber, sha256Hex } from '../checksum.js';
import { actions, pictureUrl, readGame, windowLoaded, BOTH_DICE } from '../save_view.js';
import { loadSave } from './saves.js';

/**
 * The host's patch from one document to the next: changed members, objects member by member,
 * lists whole, null for what is gone.
 * @param {any} from
 * @param {any} to
 */
function diff(from, to) {
    /** @type {any} */
    const patch = {};
    for (const k of Object.keys(from))
        if (!(k in to)) patch[k] = null;
    for (const k of Object.keys(to)) {
        if (JSON.stringify(from[k]) === JSON.stringify(to[k])) continue;
        const objects = [from[k], to[k]].every((v) => v && typeof v === 'object' && !Array.isArray(v));
        patch[k] = objects ? diff(from[k], to[k]) : to[k];
    }
    return patch;
}

test('a merge patch changes members, patches objects member by member, replaces lists and removes nulls', () => {
    const target = {
        a: 'b',
        c: { d: 'e', f: 'g', deeper: { x: 1, y: 2 } },
        list: [1, { keep: true }, 3],
        gone: 5,
    };
    const frozen = JSON.stringify(target);
    const result = applyMergePatch(target, {
        a: 'z',
        c: { f: null, deeper: { y: null, z: [9] } },
        list: [{ only: 1 }],
        gone: null,
        fresh: { made: { from: null, nothing: 0 } },
    });
    assert.deepEqual(result, {
        a: 'z',
        c: { d: 'e', deeper: { x: 1, z: [9] } },
        list: [{ only: 1 }],
        fresh: { made: { nothing: 0 } },
    });
    assert.equal(JSON.stringify(target), frozen, 'the document held is never changed in place');
    // An object patch onto what is no object starts from an empty one.
    assert.deepEqual(applyMergePatch({ a: [1, 2] }, { a: { b: 1 } }), { a: { b: 1 } });
    // A member named like an inherited one is data.
    const odd = /** @type {any} */ (applyMergePatch({}, JSON.parse('{"__proto__": {"x": 1}, "constructor": 2}')));
    assert.deepEqual(Object.keys(odd), ['__proto__', 'constructor']);
    assert.equal(Object.getPrototypeOf(odd), Object.prototype);
});

test('a real moment applied to the state held is the host\'s next document, checksum and all', () => {
    const before = loadSave('rank1');
    const after = loadSave('rank1-thrown');
    assert.ok(checksumMatches(before));
    assert.ok(checksumMatches(after));
    const patch = diff(before, after);
    assert.ok(patch.checksum && patch.window && !patch.window.Caption, 'the patch holds only what changed');
    const next = /** @type {any} */ (applyMergePatch(before, patch));
    assert.deepEqual(next, after);
    assert.ok(checksumMatches(next));

    // A patch applied to the wrong moment, or one value changed, no longer matches.
    assert.ok(!checksumMatches(/** @type {any} */ (applyMergePatch(loadSave('offer'), patch))));
    const changed = structuredClone(after);
    changed.state.Players[0].Money = '15001';
    assert.ok(!checksumMatches(changed));
    assert.ok(!checksumMatches({ ...after, checksum: 'md5:00' }));
});

test('the checksum is taken of the host\'s own compact JSON', async () => {
    const { createHash } = await import('node:crypto');
    for (const size of [0, 55, 56, 64, 1000, 70000]) {
        const bytes = new Uint8Array(size).map((_, i) => (i * 7 + 3) & 255);
        assert.equal(sha256Hex(bytes), createHash('sha256').update(bytes).digest('hex'), `${size} bytes`);
    }
    // Numbers as the host's JSON writer spells them (read off its output).
    const spelled = [[0.5, '0.5'], [43200.25, '43200.25'], [0.00005, '5e-05'], [0.0005, '5e-04'],
        [0.001, '0.001'], [100000, '100000'], [1e21, '1e+21'], [1.5e-7, '1.5e-07'], [0.00012, '0.00012'],
        [1.25e-5, '1.25e-05'], [1e16, '1e+16'], [123e18, '1.23e+20'], [3e15, '3000000000000000'],
        [1e15 + 0.5, '1000000000000000.5'], [-2.5, '-2.5']];
    for (const [n, text] of spelled)
        assert.equal(hostNumber(/** @type {number} */ (n)), text);
    assert.equal(compactJson({ b: 1, a: ['\u0001\u001f"\\/\u2028\té'], B: true, _: null }),
        '{"B":true,"_":null,"a":["\\u0001\\u001f\\"\\\\/\u2028\\té"],"b":1}');
});

test('a save is read into what the page draws and what its seats may do', () => {
    const rank = readGame(loadSave('rank1'));
    assert.ok(windowLoaded(rank));
    assert.equal(rank.background, '$APP/RsCommon/Game.bmp');
    assert.deepEqual(rank.squares[0].box, { x: 344, y: 344, w: 48, h: 48 });
    assert.deepEqual(rank.holders[8], { file: '$APP/RsCommon/Tao.bmp', rows: 1, cols: 10 });
    assert.equal(rank.players[0].name, 'ยาย');
    assert.deepEqual(rank.players[1].keys, [74, 75, 76]);
    assert.equal(rank.moneys[0].caption, '฿15,000.00');
    assert.equal(rank.squaresOfBoard[1].rent[1], '210');
    assert.equal(rank.dialog.text, "ขอเชิญ'ยาย'โยนลูกเต๋าเพื่อจัดอันดับครับ");

    // Only the seat that must throw may throw, with the picture that throws both dice.
    assert.equal(actions(rank, [1]).throwDie, BOTH_DICE);
    assert.equal(actions(rank, [2]).throwDie, null);
    assert.equal(actions(readGame(loadSave('rank1-thrown')), [1]).throwDie, null);
    // Once one die has been thrown by its own key, the other is thrown by its own picture.
    const half = readGame({ ...loadSave('rank1'), state: { ...loadSave('rank1').state, Die1: 4 } });
    assert.equal(actions(half, [1]).throwDie, 1);
    assert.deepEqual(actions(readGame(loadSave('offer')), [1, 2]),
        { seat: 1, throwDie: null, offer: true, card: false });
    assert.equal(actions(readGame(loadSave('offer')), [2]).offer, false);
    const card = readGame(loadSave('card'));
    assert.ok(card.card.visible);
    assert.deepEqual(actions(card, [2]), { seat: 2, throwDie: null, offer: false, card: true });

    // A document with members missing or of the wrong type reads as nothing shown.
    const broken = readGame({ window: { Caption: 'x', ImgTao: 'no', TxtDialog: { Text: 5 } }, state: [] });
    assert.equal(broken.dice.length, 3);
    assert.ok(broken.dice.every((d) => !d.visible));
    assert.equal(broken.dialog.text, '');
    assert.ok(!windowLoaded(readGame({})));
});

test('only pictures of the game folder are asked of the host, each part of their path encoded', () => {
    assert.equal(pictureUrl('$APP/RsCommon/Game.bmp'), '/app/RsCommon/Game.bmp');
    assert.equal(pictureUrl('$APP/Image/ภาพ #1?.bmp'),
        '/app/Image/%E0%B8%A0%E0%B8%B2%E0%B8%9E%20%231%3F.bmp');
    assert.equal(pictureUrl('/home/somchai/board/Image/Sides.bmp'), null);
    assert.equal(pictureUrl('$APP/../etc/passwd'), null);
    assert.equal(pictureUrl(''), null);
});
