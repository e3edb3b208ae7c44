// @ts-check
// How large the board is drawn: the most room that fits, held upright with the panel of
// actions under it, on its side with the panel beside it. The canvas holds exactly the
// screen's pixels it covers, and a scale within reach of a whole one is taken whole, where
// every game pixel is a square of screen pixels.

import { GAME_WIDTH, GAME_HEIGHT } from './draw_list.js';

/** Room the panel of actions needs: under the board, or beside it. */
export const PANEL_HEIGHT = 190;
export const PANEL_WIDTH = 240;
/** A whole scale is taken when it keeps at least this share of the room's size. */
const WHOLE_SHARE = 0.85;

/**
 * @param {number} viewWidth CSS pixels
 * @param {number} viewHeight CSS pixels
 * @param {number} dpr screen pixels per CSS pixel
 * @returns {{upright: boolean, scale: number, deviceWidth: number, deviceHeight: number, cssWidth: number, cssHeight: number}}
 */
export function fitBoard(viewWidth, viewHeight, dpr) {
    const upright = viewWidth < viewHeight * 1.1;
    const roomWidth = upright ? viewWidth : Math.max(viewWidth / 2, viewWidth - PANEL_WIDTH);
    const roomHeight = upright ? Math.max(viewHeight / 2, viewHeight - PANEL_HEIGHT) : viewHeight;
    const ratio = dpr > 0 ? dpr : 1;
    let scale = Math.min((roomWidth * ratio) / GAME_WIDTH, (roomHeight * ratio) / GAME_HEIGHT);
    if (scale >= 1 && Math.floor(scale) / scale >= WHOLE_SHARE)
        scale = Math.floor(scale);
    scale = Math.max(scale, 0.25);
    const deviceWidth = Math.floor(GAME_WIDTH * scale);
    const deviceHeight = Math.floor(GAME_HEIGHT * scale);
    return {
        upright,
        scale: deviceWidth / GAME_WIDTH,
        deviceWidth,
        deviceHeight,
        cssWidth: deviceWidth / ratio,
        cssHeight: deviceHeight / ratio,
    };
}
