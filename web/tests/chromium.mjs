// The system's Chromium, headless, as the page's test and its benchmark
// start it: no sandbox for root, and none of the background connections
// that this machine's closed network refuses.
import puppeteer from 'puppeteer-core';

export const launchChromium = () => puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-sync',
        '--disable-background-networking', '--disable-component-update'],
});
