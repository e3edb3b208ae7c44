// @ts-check
// Text set into a rectangle as the desktop's painter sets it: a caption that fits on one line
// stands alone, aligned in its rectangle; anything longer is wrapped at word boundaries. Thai
// has no blanks between words, so the words come from the browser's word segmenter, or, where
// it has none, from the characters themselves (never splitting a vowel or a tone mark from the
// consonant it sits on).

/**
 * @typedef {(text: string) => number} Measure the advance of a text in the current font
 * @typedef {{ascent: number, descent: number}} Metrics the font's height above and below the baseline
 * @typedef {'left' | 'center' | 'right'} Align
 * @typedef {'top' | 'middle'} VAlign
 * @typedef {{text: string, x: number, y: number}} PlacedLine a line and its baseline's start
 */

/** @typedef {{segment(text: string): Iterable<{segment: string}>}} SegmenterLike */

/** @type {SegmenterLike | null | undefined} */
let wordSegmenter;

/**
 * The browser's Thai word segmenter, when it has one: the type library this page is checked
 * against predates it.
 * @returns {SegmenterLike | null}
 */
function segmenter() {
    if (wordSegmenter === undefined) {
        const intl = /** @type {{Segmenter?: new (locale: string, options: {granularity: string}) => SegmenterLike}} */ (
            /** @type {unknown} */ (Intl));
        wordSegmenter = intl.Segmenter ? new intl.Segmenter('th', { granularity: 'word' }) : null;
    }
    return wordSegmenter;
}

/** Thai marks written above or below a consonant, which never begin a piece of their own. */
const THAI_MARK = /[\u0E31\u0E34-\u0E3A\u0E47-\u0E4E]/;
/** Thai vowels written before the consonant they are read after: a piece ends only after them. */
const THAI_LEADING = /[\u0E40-\u0E44]/;
/** Thai vowels written after their consonant, which end its piece rather than begin one. */
const THAI_FOLLOWING = /[\u0E30\u0E32\u0E33\u0E45]/;

/**
 * The pieces a line may break between, without a segmenter: blanks, Latin words, and Thai
 * consonants with their marks.
 * @param {string} text
 * @returns {string[]}
 */
export function characterPieces(text) {
    /** @type {string[]} */
    const pieces = [];
    let current = '';
    /** @type {'space' | 'latin' | 'other' | ''} */
    let kind = '';
    for (const ch of text) {
        if ((THAI_MARK.test(ch) || THAI_FOLLOWING.test(ch)) && current !== '') {
            current += ch;
            continue;
        }
        const k = /\s/.test(ch) ? 'space' : /[A-Za-z0-9.,:;!?'"()\-฿$%/]/.test(ch) ? 'latin' : 'other';
        const joins = (k === kind && k !== 'other') || (current !== '' && THAI_LEADING.test(current[current.length - 1]));
        if (current !== '' && !joins) {
            pieces.push(current);
            current = '';
        }
        current += ch;
        kind = k;
    }
    if (current !== '')
        pieces.push(current);
    return pieces;
}

/**
 * @param {string} text
 * @returns {string[]}
 */
export function wordPieces(text) {
    const s = segmenter();
    if (!s)
        return characterPieces(text);
    return Array.from(s.segment(text), (p) => p.segment);
}

/**
 * The lines of a text wrapped into `width`: paragraphs at its line breaks, words kept whole
 * unless one alone is wider than the line. Blanks where a line breaks are dropped.
 * @param {string} text
 * @param {number} width
 * @param {Measure} measure
 * @param {(text: string) => string[]} [pieces]
 * @returns {string[]}
 */
export function wrapLines(text, width, measure, pieces = wordPieces) {
    /** @type {string[]} */
    const lines = [];
    for (const paragraph of text.split(/\r\n|\r|\n|\u2028|\u2029/)) {
        let line = '';
        for (const piece of pieces(paragraph)) {
            if (line === '' && piece.trim() === '')
                continue;
            if (measure((line + piece).trimEnd()) <= width || line === '') {
                line += piece;
            } else {
                lines.push(line.trimEnd());
                line = piece.trim() === '' ? '' : piece;
            }
            // A piece wider than a whole line is cut where it reaches the edge.
            while (measure(line.trimEnd()) > width && [...line].length > 1) {
                const chars = [...line];
                let fit = 1;
                while (fit < chars.length && measure(chars.slice(0, fit + 1).join('')) <= width)
                    ++fit;
                while (fit < chars.length && THAI_MARK.test(chars[fit]))
                    ++fit;
                if (fit >= chars.length)
                    break;
                lines.push(chars.slice(0, fit).join(''));
                line = chars.slice(fit).join('');
            }
        }
        lines.push(line.trimEnd());
    }
    return lines;
}

/**
 * Where each line of a text stands in its rectangle. A text that fits on one line is placed
 * by itself; otherwise its wrapped lines are set from the top, or centred as a block.
 * @param {{x: number, y: number, w: number, h: number, text: string, align: Align, valign: VAlign}} box
 * @param {Measure} measure
 * @param {Metrics} metrics
 * @param {(text: string) => string[]} [pieces]
 * @returns {PlacedLine[]}
 */
export function placeText(box, measure, metrics, pieces = wordPieces) {
    const height = metrics.ascent + metrics.descent;
    const single = !/[\u0000-\u001f\u2028\u2029]/.test(box.text);
    const lines = single && measure(box.text) <= box.w && height <= box.h
        ? [box.text]
        : wrapLines(box.text, box.w, measure, pieces);
    const blockHeight = lines.length * height;
    let top = box.y;
    if (box.valign === 'middle')
        top += (box.h - blockHeight) / 2;
    return lines.map((text, i) => {
        const width = measure(text);
        let x = box.x;
        if (box.align === 'center')
            x += (box.w - width) / 2;
        else if (box.align === 'right')
            x += box.w - width;
        return { text, x, y: top + i * height + metrics.ascent };
    });
}
