// @ts-check
// The save's document (docs/save-format.md) read into what the page draws and offers: the
// game window's controls, the card window, the deed card, the players and squares, and what
// the page's own seats may do now. The host has checked the document; reading it still takes
// nothing on trust, so that a member missing or of the wrong type draws nothing rather than
// breaking the page.

import { own } from './merge_patch.js';

/** @typedef {import('./merge_patch.js').JsonValue} JsonValue */
/** @typedef {import('./merge_patch.js').JsonObject} JsonObject */

/**
 * @typedef {{x: number, y: number, w: number, h: number}} Box
 * @typedef {{box: Box, strip: number, cell: number, file: string, visible: boolean, enabled: boolean}} ImageControl
 * @typedef {{box: Box, caption: string, fore: number, back: number, visible: boolean}} LabelControl
 * @typedef {{box: Box, text: string, fore: number, back: number, visible: boolean}} TextBoxControl
 * @typedef {{box: Box, fill: number, filled: boolean, visible: boolean}} ShapeControl
 * @typedef {{file: string, rows: number, cols: number}} Holder
 * @typedef {{
 *   visible: boolean, back: number, title: LabelControl, close: LabelControl, picture: ImageControl,
 *   pictureLabel: LabelControl, panels: {box: Box, visible: boolean}[],
 *   land: LabelControl[], pair: LabelControl[], hotel: LabelControl[],
 *   landValues: LabelControl[], pairValues: LabelControl[], hotelValues: LabelControl[], text: LabelControl[]
 * }} DeedCard
 * @typedef {{name: string, isHuman: boolean, keys: number[], keyLabels: string[], money: string, color: number}} PlayerView
 * @typedef {{name: string, kind: number, owner: number, buildings: number, price: string, houseCost: string, hotelCost: string, rent: string[]}} SquareView
 * @typedef {{
 *   caption: string, background: string,
 *   dialog: TextBoxControl, narrator: ImageControl, dice: ImageControl[], keyLabels: LabelControl[], diePad: ShapeControl,
 *   faces: ImageControl[], names: LabelControl[], moneys: LabelControl[], tokens: ShapeControl[],
 *   squares: ImageControl[], heads: ImageControl[], bottoms: ImageControl[], centre: ImageControl, piles: ShapeControl[],
 *   location: TextBoxControl, locationPicture: ImageControl, act: LabelControl, price: LabelControl, owner: LabelControl,
 *   building: ImageControl, toolbarHint: LabelControl, boardFrame: ShapeControl, locationFrame: ShapeControl,
 *   playerFrames: ShapeControl[], card: {visible: boolean, text: TextBoxControl},
 *   holders: Holder[], deedCard: DeedCard,
 *   players: PlayerView[], playerCount: number, squaresOfBoard: SquareView[], newBoard: boolean,
 *   currentPlayer: number, inputMode: number, talkStep: number, die1: number, die2: number
 * }} GameView
 */

/** The sequencer's step at which the game has its winner. */
export const WINNER_STEP = 17;
/** The input modes: a throw for the order of play, a throw to move, a purchase offer. */
export const RANKING_THROW = 1;
export const MOVE_THROW = 2;
export const YES_NO_ANSWER = 3;
/** ImgTao: the first die, the second, and the picture that throws both. */
export const FIRST_DIE = 0;
export const SECOND_DIE = 1;
export const BOTH_DICE = 2;

/**
 * @param {JsonValue | undefined} v
 * @returns {JsonObject}
 */
function obj(v) {
    return typeof v === 'object' && v !== null && !Array.isArray(v) ? v : {};
}
/**
 * @param {JsonValue | undefined} v
 * @returns {JsonValue[]}
 */
function list(v) {
    return Array.isArray(v) ? v : [];
}
/**
 * @param {JsonValue | undefined} v
 * @param {number} fallback
 * @returns {number}
 */
function num(v, fallback = 0) {
    return typeof v === 'number' && Number.isFinite(v) ? v : fallback;
}
/**
 * @param {JsonValue | undefined} v
 * @returns {string}
 */
function str(v) {
    return typeof v === 'string' ? v : '';
}
/**
 * @param {JsonValue | undefined} v
 * @param {boolean} fallback
 * @returns {boolean}
 */
function flag(v, fallback) {
    return typeof v === 'boolean' ? v : fallback;
}
/**
 * @param {JsonObject} o
 * @param {string} key
 */
function at(o, key) {
    return own(o, key);
}

/**
 * @param {JsonValue | undefined} v
 * @returns {Box}
 */
function box(v) {
    const g = obj(v);
    // Sizes never exceed the game window's; places stay within the save's own reach.
    return {
        x: Math.max(-5120, Math.min(5120, num(at(g, 'Left')))),
        y: Math.max(-3840, Math.min(3840, num(at(g, 'Top')))),
        w: Math.max(0, Math.min(640, num(at(g, 'Width')))),
        h: Math.max(0, Math.min(480, num(at(g, 'Height')))),
    };
}

/**
 * @param {JsonValue | undefined} v
 * @returns {ImageControl}
 */
function image(v) {
    const o = obj(v);
    return {
        box: box(at(o, 'Geometry')),
        strip: num(at(o, 'Strip'), -1),
        cell: num(at(o, 'Cell')),
        file: str(at(o, 'File')),
        visible: flag(at(o, 'Visible'), true),
        enabled: flag(at(o, 'Enabled'), true),
    };
}

/**
 * @param {JsonValue | undefined} v
 * @returns {LabelControl}
 */
function label(v) {
    const o = obj(v);
    return {
        box: box(at(o, 'Geometry')),
        caption: str(at(o, 'Caption')),
        fore: num(at(o, 'ForeColor'), 0),
        back: num(at(o, 'BackColor'), 0xffffff),
        visible: flag(at(o, 'Visible'), true),
    };
}

/**
 * @param {JsonValue | undefined} v
 * @returns {TextBoxControl}
 */
function textBox(v) {
    const o = obj(v);
    return {
        box: box(at(o, 'Geometry')),
        text: str(at(o, 'Text')),
        fore: num(at(o, 'ForeColor'), 0),
        back: num(at(o, 'BackColor'), 0xffffff),
        visible: flag(at(o, 'Visible'), true),
    };
}

/**
 * @param {JsonValue | undefined} v
 * @returns {ShapeControl}
 */
function shape(v) {
    const o = obj(v);
    return {
        box: box(at(o, 'Geometry')),
        fill: num(at(o, 'FillColor'), 0),
        filled: flag(at(o, 'Filled'), true),
        visible: flag(at(o, 'Visible'), true),
    };
}

/**
 * Exactly `count` controls read from a list, the missing ones hidden.
 * @template T
 * @param {JsonValue | undefined} v
 * @param {number} count
 * @param {(v: JsonValue | undefined) => T & {visible: boolean}} read
 * @returns {T[]}
 */
function controls(v, count, read) {
    const items = list(v);
    /** @type {T[]} */
    const out = [];
    for (let i = 0; i < count; ++i) {
        const c = read(items[i]);
        if (i >= items.length)
            c.visible = false;
        out.push(c);
    }
    return out;
}

/**
 * @param {JsonValue | undefined} v
 * @returns {DeedCard}
 */
export function readDeedCard(v) {
    const d = obj(v);
    return {
        visible: flag(at(d, 'Visible'), false),
        back: num(at(d, 'BackColor'), 0xffffff),
        title: label(at(d, 'LblLname')),
        close: label(at(d, 'LblClose')),
        picture: image(at(d, 'ImgOLocate')),
        pictureLabel: label(at(d, 'LblLabel')),
        panels: list(at(d, 'PicOpad')).slice(0, 4).map((p) => ({
            box: box(at(obj(p), 'Geometry')),
            visible: flag(at(obj(p), 'Visible'), false),
        })),
        land: controls(at(d, 'LblLand'), 8, label),
        pair: controls(at(d, 'LblPair'), 2, label),
        hotel: controls(at(d, 'LblHotel'), 5, label),
        landValues: controls(at(d, 'LblVariable'), 8, label),
        pairValues: controls(at(d, 'Lblv3'), 2, label),
        hotelValues: controls(at(d, 'LblVriable2'), 5, label),
        text: controls(at(d, 'LblOcard1'), 2, label),
    };
}

/**
 * The save's document as the page draws it.
 * @param {JsonObject} doc
 * @returns {GameView}
 */
export function readGame(doc) {
    const w = obj(at(doc, 'window'));
    const s = obj(at(doc, 'state'));
    const card = obj(at(w, 'FrmCard'));
    return {
        caption: str(at(w, 'Caption')),
        background: str(at(w, 'Picture')),
        dialog: textBox(at(w, 'TxtDialog')),
        narrator: image(at(w, 'ImgDescripter')),
        dice: controls(at(w, 'ImgTao'), 3, image),
        keyLabels: controls(at(w, 'LblKeyT'), 3, label),
        diePad: shape(at(w, 'ShpTaoPad')),
        faces: controls(at(w, 'ImgPlayer'), 4, image),
        names: controls(at(w, 'LblPName'), 4, label),
        moneys: controls(at(w, 'LblPMoney'), 4, label),
        tokens: controls(at(w, 'ShpMark'), 4, shape),
        squares: controls(at(w, 'ImgTable'), 40, image),
        heads: controls(at(w, 'ImgHead'), 36, image),
        bottoms: controls(at(w, 'ImgBottom'), 36, image),
        centre: image(at(w, 'ImgCenter')),
        piles: controls(at(w, 'ShpCard'), 2, shape),
        location: textBox(at(w, 'TxtLocation')),
        locationPicture: image(at(w, 'ImgLocation')),
        act: label(at(w, 'LblAct')),
        price: label(at(w, 'LblPrice')),
        owner: label(at(w, 'LblOwner')),
        building: image(at(w, 'ImgBuilding')),
        toolbarHint: label(at(w, 'LblBDescript')),
        boardFrame: shape(at(w, 'ShpTable')),
        locationFrame: shape(at(w, 'ShpLocation')),
        playerFrames: controls(at(w, 'ShpPlayer'), 4, shape),
        card: { visible: flag(at(card, 'Visible'), false), text: textBox(at(card, 'TxtCrd')) },
        holders: list(at(obj(at(doc, 'source')), 'PicCSource')).slice(0, 15).map((h) => ({
            file: str(at(obj(h), 'File')),
            rows: num(at(obj(h), 'Rows'), 1),
            cols: num(at(obj(h), 'Cols'), 1),
        })),
        deedCard: readDeedCard(at(doc, 'deedCard')),
        players: list(at(s, 'Players')).slice(0, 4).map((p) => {
            const o = obj(p);
            return {
                name: str(at(o, 'Name')).trim(),
                isHuman: flag(at(o, 'IsHuman'), false),
                keys: list(at(o, 'KeyCode')).map((k) => num(k, -1)),
                keyLabels: list(at(o, 'KeyLabel')).map((k) => str(k).trim()),
                money: str(at(o, 'Money')),
                color: num(at(o, 'Color')),
            };
        }),
        playerCount: num(at(s, 'PlayerCount')),
        squaresOfBoard: list(at(s, 'Squares')).slice(0, 40).map((q) => {
            const o = obj(q);
            return {
                name: str(at(o, 'Name')).trim(),
                kind: num(at(o, 'Kind'), -1),
                owner: num(at(o, 'Owner')),
                buildings: num(at(o, 'Buildings')),
                price: str(at(o, 'Price')),
                houseCost: str(at(o, 'HouseCost')),
                hotelCost: str(at(o, 'HotelCost')),
                rent: list(at(o, 'Rent')).map(str),
            };
        }),
        newBoard: flag(at(s, 'NewBoard'), false),
        currentPlayer: num(at(s, 'CurPlayer')),
        inputMode: num(at(s, 'InputMode')),
        talkStep: num(at(s, 'TalkStep')),
        die1: num(at(s, 'Die1')),
        die2: num(at(s, 'Die2')),
    };
}

/**
 * Whether the host's game window has loaded: before that (the host still waits for its
 * players) there is nothing to draw.
 * @param {GameView} view
 */
export function windowLoaded(view) {
    return view.caption !== '';
}

/**
 * The picture a name of the game folder is served as, or null for a name the page cannot
 * have: only names from "$APP/" on are served, each part of the path encoded on its own.
 * @param {string} name
 * @returns {string | null}
 */
export function pictureUrl(name) {
    if (!name.startsWith('$APP/'))
        return null;
    const parts = name.slice(5).split('/');
    if (parts.some((p) => p === '' || p === '.' || p === '..'))
        return null;
    return '/app/' + parts.map(encodeURIComponent).join('/');
}

/**
 * What the page's people may do now, each as the click the desktop's mouse would send:
 * throw (the die picture that throws what is left to throw), answer an offer (the first die
 * buys, the second declines), or close the card window. `seat` is the seat that acts.
 * @param {GameView} view
 * @param {number[]} ownSeats
 * @returns {{seat: number, throwDie: number | null, offer: boolean, card: boolean}}
 */
export function actions(view, ownSeats) {
    const seat = view.currentPlayer;
    const none = { seat, throwDie: null, offer: false, card: false };
    if (!ownSeats.includes(seat) || view.talkStep === WINNER_STEP)
        return none;
    if (view.card.visible)
        return { ...none, card: true };
    const takes = (/** @type {number} */ i) => view.dice[i].visible && view.dice[i].enabled;
    if (view.inputMode === RANKING_THROW || view.inputMode === MOVE_THROW) {
        let die = null;
        if (view.die1 === 0 && view.die2 === 0)
            die = BOTH_DICE;
        else if (view.die1 === 0)
            die = FIRST_DIE;
        else if (view.die2 === 0)
            die = SECOND_DIE;
        return { ...none, throwDie: die !== null && takes(die) ? die : null };
    }
    if (view.inputMode === YES_NO_ANSWER)
        return { ...none, offer: takes(FIRST_DIE) && takes(SECOND_DIE) };
    return none;
}

/**
 * @param {GameView} view
 * @returns {{seat: number, keys: number[]}[]}
 */
export function seatKeys(view) {
    return view.players.map((p, i) => ({ seat: i + 1, keys: p.keys }));
}
