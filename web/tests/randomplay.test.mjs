// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// Random games on the page, opened from disk with the network off, in
// Chromium, Firefox and WebKit: each event a real click, key, wheel turn,
// window size or the page opened again, and after every one the page is
// compared with the reference model the desktop's random play uses
// (compiled for node: the same rules, not a second copy). A page process
// that crashes or hangs fails the game as a difference does. SOAK_EVENTS=N
// plays N events in each browser instead; PLAY_SEED=S replays the one game
// a failure names.
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { describe as suite, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { engines, within } from './engines.mjs';

const quizModel = createRequire(import.meta.url)('./quizmodel.cjs')();
const pageUrl = pathToFileURL(process.env.TEMBRELA_PAGE).href;

const eventsPerGame = 60;
const ciGames = 15;
const firstSeed = 9000000;

const voices = ['бас', 'мецосопран', 'сопран', 'тенор'];
const keys = ['1', '2', '3', '4', 'Tab', 'Shift+Tab', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight',
    'Home', 'End', 'PageUp', 'PageDown', ' ', 'Enter'];
// First letters of names, one in lower case, and one no name starts with.
const letters = ['А', 'Б', 'Е', 'М', 'Н', 'Ф', 'Ч', 'е', 'Ж'];
// Below 464 CSS pixels the form stacks, as on a phone.
const windows = [{ width: 1280, height: 800 }, { width: 390, height: 844 }];

// Weights out of 100: mostly choices, picks and keys, as a class plays.
const weights = [['clickVoice', 20], ['clickRow', 20], ['key', 35], ['letter', 7], ['clickRestart', 3],
    ['clickListSpace', 3], ['wheel', 6], ['resize', 4], ['reopen', 2]];

// A small seeded generator (mulberry32): the same seed, the same game.
function generator(seed) {
    let state = (seed ^ Math.floor(seed / 2 ** 32)) >>> 0;
    return () => {
        state = (state + 0x6d2b79f5) >>> 0;
        let t = Math.imul(state ^ (state >>> 15), state | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return (t ^ (t >>> 14)) >>> 0;
    };
}

function randomGame(seed) {
    const random = generator(seed);
    return Array.from({ length: eventsPerGame }, () => {
        let roll = random() % 100;
        const [kind] = weights.find(([, weight]) => (roll -= weight) < 0);
        return { kind, a: random(), b: random() };
    });
}

function describe({ kind, a, b }) {
    const what = {
        clickVoice: `click voice ${voices[a % 4]}`,
        clickRow: 'click a performer row, scrolled into view',
        key: `key ${JSON.stringify(keys[a % keys.length])}`,
        letter: `type the letter ${letters[a % letters.length]}`,
        clickRestart: 'click Изчисти',
        clickListSpace: 'click the list below its last row',
        wheel: `wheel the list ${a % 2 ? 'up' : 'down'}`,
        resize: `window to ${windows[a % 2].width}×${windows[a % 2].height}`,
        reopen: 'open the page again',
    }[kind];
    return `${what} [${a}, ${b}]`;
}

// The driver's eyes in the page, put there once it has loaded, so that
// each look is one call.
function installDriver() {
    const list = document.querySelector('[role=listbox]');
    const log = document.querySelector('textarea');
    const radios = [...document.querySelectorAll('[type=radio]')];
    // Resolves once no scroll has moved for three animation frames: Firefox
    // scrolls smoothly, and the page reveals its cursor at the next frame.
    // Counted in frames, and given up after 600, as the comparison that
    // follows says what a page that never stands still shows.
    const settle = () => new Promise(resolve => {
        let last = '';
        let still = 0;
        let frames = 0;
        const frame = () => {
            const now = [list.scrollTop, log.scrollTop, scrollX, scrollY].join();
            still = now === last ? still + 1 : 0;
            last = now;
            if (still >= 3 || ++frames > 600) resolve();
            else requestAnimationFrame(frame);
        };
        requestAnimationFrame(frame);
    });
    window.playDriver = {
        // What the learner sees, and where the keys are: the focused
        // control and the list's cursor row (-1 for none).
        async look() {
            await settle();
            const rows = [...list.children];
            const active = document.activeElement;
            const cursorId = list.getAttribute('aria-activedescendant');
            return {
                log: log.value,
                names: rows.map(row => row.textContent),
                checked: radios.map(radio => radio.checked),
                selected: document.querySelectorAll('[aria-selected=true]').length,
                cursor: cursorId === null ? -1 : rows.findIndex(row => row.id === cursorId),
                focus: active === list ? 'list' : active === log ? 'log'
                    : active.tagName === 'BUTTON' ? 'restart'
                        : radios.includes(active) ? `voice ${radios.indexOf(active)}` : 'page',
            };
        },
        // A point, placed by SEED, inside the part of the INDEXth element
        // of SELECTOR that shows once it is scrolled into view; its centre
        // when that point falls on something else. Whole pixels, as a
        // mouse points and WebDriver takes them: WebKit gives a pixel at a
        // box's edge to its neighbour, where its fractional box ends.
        async aim(selector, index, seed) {
            const element = document.querySelectorAll(selector)[index];
            element.scrollIntoView({ block: 'nearest' });
            await settle();
            const box = element.getBoundingClientRect();
            const inList = element.parentElement === list;
            const frame = inList ? list.getBoundingClientRect() : { left: 0, top: 0, right: innerWidth, bottom: innerHeight };
            const left = Math.max(box.left, frame.left, 0);
            const top = Math.max(box.top, frame.top, 0);
            // Not on the list's scroll bar.
            const right = Math.min(box.right, inList ? frame.right - 20 : frame.right, innerWidth);
            const bottom = Math.min(box.bottom, frame.bottom, innerHeight);
            const x = Math.round(left + 1 + (seed % Math.max(1, right - left - 2)));
            const y = Math.round(top + 1 + (Math.floor(seed / 7919) % Math.max(1, bottom - top - 2)));
            const hit = document.elementFromPoint(x, y);
            return hit && element.contains(hit) ? { x, y }
                : { x: Math.round((box.left + box.right) / 2), y: Math.round((box.top + box.bottom) / 2) };
        },
        // A point in the list below its last row, or nothing where the rows
        // fill it.
        listSpace(seed) {
            const box = list.getBoundingClientRect();
            const top = Math.max(list.lastElementChild?.getBoundingClientRect().bottom + 1 || box.top + 2, 0);
            const bottom = Math.min(box.bottom - 3, innerHeight);
            const x = Math.round(box.left + 3 + (seed % (box.width - 26)));
            const y = Math.round(top + (seed % Math.max(1, bottom - top)));
            return bottom - top < 1 || document.elementFromPoint(x, y) !== list ? null : { x, y };
        },
        // The middle of what shows of the list.
        overList() {
            const box = list.getBoundingClientRect();
            return { x: Math.round(box.left + box.width / 2),
                y: Math.round((Math.max(box.top, 0) + Math.min(box.bottom, innerHeight)) / 2) };
        },
    };
}

const look = tab => tab.evaluate(() => window.playDriver.look());

async function clickInto(tab, selector, index, seed) {
    const { x, y } = await tab.evaluate((...aim) => window.playDriver.aim(...aim), selector, index, seed);
    await tab.clickAt(x, y);
}

// What a key does, from where the keys are before it: the page's own
// behaviour, so the model hears the learner's act and judges it itself.
function keyAct(key, before) {
    if (/^[1-4]$/.test(key))
        return { choose: Number(key) - 1 };
    const press = key === ' ' || key === 'Enter';
    if (before.focus === 'list' && press && before.names.length > 0)
        return { pick: before.cursor };
    // A button takes Enter as well as Space.
    if (before.focus === 'restart' && press)
        return { restart: true };
    const voice = /^voice (\d)$/.exec(before.focus);
    if (voice) {
        const k = Number(voice[1]);
        // The arrows step round the group and choose where they land.
        const step = { ' ': 0, ArrowDown: 1, ArrowRight: 1, ArrowUp: 3, ArrowLeft: 3 }[key];
        if (step !== undefined)
            return { choose: (k + step) % 4 };
    }
    return {};
}

// Sends one event and returns the learner's act with a note of what it
// did; its numbers are read against the page as it now stands.
async function send(tab, event, before) {
    const { kind, a, b } = event;
    switch (kind) {
    case 'clickVoice':
        await clickInto(tab, '.voice', a % 4, b);
        return { choose: a % 4 };
    case 'clickRow': {
        if (before.names.length === 0)
            return { note: 'no row to click' };
        const row = a % before.names.length;
        await clickInto(tab, '[role=option]', row, b);
        return { pick: row };
    }
    case 'clickRestart':
        await clickInto(tab, '.restart', 0, b);
        return { restart: true };
    case 'clickListSpace': {
        const space = await tab.evaluate(seed => window.playDriver.listSpace(seed), b);
        if (!space)
            return { note: 'the rows fill the list' };
        await tab.clickAt(space.x, space.y);
        return {};
    }
    case 'wheel': {
        const { x, y } = await tab.evaluate(() => window.playDriver.overList());
        await tab.wheelAt(x, y, a % 2 ? -120 : 120);
        return {};
    }
    case 'resize':
        await tab.resize(windows[a % 2]);
        return {};
    case 'reopen':
        await tab.reopen();
        await tab.evaluate(installDriver);
        return { reopen: true };
    case 'letter':
        await tab.type(letters[a % letters.length]);
        return {};
    case 'key': {
        const key = keys[a % keys.length];
        // Headless Firefox never gives the keys back to a page that
        // tabbed out of it into its own bar: stay between the log and the
        // voices.
        if ((key === 'Tab' && /^(voice|page)/.test(before.focus))
            || (key === 'Shift+Tab' && /^(log|page)$/.test(before.focus)))
            return { note: `skipped: would leave the page from ${before.focus}` };
        await tab.press(key);
        return keyAct(key, before);
    }
    }
    throw new Error(`no such event: ${kind}`);
}

// The first difference between the page and the model, if any.
function compare(seen, model) {
    const differs = (what, page, expected) =>
        `${what}: page has ${JSON.stringify(page)}, model has ${JSON.stringify(expected)}`;
    // The log shows each CR LF as one line break.
    const log = model.log().replaceAll('\r\n', '\n');
    if (seen.log !== log)
        return differs('log', seen.log, log);
    const names = model.names();
    if (JSON.stringify(seen.names) !== JSON.stringify(names))
        return differs('performers', seen.names, names);
    const checked = voices.map((_, k) => k === model.shownVoice());
    if (JSON.stringify(seen.checked) !== JSON.stringify(checked))
        return differs('checked voices', seen.checked, checked);
    if (seen.selected !== 0)
        return differs('rows left selected', seen.selected, 0);
    // The cursor rests on a row whenever there are rows, and on none after
    // the last is gone.
    if (names.length > 0 ? seen.cursor < 0 || seen.cursor >= names.length : seen.cursor !== -1)
        return differs('cursor row', seen.cursor, `one of ${names.length}`);
    return null;
}

// Plays EVENTS on a fresh page and a fresh model; returns the first
// failure and a note of what each event did. A page that crashes or stops
// answering fails after the event it was sent last.
async function play(engine, events) {
    const Model = (await quizModel).QuizModel;
    let model = new Model();
    const notes = [];
    let sent = 0;
    let tab;
    let broken = false;
    // What the page shows, and the first fault it raised.
    const observe = () => within((async () => [await look(tab), (await tab.faults)[0]])(), 'looking at the page');
    try {
        tab = await within(engine.open(pageUrl, windows[0]), 'opening the page');
        await within(tab.evaluate(installDriver), 'looking at the page');
        let [before, fault] = await observe();
        let failure = fault ?? compare(before, model);
        if (failure)
            return { failure: `after load: ${failure}`, notes };
        for (const [i, event] of events.entries()) {
            sent = i + 1;
            const act = await within(send(tab, event, before), describe(event));
            if (act.choose !== undefined)
                model.chooseVoice(act.choose);
            else if (act.pick !== undefined)
                model.pickRow(act.pick);
            else if (act.restart)
                model.restart();
            else if (act.reopen) {
                model.delete();
                model = new Model();
            }
            notes.push(act.note ?? (act.choose !== undefined ? `choose ${voices[act.choose]}`
                : act.pick !== undefined ? `pick row ${act.pick} (${before.names[act.pick]})`
                    : act.restart ? 'restart' : act.reopen ? 'a fresh form' : `nothing, keys at ${before.focus}`));
            [before, fault] = await observe();
            failure = fault ?? compare(before, model);
            if (failure)
                return { failure: `after event ${i + 1} (${describe(event)}): ${failure}`, notes };
        }
        return { failure: null, notes };
    } catch (error) {
        broken = true;
        const where = sent > 0 ? `after event ${sent} (${describe(events[sent - 1])})` : 'after load';
        return { failure: [`${where}: the page crashed or hung: ${error.message}`, ...engine.said?.() ?? []]
            .join('\n'), notes };
    } finally {
        model.delete();
        // A crashed page's session may be gone already, and a hung one may
        // hold the browser: the next game starts in a fresh one.
        if (tab)
            await within(tab.close(), 'closing the page').catch(error => { if (!broken) throw error; });
        if (broken) {
            await engine.stop();
            await engine.start();
        }
    }
}

// Drops ever smaller runs of events while the failure stays, as the
// desktop's random play cuts its own.
async function shrink(events, fails) {
    for (let run = Math.floor(events.length / 2); run >= 1; run = Math.floor(run / 2)) {
        for (let start = 0; start + run <= events.length;) {
            const shorter = [...events.slice(0, start), ...events.slice(start + run)];
            if (await fails(shorter))
                events = shorter;
            else
                start += run;
        }
    }
    return events;
}

function seeds() {
    if (process.env.PLAY_SEED)
        return [Number(process.env.PLAY_SEED)];
    const soak = Number(process.env.SOAK_EVENTS);
    const games = soak > 0 ? Math.ceil(soak / eventsPerGame) : ciGames;
    return Array.from({ length: games }, (_, game) => firstSeed + game);
}

// The engines play side by side: each waits mostly for the frames of its
// own page, so three take little longer than one.
suite('random games', { concurrency: true }, () => {
    const playing = (process.env.TEMBRELA_ENGINES ?? 'chromium,firefox,webkit').split(',');
    for (const [engineName, title] of [['chromium', 'Chromium'], ['firefox', 'Firefox'], ['webkit', 'WebKit']]
        .filter(([name]) => playing.includes(name))) {
        test(`in ${title} match the model`, async () => {
            const engine = engines[engineName];
            const started = performance.now();
            await engine.start();
            try {
                const played = seeds();
                for (const seed of played) {
                    const events = randomGame(seed);
                    const { failure } = await play(engine, events);
                    if (!failure)
                        continue;
                    // Named at once: shrinking a page that hangs may outlast the test's time.
                    console.log(`${title}, seed ${seed}: ${failure}`);
                    const failedAt = Number(/^after event (\d+)/.exec(failure)?.[1] ?? 0);
                    const shortest = await shrink(events.slice(0, failedAt),
                        async tried => (await play(engine, tried)).failure !== null);
                    const again = await play(engine, shortest);
                    const steps = shortest.map((event, i) => `  ${i + 1}. ${describe(event)}: ${again.notes[i] ?? 'not reached'}`);
                    assert.fail(`${title}, seed ${seed} (PLAY_SEED=${seed}): ${failure}\n`
                        + `shortest sequence:\n${steps.join('\n') || '  (none: it failed as it opened)'}\n`
                        + `${again.failure ?? '(passes alone)'}`);
                }
                console.log(`${title}: ${played.length} games, ${played.length * eventsPerGame} events in `
                    + `${Math.round((performance.now() - started) / 1000)} s`);
            } finally {
                await engine.stop();
            }
        });
    }
});
