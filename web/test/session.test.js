// @ts-check
// The page's connection walked without a browser: a fake host's sockets, storage and clock.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { Session, storedJoin, ANSWER_MS, ATTEMPTS } from '../session.js';
import { loadSave, stateOf } from './saves.js';

const TOKEN_A = 'q3kOe0bB0lYz1sJ7c2fH-A';
const TOKEN_B = 'Zz9_x8Yw7Vv6Uu5Tt4Ss3R';

class World {
    constructor() {
        this.now = 0;
        /** @type {{url: string, events: any, sent: string[], closed: boolean, readyState: number, send(d: string): void, close(): void}[]} */
        this.sockets = [];
        /** @type {{id: number, at: number, run: () => void}[]} */
        this.timers = [];
        this.nextTimer = 1;
        /** @type {Map<string, string>} */
        this.kept = new Map();
        /** @type {string[]} */
        this.said = [];
        /** @type {any[]} */
        this.drawn = [];
        /** @type {string | null} */
        this.ending = null;
    }

    session() {
        return new Session({
            open: (url, events) => {
                const socket = {
                    url, events, sent: /** @type {string[]} */ ([]), closed: false, readyState: 0,
                    send(/** @type {string} */ d) { this.sent.push(d); },
                    close() { this.closed = true; },
                };
                this.sockets.push(socket);
                return socket;
            },
            storage: { getItem: (k) => this.kept.get(k) ?? null, setItem: (k, v) => void this.kept.set(k, v) },
            now: () => this.now,
            setTimer: (run, ms) => {
                this.timers.push({ id: this.nextTimer, at: this.now + ms, run });
                return this.nextTimer++;
            },
            clearTimer: (id) => {
                this.timers = this.timers.filter((t) => t.id !== id);
            },
            url: 'ws://192.168.1.20:47410/',
            address: '192.168.1.20:47410',
        }, {
            status: (text) => void this.said.push(text),
            game: (doc) => void this.drawn.push(doc),
            ended: (text) => {
                this.ending = text;
            },
        });
    }

    /** The newest socket, opened by the host. */
    opened() {
        const s = this.sockets[this.sockets.length - 1];
        s.readyState = 1;
        s.events.open();
        return s;
    }

    /** @param {any} message */
    host(message) {
        this.sockets[this.sockets.length - 1].events.message(JSON.stringify(message));
    }

    /** @param {number} ms */
    advance(ms) {
        const end = this.now + ms;
        for (;;) {
            const due = this.timers.filter((t) => t.at <= end).sort((a, b) => a.at - b.at)[0];
            if (!due)
                break;
            this.timers = this.timers.filter((t) => t !== due);
            this.now = due.at;
            due.run();
        }
        this.now = end;
    }

    /** @param {number} i */
    hello(i) {
        return JSON.parse(this.sockets[i].sent[0]);
    }
}

const welcome = { type: 'welcome', version: 2, seats: [2, 3], names: ['ยาย', 'ตา'], tokens: [TOKEN_A, TOKEN_B] };

test('the seats\' tokens are kept at the welcome, and a reload takes the seats back with them', () => {
    const world = new World();
    const first = world.session();
    first.join('qrst-2345', ['ยาย', 'ตา']);
    assert.equal(world.sockets[0].url, 'ws://192.168.1.20:47410/');
    world.opened();
    assert.deepEqual(world.hello(0), { type: 'hello', version: 2, code: 'qrst-2345', names: ['ยาย', 'ตา'] });
    world.host(welcome);
    world.host({ type: 'state', save: stateOf('rank1') });
    assert.equal(world.drawn.length, 1);

    // Only the page's own seats, and never faster than its pace.
    assert.ok(!first.send(1, { kind: 'key', key: 83, shift: 0 }));
    let sent = 0;
    for (let i = 0; i < 25; ++i)
        sent += first.send(2, { kind: 'click', control: 'ImgTao', index: 2 }) ? 1 : 0;
    assert.equal(sent, 20);
    assert.deepEqual(JSON.parse(world.sockets[0].sent[1]),
        { type: 'input', seat: 2, kind: 'click', control: 'ImgTao', index: 2 });

    // The page is loaded again: it joins by itself, the code written another way.
    const kept = storedJoin({ getItem: (k) => world.kept.get(k) ?? null });
    assert.deepEqual(kept, { code: 'qrst-2345', names: ['ยาย', 'ตา'], auto: true });
    const again = world.session();
    again.join('QRST 2345', ['ตา', 'ยาย']);
    world.opened();
    assert.deepEqual(world.hello(1).tokens, [TOKEN_B, TOKEN_A]);
    // Another game's code takes nothing of this one's.
    world.session().join('ABCD2345', ['ยาย']);
    world.opened();
    assert.equal(world.hello(2).tokens, undefined);
});

test('a lost connection comes back by itself, waiting longer each time, and says so in Thai', () => {
    const world = new World();
    const session = world.session();
    session.join('QRST2345', ['ยาย']);
    world.opened();
    world.host({ ...welcome, seats: [2], names: ['ยาย'], tokens: [TOKEN_A] });
    world.host({ type: 'state', save: stateOf('rank1') });
    world.sockets[0].events.closed();
    assert.equal(world.said[world.said.length - 1],
        'การเชื่อมต่อกับเจ้าของเกมที่ 192.168.1.20:47410 ขาดหาย กำลังเชื่อมต่อใหม่…');
    // Each failure waits twice as long: 1 s, 2 s, 4 s.
    const opensAfter = (/** @type {number} */ ms) => {
        const before = world.sockets.length;
        world.advance(ms - 1);
        assert.equal(world.sockets.length, before, `not before ${ms} ms`);
        world.advance(1);
        assert.equal(world.sockets.length, before + 1, `after ${ms} ms`);
    };
    opensAfter(1000);
    world.sockets[1].events.closed();
    opensAfter(2000);
    // A host that never answers the hello is given up after the desktop's wait.
    world.opened();
    world.advance(ANSWER_MS);
    assert.ok(world.sockets[2].closed);
    opensAfter(4000);
    world.opened();
    assert.deepEqual(world.hello(3).tokens, [TOKEN_A]);
    world.host({ ...welcome, seats: [2], names: ['ยาย'], tokens: [TOKEN_A] });
    assert.equal(world.said[world.said.length - 1], '', 'the wait is over once welcomed');
    world.host({ type: 'state', save: stateOf('offer') });
    assert.equal(world.drawn.length, 2);
    // Welcomed again, the waits start again from one second.
    world.sockets[3].events.closed();
    opensAfter(1000);

    // A page seen again after a long sleep does not wait for its connection to fail.
    world.opened();
    session.wake(60000);
    assert.ok(world.sockets[4].closed);
    assert.equal(world.sockets.length, 6);

    // After every attempt has failed the page says the host is lost, and stops.
    for (let i = 0; i <= ATTEMPTS; ++i) {
        world.sockets[world.sockets.length - 1].events.closed();
        world.advance(15000);
    }
    assert.equal(world.ending, 'การเชื่อมต่อกับเจ้าของเกมที่ 192.168.1.20:47410 ขาดหาย');
    assert.equal(world.timers.length, 0);
});

test('a game with its winner is over when the host goes', () => {
    const world = new World();
    world.session().join('QRST2345', ['ยาย']);
    world.opened();
    world.host({ ...welcome, seats: [2], names: ['ยาย'], tokens: [TOKEN_A] });
    const won = loadSave('card');
    won.state.TalkStep = 17;
    world.host({ type: 'state', save: Buffer.from(JSON.stringify(won)).toString('base64') });
    world.sockets[0].events.closed();
    assert.equal(world.ending, 'การเชื่อมต่อกับเจ้าของเกมที่ 192.168.1.20:47410 ขาดหาย');
    assert.equal(world.timers.length, 0);
});

test('a refusal ends the join at once in the desktop\'s Thai words, and the next visit shows the form', () => {
    const cases = [
        [{ reason: 'no-free-seat' }, 'เจ้าของเกมไม่รับ: ไม่มีที่นั่งว่าง'],
        [{ reason: 'wrong-code' }, 'เจ้าของเกมไม่รับ: รหัสเข้าร่วมไม่ถูกต้อง'],
        [{ reason: 'wrong-token' }, 'เจ้าของเกมไม่รับ: ที่นั่งนี้เป็นของผู้เล่นคนอื่น'],
        [{ reason: 'version', version: 3 },
            'เจ้าของเกมไม่รับ: เกมของเจ้าของเกมสื่อสารรุ่น 3 แต่เกมนี้สื่อสารรุ่น 2 กรุณาใช้เกมรุ่นเดียวกัน'],
    ];
    for (const [refusal, text] of cases) {
        const world = new World();
        world.kept.set('kroda.tokens', JSON.stringify([
            { key: '192.168.1.20:47410|QRST2345|ยาย', token: TOKEN_A },
            { key: '192.168.1.20:47410|QRST2345|ตา', token: TOKEN_B },
        ]));
        world.session().join('QRST2345', ['ยาย']);
        world.opened();
        assert.deepEqual(world.hello(0).tokens, [TOKEN_A]);
        world.host({ type: 'refused', ...refusal });
        assert.equal(world.ending, text);
        assert.ok(world.sockets[0].closed);
        assert.equal(world.timers.length, 0, 'no attempt follows a refusal');
        assert.equal(storedJoin({ getItem: (k) => world.kept.get(k) ?? null })?.auto, false);
        // A token the host no longer knows is forgotten, so that the player may be let back
        // in by name; any other refusal keeps it.
        const again = world.session();
        again.join('QRST2345', ['ยาย', 'ตา']);
        world.opened();
        const stale = /** @type {any} */ (refusal).reason === 'wrong-token';
        assert.deepEqual(world.hello(1).tokens, stale ? ['', TOKEN_B] : [TOKEN_A, TOKEN_B]);
    }
    // A welcome of another version is told as the host's refusal of this one would be.
    const world = new World();
    world.session().join('QRST2345', ['ยาย']);
    world.opened();
    world.host({ type: 'welcome', version: 7, whatever: true });
    assert.match(String(world.ending), /สื่อสารรุ่น 7 แต่เกมนี้สื่อสารรุ่น 2/);
    // Anything but a welcome or a refusal first breaks the protocol.
    const early = new World();
    early.session().join('QRST2345', ['ยาย']);
    early.opened();
    early.host({ type: 'state', save: stateOf('rank1') });
    assert.equal(early.ending, 'ข้อมูลจากเจ้าของเกมที่ 192.168.1.20:47410 เสียหาย เกมจึงหยุดเล่น');
    assert.equal(early.drawn.length, 0);
});

test('a moment that does not fit the game held brings a fresh state instead of a wrong game', () => {
    const world = new World();
    world.session().join('QRST2345', ['ยาย']);
    world.opened();
    world.host({ ...welcome, seats: [1], names: ['ยาย'], tokens: [TOKEN_A] });
    world.host({ type: 'state', save: stateOf('rank1') });
    const before = loadSave('rank1');
    const after = loadSave('rank1-thrown');
    // The host's patch: what changed, objects member by member.
    const patch = {
        checksum: after.checksum,
        clock: after.clock,
        random: after.random,
        timers: after.timers,
        state: { Die1: after.state.Die1, Die2: after.state.Die2, AnimMode: after.state.AnimMode, BlinkFlag: after.state.BlinkFlag },
        window: { ImgTao: after.window.ImgTao, LblKeyT: after.window.LblKeyT, KeyPreview: after.window.KeyPreview },
        scripted: after.scripted,
    };
    for (const key of Object.keys(after.state))
        if (JSON.stringify(after.state[key]) !== JSON.stringify(before.state[key]))
            /** @type {any} */ (patch.state)[key] = after.state[key];
    world.host({ type: 'moment', patch });
    assert.equal(world.drawn.length, 2);
    assert.deepEqual(world.drawn[1], after);

    // The same patch again no longer fits: nothing is drawn, and the page comes back for a state.
    world.host({ type: 'moment', patch: { ...patch, state: { Die1: 2 } } });
    assert.equal(world.drawn.length, 2);
    assert.ok(world.sockets[0].closed);
    world.advance(1000);
    world.opened();
    world.host({ ...welcome, seats: [1], names: ['ยาย'], tokens: [TOKEN_A] });
    // A moment before this connection's state builds on nothing.
    world.host({ type: 'moment', patch: {} });
    assert.ok(world.sockets[1].closed);
    assert.equal(world.drawn.length, 2);
    assert.equal(world.ending, null);
});
