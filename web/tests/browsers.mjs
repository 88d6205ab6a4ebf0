// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// The system's browsers, headless, as the page's tests and its benchmark
// start them: no sandbox for root, and none of the background connections
// that this machine's closed network refuses.
import puppeteer from 'puppeteer-core';

export const launchChromium = () => puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-sync',
        '--disable-background-networking', '--disable-component-update'],
});

// Firefox ESR over WebDriver BiDi, which needs no driver of its own.
export const launchFirefox = () => puppeteer.launch({
    browser: 'firefox',
    executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr',
    headless: true,
});
