// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's size, and the time from opening it to its first frame with the
// form drawn, beside a plain page with the same controls and no program:
// the form as the program left it in the page, saved without its script.
// Each pair opens both files from disk in a new tab, taking turns at going
// first. Prints the figures as bench.sh reads them: name, median, min, max,
// runs, separated by tabs.
//
//   node pagefirstframe.mjs PAGE PAIRS
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import zlib from 'node:zlib';
import { launchChromium } from './browsers.mjs';

const [page, pairs] = [process.argv[2], Number(process.argv[3] ?? 21)];
const browser = await launchChromium();

async function firstFrame(file) {
    const tab = await browser.newPage();
    await tab.setViewport({ width: 464, height: 345 });
    await tab.goto(pathToFileURL(file).href);
    // The first frame with text in it: the form, drawn all at once.
    const milliseconds = await tab.evaluate(() => new Promise(resolve => {
        new PerformanceObserver(list => resolve(list.getEntries()[0].startTime))
            .observe({ type: 'paint', buffered: true });
    }).then(start => (document.querySelector('[role=option]') ? start : NaN)));
    await tab.close();
    if (Number.isNaN(milliseconds)) throw new Error(`${file}: a frame without the form came first`);
    return milliseconds;
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'tembrela-page-'));
const plain = path.join(scratch, 'plain.html');
{
    const tab = await browser.newPage();
    await tab.goto(pathToFileURL(page).href);
    await tab.waitForSelector('[role=option]');
    fs.writeFileSync(plain, await tab.evaluate(() => {
        document.querySelectorAll('script').forEach(script => script.remove());
        return '<!DOCTYPE html>\n' + document.documentElement.outerHTML;
    }));
    await tab.close();
}

const times = { page: [], plain: [], ratio: [] };
for (let pair = 0; pair < pairs; ++pair) {
    const order = pair % 2 ? ['plain', 'page'] : ['page', 'plain'];
    const pairTimes = {};
    for (const which of order) pairTimes[which] = await firstFrame(which === 'page' ? page : plain);
    times.page.push(pairTimes.page);
    times.plain.push(pairTimes.plain);
    times.ratio.push(pairTimes.page / pairTimes.plain);
}
await browser.close();
fs.rmSync(scratch, { recursive: true });

function figure(name, values) {
    const sorted = [...values].sort((a, b) => a - b);
    const median = sorted[Math.floor(sorted.length / 2)];
    console.log([name, median, sorted[0], sorted.at(-1)].map(v => (typeof v === 'number' ? v.toFixed(3) : v))
        .concat(values.length).join('\t'));
}
const bytes = fs.readFileSync(page);
figure('page_bytes', [bytes.length]);
figure('page_gzip_bytes', [zlib.gzipSync(bytes, { level: 9 }).length]);
figure('page_first_frame_ms', times.page);
figure('plain_first_frame_ms', times.plain);
figure('page_first_frame_ratio', times.ratio);
