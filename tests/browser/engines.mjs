// One way to drive each browser engine, behind the same few calls, so that the page's checks
// are written once (page_checks.mjs). Chromium and Firefox are driven by puppeteer-core,
// over the DevTools protocol and WebDriver BiDi; WebKit by WebKitWebDriver's own HTTP
// interface, with WebKitGTK's MiniBrowser in a virtual display. Every browser is the one
// Debian installs; nothing is downloaded.
//
//   const session = await launch(engine, tools, {width, height})
//   session.open(url)                 loads a page and waits until it has loaded
//   session.run(fn, ...args)          runs fn(...args) in the page, awaits its promise
//   session.press(selector, key)      presses 'Enter' or 'Control+d' in that element
//   session.click(selector)           clicks it as a user would
//   session.inject(source)            runs a script in the page past its Content-Security-Policy
//   session.screenshot(file)          a PNG of the window
//   session.consoleErrors()           the page's console errors so far, or null
//   session.requests()                every address asked for so far, or null
//   session.colorScheme(scheme)       'light' or 'dark' as the system's; false if it cannot
//   session.close()
//
// `unavailable(engine)` says what is missing for an engine, or nothing where it can run.
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import net from 'node:net';
import path from 'node:path';

const CHROMIUM_ARGUMENTS = [
  // As root, in a sandbox of its own, and quiet: no connection to anything but the page.
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--hide-scrollbars',
];

function onPath(program) {
  return spawnSync('sh', ['-c', `command -v ${program}`], { encoding: 'utf8' }).stdout.trim();
}

function miniBrowser() {
  const lib = '/usr/lib';
  for (const folder of fs.existsSync(lib) ? fs.readdirSync(lib) : []) {
    const candidate = path.join(lib, folder, 'webkit2gtk-4.1', 'MiniBrowser');
    if (fs.existsSync(candidate)) return candidate;
  }
  return '';
}

const ENGINES = {
  chromium: { program: () => onPath('chromium'), debian: 'chromium' },
  firefox: { program: () => onPath('firefox-esr') || onPath('firefox'), debian: 'firefox-esr' },
  webkit: { program: miniBrowser, debian: 'webkit2gtk-driver xvfb xauth' },
};

export const ENGINE_NAMES = Object.keys(ENGINES);

export function unavailable(engine, tools) {
  const { program, debian } = ENGINES[engine];
  const missing = `apt-get install ${debian}`;
  if (!program()) return `${engine} is missing (${missing})`;
  if (engine === 'webkit') {
    for (const needed of ['WebKitWebDriver', 'xvfb-run', 'xauth']) {
      if (!onPath(needed)) return `${needed} is missing (${missing})`;
    }
    return '';
  }
  try {
    createRequire(path.join(tools, 'package.json')).resolve('puppeteer-core');
  } catch {
    return `puppeteer-core is missing in ${tools} (npm ci there, with tests/browser/package-lock.json)`;
  }
  return '';
}

export async function launch(engine, tools, window = { width: 1280, height: 900 }) {
  return engine === 'webkit'
    ? WebDriverSession.launch(window)
    : PuppeteerSession.launch(engine, tools, window);
}

class PuppeteerSession {
  static async launch(engine, tools, { width, height }) {
    const puppeteer = createRequire(path.join(tools, 'package.json'))('puppeteer-core');
    const chromium = engine === 'chromium';
    const browser = await puppeteer.launch({
      browser: chromium ? 'chrome' : 'firefox',
      executablePath: ENGINES[engine].program(),
      headless: true,
      args: chromium ? [...CHROMIUM_ARGUMENTS, `--window-size=${width},${height}`] : [],
      defaultViewport: { width, height, isMobile: width < 800, hasTouch: width < 800 },
    });
    const page = await browser.newPage();
    return new PuppeteerSession(browser, page, chromium);
  }

  constructor(browser, page, chromium) {
    this.browser = browser;
    this.page = page;
    this.chromium = chromium;
    this.errors = [];
    this.asked = [];
    page.on('console', (message) => {
      if (message.type() === 'error') this.errors.push(message.text());
    });
    page.on('pageerror', (error) => this.errors.push(String(error)));
    page.on('request', (request) => this.asked.push(request.url()));
  }

  async open(url) {
    await this.page.goto(url, { waitUntil: 'load' });
  }

  run(fn, ...args) {
    return this.page.evaluate(fn, ...args);
  }

  async press(selector, key) {
    const element = await this.page.$(selector);
    await element.focus();
    if (key === 'Control+d') {
      await this.page.keyboard.down('Control');
      await this.page.keyboard.press('d');
      await this.page.keyboard.up('Control');
    } else {
      await this.page.keyboard.press(key);
    }
  }

  click(selector) {
    return this.page.click(selector);
  }

  inject(source) {
    return this.page.evaluate(source);
  }

  async screenshot(file) {
    await this.page.screenshot({ path: file });
  }

  consoleErrors() {
    return this.errors;
  }

  requests() {
    return this.asked;
  }

  async colorScheme(scheme) {
    if (!this.chromium) return false;
    await this.page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: scheme }]);
    return true;
  }

  close() {
    return this.browser.close();
  }
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

const KEYS = { Enter: '\uE007', 'Control+d': '\uE009d' };

class WebDriverSession {
  static async launch({ width, height }) {
    const port = await freePort();
    // The driver and the browser it starts share one virtual display, which ends with them.
    const driver = spawn(
      'xvfb-run',
      ['-a', '-s', `-screen 0 ${width}x${height}x24`, 'WebKitWebDriver', `--port=${port}`],
      { stdio: 'ignore', detached: true },
    );
    const session = new WebDriverSession(driver, `http://127.0.0.1:${port}`);
    await session.ready();
    const created = await session.call('POST', '/session', {
      capabilities: {
        alwaysMatch: {
          'webkitgtk:browserOptions': { binary: miniBrowser(), args: ['--automation'] },
        },
      },
    });
    session.base += `/session/${created.sessionId}`;
    await session.call('POST', '/timeouts', { script: 600000, pageLoad: 60000 });
    await session.call('POST', '/window/rect', { width, height });
    return session;
  }

  constructor(driver, base) {
    this.driver = driver;
    this.base = base;
  }

  async ready() {
    const deadline = Date.now() + 20000;
    for (;;) {
      try {
        const answer = await fetch(`${this.base}/status`);
        if (answer.ok) return;
      } catch {
        // not listening yet
      }
      if (Date.now() > deadline) throw new Error('WebKitWebDriver did not start');
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }

  async call(method, route, body) {
    const answer = await fetch(this.base + route, {
      method,
      headers: { 'content-type': 'application/json; charset=utf-8' },
      body: body === undefined ? undefined : JSON.stringify(body),
    });
    const { value } = await answer.json();
    if (!answer.ok)
      throw new Error(`WebDriver ${method} ${route}: ${value.error}: ${value.message}`);
    return value;
  }

  async element(selector) {
    const found = await this.call('POST', '/element', { using: 'css selector', value: selector });
    return Object.values(found)[0];
  }

  open(url) {
    return this.call('POST', '/url', { url });
  }

  async run(fn, ...args) {
    const script = `const args = Array.from(arguments); const done = args.pop();
      Promise.resolve().then(() => (${fn}).apply(null, args))
        .then((value) => done({ value }), (error) => done({ error: String(error) }));`;
    const { value, error } = await this.call('POST', '/execute/async', { script, args });
    if (error) throw new Error(error);
    return value;
  }

  async press(selector, key) {
    await this.call('POST', `/element/${await this.element(selector)}/value`, { text: KEYS[key] });
  }

  async click(selector) {
    await this.call('POST', `/element/${await this.element(selector)}/click`, {});
  }

  async inject(source) {
    await this.call('POST', '/execute/sync', { script: source, args: [] });
  }

  async screenshot(file) {
    fs.writeFileSync(file, Buffer.from(await this.call('GET', '/screenshot'), 'base64'));
  }

  consoleErrors() {
    return null;
  }

  requests() {
    return null;
  }

  colorScheme() {
    return false;
  }

  async close() {
    try {
      await this.call('DELETE', '');
    } finally {
      process.kill(-this.driver.pid, 'SIGKILL');
    }
  }
}
