// @ts-check
// The page's side of the connection: it says hello with the seats' kept tokens, keeps the
// tokens the welcome gives, holds the host's document moment by moment, and comes back by
// itself when the connection breaks (a reload, a phone that slept, a network that dropped),
// taking its seats back with the tokens. A refusal ends the join; every ending and every wait
// is told in Thai. The socket, the storage and the clock are handed in, so that the whole
// road can be walked without a browser.

import { applyMergePatch, isObject } from './merge_patch.js';
import { checksumMatches } from './checksum.js';
import { TokenBucket, INPUT_BURST, INPUTS_PER_SECOND } from './pace.js';
import {
    endingText, helloFrame, inputFrame, plainCode, readHostMessage, saveDocument, PROTOCOL_VERSION,
} from './protocol.js';

/**
 * @typedef {import('./merge_patch.js').JsonObject} JsonObject
 * @typedef {import('./protocol.js').SeatEntry} SeatEntry
 * @typedef {import('./protocol.js').Action} Action
 * @typedef {{send(data: string): void, close(): void, readonly readyState: number}} SocketLike
 * @typedef {{open(): void, message(data: unknown): void, closed(): void}} SocketEvents
 * @typedef {{getItem(key: string): string | null, setItem(key: string, value: string): void}} StorageLike
 * @typedef {{
 *   open: (url: string, events: SocketEvents) => SocketLike,
 *   storage: StorageLike | null,
 *   now: () => number,
 *   setTimer: (run: () => void, ms: number) => number,
 *   clearTimer: (id: number) => void,
 *   url: string,
 *   address: string,
 * }} Environment
 * @typedef {{
 *   waiting?: () => void,
 *   welcome?: (seats: number[]) => void,
 *   seats?: (seats: SeatEntry[], own: number[]) => void,
 *   game?: (doc: JsonObject, whole: boolean) => void,
 *   narration?: (line: string) => void,
 *   sound?: (file: string) => void,
 *   status?: (text: string) => void,
 *   ended?: (text: string) => void,
 * }} Handlers
 */

/** How long the host has to answer a hello, as the desktop client waits. */
export const ANSWER_MS = 10000;
/** The waits between attempts to come back: doubling from one second up to fifteen. */
export const FIRST_RETRY_MS = 1000;
export const LONGEST_RETRY_MS = 15000;
/** Attempts before the page stops and says the host is lost: about four minutes of them. */
export const ATTEMPTS = 20;
/** A page hidden longer than the host waits for a silent client has surely been dropped. */
export const SILENT_MS = 15000;
/** The newest tokens kept, as many as the desktop client keeps. */
const KEPT_TOKENS = 32;
const TOKENS_KEY = 'kroda.tokens';
const JOIN_KEY = 'kroda.join';
const OPEN = 1;
const WINNER_STEP = 17;

/**
 * The join this page made last, which a reload makes again by itself.
 * @param {StorageLike | null} storage
 * @returns {{code: string, names: string[], auto: boolean} | null}
 */
export function storedJoin(storage) {
    try {
        const j = JSON.parse((storage && storage.getItem(JOIN_KEY)) || 'null');
        if (j && typeof j.code === 'string' && Array.isArray(j.names) &&
            j.names.every((/** @type {unknown} */ n) => typeof n === 'string'))
            return { code: j.code, names: j.names, auto: j.auto === true };
    } catch (e) {
        // A damaged entry is no join.
    }
    return null;
}

export class Session {
    /**
     * @param {Environment} env
     * @param {Handlers} handlers
     */
    constructor(env, handlers) {
        this.env = env;
        this.handlers = handlers;
        this.code = '';
        /** @type {string[]} */
        this.names = [];
        /** @type {SocketLike | null} */
        this.socket = null;
        this.welcomed = false;
        /** Whether this connection has brought its state, on which its moments build. */
        this.stateHere = false;
        /** Whether this page was ever let in: a later failure is a lost host, not a wrong address. */
        this.everWelcomed = false;
        /** @type {number[]} */
        this.seats = [];
        /** @type {JsonObject | null} */
        this.doc = null;
        /** Whether the checksums of this connection's documents can be made again here. */
        this.verify = false;
        this.attempts = 0;
        this.ended = false;
        /** @type {number | null} */
        this.answerTimer = null;
        /** @type {number | null} */
        this.retryTimer = null;
        this.pace = new TokenBucket(INPUT_BURST, INPUTS_PER_SECOND, env.now());
    }

    /**
     * Joins with the code and the names of the people at this page.
     * @param {string} code
     * @param {string[]} names
     */
    join(code, names) {
        this.code = code;
        this.names = names;
        this.ended = false;
        this.attempts = 0;
        this.everWelcomed = false;
        this.doc = null;
        this.keepJoin(true);
        this.connect();
    }

    /** @param {boolean} auto */
    keepJoin(auto) {
        this.store(JOIN_KEY, JSON.stringify({ code: this.code, names: this.names, auto }));
    }

    /**
     * @param {string} key
     * @param {string} value
     */
    store(key, value) {
        try {
            if (this.env.storage)
                this.env.storage.setItem(key, value);
        } catch (e) {
            // A full or refused storage keeps nothing: the seats are then taken back by name
            // once the host lets the player back in.
        }
    }

    /** @param {string} name */
    tokenKey(name) {
        return `${this.env.address}|${plainCode(this.code)}|${name}`;
    }

    /** @returns {{key: string, token: string}[]} */
    keptTokens() {
        try {
            const list = JSON.parse((this.env.storage && this.env.storage.getItem(TOKENS_KEY)) || '[]');
            if (Array.isArray(list))
                return list.filter((e) => e && typeof e.key === 'string' && typeof e.token === 'string');
        } catch (e) {
            // A damaged list holds no tokens.
        }
        return [];
    }

    /**
     * The kept token of each name, "" where none is kept.
     * @param {string[]} names
     * @returns {string[]}
     */
    tokensFor(names) {
        const kept = this.keptTokens();
        return names.map((n) => {
            const entry = kept.find((e) => e.key === this.tokenKey(n));
            return entry ? entry.token : '';
        });
    }

    connect() {
        this.stopTimers();
        this.welcomed = false;
        this.stateHere = false;
        this.seats = [];
        /** @type {SocketLike | null} */
        let socket = null;
        // Whatever an earlier connection still reports is not this one's.
        const current = () => socket !== null && this.socket === socket;
        try {
            socket = this.env.open(this.env.url, {
                open: () => {
                    if (current() && socket)
                        socket.send(helloFrame(this.code, this.names, this.tokensFor(this.names)));
                },
                message: (data) => {
                    if (current() && typeof data === 'string')
                        this.received(data);
                },
                closed: () => {
                    if (current()) {
                        this.socket = null;
                        this.lost();
                    }
                },
            });
        } catch (e) {
            this.lost();
            return;
        }
        this.socket = socket;
        this.answerTimer = this.env.setTimer(() => {
            this.answerTimer = null;
            if (current() && !this.welcomed)
                this.drop();
        }, ANSWER_MS);
        if (this.handlers.waiting && !this.doc)
            this.handlers.waiting();
    }

    stopTimers() {
        if (this.answerTimer !== null)
            this.env.clearTimer(this.answerTimer);
        if (this.retryTimer !== null)
            this.env.clearTimer(this.retryTimer);
        this.answerTimer = null;
        this.retryTimer = null;
    }

    /** Lets the current connection go, without hearing of its closing. */
    closeSocket() {
        const socket = this.socket;
        this.socket = null;
        if (socket) {
            try {
                socket.close();
            } catch (e) {
                // Already closed.
            }
        }
    }

    /** Lets the current connection go and counts it as lost. */
    drop() {
        this.closeSocket();
        this.lost();
    }

    /** The connection is gone: try again after a while, or stop and say so. */
    lost() {
        if (this.ended)
            return;
        this.stopTimers();
        this.welcomed = false;
        const address = this.env.address;
        // A game that has its winner is over: its host has nothing more to show.
        if (this.doc && isObject(this.doc.state) && this.doc.state.TalkStep === WINNER_STEP) {
            this.end(endingText({ kind: 'lost', address }));
            return;
        }
        this.attempts += 1;
        if (this.attempts > ATTEMPTS) {
            this.end(endingText({ kind: this.everWelcomed ? 'lost' : 'unanswered', address }));
            return;
        }
        if (this.handlers.status)
            this.handlers.status(endingText({ kind: this.everWelcomed ? 'retrying' : 'unanswered', address }));
        const wait = Math.min(LONGEST_RETRY_MS, FIRST_RETRY_MS * 2 ** (this.attempts - 1));
        this.retryTimer = this.env.setTimer(() => {
            this.retryTimer = null;
            this.connect();
        }, wait);
    }

    /**
     * The page is seen again (a phone woke, the network came back): a wait for the next
     * attempt ends at once, and a connection that cannot have outlived the time away is
     * replaced; the seats' tokens take the seats back even while the host still holds it.
     * @param {number} awayMs
     */
    wake(awayMs) {
        if (this.ended || this.code === '')
            return;
        if (this.retryTimer !== null) {
            this.connect();
        } else if (awayMs >= SILENT_MS && this.socket) {
            this.closeSocket();
            this.connect();
        }
    }

    /** The page's people leave this game: nothing more is sent, tried or told. */
    leave() {
        this.ended = true;
        this.stopTimers();
        this.closeSocket();
    }

    /** @param {string} text */
    end(text) {
        if (this.ended)
            return;
        this.ended = true;
        this.stopTimers();
        this.closeSocket();
        if (this.handlers.ended)
            this.handlers.ended(text);
    }

    /**
     * A frame from the host.
     * @param {string} text
     */
    received(text) {
        const m = readHostMessage(text);
        const address = this.env.address;
        if (typeof m === 'string') {
            this.end(endingText({ kind: 'fault', address }));
            return;
        }
        if (m.type === 'refused') {
            // A refusal is not undone by trying again: the next reload shows the form.
            this.keepJoin(false);
            // A token the host no longer knows (the seat was let back in elsewhere) would be
            // refused forever; without it the player may be let back in by his name.
            if (m.reason === 'wrong-token')
                this.forgetTokens(this.names);
            this.end(endingText({ kind: 'refused', reason: m.reason, hostVersion: m.version }));
            return;
        }
        if (!this.welcomed && m.type !== 'welcome') {
            this.end(endingText({ kind: 'fault', address }));
            return;
        }
        switch (m.type) {
            case 'welcome':
                if (m.version !== PROTOCOL_VERSION) {
                    this.keepJoin(false);
                    this.end(endingText({ kind: 'refused', reason: 'version', hostVersion: m.version }));
                    return;
                }
                this.welcomed = true;
                this.everWelcomed = true;
                this.attempts = 0;
                this.seats = m.seats;
                this.keepTokens(m.names, m.tokens);
                if (this.answerTimer !== null)
                    this.env.clearTimer(this.answerTimer);
                this.answerTimer = null;
                if (this.handlers.status)
                    this.handlers.status('');
                if (this.handlers.welcome)
                    this.handlers.welcome(m.seats);
                break;
            case 'seats':
                if (this.handlers.seats)
                    this.handlers.seats(m.seats, this.seats);
                break;
            case 'state': {
                const doc = saveDocument(m.save);
                if (!doc) {
                    this.end(endingText({ kind: 'fault', address }));
                    return;
                }
                // A state this page cannot seal again is drawn all the same: the host's reader
                // has checked it. Its moments then go unchecked until the next state.
                this.verify = checksumMatches(doc);
                this.stateHere = true;
                this.show(doc, true);
                break;
            }
            case 'moment': {
                if (!this.doc || !this.stateHere) {
                    this.drop();
                    return;
                }
                const next = applyMergePatch(this.doc, m.patch);
                if (!isObject(next) || (this.verify && !checksumMatches(next))) {
                    // The moment does not fit the game held here: a fresh state from the host
                    // replaces it rather than a wrong game being drawn.
                    this.drop();
                    return;
                }
                this.show(next, false);
                break;
            }
            case 'narration':
                if (this.handlers.narration)
                    this.handlers.narration(m.line);
                break;
            case 'sound':
                if (this.handlers.sound)
                    this.handlers.sound(m.file);
                break;
        }
    }

    /**
     * @param {JsonObject} doc
     * @param {boolean} whole
     */
    show(doc, whole) {
        this.doc = doc;
        if (this.handlers.game)
            this.handlers.game(doc, whole);
    }

    /**
     * The welcome's tokens, kept at once: a page closed a moment later takes its seats back.
     * @param {string[]} names
     * @param {string[]} tokens
     */
    keepTokens(names, tokens) {
        const fresh = names.map((n, i) => ({ key: this.tokenKey(n), token: tokens[i] }));
        const others = this.keptTokens().filter((e) => !fresh.some((f) => f.key === e.key));
        this.store(TOKENS_KEY, JSON.stringify([...fresh, ...others].slice(0, KEPT_TOKENS)));
    }

    /** @param {string[]} names */
    forgetTokens(names) {
        const keys = names.map((n) => this.tokenKey(n));
        this.store(TOKENS_KEY, JSON.stringify(this.keptTokens().filter((e) => !keys.includes(e.key))));
    }

    /**
     * Sends an input of one of the page's seats; false when there is no game to send it to,
     * or it comes faster than the page's pace.
     * @param {number} seat
     * @param {Action} action
     * @returns {boolean}
     */
    send(seat, action) {
        const socket = this.socket;
        if (!socket || socket.readyState !== OPEN || !this.welcomed || !this.doc || this.ended)
            return false;
        if (!this.seats.includes(seat) || !this.pace.take(this.env.now()))
            return false;
        socket.send(inputFrame(seat, action));
        return true;
    }
}
