// @ts-check
// What one frame of the game shows, as a list of plain drawing steps in the game window's
// 640 x 480 pixels, in the desktop painter's order: the game window's controls, then the
// host's deed card, the card window, and the deed card this page opened. The canvas only
// carries the steps out, so the list can be checked without one.

import { pictureUrl } from './save_view.js';

/**
 * @typedef {import('./save_view.js').GameView} GameView
 * @typedef {import('./save_view.js').DeedCard} DeedCard
 * @typedef {import('./save_view.js').ImageControl} ImageControl
 * @typedef {import('./save_view.js').LabelControl} LabelControl
 * @typedef {import('./save_view.js').TextBoxControl} TextBoxControl
 * @typedef {import('./save_view.js').ShapeControl} ShapeControl
 * @typedef {import('./save_view.js').Holder} Holder
 * @typedef {import('./save_view.js').Box} Box
 * @typedef {import('./text.js').Align} Align
 * @typedef {import('./text.js').VAlign} VAlign
 * @typedef {{px: number, bold: boolean}} Font
 * @typedef {(font: Font, text: string) => number} FontMeasure
 */

/**
 * @typedef {{op: 'fill', x: number, y: number, w: number, h: number, color: string}
 *   | {op: 'frame', x: number, y: number, w: number, h: number, color: string}
 *   | {op: 'picture', url: string, x: number, y: number, w: number, h: number, rows: number, cols: number, cell: number}
 *   | {op: 'text', x: number, y: number, w: number, h: number, text: string, font: Font, color: string, align: Align, valign: VAlign, clip: boolean}} DrawOp
 */

export const GAME_WIDTH = 640;
export const GAME_HEIGHT = 480;
/** The desktop's fonts: labels, the narrator's box, the card window's text. */
export const LABEL_FONT = { px: 13, bold: false };
export const BOLD_LABEL_FONT = { px: 13, bold: true };
export const NARRATOR_FONT = { px: 18, bold: true };
export const CARD_FONT = { px: 16, bold: false };
/** The card window's size and the deed card's, placed in the middle of the game window here. */
export const CARD_WINDOW = { x: 160, y: 160, w: 320, h: 160 };
const DEED_WIDTH = 340;
const DEED_HEIGHT = 240;
/** The smallest size a deed card's row is shrunk to, and the gap kept in its rows. */
const SMALLEST_ROW_PX = 9;
const ROW_GAP = 6;

/**
 * A stored colour (red in the low byte) as CSS.
 * @param {number} bgr
 * @returns {string}
 */
export function css(bgr) {
    const v = bgr >>> 0;
    const r = v & 0xff, g = (v >> 8) & 0xff, b = (v >> 16) & 0xff;
    return '#' + [r, g, b].map((c) => c.toString(16).padStart(2, '0')).join('');
}

class Ops {
    /**
     * @param {Holder[]} holders
     * @param {number} dx
     * @param {number} dy
     */
    constructor(holders, dx = 0, dy = 0) {
        /** @type {DrawOp[]} */
        this.list = [];
        this.holders = holders;
        this.dx = dx;
        this.dy = dy;
    }

    /** @param {Box} b @param {string} color */
    fill(b, color) {
        this.list.push({ op: 'fill', x: b.x + this.dx, y: b.y + this.dy, w: b.w, h: b.h, color });
    }

    /** @param {Box} b @param {string} color */
    frame(b, color) {
        this.list.push({ op: 'frame', x: b.x + this.dx, y: b.y + this.dy, w: b.w, h: b.h, color });
    }

    /**
     * A picture: its holder's cell, or its whole file; shown at its own size from the
     * control's corner and cut to the control. `design` stands for the desktop's own small
     * picture where the control names neither.
     * @param {ImageControl} image
     * @param {'throwBoth'} [design]
     */
    picture(image, design) {
        if (!image.visible)
            return;
        const b = image.box;
        const at = { x: b.x + this.dx, y: b.y + this.dy, w: b.w, h: b.h };
        if (image.strip >= 0 && image.strip < this.holders.length) {
            const holder = this.holders[image.strip];
            const url = pictureUrl(holder.file);
            if (url && holder.rows >= 1 && holder.cols >= 1 && image.cell >= 0 &&
                image.cell < holder.rows * holder.cols)
                this.list.push({ op: 'picture', url, ...at, rows: holder.rows, cols: holder.cols, cell: image.cell });
            return;
        }
        if (image.strip >= 0)
            return;
        if (image.file === '') {
            if (design)
                this.throwBoth(at);
            return;
        }
        const url = pictureUrl(image.file);
        if (url)
            this.list.push({ op: 'picture', url, ...at, rows: 1, cols: 1, cell: 0 });
    }

    /**
     * The page's own picture of the button between the dice that throws both: two dice, one
     * over the other, within the control.
     * @param {Box} at where the control stands, already placed
     */
    throwBoth(at) {
        const size = Math.min(18, at.w, at.h);
        const pips = [[[0.5, 0.5]], [[0.25, 0.25], [0.5, 0.5], [0.75, 0.75]]];
        const corners = [{ x: at.x + 2, y: at.y + 2 }, { x: at.x + at.w - size - 2, y: at.y + at.h - size - 2 }];
        corners.forEach((c, i) => {
            this.list.push({ op: 'fill', x: c.x, y: c.y, w: size, h: size, color: '#ffffff' });
            this.list.push({ op: 'frame', x: c.x, y: c.y, w: size, h: size, color: '#000000' });
            for (const [px, py] of pips[i])
                this.list.push({
                    op: 'fill', x: c.x + Math.round(px * size) - 2, y: c.y + Math.round(py * size) - 2, w: 3, h: 3,
                    color: i === 0 ? '#c00000' : '#000000',
                });
        });
    }

    /**
     * A label's caption as plain text.
     * @param {LabelControl} l
     * @param {Font} font
     * @param {Align} [align]
     * @param {VAlign} [valign]
     */
    label(l, font, align = 'left', valign = 'middle') {
        if (!l.visible || l.caption === '')
            return;
        const b = l.box;
        this.list.push({
            op: 'text', x: b.x + this.dx, y: b.y + this.dy, w: b.w, h: b.h, text: l.caption, font,
            color: css(l.fore), align, valign, clip: false,
        });
    }

    /**
     * A text box: its colour, a thin frame when asked, its text from the top left, wrapped
     * and cut to the box.
     * @param {TextBoxControl} t
     * @param {Font} font
     * @param {boolean} framed
     */
    textBox(t, font, framed) {
        if (!t.visible)
            return;
        const b = t.box;
        this.fill(b, css(t.back));
        if (framed)
            this.frame(b, '#808080');
        if (t.text !== '')
            this.list.push({
                op: 'text', x: b.x + this.dx + 4, y: b.y + this.dy + 2, w: b.w - 7, h: b.h - 4,
                text: t.text, font, color: css(t.fore), align: 'left', valign: 'top', clip: true,
            });
    }

    /** @param {ShapeControl} s */
    shape(s) {
        if (!s.visible)
            return;
        if (s.filled) {
            this.fill(s.box, css(s.fill));
            this.frame(s.box, '#000000');
        } else {
            this.frame(s.box, css(s.fill));
        }
    }
}

/**
 * The game window's controls.
 * @param {GameView} v
 * @returns {DrawOp[]}
 */
export function gameWindowOps(v) {
    const o = new Ops(v.holders);
    const whole = { x: 0, y: 0, w: GAME_WIDTH, h: GAME_HEIGHT };
    o.fill(whole, '#000000');
    const background = pictureUrl(v.background);
    if (background)
        o.list.push({ op: 'picture', url: background, ...whole, rows: 1, cols: 1, cell: 0 });

    v.squares.forEach((c) => o.picture(c));
    v.heads.forEach((c) => o.picture(c));
    v.bottoms.forEach((c) => o.picture(c));
    o.picture(v.centre);
    v.piles.forEach((c) => o.shape(c));
    o.shape(v.boardFrame);

    o.shape(v.diePad);
    o.picture(v.dice[0]);
    o.picture(v.dice[1]);
    o.picture(v.dice[2], 'throwBoth');
    v.keyLabels.forEach((l) => o.label(l, LABEL_FONT, 'center'));
    // The toolbar's buttons stay on the desktop: the page has none to describe.
    o.label(v.toolbarHint, LABEL_FONT);

    // Tokens stand on the squares.
    v.tokens.forEach((c) => o.shape(c));

    o.picture(v.narrator);
    o.textBox(v.dialog, NARRATOR_FONT, false);

    o.shape(v.locationFrame);
    o.picture(v.locationPicture);
    o.picture(v.building);
    o.textBox(v.location, LABEL_FONT, false);
    o.label(v.owner, LABEL_FONT, 'left', 'top');
    o.label(v.act, LABEL_FONT);
    o.label(v.price, LABEL_FONT);
    for (let i = 0; i < 4; ++i) {
        o.shape(v.playerFrames[i]);
        o.picture(v.faces[i]);
        o.label(v.names[i], LABEL_FONT);
        o.label(v.moneys[i], LABEL_FONT);
    }
    return o.list;
}

/**
 * The largest size, from the labels' own down to a floor that stays readable, in which every
 * row's text, the gap and its amount fit side by side.
 * @param {{text: string, value: string}[]} rows
 * @param {number} width
 * @param {FontMeasure} measure
 * @returns {Font}
 */
export function rowFont(rows, width, measure) {
    let font = LABEL_FONT;
    const fits = () => rows.every((r) => measure(font, r.text) + ROW_GAP + measure(font, r.value) <= width);
    while (font.px > SMALLEST_ROW_PX && !fits())
        font = { px: font.px - 1, bold: false };
    return font;
}

/**
 * Where a deed card stands: in the middle of the game window.
 * @returns {Box}
 */
export function deedCardPlace() {
    return {
        x: (GAME_WIDTH - DEED_WIDTH) / 2, y: (GAME_HEIGHT - DEED_HEIGHT) / 2, w: DEED_WIDTH, h: DEED_HEIGHT,
    };
}

/**
 * A deed card window.
 * @param {DeedCard} card
 * @param {Holder[]} holders
 * @param {FontMeasure} measure
 * @returns {DrawOp[]}
 */
export function deedCardOps(card, holders, measure) {
    const place = deedCardPlace();
    const o = new Ops(holders, place.x, place.y);
    const all = { x: 0, y: 0, w: place.w, h: place.h };
    o.fill(all, css(card.back));
    o.frame({ x: -1, y: -1, w: place.w + 2, h: place.h + 2 }, '#404040');
    o.label(card.title, BOLD_LABEL_FONT);
    o.label(card.close, BOLD_LABEL_FONT, 'center');
    o.frame({ x: 7, y: 47, w: 98, h: 98 }, '#808080');
    o.picture(card.picture);
    o.label(card.pictureLabel, LABEL_FONT);
    // The rule and the panels' frames take the pen of the last label painted before them.
    const pen = card.pictureLabel.visible ? css(card.pictureLabel.fore) : '#808080';
    o.fill({ x: 8, y: 40, w: 323, h: 1 }, pen);
    card.panels.forEach((p) => {
        if (p.visible)
            o.frame(p.box, pen);
    });
    /**
     * @param {LabelControl[]} texts
     * @param {LabelControl[]} values
     * @param {boolean} oneLine the pair panel gives its long text two lines instead
     */
    const rows = (texts, values, oneLine) => {
        if (texts.length === 0 || values.length === 0)
            return;
        const span = values[0].box.x + values[0].box.w - texts[0].box.x;
        const font = oneLine
            ? rowFont(texts.map((t, i) => ({ text: t.caption, value: values[i] ? values[i].caption : '' })), span, measure)
            : LABEL_FONT;
        texts.forEach((l) => o.label(l, font));
        values.forEach((l) => o.label(l, font, 'right'));
    };
    const panel = (/** @type {number} */ i) => card.panels[i] !== undefined && card.panels[i].visible;
    if (panel(0))
        rows(card.land, card.landValues, true);
    if (panel(2))
        rows(card.pair, card.pairValues, false);
    if (panel(3))
        rows(card.hotel, card.hotelValues, true);
    if (panel(1))
        card.text.forEach((l) => o.label(l, LABEL_FONT));
    return o.list;
}

/**
 * The card window: the drawn card's text on its deck's colour.
 * @param {TextBoxControl} text
 * @returns {DrawOp[]}
 */
export function cardWindowOps(text) {
    const o = new Ops([], CARD_WINDOW.x, CARD_WINDOW.y);
    o.fill({ x: 0, y: 0, w: CARD_WINDOW.w, h: CARD_WINDOW.h }, css(text.back));
    o.frame({ x: -1, y: -1, w: CARD_WINDOW.w + 2, h: CARD_WINDOW.h + 2 }, '#404040');
    o.textBox({ ...text, visible: true, box: { x: 8, y: 8, w: CARD_WINDOW.w - 16, h: CARD_WINDOW.h - 16 } },
        CARD_FONT, false);
    return o.list;
}

/**
 * One whole frame: the game window, the host's deed card when it is open, the card window
 * when it is open (modal, so above the deed card), and last the deed card this page opened.
 * @param {GameView} v
 * @param {DeedCard | null} localDeed
 * @param {FontMeasure} measure
 * @returns {DrawOp[]}
 */
export function frameOps(v, localDeed, measure) {
    const ops = gameWindowOps(v);
    if (v.deedCard.visible)
        ops.push(...deedCardOps(v.deedCard, v.holders, measure));
    if (v.card.visible)
        ops.push(...cardWindowOps(v.card.text));
    if (localDeed)
        ops.push(...deedCardOps(localDeed, v.holders, measure));
    return ops;
}

/**
 * @param {Box} b
 * @param {number} x
 * @param {number} y
 */
function inside(b, x, y) {
    return x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h;
}

/**
 * What a tap at a point of the game window lands on, as the desktop's mouse finds it: a die
 * (enabled or not: the host decides), the narrator, a square; and above the game window the
 * card window, which takes every tap while it is open, and the host's deed card's "X".
 * @param {GameView} v
 * @param {number} x
 * @param {number} y
 * @returns {{kind: 'card'} | {kind: 'deedClose'} | {kind: 'deed'} | {kind: 'die', index: number} | {kind: 'narrator'} | {kind: 'square', index: number} | null}
 */
export function hitAt(v, x, y) {
    if (v.card.visible)
        return { kind: 'card' };
    if (v.deedCard.visible) {
        const place = deedCardPlace();
        if (inside(place, x, y)) {
            const close = v.deedCard.close.box;
            if (inside({ ...close, x: close.x + place.x, y: close.y + place.y }, x, y))
                return { kind: 'deedClose' };
            return { kind: 'deed' };
        }
    }
    for (let i = 0; i < 3; ++i) {
        if (v.dice[i].visible && inside(v.dice[i].box, x, y))
            return { kind: 'die', index: i };
    }
    if (v.narrator.visible && v.narrator.enabled && inside(v.narrator.box, x, y))
        return { kind: 'narrator' };
    for (let i = 0; i < v.squares.length; ++i) {
        const s = v.squares[i];
        if (s.visible && s.enabled && inside(s.box, x, y))
            return { kind: 'square', index: i };
    }
    return null;
}
