// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// The three browser engines learners' browsers are built on, each behind
// the same few acts, so that one table of cases plays the page in all of
// them: Chromium and Firefox ESR through puppeteer, WebKit (Safari's
// engine) as WebKitGTK's MiniBrowser under its WebDriver.
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { createServer } from 'node:net';
import { Builder, By, Key, Origin } from 'selenium-webdriver';
import { launchChromium, launchFirefox } from './browsers.mjs';

const formTimeout = 60000;

export const aria = (role, name) => `::-p-aria([name="${name}"][role="${role}"])`;

// Opened from disk, the page fetches nothing and logs nothing; served, it
// fetches only from its own folder. Every other request, page error and
// console line is a fault, and so is a crashed page.
function puppeteerEngine(launch, accessibleName, typeLetter) {
    let browser;
    return {
        start: async () => { browser = await launch(); },
        stop: () => browser?.close(),
        async open(url, { width, height, phone = false }) {
            const page = await browser.newPage();
            // A sanitized page on a busy machine may take its time.
            page.setDefaultTimeout(formTimeout);
            const faults = [];
            const home = new URL('.', url).href;
            page.on('request', request => {
                if (!/^(file|data):/.test(request.url()) && !request.url().startsWith(home))
                    faults.push(`fetched ${request.url()}`);
            });
            page.on('pageerror', error => faults.push(error.message));
            page.on('console', message => faults.push(message.text()));
            page.on('error', error => faults.push(`the page crashed: ${error.message}`));
            await page.setOfflineMode(url.startsWith('file:'));
            await page.setViewport(phone ? { width, height, isMobile: true, hasTouch: true, deviceScaleFactor: 3 }
                : { width, height });
            // A program that stops while it starts fails at once, saying
            // what the page said: a sanitizer's report comes before it.
            const stopped = new Promise((resolve, reject) => page.once('pageerror', reject));
            // Later errors are faults of the play, not of the start.
            stopped.catch(() => {});
            await page.goto(url);
            try {
                await Promise.race([page.waitForSelector(aria('option', 'Алфредо Краус')), stopped]);
            } catch (error) {
                await page.close();
                throw new Error([`the form did not start: ${error.message}`, ...faults].join('\n'));
            }
            return {
                page,
                faults,
                evaluate: (fn, ...args) => page.evaluate(fn, ...args),
                // A phone is played by touch, any other screen by mouse.
                click: async (role, name) => (phone ? (await page.$(aria(role, accessibleName(name)))).tap()
                    : page.locator(aria(role, accessibleName(name))).click()),
                has: async (role, name) => (await page.$(aria(role, accessibleName(name)))) !== null,
                press: async key => {
                    const chord = /^Shift\+(.+)$/.exec(key);
                    if (!chord)
                        return page.keyboard.press(key);
                    await page.keyboard.down('Shift');
                    await page.keyboard.press(chord[1]);
                    await page.keyboard.up('Shift');
                },
                clickAt: (x, y) => page.mouse.click(x, y),
                wheelAt: async (x, y, deltaY) => {
                    await page.mouse.move(x, y);
                    await page.mouse.wheel({ deltaY });
                },
                resize: size => page.setViewport(size),
                type: letter => typeLetter(page, letter),
                reopen: async () => {
                    await page.goto(url);
                    await page.waitForSelector(aria('option', 'Алфредо Краус'));
                },
                close: () => page.close(),
            };
        },
    };
}

// The typed letters' keys differ: Chromium's input layer knows only a US
// keyboard, so a Cyrillic letter goes to it as the key and the text it types.
async function typeInChromium(page, letter) {
    page.cdp ??= await page.createCDPSession();
    await page.cdp.send('Input.dispatchKeyEvent', { type: 'keyDown', key: letter, text: letter });
    await page.cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', key: letter });
}

// A free port on 127.0.0.1 for the driver to listen on.
async function freePort() {
    const server = createServer().listen(0, '127.0.0.1');
    await once(server, 'listening');
    const { port } = server.address();
    server.close();
    return port;
}

// A process the engine needs for as long as it runs; it must not end first.
function companion(command, args, options) {
    const child = spawn(command, args, options);
    child.on('exit', code => { child.ended = `${command} ended with code ${code}`; });
    return child;
}

// Fails with WHAT when PROMISE has not settled within a minute: a page
// process that hangs answers nothing, and its driver may never say so.
export function within(promise, what) {
    let timer;
    const late = new Promise((resolve, reject) => {
        timer = setTimeout(() => reject(new Error(`${what}: no answer within 60 s`)), 60000);
    });
    return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

// WebDriver's keys by the names puppeteer gives them.
const webDriverKeys = { ' ': Key.SPACE, Tab: Key.TAB, Enter: Key.ENTER, End: Key.END, Home: Key.HOME,
    ArrowDown: Key.ARROW_DOWN, ArrowUp: Key.ARROW_UP, ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT,
    PageDown: Key.PAGE_DOWN, PageUp: Key.PAGE_UP };
// Where each role's controls are, before their computed role and name are
// asked of the engine.
const candidates = { option: '[role=option]', radio: '[type=radio]', button: 'button', textbox: 'textarea',
    radiogroup: '[role=radiogroup]', listbox: '[role=listbox]' };

// MiniBrowser needs a display: a private X server, started here so that
// nothing but node is asked of the caller. Classic WebDriver reports no
// console, so the test hooks the page's own console and errors once it has
// started; a fault while it starts shows as a form that never appears. A
// page process that crashes ends the session; what MiniBrowser said of it
// is kept, for the failure to show.
function webKitEngine() {
    let display;
    let driverProcess;
    let server;
    let output = [];
    return {
        async start() {
            // It tries display after display and says so for each one taken;
            // only why it could not start at all is worth showing. Without
            // -noreset it would reset, refusing clients, whenever its last
            // client leaves.
            display = companion('Xvfb', ['-displayfd', '3', '-noreset', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
                { stdio: ['ignore', 'ignore', 'pipe', 'pipe'] });
            let said = '';
            display.stderr.on('data', data => { said += data; });
            const [number] = await Promise.race([once(display.stdio[3], 'data'), once(display, 'exit')]);
            if (display.ended)
                throw new Error(`${display.ended}: ${said}`);
            const port = await freePort();
            server = `http://127.0.0.1:${port}`;
            driverProcess = companion('WebKitWebDriver', [`--port=${port}`],
                { stdio: ['ignore', 'pipe', 'pipe'], env: { ...process.env, DISPLAY: `:${`${number}`.trim()}` } });
            for (const stream of [driverProcess.stdout, driverProcess.stderr]) {
                stream.on('data', data => {
                    process.stderr.write(data);
                    output.push(...`${data}`.split('\n').filter(line => line));
                });
            }
            // It answers once it listens; until then each try is refused at once.
            for (;;) {
                if (driverProcess.ended)
                    throw new Error(driverProcess.ended);
                if (await fetch(`${server}/status`).then(() => true, () => false))
                    break;
                await new Promise(resolve => setTimeout(resolve, 50));
            }
        },
        stop() {
            driverProcess?.kill();
            display?.kill();
        },
        // What the driver and MiniBrowser said since last asked.
        said: () => output.splice(0),
        async open(url, { width, height }) {
            const driver = await new Builder().usingServer(server).withCapabilities({
                browserName: 'MiniBrowser', 'webkitgtk:browserOptions': { args: ['--automation'] },
            }).build();
            // MiniBrowser's window is the viewport plus its own frame.
            const resize = async size => {
                await driver.manage().window().setRect(size);
                const [innerWidth, innerHeight] = await driver.executeScript('return [innerWidth, innerHeight]');
                const rect = await driver.manage().window().getRect();
                await driver.manage().window().setRect({ width: 2 * rect.width - innerWidth,
                    height: 2 * rect.height - innerHeight });
            };
            const load = async () => {
                await driver.get(url);
                await driver.wait(async () => (await driver.findElements(By.css('[role=option]'))).length > 0,
                    formTimeout);
                await driver.executeScript(() => {
                    window.faults = [];
                    for (const level of ['log', 'info', 'warn', 'error', 'debug'])
                        console[level] = (...words) => window.faults.push(words.join(' '));
                    window.addEventListener('error', event => window.faults.push(event.message));
                });
            };
            await resize({ width, height });
            await load();
            const find = async (role, name) => {
                for (const element of await driver.findElements(By.css(candidates[role])))
                    if (await element.getAccessibleName() === trimmed(name) && await element.getAriaRole() === role)
                        return element;
                return null;
            };
            // Actions take whole pixels of the viewport.
            const at = (x, y) => ({ x, y, origin: Origin.VIEWPORT });
            return {
                // Read whenever asked: after the page has been played.
                get faults() { return driver.executeScript('return window.faults'); },
                evaluate: (fn, ...args) => driver.executeScript(
                    typeof fn === 'string' ? fn : `return (${fn}).apply(null, arguments)`, ...args),
                click: async (role, name) => {
                    const element = await find(role, name);
                    if (!element)
                        throw new Error(`no ${role} "${name}"`);
                    await element.click();
                },
                has: async (role, name) => (await find(role, name)) !== null,
                press: key => {
                    const chord = /^Shift\+(.+)$/.exec(key);
                    const actions = driver.actions();
                    return (chord ? actions.keyDown(Key.SHIFT).sendKeys(webDriverKeys[chord[1]]).keyUp(Key.SHIFT)
                        : actions.sendKeys(webDriverKeys[key] ?? key)).perform();
                },
                clickAt: (x, y) => driver.actions().move(at(x, y)).click().perform(),
                wheelAt: (x, y, deltaY) => driver.actions().scroll(x, y, 0, deltaY, Origin.VIEWPORT).perform(),
                resize,
                type: letter => driver.actions().sendKeys(letter).perform(),
                reopen: load,
                close: () => driver.quit(),
            };
        },
    };
}

// Chromium keeps a name's trailing blank in its accessible name; Firefox and
// WebKit drop it, as the rules for accessible names say.
const trimmed = name => name.trim();

export const engines = {
    chromium: puppeteerEngine(launchChromium, name => name, typeInChromium),
    firefox: puppeteerEngine(launchFirefox, trimmed, (page, letter) => page.keyboard.press(letter)),
    webkit: webKitEngine(),
};
