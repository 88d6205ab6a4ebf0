// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// Plays the quiz's page in each browser engine, opened from disk with the
// network off, and in Chromium also served as an app from 127.0.0.1; finds
// every control by its accessible role and name, as a screen reader does.
import axe from 'axe-core';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { aria, engines } from './engines.mjs';

const pageUrl = pathToFileURL(process.env.TEMBRELA_PAGE).href;
const voices = ['бас', 'мецосопран', 'сопран', 'тенор'];
// The catalogue's voice codes, row by row.
const codes = [3, 2, 3, 0, 2, 3, 1, 1, 3, 3, 3, 2, 2, 2, 0, 0, 3, 2, 3, 0, 3, 1];

// What the learner and a screen reader can tell of the form.
const state = tab => tab.evaluate(() => {
    const cursor = document.getElementById(
        document.querySelector('[role=listbox]').getAttribute('aria-activedescendant'));
    return {
        log: document.querySelector('textarea').value,
        names: [...document.querySelectorAll('[role=option]')].map(row => row.textContent),
        chosen: [...document.querySelectorAll('[type=radio]')].findIndex(radio => radio.checked),
        selected: document.querySelectorAll('[aria-selected=true]').length,
        news: document.querySelector('[aria-live]').textContent,
        focus: document.activeElement.getAttribute('role') ?? document.activeElement.type,
        cursor: cursor?.textContent ?? null,
        title: document.title,
    };
});

// What axe-core finds wrong on the page as it stands.
async function violations(tab) {
    await tab.evaluate(axe.source);
    const found = await tab.evaluate(() => window.axe.run({ resultTypes: ['violations'] }));
    return found.violations.map(rule => `${rule.id}: ${rule.nodes.map(node => node.target).join(' ')}`);
}

// Every letter of the form's texts as the font inks it, and what hides it:
// the edge of the page or of the list, or a control drawn over it (the
// topmost where the two meet). Rows scrolled out of the list's view are
// not hidden.
const hiddenText = tab => tab.evaluate(() => {
    const form = document.getElementById('form');
    const controls = [...form.querySelectorAll('.title, .heading, .voices, .voices > *, .voices input, [role=listbox], button, textarea')];
    const meet = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    const inks = document.createElement('canvas').getContext('2d');
    const hidden = [];
    for (let node, walker = document.createTreeWalker(form, NodeFilter.SHOW_TEXT); (node = walker.nextNode());) {
        const owner = node.parentElement;
        if (owner.closest('[aria-live]'))
            continue;
        const style = getComputedStyle(owner);
        inks.font = `${style.fontSize} ${style.fontFamily}`;
        const list = owner.closest('[role=listbox]');
        const view = list?.getBoundingClientRect();
        const edge = list ? view.left + list.clientLeft + list.clientWidth : document.documentElement.clientWidth;
        const range = document.createRange();
        for (let i = 0; i < node.length; i++) {
            if (!node.data[i].trim())
                continue;
            range.setStart(node, i);
            range.setEnd(node, i + 1);
            const cell = range.getBoundingClientRect();
            const ink = inks.measureText(node.data[i]);
            const baseline = cell.top + ink.fontBoundingBoxAscent;
            const box = { left: cell.left, right: cell.right - (parseFloat(style.letterSpacing) || 0),
                top: baseline - ink.actualBoundingBoxAscent, bottom: baseline + ink.actualBoundingBoxDescent };
            if (list && (box.top < view.top || box.bottom > view.bottom))
                continue;
            const over = box.left < 0 || box.right > edge ? 'the edge' : controls.find(control => {
                const other = control.getBoundingClientRect();
                if (control.contains(owner) || !meet(box, other))
                    return false;
                const drawn = document.elementsFromPoint((Math.max(box.left, other.left) + Math.min(box.right, other.right)) / 2,
                    (Math.max(box.top, other.top) + Math.min(box.bottom, other.bottom)) / 2);
                return !drawn.includes(owner) || drawn.indexOf(control) < drawn.indexOf(owner);
            })?.className;
            if (over && hidden.push(`"${node.data.trim()}": "${node.data[i]}" under ${over}`))
                break;
        }
    }
    return hidden;
});

// The spacing WCAG 2.2 asks that no text is lost under (1.4.12), as a
// reader's style sheet sets it.
const readerSpacing = `* { line-height: 1.5 !important; letter-spacing: 0.12em !important;
    word-spacing: 0.16em !important; } p { margin-bottom: 2em !important; }`;

function verdict(right, voice, name) {
    return `${right ? 'Вярно' : 'Невярно'} ${voices[voice]}: ${name}`;
}

// Each case, the screen it is played on, and the play.
const cases = [
    ['a whole game by mouse, then a restart', { width: 1280, height: 800 }, async tab => {
        const start = await state(tab);
        assert.equal(start.title, 'https://www.example.org Тесирона');
        assert.deepEqual(await violations(tab), []);
        assert.ok(await tab.has('radiogroup', 'Вид певчески глас'));
        assert.ok(await tab.has('textbox', 'Условие и отговори'));
        assert.equal(start.names.length, 22);
        assert.deepEqual(start.names.slice(0, 3), ['Алфредо Краус', 'Анна Нетребко', 'Бениамино Джили']);
        assert.match(start.log, /^Да се реализира проект/);
        assert.equal(start.focus, 'textarea');

        // A pick before any voice is only deselected.
        await tab.click('option', start.names[3]);
        const unpicked = await state(tab);
        assert.deepEqual([unpicked.log, unpicked.names, unpicked.chosen, unpicked.selected, unpicked.news],
            [start.log, start.names, -1, 0, '']);

        // Every third answer wrong; the first row each time is the next of
        // the catalogue, and the names with a trailing blank keep it.
        for (const [row, code] of codes.entries()) {
            const voice = row % 3 === 2 ? (code + 1) % 4 : code;
            await tab.click('radio', voices[voice]);
            const name = (await state(tab)).names[0];
            await tab.click('option', name);
            const now = await state(tab);
            const line = verdict(voice === code, voice, name);
            assert.equal(now.log.split('\n')[0], line);
            assert.equal(now.news, line);
            assert.deepEqual([now.names.length, now.chosen, now.selected], [21 - row, -1, 0]);
        }
        // Each answer also added a line break at the end of the log.
        assert.equal((await state(tab)).log.split('\n').length, 2 * 22 + 1);
        assert.deepEqual(await violations(tab), []);

        await tab.click('button', 'Изчисти');
        const restarted = await state(tab);
        assert.deepEqual([restarted.log, restarted.news, restarted.names], ['Нов избор', 'Нов избор', start.names]);
    }],
    ['a game by keys', { width: 464, height: 345 }, async tab => {
        const steps = [
            // key, then what the form shows: the log's first line, the news,
            // the focused control's role and the row under the list's cursor.
            ['4', { log: '', news: 'Избран глас: тенор', chosen: 3 }],
            ['Tab', { focus: 'listbox', cursor: 'Алфредо Краус' }],
            [' ', { log: 'Вярно тенор: Алфредо Краус', news: 'Вярно тенор: Алфредо Краус',
                chosen: -1, cursor: 'Анна Нетребко' }],
            ['1', { news: 'Избран глас: бас', chosen: 0 }],
            ['ArrowDown', { cursor: 'Бениамино Джили' }],
            ['Enter', { log: 'Невярно бас: Бениамино Джили', cursor: 'Борис Христов', chosen: -1 }],
            // No voice: nothing is judged.
            [' ', { log: 'Невярно бас: Бениамино Джили', cursor: 'Борис Христов' }],
            ['End', { cursor: 'Чечилия Бартоли' }],
            ['Tab', { focus: 'button' }],
            [' ', { log: 'Нов избор', news: 'Нов избор', chosen: -1 }],
            ['Tab', { focus: 'radio', chosen: -1 }],
            // A focused option says itself that it is chosen.
            ['ArrowDown', { log: '', news: 'Нов избор', chosen: 1 }],
            // Round the group from the first to the last, in every engine.
            ['ArrowUp', { chosen: 0 }],
            ['ArrowLeft', { focus: 'radio', chosen: 3 }],
            ['ArrowRight', { focus: 'radio', chosen: 0 }],
        ];
        for (const [key, expected] of steps) {
            await tab.press(key);
            const now = await state(tab);
            const seen = { ...now, log: now.log.split('\n')[0] };
            for (const [field, value] of Object.entries(expected))
                assert.equal(seen[field], value, `${key}: ${field}`);
        }
        assert.equal((await state(tab)).names.length, 22);
    }],
    ...[{ width: 1000, height: 744 }, { width: 390, height: 844, phone: true }].map(screen => [
        `every text shows at ${screen.width} px, under a reader's spacing too`, screen, async tab => {
            assert.deepEqual(await hiddenText(tab), []);
            await tab.evaluate(css => document.head.append(Object.assign(document.createElement('style'),
                { textContent: css })), readerSpacing);
            assert.deepEqual(await hiddenText(tab), []);
        }]),
    // WebKitGTK's MiniBrowser keeps its window at least 447 px wide, which
    // is still narrow enough for the phone's layout.
    ['a game on a phone', { width: 390, height: 844, phone: true }, async tab => {
        const layout = await tab.evaluate(() => ({
            width: window.innerWidth,
            sideways: document.documentElement.scrollWidth - window.innerWidth,
            targets: [...document.querySelectorAll('label, [role=option], button')]
                .map(target => [target.textContent, target.getBoundingClientRect().height]),
        }));
        assert.ok(layout.width < 464, `the page is ${layout.width} px wide`);
        assert.equal(layout.sideways, 0);
        assert.deepEqual(await violations(tab), []);
        for (const [name, height] of layout.targets)
            assert.ok(height >= 24, `${name} is ${height} px tall`);

        await tab.click('radio', 'сопран');
        await tab.click('option', 'Анна Нетребко');
        const answered = await state(tab);
        assert.equal(answered.log.split('\n')[0], 'Вярно сопран: Анна Нетребко');
        // The newest verdict is on the screen without scrolling.
        const logTop = await tab.evaluate(() => document.querySelector('textarea').getBoundingClientRect().y);
        assert.ok(logTop + 20 <= 844, `the log starts at ${logTop}`);
        await tab.click('option', 'Алфредо Краус');
        assert.equal((await state(tab)).names.length, 21);
        await tab.click('button', 'Изчисти');
        const restarted = await state(tab);
        assert.deepEqual([restarted.log, restarted.names.length], ['Нов избор', 22]);
        assert.deepEqual(await violations(tab), []);
    }],
];

// The contrast ratio of two colours as WCAG 2 defines it.
function contrast(a, b) {
    const luminance = ([r, g, b]) => [r, g, b]
        .map(c => c / 255)
        .map(c => (c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4))
        .reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
    const [high, low] = [luminance(a), luminance(b)].sort((x, y) => y - x);
    return (high + 0.05) / (low + 0.05);
}

// A grab's pixels, decoded by the browser itself.
const pixels = (page, png) => page.evaluate(async data => {
    const image = await createImageBitmap(new Blob([Uint8Array.from(atob(data), c => c.charCodeAt(0))]));
    const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
    context.drawImage(image, 0, 0);
    const rgba = context.getImageData(0, 0, image.width, image.height).data;
    return Array.from({ length: rgba.length / 4 }, (_, i) => [...rgba.subarray(4 * i, 4 * i + 3)]);
}, png);

// A school's site on 127.0.0.1 serving ROOT, noting every path asked of it.
// Its output is read to the end: closed, the server stops at its next line.
function serve(root, port = 0) {
    const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '--directory', root, `${port}`]);
    server.paths = [];
    server.stderr.on('data', data => server.paths.push(...[...`${data}`.matchAll(/"GET (\S+)/g)].map(get => get[1])));
    let said = '';
    return new Promise((resolve, reject) => {
        server.on('exit', () => reject(new Error(`the site did not start: ${said}`)));
        server.stdout.on('data', data => (said += data).match(/port (\d+) /) && resolve(Object.assign(server,
            { port: Number(said.match(/port (\d+) /)[1]), stop: () => server.kill() || once(server, 'exit') })));
    });
}

async function answerOnce(page) {
    await page.locator(aria('radio', 'тенор')).click();
    await page.locator(aria('option', 'Алфредо Краус')).click();
    assert.equal((await state(page)).log.split('\n')[0], 'Вярно тенор: Алфредо Краус');
}

const description = page => page.$eval('meta[name=description]', meta => meta.content);

// Chromium alone lets a test choose the colour scheme, grab a part of the
// page and ask whether it installs.
function chromiumOnly(chromium) {
    const open = async ({ viewport = { width: 464, height: 345 }, dark = false, url = pageUrl } = {}) => {
        const tab = await chromium.open(url, viewport);
        await tab.page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: dark ? 'dark' : 'light' }]);
        return Object.assign(tab.page, { faults: tab.faults });
    };

    // On a grab of each text: the most common colour is the ground, and the
    // text is the colour that stands out most among those it is drawn in.
    test('every text stays readable under a light and a dark scheme', async () => {
        for (const dark of [false, true]) {
            const page = await open({ viewport: { width: 928, height: 690 }, dark });
            const boxes = await page.evaluate(() => [...document.querySelectorAll(
                '.title, .heading, .caption, .voice, .restart, [role=option]:nth-child(-n+3), textarea')].map(element => {
                const range = document.createRange();
                range.selectNodeContents(element);
                const text = element.tagName === 'TEXTAREA' ? element.getBoundingClientRect() : range.getBoundingClientRect();
                const inset = element.tagName === 'TEXTAREA' ? 8 : 0;
                return [element.textContent.slice(0, 20), { x: text.x + inset, y: text.y + inset,
                    width: Math.min(text.width - 2 * inset, 300), height: Math.min(text.height - 2 * inset, 100) }];
            }).filter(([, clip]) => clip.width > 0 && clip.height > 0));
            for (const [name, clip] of boxes) {
                const grab = await pixels(page, await page.screenshot({ clip, encoding: 'base64' }));
                const counts = new Map();
                for (const colour of grab) counts.set(colour.join(), (counts.get(colour.join()) ?? 0) + 1);
                const common = [...counts].sort((a, b) => b[1] - a[1]);
                const ground = common[0][0].split(',').map(Number);
                const drawn = common.filter(([, count]) => count >= grab.length / 500);
                const ratio = Math.max(...drawn.map(([colour]) => contrast(ground, colour.split(',').map(Number))));
                assert.ok(ratio >= 4.5, `${dark ? 'dark' : 'light'}: "${name}" at ${ratio.toFixed(2)}:1`);
            }
            if (process.env.TEMBRELA_SCREENSHOTS && !dark) {
                await page.setViewport({ width: 464, height: 345 });
                await page.screenshot({ path: `${process.env.TEMBRELA_SCREENSHOTS}/tembrela-web.png` });
                await page.setViewport({ width: 390, height: 844, isMobile: true, hasTouch: true });
                await page.screenshot({ path: `${process.env.TEMBRELA_SCREENSHOTS}/tembrela-web-phone.png` });
            }
            assert.deepEqual(page.faults, []);
            await page.close();
        }
    });

    test('served from a sub-folder, it installs, plays offline and takes a new release', async t => {
        const root = await mkdtemp(join(tmpdir(), 'tembrela-site-'));
        const folder = join(root, 'music', 'tembrela');
        await cp(process.env.TEMBRELA_WEB_APP, folder, { recursive: true });
        let site = await serve(root);
        // A failure leaves no site running to keep the test from ending.
        t.after(() => site.kill());
        const page = await open({ url: `http://127.0.0.1:${site.port}/music/tembrela/` });
        await page.waitForFunction(() => navigator.serviceWorker.controller);
        const cdp = await page.createCDPSession();
        assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);

        // What markup slipped into the page might load from elsewhere, and
        // Chromium's note of each request it stopped.
        const stray = `http://localhost:${site.port}/stray/`;
        assert.deepEqual(await page.evaluate(async stray => {
            const refused = [];
            document.addEventListener('securitypolicyviolation', event => refused.push(event.effectiveDirective));
            fetch(stray).catch(() => {});
            new Image().src = stray;
            document.body.append(Object.assign(document.createElement('script'), { src: stray }));
            await new Promise(resolve => setTimeout(resolve, 500));
            return refused.sort();
        }, stray), ['connect-src', 'img-src', 'script-src-elem']);
        assert.deepEqual(site.paths.filter(path => path.startsWith('/stray/')), []);
        assert.deepEqual(page.faults.splice(0).filter(fault => !/Content Security Policy|\/stray\//.test(fault)), []);

        await site.stop();
        await page.reload();
        await answerOnce(page);

        // A new release in the old one's place shows at the next visit online,
        // its worker drops the old release's cache, and then it plays offline.
        const newer = 'Нова версия.';
        const release = async (file, from, to) => writeFile(join(folder, file),
            (await readFile(join(folder, file), 'utf8')).replace(from, to));
        await release('index.html', await description(page), newer);
        await release('sw.js', /const version = '\w+'/, "const version = 'newer'");
        site = await serve(root, site.port);
        await page.reload();
        assert.equal(await description(page), newer);
        await page.waitForFunction(async () => /^tembrela newer [^,]+$/.test((await caches.keys()).join()));
        await site.stop();
        await page.reload();
        assert.equal(await description(page), newer);
        await answerOnce(page);
        assert.deepEqual(page.faults, []);
        await page.close();
        await rm(root, { recursive: true });
    });
}

for (const name of (process.env.TEMBRELA_ENGINES ?? Object.keys(engines).join()).split(',')) {
    describe(name, () => {
        const engine = engines[name];
        before(() => engine.start());
        after(() => engine.stop());
        for (const [title, screen, play] of cases) {
            test(title, async t => {
                const tab = await engine.open(pageUrl, screen);
                try {
                    await play(tab);
                    assert.deepEqual(await tab.faults, []);
                } catch (error) {
                    // A sanitizer's report on the console may be why.
                    for (const fault of await tab.faults)
                        t.diagnostic(`the page said: ${fault}`);
                    throw error;
                } finally {
                    await tab.close();
                }
            });
        }
        if (name === 'chromium')
            chromiumOnly(engine);
    });
}
