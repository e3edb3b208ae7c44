// @ts-check
// The host sends each moment as a JSON merge patch (RFC 7396) of the save's document since
// the last one; the page holds the document and applies the patches in turn.

/** @typedef {null | boolean | number | string | JsonArray | JsonObject} JsonValue */
/** @typedef {{[key: string]: JsonValue}} JsonObject */
/** @typedef {Array<JsonValue>} JsonArray */

/**
 * @param {unknown} value
 * @returns {value is JsonObject}
 */
export function isObject(value) {
    return typeof value === 'object' && value !== null && !Array.isArray(value);
}

/**
 * The target with the patch applied, as a new document: the target is left as it was, so that
 * a moment found wrong afterwards can be thrown away whole. Members the patch does not name
 * are shared with the target, never copied.
 * @param {JsonValue | undefined} target
 * @param {JsonValue} patch
 * @returns {JsonValue}
 */
export function applyMergePatch(target, patch) {
    if (!isObject(patch))
        return patch;
    /** @type {JsonObject} */
    const result = isObject(target) ? { ...target } : {};
    for (const key of Object.keys(patch)) {
        const change = patch[key];
        if (change === null)
            delete result[key];
        else
            put(result, key, applyMergePatch(own(result, key), change));
    }
    return result;
}

/**
 * A member of an object, only when it is the object's own: a member named like one of every
 * object's inherited ones ("constructor") is data like any other.
 * @param {JsonObject} object
 * @param {string} key
 * @returns {JsonValue | undefined}
 */
export function own(object, key) {
    return Object.prototype.hasOwnProperty.call(object, key) ? object[key] : undefined;
}

/**
 * Sets a member as data even when its name is "__proto__", which plain assignment would take
 * as the object's prototype.
 * @param {JsonObject} object
 * @param {string} key
 * @param {JsonValue} value
 */
function put(object, key, value) {
    Object.defineProperty(object, key, { value, enumerable: true, writable: true, configurable: true });
}
