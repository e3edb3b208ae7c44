// @ts-check
// A square's deed card, drawn on this page alone from the game it holds (a tap on the board
// asks the host for nothing), with the same texts and the same money format the host's game
// writes.

/**
 * @typedef {import('./save_view.js').GameView} GameView
 * @typedef {import('./save_view.js').DeedCard} DeedCard
 * @typedef {import('./save_view.js').LabelControl} LabelControl
 * @typedef {{prefix: string, suffix: string, group: string, point: string, decimals: number}} MoneyFormat
 */

/** The game's own format where the host's locale has none: baht, two decimals. */
export const BAHT = { prefix: '฿', suffix: '', group: ',', point: '.', decimals: 2 };

/**
 * An exact amount ("15000", "-2.5", "0.0001") in a format, rounded half away from zero to its
 * decimals, as the host's game writes money.
 * @param {MoneyFormat} f
 * @param {string} amount
 * @returns {string}
 */
export function formatMoney(f, amount) {
    const m = /^([+-]?)([0-9]*)(?:\.([0-9]{0,4}))?$/.exec(amount.trim());
    if (!m || (m[2] === '' && (m[3] ?? '') === ''))
        return amount;
    const negative = m[1] === '-';
    let magnitude = BigInt((m[2] || '0') + (m[3] ?? '').padEnd(4, '0'));
    const scale = 10n ** BigInt(4 - f.decimals);
    magnitude = (magnitude + scale / 2n) / scale;
    const unit = 10n ** BigInt(f.decimals);
    const whole = (magnitude / unit).toString();
    let number = whole.replace(/\B(?=(\d{3})+$)/g, f.group);
    if (f.decimals > 0)
        number += f.point + (magnitude % unit).toString().padStart(f.decimals, '0');
    if (negative && magnitude !== 0n)
        return '-' + f.prefix + number + f.suffix;
    return f.prefix + number + f.suffix;
}

/**
 * The money format the host writes in, read off the captions it has written for amounts
 * the page knows (the players' money); the baht format when none of them tells.
 * @param {{caption: string, amount: string}[]} samples
 * @returns {MoneyFormat}
 */
export function learnMoneyFormat(samples) {
    for (const { caption, amount } of samples) {
        if (!/^[0-9]+(\.[0-9]+)?$/.test(amount) || Number(amount) === 0)
            continue;
        const first = caption.search(/[0-9]/);
        if (first < 0)
            continue;
        let last = caption.length - 1;
        while (!/[0-9]/.test(caption[last]))
            --last;
        const prefix = caption.slice(0, first);
        const suffix = caption.slice(last + 1);
        const number = caption.slice(first, last + 1);
        const separators = number.replace(/[0-9]/g, '');
        /** @type {MoneyFormat[]} */
        const tries = [];
        const tail = /([^0-9]+)([0-9]+)$/.exec(number);
        if (tail && tail[2].length <= 4) {
            const rest = number.slice(0, number.length - tail[0].length).replace(/[0-9]/g, '');
            tries.push({ prefix, suffix, group: rest.slice(0, 1), point: tail[1], decimals: tail[2].length });
        }
        tries.push({ prefix, suffix, group: separators.slice(0, 1), point: '.', decimals: 0 });
        for (const f of tries) {
            if (formatMoney(f, amount) === caption)
                return f;
        }
    }
    return BAHT;
}

/**
 * @param {GameView} view
 * @returns {MoneyFormat}
 */
export function moneyFormatOf(view) {
    return learnMoneyFormat(view.players.map((p, i) => ({
        caption: view.moneys[i] ? view.moneys[i].caption : '',
        amount: p.money,
    })));
}

/** The square kinds, by the numbers the board gives them. */
const START = 0, LAND = 1, HOTEL_SITE = 2, PAIR_SITE = 3, TREASURE = 4, FORTUNE = 5, JAIL = 6,
    REST = 7, GO_TO_JAIL = 8, TAX = 9;
/** The card's panels: rents of a plot, two lines of text, the pair, the hotel sites. */
const LAND_PANEL = 0, TEXT_PANEL = 1, PAIR_PANEL = 2, HOTEL_PANEL = 3;

/**
 * @param {LabelControl} l
 * @param {string} caption
 * @returns {LabelControl}
 */
function captioned(l, caption) {
    return { ...l, caption };
}

/**
 * The deed card of square `number` (1..40), drawn on the host's own deed card as the game
 * draws it: every panel hidden, then the one of the square's kind shown with its figures.
 * @param {GameView} view
 * @param {number} number
 * @param {MoneyFormat} format
 * @returns {DeedCard}
 */
export function deedCardFor(view, number, format) {
    const base = view.deedCard;
    /** @type {DeedCard} */
    const card = { ...base, visible: true, panels: base.panels.map((p) => ({ ...p, visible: false })) };
    const sq = view.squaresOfBoard[number - 1];
    if (!view.newBoard || !sq)
        return card;
    const money = (/** @type {string | undefined} */ a) => formatMoney(format, a ?? '0');
    const show = (/** @type {number} */ panel) => {
        if (card.panels[panel])
            card.panels[panel] = { ...card.panels[panel], visible: true };
    };
    card.title = captioned(base.title, sq.name);
    card.pictureLabel = captioned(base.pictureLabel, 'ผู้ถือหุ้น');
    card.picture = { ...base.picture, cell: number - 1, visible: true };
    const text = (/** @type {string} */ first, /** @type {string} */ second) => {
        card.text = [captioned(base.text[0], first), captioned(base.text[1], second)];
        show(TEXT_PANEL);
    };
    switch (sq.kind) {
        case START:
            text('จุดเริ่มต้น', 'ได้รับเงิน ' + money(sq.price));
            break;
        case LAND:
            card.landValues = base.landValues.map((l, i) =>
                captioned(l, money(i < 6 ? sq.rent[i + 1] : i === 6 ? sq.houseCost : sq.hotelCost)));
            show(LAND_PANEL);
            break;
        case HOTEL_SITE:
            card.hotelValues = base.hotelValues.map((l, i) => captioned(l, money(sq.rent[i + 1])));
            show(HOTEL_PANEL);
            break;
        case PAIR_SITE:
            card.pairValues = base.pairValues.map((l, i) => captioned(l, money(sq.rent[i + 1])));
            show(PAIR_PANEL);
            break;
        case TREASURE:
            text('บัตรทรัพย์สมบัติ', '');
            break;
        case FORTUNE:
            text('บัตรโชคชะตา', '');
            break;
        case JAIL:
            text('เข้าคุก', 'หยุดเดิน 1 ครั้ง');
            break;
        case REST:
            text('หยุดพัก', 'หยุดเดิน 1 ครั้ง');
            break;
        case GO_TO_JAIL:
            text('ไปเข้าคุก', 'จ่าย ' + money(sq.price) + ' และหยุดเดิน 1 ครั้ง');
            break;
        case TAX:
            text('ภาษี', 'จ่าย ' + money(sq.price));
            break;
        default:
            break;
    }
    return card;
}
