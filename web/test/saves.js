// @ts-check
// The saves the tests read: real moments of a game, written by the game's headless driver
// (saves/make-saves.txt says how).
import { readFileSync } from 'node:fs';
import { gunzipSync } from 'node:zlib';

/**
 * @param {string} name
 * @returns {any} the save's document
 */
export function loadSave(name) {
    const url = new URL(`./saves/${name}.Sav.gz`, import.meta.url);
    return JSON.parse(gunzipSync(readFileSync(url)).toString('utf8'));
}

/**
 * The save's bytes as a host's state carries them.
 * @param {string} name
 */
export function stateOf(name) {
    const url = new URL(`./saves/${name}.Sav.gz`, import.meta.url);
    return gunzipSync(readFileSync(url)).toString('base64');
}
