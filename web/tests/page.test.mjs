// Plays the quiz's page in the system's Chromium, opened from disk with the
// network off and served as an app from 127.0.0.1, and finds every control
// by its accessible role and name, as a screen reader does.
import axe from 'axe-core';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, afterEach, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { launchChromium } from './browsers.mjs';

const pageUrl = pathToFileURL(process.env.TEMBRELA_PAGE).href;
const voices = ['бас', 'мецосопран', 'сопран', 'тенор'];
// The catalogue's voice codes, row by row.
const codes = [3, 2, 3, 0, 2, 3, 1, 1, 3, 3, 3, 2, 2, 2, 0, 0, 3, 2, 3, 0, 3, 1];
const aria = (role, name) => `::-p-aria([name="${name}"][role="${role}"])`;

let browser;
before(async () => {
    browser = await launchChromium();
});
after(() => browser?.close());

// What the pages a test opened said: a failed test shows with them the
// sanitized build's reports, which it may have failed for.
const opened = [];
afterEach(t => {
    for (const page of opened.splice(0))
        for (const fault of page.faults)
            t.diagnostic(`the page said: ${fault}`);
});

// Opened from disk, the page fetches nothing and logs nothing; served, it
// fetches only from its own folder.
async function open({ viewport = { width: 464, height: 345 }, dark = false, url = pageUrl } = {}) {
    const page = await browser.newPage();
    const faults = [];
    page.faults = faults;
    opened.push(page);
    const home = new URL('.', url).href;
    page.on('request', request => {
        if (!/^(file|data):/.test(request.url()) && !request.url().startsWith(home))
            faults.push(`fetched ${request.url()}`);
    });
    page.on('pageerror', error => faults.push(error.message));
    page.on('console', message => faults.push(message.text()));
    await page.setOfflineMode(url === pageUrl);
    await page.setViewport(viewport);
    await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: dark ? 'dark' : 'light' }]);
    // A program that stops while starting fails the test at once.
    const stopped = new Promise((resolve, reject) => page.once('pageerror', reject));
    stopped.catch(() => {});
    await page.goto(url);
    await Promise.race([page.waitForSelector(aria('option', 'Алфредо Краус')), stopped]);
    return page;
}

// What the learner and a screen reader can tell of the form.
const state = page => page.evaluate(() => {
    const cursor = document.getElementById(
        document.querySelector('[role=listbox]').getAttribute('aria-activedescendant'));
    return {
        log: document.querySelector('textarea').value,
        names: [...document.querySelectorAll('[role=option]')].map(row => row.textContent),
        chosen: [...document.querySelectorAll('[type=radio]')].findIndex(radio => radio.checked),
        selected: document.querySelectorAll('[aria-selected=true]').length,
        news: document.querySelector('[aria-live]').textContent,
        focus: document.activeElement.getAttribute('role') ?? document.activeElement.type,
        cursor: cursor?.textContent,
    };
});

// What axe-core finds wrong on the page as it stands.
async function violations(page) {
    await page.evaluate(axe.source);
    const found = await page.evaluate(() => window.axe.run({ resultTypes: ['violations'] }));
    return found.violations.map(rule => `${rule.id}: ${rule.nodes.map(node => node.target).join(' ')}`);
}

function verdict(right, voice, name) {
    return `${right ? 'Вярно' : 'Невярно'} ${voices[voice]}: ${name}`;
}

test('a whole game by mouse, then a restart', async () => {
    const page = await open({ viewport: { width: 1280, height: 800 } });
    assert.equal(await page.title(), 'https://www.example.org Тесирона');
    assert.deepEqual(await violations(page), []);
    await page.waitForSelector(aria('radiogroup', 'Вид певчески глас'));
    await page.waitForSelector(aria('textbox', 'Условие и отговори'));
    const start = await state(page);
    assert.equal(start.names.length, 22);
    assert.match(start.log, /^Да се реализира проект/);
    assert.equal(start.focus, 'textarea');

    // A pick before any voice is only deselected.
    await page.locator(aria('option', start.names[3])).click();
    const unpicked = await state(page);
    assert.deepEqual([unpicked.log, unpicked.names, unpicked.chosen, unpicked.selected, unpicked.news],
        [start.log, start.names, -1, 0, '']);

    // Every third answer wrong; the first row each time is the next of the
    // catalogue, and the names with a trailing blank keep it.
    for (const [row, code] of codes.entries()) {
        const voice = row % 3 === 2 ? (code + 1) % 4 : code;
        await page.locator(aria('radio', voices[voice])).click();
        const name = (await state(page)).names[0];
        await page.locator(aria('option', name)).click();
        const now = await state(page);
        const line = verdict(voice === code, voice, name);
        assert.equal(now.log.split('\n')[0], line);
        assert.equal(now.news, line);
        assert.deepEqual([now.names.length, now.chosen, now.selected], [21 - row, -1, 0]);
    }
    // Each answer also added a line break at the end of the log.
    assert.equal((await state(page)).log.split('\n').length, 2 * 22 + 1);
    assert.deepEqual(await violations(page), []);

    await page.locator(aria('button', 'Изчисти')).click();
    const restarted = await state(page);
    assert.deepEqual([restarted.log, restarted.news, restarted.names], ['Нов избор', 'Нов избор', start.names]);
    assert.deepEqual(page.faults, []);
});

test('a game by keys', async () => {
    const page = await open();
    const steps = [
        // key, then what the form shows: the log's first line, the news,
        // the focused control's role and the row under the list's cursor.
        ['4', { log: '', news: 'Избран глас: тенор', chosen: 3 }],
        ['Tab', { focus: 'listbox', cursor: 'Алфредо Краус' }],
        ['Space', { log: 'Вярно тенор: Алфредо Краус', news: 'Вярно тенор: Алфредо Краус',
            chosen: -1, cursor: 'Анна Нетребко' }],
        ['1', { news: 'Избран глас: бас', chosen: 0 }],
        ['ArrowDown', { cursor: 'Бениамино Джили' }],
        ['Enter', { log: 'Невярно бас: Бениамино Джили', cursor: 'Борис Христов', chosen: -1 }],
        // No voice: nothing is judged.
        ['Space', { log: 'Невярно бас: Бениамино Джили', cursor: 'Борис Христов' }],
        ['End', { cursor: 'Чечилия Бартоли' }],
        ['Tab', { focus: 'button' }],
        ['Space', { log: 'Нов избор', news: 'Нов избор', chosen: -1 }],
        ['Tab', { focus: 'radio', chosen: -1 }],
        // A focused option says itself that it is chosen.
        ['ArrowDown', { log: '', news: 'Нов избор', chosen: 1 }],
    ];
    for (const [key, expected] of steps) {
        await page.keyboard.press(key);
        const now = await state(page);
        const seen = { ...now, log: now.log.split('\n')[0] };
        for (const [field, value] of Object.entries(expected))
            assert.equal(seen[field], value, `${key}: ${field}`);
    }
    assert.equal((await state(page)).names.length, 22);
    assert.deepEqual(page.faults, []);
});

test('a game by touch on a phone', async () => {
    const page = await open({
        viewport: { width: 390, height: 844, isMobile: true, hasTouch: true, deviceScaleFactor: 3 },
    });
    const layout = await page.evaluate(() => ({
        sideways: document.documentElement.scrollWidth - window.innerWidth,
        targets: [...document.querySelectorAll('label, [role=option], button')]
            .map(target => [target.textContent, target.getBoundingClientRect().height]),
    }));
    assert.equal(layout.sideways, 0);
    assert.deepEqual(await violations(page), []);
    for (const [name, height] of layout.targets)
        assert.ok(height >= 24, `${name} is ${height} px tall`);

    const tap = async (role, name) => (await page.$(aria(role, name))).tap();
    await tap('radio', 'сопран');
    await tap('option', 'Анна Нетребко');
    const answered = await state(page);
    assert.equal(answered.log.split('\n')[0], 'Вярно сопран: Анна Нетребко');
    // The newest verdict is on the screen without scrolling.
    const log = await (await page.$('textarea')).boundingBox();
    assert.ok(log.y + 20 <= 844, `the log starts at ${log.y}`);
    await tap('option', 'Алфредо Краус');
    assert.equal((await state(page)).names.length, 21);
    await tap('button', 'Изчисти');
    assert.deepEqual([(await state(page)).log, (await state(page)).names.length], ['Нов избор', 22]);
    assert.deepEqual(await violations(page), []);
    assert.deepEqual(page.faults, []);
});

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
