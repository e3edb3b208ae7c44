// @ts-check
// The page: the join form, the seats while the host gathers its players, then the host's game
// drawn on the board's canvas with the narrator's line and the seat's buttons under it. It
// runs no rules: taps, buttons and keys become the same inputs the desktop client sends, and
// every picture of the game comes from the host's own document.

import { BoardCanvas } from './canvas.js';
import { deedCardFor, moneyFormatOf } from './deed_card.js';
import { frameOps, hitAt } from './draw_list.js';
import { fitBoard } from './fit.js';
import { keyInput, actingSeat } from './keys.js';
import { codeOf, namesOf, plainCode, seatLine } from './protocol.js';
import { actions, readGame, seatKeys, windowLoaded, SECOND_DIE, FIRST_DIE } from './save_view.js';
import { Session, storedJoin } from './session.js';

/**
 * @typedef {import('./save_view.js').GameView} GameView
 * @typedef {import('./save_view.js').DeedCard} DeedCard
 * @typedef {import('./protocol.js').Action} Action
 */

/**
 * @template {HTMLElement} T
 * @param {string} id
 * @param {new () => T} type
 * @returns {T}
 */
function element(id, type) {
    const e = document.getElementById(id);
    if (!(e instanceof type))
        throw new Error(`the page has no ${id}`);
    return e;
}

const form = element('join-form', HTMLFormElement);
const codeBox = element('code', HTMLInputElement);
const name1Box = element('name1', HTMLInputElement);
const name2Box = element('name2', HTMLInputElement);
const waitingTitle = element('waiting-title', HTMLElement);
const seatsList = element('seats', HTMLUListElement);
const game = element('game', HTMLElement);
const board = element('board', HTMLCanvasElement);
const line = element('line', HTMLElement);
const message = element('message', HTMLElement);
const throwButton = element('throw', HTMLButtonElement);
const buyButton = element('buy', HTMLButtonElement);
const declineButton = element('decline', HTMLButtonElement);
const closeCardButton = element('closecard', HTMLButtonElement);
const againButton = element('again', HTMLButtonElement);
const narration = element('narration', HTMLOListElement);

/** @param {'join' | 'waiting' | 'playing' | 'ended'} phase */
function setPhase(phase) {
    document.body.dataset.phase = phase;
    if (phase === 'playing' || phase === 'ended')
        layOut();
}

/** @param {string} text */
function say(text) {
    message.textContent = text;
}

const storage = (() => {
    try {
        return window.localStorage;
    } catch (e) {
        return null;
    }
})();

// ---- What the page holds ----------------------------------------------------------------

/** @type {GameView | null} */
let view = null;
/** @type {DeedCard | null} */
let localDeed = null;
/** @type {number[]} */
let ownSeats = [];
let framePending = false;
let firstFrameMarked = false;
/** An input went out and the host's answer has not been drawn yet. */
let answerAwaited = false;
/** The frame being drawn shows the host's answer to an input. */
let answerDue = false;
let fontsReady = false;

const canvas = new BoardCanvas(board, () => redraw());

const session = new Session({
    open: (url, events) => {
        const socket = new WebSocket(url);
        socket.onopen = () => events.open();
        socket.onmessage = (e) => events.message(e.data);
        socket.onclose = () => events.closed();
        return socket;
    },
    storage,
    now: () => performance.now(),
    setTimer: (run, ms) => window.setTimeout(run, ms),
    clearTimer: (id) => window.clearTimeout(id),
    url: (location.protocol === 'https:' ? 'wss://' : 'ws://') + location.host + '/',
    address: location.host,
}, {
    waiting() {
        if (document.body.dataset.phase !== 'playing') {
            waitingTitle.textContent = `กำลังเชื่อมต่อกับ ${location.host}…`;
            seatsList.replaceChildren();
            setPhase('waiting');
        }
    },
    welcome(seats) {
        ownSeats = seats;
        document.body.dataset.seats = seats.join(',');
        waitingTitle.textContent = 'เข้าร่วมแล้ว รอเจ้าของเกมเริ่มเกม…';
    },
    seats(seats, own) {
        seatsList.replaceChildren(...seats.map((e) => {
            const item = document.createElement('li');
            item.textContent = seatLine(e, own);
            return item;
        }));
    },
    game(doc, whole) {
        view = readGame(doc);
        if (!windowLoaded(view))
            return;
        if (document.body.dataset.phase !== 'playing') {
            setPhase('playing');
            game.classList.add('held');
        }
        showActions();
        if (!whole && answerAwaited) {
            // The host's answer to the person's tap or key is shown without waiting a frame.
            answerAwaited = false;
            answerDue = true;
            drawFrame();
            return;
        }
        redraw();
    },
    narration(text) {
        const item = document.createElement('li');
        item.textContent = text;
        narration.append(item);
    },
    sound(file) {
        play(file);
    },
    status(text) {
        say(text);
    },
    ended(text) {
        say(text);
        setPhase('ended');
        hideActions();
    },
});

// ---- Joining ----------------------------------------------------------------------------

/**
 * @param {string} code
 * @param {string[]} names
 */
function join(code, names) {
    say('');
    ownSeats = [];
    view = null;
    localDeed = null;
    game.classList.remove('held');
    delete document.body.dataset.seats;
    session.join(code, names);
}

form.addEventListener('submit', (event) => {
    event.preventDefault();
    const code = codeOf(codeBox.value);
    if (code === null) {
        say('กรุณาใส่รหัสเข้าร่วม');
        codeBox.focus();
        return;
    }
    const names = namesOf(name1Box.value, name2Box.value);
    if ('problem' in names) {
        say(names.problem);
        return;
    }
    join(code, names.names);
});

againButton.addEventListener('click', () => {
    say('');
    setPhase('join');
});

/** The join code of the link the host shows, which rides after "#" and never reaches it. */
function codeOfLink() {
    try {
        return decodeURIComponent(location.hash.replace(/^#/, '')).trim();
    } catch (e) {
        return '';
    }
}

// A link to another game opened in this page (its code after "#") leaves the game held here
// for the form, filled with the new code.
window.addEventListener('hashchange', () => {
    const code = codeOfLink();
    if (code === '' || plainCode(code) === plainCode(session.code))
        return;
    session.leave();
    codeBox.value = code;
    say('');
    hideActions();
    game.classList.remove('held');
    setPhase('join');
    name1Box.focus();
});

function start() {
    const fromLink = codeOfLink();
    const kept = storedJoin(storage);
    codeBox.value = fromLink || (kept ? kept.code : '');
    if (kept) {
        name1Box.value = kept.names[0] || '';
        name2Box.value = kept.names[1] || '';
    }
    const sameGame = kept && (fromLink === '' || plainCode(fromLink) === plainCode(kept.code));
    if (kept && kept.auto && sameGame && codeOf(kept.code) !== null && kept.names.length > 0) {
        join(kept.code, kept.names);
        return;
    }
    setPhase('join');
    (codeBox.value === '' ? codeBox : name1Box).focus();
}

// ---- Drawing ----------------------------------------------------------------------------

function redraw() {
    if (framePending)
        return;
    framePending = true;
    requestAnimationFrame(() => {
        framePending = false;
        drawFrame();
    });
}

/** Draws the frame at once: the next display shows it, a frame sooner than one drawn when the
 * next animation frame begins. */
function drawFrame() {
    if (!view || !windowLoaded(view))
        return;
    const shown = view;
    const waiting = canvas.draw(frameOps(shown, localDeed, (font, text) => canvas.measure(font, text)));
    line.textContent = shown.dialog.text;
    if (!firstFrameMarked && waiting === 0 && fontsReady) {
        firstFrameMarked = true;
        performance.mark('kroda-first-frame');
    }
    if (answerDue) {
        answerDue = false;
        performance.mark('kroda-answer');
    }
}

function layOut() {
    const width = document.documentElement.clientWidth || window.innerWidth;
    const height = window.innerHeight;
    const fit = fitBoard(width, height, window.devicePixelRatio || 1);
    game.classList.toggle('beside', !fit.upright);
    canvas.resize(fit);
    redraw();
}

window.addEventListener('resize', () => layOut());
if (window.matchMedia) {
    // A move to a screen of another density changes no size, only the pixel ratio.
    const watchRatio = () => {
        const query = window.matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`);
        query.addEventListener('change', () => {
            layOut();
            watchRatio();
        }, { once: true });
    };
    watchRatio();
}

const fonts = document.fonts;
Promise.all(['13px Loma', 'bold 13px Loma', 'bold 18px Loma', '16px Loma']
    .map((f) => fonts.load(f).catch(() => [])))
    .then(() => {
        fontsReady = true;
        canvas.fontsChanged();
        redraw();
    });

// ---- Acting -----------------------------------------------------------------------------

/**
 * @param {number} seat
 * @param {Action} action
 */
function send(seat, action) {
    if (session.send(seat, action))
        answerAwaited = true;
}

function hideActions() {
    for (const b of [throwButton, buyButton, declineButton, closeCardButton])
        b.hidden = true;
}

function showActions() {
    if (!view)
        return;
    const now = actions(view, ownSeats);
    // With two people here the buttons say whose turn they act for.
    const whose = ownSeats.length > 1 && view.players[now.seat - 1]
        ? ` (${view.players[now.seat - 1].name})` : '';
    throwButton.textContent = 'ทอยลูกเต๋า' + whose;
    throwButton.hidden = now.throwDie === null;
    buyButton.hidden = !now.offer;
    declineButton.hidden = !now.offer;
    closeCardButton.hidden = !now.card;
}

/** The seat the page's clicks act for. */
function clickSeat() {
    return view ? actingSeat(view.currentPlayer, ownSeats) : ownSeats[0];
}

throwButton.addEventListener('click', () => {
    if (!view)
        return;
    const now = actions(view, ownSeats);
    if (now.throwDie !== null)
        send(now.seat, { kind: 'click', control: 'ImgTao', index: now.throwDie });
});
buyButton.addEventListener('click', () => {
    if (view)
        send(clickSeat(), { kind: 'click', control: 'ImgTao', index: FIRST_DIE });
});
declineButton.addEventListener('click', () => {
    if (view)
        send(clickSeat(), { kind: 'click', control: 'ImgTao', index: SECOND_DIE });
});
closeCardButton.addEventListener('click', () => {
    if (view)
        send(clickSeat(), { kind: 'click', control: 'TxtCrd', index: 0 });
});

board.addEventListener('click', (event) => {
    if (!view)
        return;
    // The deed card this page opened closes at any tap, and takes the tap with it.
    if (localDeed) {
        localDeed = null;
        redraw();
        return;
    }
    const p = canvas.gamePoint(event.clientX, event.clientY);
    const hit = hitAt(view, p.x, p.y);
    if (!hit)
        return;
    switch (hit.kind) {
        case 'card':
            send(clickSeat(), { kind: 'click', control: 'TxtCrd', index: 0 });
            break;
        case 'deedClose':
            send(clickSeat(), { kind: 'click', control: 'LblClose', index: 0 });
            break;
        case 'die':
            send(clickSeat(), { kind: 'click', control: 'ImgTao', index: hit.index });
            break;
        case 'narrator':
            send(clickSeat(), { kind: 'click', control: 'ImgDescripter', index: 0 });
            break;
        case 'square':
            localDeed = deedCardFor(view, hit.index + 1, moneyFormatOf(view));
            redraw();
            break;
        case 'deed':
            break;
    }
});

document.addEventListener('keydown', (event) => {
    soundAllowed = true;
    if (document.body.dataset.phase !== 'playing' || !view || event.metaKey)
        return;
    if (event.target instanceof HTMLInputElement || event.target instanceof HTMLButtonElement &&
        (event.key === 'Enter' || event.key === ' '))
        return;
    const input = keyInput(event, seatKeys(view), view.currentPlayer, ownSeats);
    if (!input)
        return;
    // Keys that would scroll the page or move the focus are the game's while it is played;
    // the browser keeps its own shortcuts and function keys.
    if (!event.ctrlKey && !event.altKey && !/^F[0-9]+$/.test(event.key))
        event.preventDefault();
    send(input.seat, { kind: 'key', key: input.key, shift: input.shift });
});

// ---- Sounds -----------------------------------------------------------------------------

/** Browsers play nothing before the person has touched the page. */
let soundAllowed = false;
document.addEventListener('pointerdown', () => {
    soundAllowed = true;
}, { capture: true });

/** @param {string} file */
function play(file) {
    if (!soundAllowed || document.hidden)
        return;
    const sound = new Audio('/sound/' + encodeURIComponent(file));
    sound.play().catch(() => {});
}

// ---- Coming back ------------------------------------------------------------------------

let hiddenSince = document.hidden ? performance.now() : -1;
document.addEventListener('visibilitychange', () => {
    if (document.hidden) {
        hiddenSince = performance.now();
        return;
    }
    const away = hiddenSince < 0 ? 0 : performance.now() - hiddenSince;
    hiddenSince = -1;
    session.wake(away);
    layOut();
});
window.addEventListener('online', () => session.wake(0));
window.addEventListener('pageshow', (event) => {
    // A page brought back from the browser's cache has lost its connection on the way.
    if (event.persisted)
        session.wake(Number.POSITIVE_INFINITY);
});

layOut();
start();
