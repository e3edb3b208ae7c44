// @ts-check
// The save's checksum, made again here: a patch applied to the wrong document, or one lost on
// the way, would otherwise draw a game the host is not playing. The page may come over plain
// http, where the browser offers no SHA-256 of its own, so the hash is written out below.

/** @typedef {import('./merge_patch.js').JsonValue} JsonValue */
/** @typedef {import('./merge_patch.js').JsonObject} JsonObject */

const K = new Uint32Array([
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
]);

/**
 * SHA-256 (FIPS 180-4) of the bytes, in lower-case hexadecimal.
 * @param {Uint8Array} bytes
 * @returns {string}
 */
export function sha256Hex(bytes) {
    const length = bytes.length;
    // The message, a 1 bit, zeros, and its length in bits: a whole number of 64-byte blocks.
    const padded = new Uint8Array(((length + 9 + 63) >> 6) << 6);
    padded.set(bytes);
    padded[length] = 0x80;
    const view = new DataView(padded.buffer);
    view.setUint32(padded.length - 8, Math.floor(length / 0x20000000));
    view.setUint32(padded.length - 4, (length << 3) >>> 0);

    const h = new Uint32Array([
        0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19,
    ]);
    const w = new Uint32Array(64);
    for (let block = 0; block < padded.length; block += 64) {
        for (let t = 0; t < 16; ++t)
            w[t] = view.getUint32(block + 4 * t);
        for (let t = 16; t < 64; ++t) {
            const x = w[t - 15];
            const y = w[t - 2];
            const s0 = ((x >>> 7) | (x << 25)) ^ ((x >>> 18) | (x << 14)) ^ (x >>> 3);
            const s1 = ((y >>> 17) | (y << 15)) ^ ((y >>> 19) | (y << 13)) ^ (y >>> 10);
            w[t] = (w[t - 16] + s0 + w[t - 7] + s1) | 0;
        }
        let a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], k = h[7];
        for (let t = 0; t < 64; ++t) {
            const S1 = ((e >>> 6) | (e << 26)) ^ ((e >>> 11) | (e << 21)) ^ ((e >>> 25) | (e << 7));
            const ch = (e & f) ^ (~e & g);
            const t1 = (k + S1 + ch + K[t] + w[t]) | 0;
            const S0 = ((a >>> 2) | (a << 30)) ^ ((a >>> 13) | (a << 19)) ^ ((a >>> 22) | (a << 10));
            const maj = (a & b) ^ (a & c) ^ (b & c);
            const t2 = (S0 + maj) | 0;
            k = g;
            g = f;
            f = e;
            e = (d + t1) | 0;
            d = c;
            c = b;
            b = a;
            a = (t1 + t2) | 0;
        }
        h[0] += a; h[1] += b; h[2] += c; h[3] += d;
        h[4] += e; h[5] += f; h[6] += g; h[7] += k;
    }
    let hex = '';
    for (const word of h)
        hex += word.toString(16).padStart(8, '0');
    return hex;
}

/**
 * A number as the host's JSON writer spells it: whole numbers up to 2^53 plainly, any other
 * in the shorter of the decimal and the exponent form (at least two exponent digits), the
 * decimal one when both are as long.
 * @param {number} n
 * @returns {string}
 */
export function hostNumber(n) {
    if (!Number.isFinite(n))
        return 'null';
    if (Number.isInteger(n) && Math.abs(n) <= 2 ** 53)
        return String(n === 0 ? 0 : n);
    const [mantissa, exponentText] = Math.abs(n).toExponential().split('e');
    const exponent = Number(exponentText);
    const digits = mantissa.replace('.', '');
    const point = exponent + 1;  // where the decimal point falls after the first digit
    const scientific =
        mantissa + 'e' + (exponent < 0 ? '-' : '+') + String(Math.abs(exponent)).padStart(2, '0');
    let decimal;
    if (point <= 0)
        decimal = '0.' + '0'.repeat(-point) + digits;
    else if (point < digits.length)
        decimal = digits.slice(0, point) + '.' + digits.slice(point);
    else
        decimal = digits + '0'.repeat(point - digits.length);
    return (n < 0 ? '-' : '') + (decimal.length <= scientific.length ? decimal : scientific);
}

/**
 * The compact JSON of every object and list already written out. A moment shares every member
 * it leaves alone with the document before it, so only what changed is written again; the
 * page never changes a document it holds, which is what makes this safe.
 * @type {WeakMap<object, string>}
 */
const written = new WeakMap();

/**
 * The document as compact JSON with every object's members in key order, the form the
 * checksum is taken of.
 * @param {JsonValue} value
 * @returns {string}
 */
export function compactJson(value) {
    if (value === null)
        return 'null';
    if (typeof value === 'number')
        return hostNumber(value);
    if (typeof value === 'string' || typeof value === 'boolean')
        return JSON.stringify(value);
    let text = written.get(value);
    if (text === undefined) {
        if (Array.isArray(value)) {
            text = '[' + value.map(compactJson).join(',') + ']';
        } else {
            // Keys compare by UTF-16 code units, as the host orders them.
            const keys = Object.keys(value).sort();
            text = '{' + keys.map((k) => JSON.stringify(k) + ':' + compactJson(value[k])).join(',') + '}';
        }
        written.set(value, text);
    }
    return text;
}

/**
 * Whether the document's own checksum is the one of its content: the SHA-256 of its compact
 * JSON without the checksum member.
 * @param {JsonObject} document
 * @returns {boolean}
 */
export function checksumMatches(document) {
    const stated = document.checksum;
    if (typeof stated !== 'string' || !stated.startsWith('sha256:'))
        return false;
    const keys = Object.keys(document).filter((k) => k !== 'checksum').sort();
    const content =
        '{' + keys.map((k) => JSON.stringify(k) + ':' + compactJson(document[k])).join(',') + '}';
    return 'sha256:' + sha256Hex(new TextEncoder().encode(content)) === stated;
}
