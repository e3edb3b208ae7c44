// @ts-check
// What a frame of the game shows: the desktop painter's steps in its order, the card window
// and the deed card above the game window, the page's own deed card with the host's money
// format, what a tap lands on, and text set as the desktop sets it.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readGame } from '../save_view.js';
import {
    frameOps, hitAt, rowFont, deedCardOps, CARD_FONT, LABEL_FONT, NARRATOR_FONT,
} from '../draw_list.js';
import { deedCardFor, formatMoney, learnMoneyFormat, moneyFormatOf, BAHT } from '../deed_card.js';
import { characterPieces, placeText, wrapLines } from '../text.js';
import { loadSave } from './saves.js';

/** Every character 7 game pixels wide, whatever the font. */
const measure = (/** @type {any} */ _font, /** @type {string} */ text) => [...text].length * 7;

/**
 * @param {import('../draw_list.js').DrawOp[]} ops
 * @param {(op: any) => boolean} which
 */
function indexOf(ops, which) {
    const i = ops.findIndex(which);
    assert.ok(i >= 0, 'the frame has the step');
    return i;
}

test('a frame of the game window follows the desktop painter, control by control', () => {
    const view = readGame(loadSave('rank1'));
    const ops = frameOps(view, null, measure);
    assert.deepEqual(ops[0], { op: 'fill', x: 0, y: 0, w: 640, h: 480, color: '#000000' });
    assert.deepEqual(ops[1], { op: 'picture', url: '/app/RsCommon/Game.bmp', x: 0, y: 0, w: 640, h: 480, rows: 1, cols: 1, cell: 0 });
    // The squares: corners and sides are cells of the board's two pictures.
    assert.deepEqual(ops[2], { op: 'picture', url: '/app/Image/Corners.bmp', x: 344, y: 344, w: 48, h: 48, rows: 2, cols: 2, cell: 0 });
    assert.equal(ops.filter((o) => o.op === 'picture' && o.url === '/app/Image/Sides.bmp').length, 36);
    // The dice: the first shows its thrown face's cell; between them the page's own two dice.
    const die = indexOf(ops, (o) => o.op === 'picture' && o.url === '/app/RsCommon/Tao.bmp' && o.x === 128);
    const both = indexOf(ops, (o) => o.op === 'frame' && o.x >= 184 && o.x < 216 && o.y >= 164 && o.y < 196);
    const keys = indexOf(ops, (o) => o.op === 'text' && o.text === 'D' && o.align === 'center');
    const token = indexOf(ops, (o) => o.op === 'fill' && o.w === 16 && o.h === 16 && o.color === '#ff0000');
    const narrator = indexOf(ops, (o) => o.op === 'text' && o.font === NARRATOR_FONT);
    const money = indexOf(ops, (o) => o.op === 'text' && o.text === '฿15,000.00');
    assert.ok(die < both && both < keys && keys < token && token < narrator && narrator < money,
        'dice, key labels, tokens, the narrator and the panels in the painter\'s order');
    // The narrator's box: yellow, its typed text from the top left, cut to the box.
    assert.deepEqual(ops[narrator - 1], { op: 'fill', x: 80, y: 400, w: 313, h: 72, color: '#ffff00' });
    assert.deepEqual(ops[narrator], {
        op: 'text', x: 84, y: 402, w: 306, h: 68, text: "ขอเชิญ'ยาย'โยนลูกเต๋าเพื่อจัดอันดับครับ",
        font: NARRATOR_FONT, color: '#000000', align: 'left', valign: 'top', clip: true,
    });
    // The faces: the players' strips; a third seat with no player shows none.
    assert.ok(ops.some((o) => o.op === 'picture' && o.url === '/app/Image/Redface.bmp' && o.x === 408 && o.y === 192));
    assert.ok(!ops.some((o) => o.op === 'text' && o.text === 'ผู้เล่น:3'));
    // Nothing is asked for a picture outside the game folder.
    const moved = loadSave('rank1');
    moved.window.Picture = '/home/somchai/Game.bmp';
    assert.ok(!frameOps(readGame(moved), null, measure).some((o) => o.op === 'picture' && o.x === 0 && o.w === 640));
});

test('the card window and a deed card stand above the game window', () => {
    const view = readGame(loadSave('card'));
    const ops = frameOps(view, null, measure);
    const card = indexOf(ops, (o) => o.op === 'fill' && o.x === 160 && o.y === 160 && o.w === 320 && o.h === 160);
    assert.equal(ops[card].op === 'fill' && ops[card].color, '#ff00ff');
    const text = ops[ops.length - 1];
    assert.equal(text.op, 'text');
    assert.ok(text.op === 'text' && text.text === 'ถูกปรับเพราะขับรถฝ่าไฟแดง ฿500.00' && text.font === CARD_FONT);
    // The card is modal: every tap is the card's.
    assert.deepEqual(hitAt(view, 5, 5), { kind: 'card' });

    // The page's own deed card is drawn last, over the card window too.
    const deed = deedCardFor(view, 2, BAHT);
    const withDeed = frameOps(view, deed, measure);
    assert.ok(withDeed.length > ops.length);
    assert.deepEqual(withDeed.slice(0, ops.length), ops);
    assert.deepEqual(withDeed[ops.length], { op: 'fill', x: 150, y: 120, w: 340, h: 240, color: '#ffffff' });
});

test('a tap lands on a die, the narrator or a square as the desktop\'s mouse would', () => {
    const view = readGame(loadSave('rank1'));
    assert.deepEqual(hitAt(view, 190, 170), { kind: 'die', index: 2 });
    assert.deepEqual(hitAt(view, 130, 170), { kind: 'die', index: 0 });
    assert.deepEqual(hitAt(view, 240, 200), { kind: 'die', index: 1 });
    assert.deepEqual(hitAt(view, 10, 410), { kind: 'narrator' });
    assert.deepEqual(hitAt(view, 350, 350), { kind: 'square', index: 0 });
    assert.deepEqual(hitAt(view, 320, 360), { kind: 'square', index: 1 });
    assert.deepEqual(hitAt(view, 20, 20), { kind: 'square', index: 20 });
    assert.equal(hitAt(view, 500, 300), null);
});

test('a square\'s deed card is drawn here with its figures in the host\'s money format', () => {
    const view = readGame(loadSave('offer'));
    const format = moneyFormatOf(view);
    assert.deepEqual(format, BAHT);
    const plot = deedCardFor(view, 2, format);
    assert.deepEqual(plot.panels.map((p) => p.visible), [true, false, false, false]);
    assert.equal(plot.title.caption, 'บุรีรัมย์');
    assert.equal(plot.pictureLabel.caption, 'ผู้ถือหุ้น');
    assert.deepEqual([plot.picture.cell, plot.picture.visible], [1, true]);
    assert.deepEqual(plot.landValues.map((l) => l.caption),
        ['฿210.00', '฿600.00', '฿1,800.00', '฿5,400.00', '฿9,600.00', '฿15,000.00', '฿500.00', '฿500.00']);
    const tax = deedCardFor(view, 25, format);
    assert.deepEqual(tax.panels.map((p) => p.visible), [false, true, false, false]);
    assert.deepEqual(tax.text.map((l) => l.caption), ['ภาษี', 'จ่าย ฿600.00']);
    assert.deepEqual(deedCardFor(view, 31, format).text.map((l) => l.caption),
        ['ไปเข้าคุก', 'จ่าย ฿300.00 และหยุดเดิน 1 ครั้ง']);
    assert.deepEqual(deedCardFor(view, 13, format).pairValues.map((l) => l.caption), ['฿80.00', '฿200.00']
        .map((_, i) => formatMoney(BAHT, view.squaresOfBoard[12].rent[i + 1])));
    assert.equal(view.deedCard.title.caption, 'โฉนด', 'the host\'s own card is left as it was');

    // Rows that do not fit side by side are set smaller, down to a floor.
    const sized = (/** @type {{px: number}} */ font, /** @type {string} */ text) => [...text].length * font.px * 0.7;
    const ops = deedCardOps(plot, view.holders, sized);
    const rows = ops.filter((o) => o.op === 'text' && o.align === 'right');
    assert.equal(rows.length, 8);
    const font = rows[0].op === 'text' && rows[0].font;
    assert.deepEqual(font, { px: 11, bold: false });
    assert.deepEqual(rowFont([{ text: 'a', value: 'b' }], 200, measure), LABEL_FONT);
    assert.deepEqual(rowFont([{ text: 'a'.repeat(100), value: 'b' }], 20, measure), { px: 9, bold: false });
});

test('money is written exactly, rounded half away from zero, in the format the host writes', () => {
    assert.equal(formatMoney(BAHT, '15000'), '฿15,000.00');
    assert.equal(formatMoney(BAHT, '-2.5'), '-฿2.50');
    assert.equal(formatMoney(BAHT, '0.005'), '฿0.01');
    assert.equal(formatMoney(BAHT, '-0.004'), '฿0.00');
    assert.equal(formatMoney(BAHT, '99999999999999.9999'), '฿100,000,000,000,000.00');
    const dollars = learnMoneyFormat([{ caption: '$15,000.00', amount: '15000' }]);
    assert.equal(formatMoney(dollars, '1234.5'), '$1,234.50');
    const euros = learnMoneyFormat([{ caption: '', amount: '0' }, { caption: '15.000 €', amount: '15000' }]);
    assert.equal(formatMoney(euros, '1234567'), '1.234.567 €');
    const spaced = learnMoneyFormat([{ caption: '15\u202f000,00\u00a0€', amount: '15000' }]);
    assert.equal(formatMoney(spaced, '-3.25'), '-3,25\u00a0€');
    assert.deepEqual(learnMoneyFormat([{ caption: 'นับไม่ได้', amount: '15000' }]), BAHT);
});

test('text is set as the desktop sets it: one line alone, longer text wrapped at words', () => {
    const metrics = { ascent: 12, descent: 4 };
    const width = (/** @type {string} */ t) => [...t].length * 7;
    assert.deepEqual(placeText({ x: 10, y: 20, w: 100, h: 30, text: 'ยาย', align: 'center', valign: 'middle' }, width, metrics),
        [{ text: 'ยาย', x: 10 + (100 - 21) / 2, y: 20 + 7 + 12 }]);
    assert.deepEqual(placeText({ x: 0, y: 0, w: 100, h: 17, text: '฿1,000', align: 'right', valign: 'middle' }, width, metrics),
        [{ text: '฿1,000', x: 58, y: 12.5 }]);
    // Thai has no blanks between words: the lines break between the segmenter's words.
    const lines = wrapLines('ขอเชิญ ยาย โยนลูกเต๋าเพื่อจัดอันดับครับ', 70, width);
    assert.ok(lines.length > 1);
    assert.ok(lines.every((l) => width(l) <= 70 && l === l.trim()));
    assert.equal(lines.join(' ').replace(/ /g, ''), 'ขอเชิญยายโยนลูกเต๋าเพื่อจัดอันดับครับ');
    const placed = placeText({ x: 4, y: 2, w: 70, h: 68, text: 'ขอเชิญ ยาย โยนลูกเต๋าเพื่อจัดอันดับครับ', align: 'left', valign: 'top' }, width, metrics);
    assert.deepEqual(placed.map((l) => l.y), lines.map((_, i) => 2 + 12 + 16 * i));
    assert.deepEqual(wrapLines('a\nb', 100, width), ['a', 'b']);
    // Without a segmenter, marks stay on their consonant and leading vowels on what follows.
    assert.deepEqual(characterPieces('ที่ดิน เต๋า'), ['ที่', 'ดิ', 'น', ' ', 'เต๋า']);
    assert.deepEqual(characterPieces('ราคา 600'), ['รา', 'คา', ' ', '600']);
    // A word wider than the line is cut, never leaving a mark at the start of a line.
    const cut = wrapLines('ที่ที่ที่ที่', 14, width, characterPieces);
    assert.ok(cut.every((l) => !/^[\u0E31\u0E34-\u0E3A\u0E47-\u0E4E]/.test(l)));
    assert.equal(cut.join(''), 'ที่ที่ที่ที่');
});
