// @ts-check
// Carries out a frame's drawing steps on the board's canvas. Pictures and fills are placed on
// whole screen pixels with smoothing off, so that the game's pictures stay sharp at any size
// and exactly so at whole scales; text is set at the screen's own resolution. Pictures are
// fetched from the host once each; one that arrives later asks for the frame again.

import { GAME_WIDTH, GAME_HEIGHT } from './draw_list.js';
import { placeText } from './text.js';

/**
 * @typedef {import('./draw_list.js').DrawOp} DrawOp
 * @typedef {import('./draw_list.js').Font} Font
 * @typedef {import('./text.js').Metrics} Metrics
 */

/** The face the desktop draws with, served by the host. */
const FAMILY = 'Loma';

/**
 * @param {Font} font
 * @returns {string}
 */
export function cssFont(font) {
    return `${font.bold ? 'bold ' : ''}${font.px}px ${FAMILY}, sans-serif`;
}

export class BoardCanvas {
    /**
     * @param {HTMLCanvasElement} canvas
     * @param {() => void} pictureArrived
     */
    constructor(canvas, pictureArrived) {
        this.canvas = canvas;
        const ctx = canvas.getContext('2d', { alpha: false });
        if (!ctx)
            throw new Error('the browser draws no canvas');
        this.ctx = ctx;
        this.scale = 1;
        this.pictureArrived = pictureArrived;
        /** @type {Map<string, {image: HTMLImageElement, state: 'loading' | 'ready' | 'failed'}>} */
        this.pictures = new Map();
        /** @type {Map<string, Metrics>} */
        this.metrics = new Map();
        /** @type {Map<string, number>} */
        this.widths = new Map();
    }

    /**
     * Gives the canvas its size on the page and the screen pixels it covers.
     * @param {{deviceWidth: number, deviceHeight: number, cssWidth: number, cssHeight: number, scale: number}} fit
     */
    resize(fit) {
        if (this.canvas.width !== fit.deviceWidth)
            this.canvas.width = fit.deviceWidth;
        if (this.canvas.height !== fit.deviceHeight)
            this.canvas.height = fit.deviceHeight;
        this.canvas.style.width = `${fit.cssWidth}px`;
        this.canvas.style.height = `${fit.cssHeight}px`;
        this.scale = fit.scale;
    }

    /** Forgets what was measured: a face that has just arrived measures otherwise. */
    fontsChanged() {
        this.metrics.clear();
        this.widths.clear();
    }

    /**
     * The advance of a text in a font, in game pixels.
     * @param {Font} font
     * @param {string} text
     * @returns {number}
     */
    measure(font, text) {
        const key = cssFont(font) + '\u0000' + text;
        let width = this.widths.get(key);
        if (width === undefined) {
            this.ctx.font = cssFont(font);
            width = this.ctx.measureText(text).width;
            if (this.widths.size > 4096)
                this.widths.clear();
            this.widths.set(key, width);
        }
        return width;
    }

    /**
     * @param {Font} font
     * @returns {Metrics}
     */
    fontMetrics(font) {
        const key = cssFont(font);
        let m = this.metrics.get(key);
        if (!m) {
            this.ctx.font = key;
            const t = this.ctx.measureText('ก่ฎgÅ');
            const ascent = t.fontBoundingBoxAscent || font.px * 0.95;
            const descent = t.fontBoundingBoxDescent || font.px * 0.3;
            m = { ascent, descent };
            this.metrics.set(key, m);
        }
        return m;
    }

    /**
     * The picture at a URL of the host, asked for once.
     * @param {string} url
     */
    picture(url) {
        let entry = this.pictures.get(url);
        if (!entry) {
            const image = new Image();
            const made = { image, state: /** @type {'loading' | 'ready' | 'failed'} */ ('loading') };
            image.onload = () => {
                made.state = 'ready';
                this.pictureArrived();
            };
            image.onerror = () => {
                made.state = 'failed';
                this.pictureArrived();
            };
            image.decoding = 'async';
            image.src = url;
            this.pictures.set(url, made);
            entry = made;
        }
        return entry;
    }

    /**
     * A rectangle of game pixels on whole screen pixels: neighbours meet without a seam.
     * @param {number} x
     * @param {number} y
     * @param {number} w
     * @param {number} h
     */
    snap(x, y, w, h) {
        const s = this.scale;
        const left = Math.round(x * s), top = Math.round(y * s);
        return [left, top, Math.round((x + w) * s) - left, Math.round((y + h) * s) - top];
    }

    /**
     * Draws a frame; returns how many of its pictures have not arrived yet.
     * @param {DrawOp[]} ops
     * @returns {number}
     */
    draw(ops) {
        const ctx = this.ctx;
        let waiting = 0;
        ctx.setTransform(1, 0, 0, 1, 0, 0);
        ctx.imageSmoothingEnabled = false;
        ctx.fillStyle = '#000000';
        ctx.fillRect(0, 0, this.canvas.width, this.canvas.height);
        for (const op of ops) {
            switch (op.op) {
                case 'fill': {
                    ctx.fillStyle = op.color;
                    const [x, y, w, h] = this.snap(op.x, op.y, op.w, op.h);
                    ctx.fillRect(x, y, w, h);
                    break;
                }
                case 'frame': {
                    if (op.w <= 0 || op.h <= 0)
                        break;
                    ctx.fillStyle = op.color;
                    for (const [x, y, w, h] of [
                        [op.x, op.y, op.w, 1], [op.x, op.y + op.h - 1, op.w, 1],
                        [op.x, op.y, 1, op.h], [op.x + op.w - 1, op.y, 1, op.h],
                    ]) {
                        const r = this.snap(x, y, w, h);
                        ctx.fillRect(r[0], r[1], Math.max(1, r[2]), Math.max(1, r[3]));
                    }
                    break;
                }
                case 'picture': {
                    const entry = this.picture(op.url);
                    if (entry.state === 'loading')
                        ++waiting;
                    if (entry.state !== 'ready')
                        break;
                    const image = entry.image;
                    const cw = Math.floor(image.naturalWidth / op.cols);
                    const ch = Math.floor(image.naturalHeight / op.rows);
                    const w = Math.min(cw, op.w), h = Math.min(ch, op.h);
                    if (w <= 0 || h <= 0)
                        break;
                    const [x, y, dw, dh] = this.snap(op.x, op.y, w, h);
                    ctx.drawImage(image, (op.cell % op.cols) * cw, Math.floor(op.cell / op.cols) * ch, w, h, x, y, dw, dh);
                    break;
                }
                case 'text': {
                    ctx.save();
                    ctx.setTransform(this.scale, 0, 0, this.scale, 0, 0);
                    if (op.clip) {
                        ctx.beginPath();
                        ctx.rect(op.x, op.y, Math.max(0, op.w), Math.max(0, op.h));
                        ctx.clip();
                    }
                    ctx.font = cssFont(op.font);
                    ctx.fillStyle = op.color;
                    ctx.textBaseline = 'alphabetic';
                    ctx.textAlign = 'left';
                    const lines = placeText(op, (t) => this.measure(op.font, t), this.fontMetrics(op.font));
                    for (const line of lines)
                        ctx.fillText(line.text, line.x, line.y);
                    ctx.restore();
                    break;
                }
            }
        }
        return waiting;
    }

    /**
     * A point of the canvas's box on the page, in game pixels.
     * @param {number} clientX
     * @param {number} clientY
     * @returns {{x: number, y: number}}
     */
    gamePoint(clientX, clientY) {
        const r = this.canvas.getBoundingClientRect();
        return {
            x: Math.floor(((clientX - r.left) * GAME_WIDTH) / Math.max(1, r.width)),
            y: Math.floor(((clientY - r.top) * GAME_HEIGHT) / Math.max(1, r.height)),
        };
    }
}
