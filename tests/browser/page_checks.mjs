// The checks of the page, the same in every browser engine (engines.mjs drives each one).
// Each returns true where it passed, and says what it found either way.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const FIRST_PROMPT = 'Geben Sie das erste Datum';
const ENDED = 'Das Programm ist beendet';
const CRASHED = 'Das Programm ist abgestürzt: ';
const NOT_LOADED = 'Das Programm konnte nicht geladen werden: ';

// Runs in the page: waits until the element `id` shows `text` (the output region without
// the echoes of what was typed) and gives what it shows; for no `text`, until the program
// waits for input or has ended.
function pageWaitFor(id, text, milliseconds) {
  const shown = () => {
    const element = document.getElementById(id).cloneNode(true);
    element.querySelectorAll('kbd').forEach((typed) => typed.remove());
    return element.textContent;
  };
  const idle = () => document.getElementById('ausgabe').getAttribute('aria-busy') === 'false';
  return new Promise((resolve, reject) => {
    const deadline = performance.now() + milliseconds;
    const look = () => {
      const seen = shown();
      if (text === null ? idle() : seen.includes(text)) resolve(seen);
      else if (performance.now() > deadline) {
        const awaited = text === null ? 'the program to wait' : `"${text}" in #${id}`;
        reject(new Error(`waited ${milliseconds} ms in vain for ${awaited}: ${seen.slice(-200)}`));
      } else setTimeout(look, 5);
    };
    look();
  });
}

function waitFor(session, id, text, milliseconds = 30000) {
  return session.run(pageWaitFor, id, text, milliseconds);
}

const waitIdle = (session) => waitFor(session, 'ausgabe', null);

async function openPage(session, url) {
  await session.open(url);
  await waitFor(session, 'ausgabe', FIRST_PROMPT);
  await waitIdle(session);
}

// Puts `text` into the input line as typed and presses `key`, then waits until the program
// waits again or has ended (unless `busy`, for a run that goes on); false once the program
// has ended and takes no more input.
async function typeLine(session, text, key, { busy = false } = {}) {
  const open = await session.run((value) => {
    const line = document.getElementById('eingabe');
    if (line.disabled) return false;
    line.value = value;
    return true;
  }, text);
  if (!open) return false;
  await session.press('#eingabe', key);
  if (!busy) await waitIdle(session);
  return true;
}

// The lines of a transcript's input as a user would type them, and the rest after the last
// line end, which goes with Ctrl+D.
function typedLines(bytes) {
  let text;
  if (bytes[0] === 0xff && bytes[1] === 0xfe) text = bytes.subarray(2).toString('utf16le');
  else if (bytes[0] === 0xfe && bytes[1] === 0xff)
    text = Buffer.from(bytes.subarray(2)).swap16().toString('utf16le');
  else text = new TextDecoder().decode(bytes);
  const lines = text.split('\n');
  return { lines, unfinished: lines.pop() };
}

async function typeTranscript(session, input) {
  const { lines, unfinished } = typedLines(input);
  for (const text of lines) {
    if (!(await typeLine(session, text, 'Enter'))) break;
  }
  if (unfinished) await typeLine(session, unfinished, 'Control+d');
  await typeLine(session, '', 'Control+d');
}

// Every transcript typed line by line gives exactly its output; the link made after it,
// opened anew, gives it again.
export async function checkTranscripts(session, pageUrl, transcripts) {
  const names = fs
    .readdirSync(transcripts)
    .filter((name) => name.endsWith('.in'))
    .sort();
  const failed = [];
  for (const name of names) {
    const input = fs.readFileSync(path.join(transcripts, name));
    const expected = fs.readFileSync(path.join(transcripts, name.replace(/\.in$/, '.out')), 'utf8');
    await openPage(session, pageUrl);
    await typeTranscript(session, input);
    const typed = await waitFor(session, 'zustand', ENDED).then(() =>
      waitFor(session, 'ausgabe', ''),
    );
    await session.click('#link');
    const address = await session.run(() => location.href);
    await session.open('about:blank');
    await session.open(address);
    await waitFor(session, 'zustand', ENDED);
    const linked = await waitFor(session, 'ausgabe', '');
    for (const [how, shown] of [
      ['typed', typed],
      ['from its link', linked],
    ]) {
      if (shown !== expected) {
        failed.push(`${name} ${how}`);
        console.log(`${name} ${how}: the page shows\n${shown}`);
      }
    }
  }
  // "Neu starten" begins an empty run and takes the calculation out of the address.
  await session.click('#neustart');
  await waitIdle(session);
  const restarted = await session.run(() => [
    location.hash,
    document.getElementById('ausgabe').textContent,
  ]);
  const emptied =
    restarted[0] === '' && restarted[1].endsWith('Tag: \n') && !restarted[1].includes('Monat');
  console.log(
    `transcripts: ${2 * names.length - failed.length} of ${2 * names.length} runs ` +
      'as at the console, typed and from their links; Neu starten ' +
      (emptied ? 'empties the run and the address' : `leaves ${JSON.stringify(restarted)}`),
  );
  return failed.length === 0 && emptied;
}

function grouped(count) {
  return String(count).replace(/\B(?=(\d{3})+(?!\d))/g, '.');
}

// A run longer than the scroll-back shows exactly the program's first 200 lines, a note of
// how many were left out, and its last 1,000 lines.
export async function checkScrollBack(session, pageUrl, nodeProgram) {
  const input = '1 1 1000\n1 1 100000\n';
  const lines = execFileSync(process.execPath, [nodeProgram], { input, maxBuffer: 1 << 26 })
    .toString('utf8')
    .split(/(?<=\n)/);
  const left = lines.length - 1200;
  const expected =
    `${lines.slice(0, 200).join('')}… ${grouped(left)} Zeilen ausgelassen …\n` +
    lines.slice(-1000).join('');
  await openPage(session, pageUrl);
  await typeLine(session, '1 1 1000', 'Enter');
  await typeLine(session, '1 1 100000', 'Enter');
  const shown = await waitFor(session, 'ausgabe', 'Vom 1. 1. 1000 bis 1. 1. 100000');
  if (shown !== expected) {
    let at = 0;
    while (shown[at] === expected[at]) at += 1;
    console.log(
      `scroll-back: of ${lines.length} lines the page shows otherwise from ` +
        `${JSON.stringify(shown.slice(Math.max(0, at - 80), at + 80))}`,
    );
    return false;
  }
  console.log(
    `scroll-back: of ${lines.length} lines the first 200, ${grouped(left)} left out ` +
      'and the last 1000, as the program wrote them',
  );
  return true;
}

// A span of two billion years keeps the page responsive, and "Abbrechen" ends it at once:
// what had arrived is shown, and nothing after.
export async function checkResponsive(session, pageUrl) {
  await openPage(session, pageUrl);
  await typeLine(session, '1 1 -1000000000', 'Enter');
  await typeLine(session, '1 1 1000000000', 'Enter', { busy: true });
  await waitFor(session, 'ausgabe', 'ausgelassen');
  // Timers for a whole second, so that several of the page's drawings fall within it.
  const delays = await session.run(
    () =>
      new Promise((resolve) => {
        const waits = [];
        const start = performance.now();
        const tick = (last) =>
          setTimeout(() => {
            const now = performance.now();
            waits.push(now - last);
            if (now - start < 1000) tick(now);
            else resolve(waits);
          }, 0);
        tick(start);
      }),
  );
  const stopped = await session.run(() => {
    const region = document.getElementById('ausgabe');
    const started = performance.now();
    document.getElementById('abbrechen').click();
    const took = performance.now() - started;
    const shown = region.textContent;
    return new Promise((resolve) =>
      setTimeout(
        () =>
          resolve({
            took,
            kept: region.textContent === shown,
            state: document.getElementById('zustand').textContent,
          }),
        200,
      ),
    );
  });
  const longest = Math.max(...delays);
  const ok =
    longest <= 100 && stopped.took <= 200 && stopped.kept && stopped.state === 'Abgebrochen.';
  console.log(
    `long span: longest timer wait ${longest.toFixed(0)} ms (at most 100), ` +
      `Abbrechen took ${stopped.took.toFixed(0)} ms (at most 200), state ${JSON.stringify(stopped.state)}, ` +
      `output ${stopped.kept ? 'still' : 'changed after Abbrechen'}`,
  );
  return ok;
}

// WebAssembly's binary form, just enough for a few small broken programs. Every count and
// size here is below 64, so that each number is a single byte.
function moduleBytes(importName) {
  const vector = (...items) => [items.length, ...items.flat()];
  const name = (text) => vector(...Buffer.from(text));
  const section = (id, ...content) => [id, content.flat().length, ...content.flat()];
  const message = [...Buffer.from('Vor dem Absturz\n')];
  const iovec = [32, 0, 0, 0, message.length, 0, 0, 0];
  const start = [0x41, 1, 0x41, 16, 0x41, 1, 0x41, 8, 0x10, 0, 0x1a, 0x00, 0x0b];
  return Buffer.from([
    0x00,
    0x61,
    0x73,
    0x6d,
    1,
    0,
    0,
    0,
    ...section(1, vector([0x60, 4, 0x7f, 0x7f, 0x7f, 0x7f, 1, 0x7f], [0x60, 0, 0])),
    ...section(2, vector([...name('wasi_snapshot_preview1'), ...name(importName), 0x00, 0])),
    ...section(3, vector([1])),
    ...section(5, vector([0x00, 1])),
    ...section(7, vector([...name('memory'), 0x02, 0], [...name('_start'), 0x00, 1])),
    ...section(10, vector([start.length + 1, 0, ...start])),
    ...section(
      11,
      vector([0, 0x41, 16, 0x0b, ...vector(...iovec)], [0, 0x41, 32, 0x0b, ...vector(...message)]),
    ),
  ]);
}

const BROKEN = [
  // what the page is given, the state line's start, and what stays in the output region
  {
    name: 'a trap after a line',
    bytes: moduleBytes('fd_write'),
    state: CRASHED,
    output: 'Vor dem Absturz\n',
  },
  {
    name: 'an import the page lacks',
    bytes: moduleBytes('random_get'),
    state: CRASHED,
    output: '',
  },
  { name: 'no program at all', bytes: Buffer.from('kein Programm'), state: NOT_LOADED, output: '' },
];

// A program that fails is shown to have failed, with what it wrote before, the input
// closed and "Neu starten" at hand.
export async function checkCrashes(session, web) {
  const copies = fs.mkdtempSync(path.join(os.tmpdir(), 'tage-page-'));
  let ok = true;
  try {
    for (const [row, broken] of BROKEN.entries()) {
      // A folder of its own for each, so that no engine takes the program from its cache.
      const copy = path.join(copies, String(row));
      fs.cpSync(web, copy, { recursive: true });
      fs.writeFileSync(
        path.join(copy, 'tage-wasm.js'),
        `self.TAGE_WASM = '${broken.bytes.toString('base64')}';\n`,
      );
      await session.open(pathToFileURL(path.join(copy, 'index.html')).href);
      const state = await waitFor(session, 'zustand', broken.state);
      const seen = await session.run(() => ({
        output: document.getElementById('ausgabe').textContent,
        closed: document.getElementById('eingabe').disabled,
        focus: document.activeElement && document.activeElement.id,
      }));
      const shown =
        seen.output === broken.output &&
        seen.closed &&
        (broken.state === NOT_LOADED || seen.focus === 'neustart');
      console.log(
        `${broken.name}: ${JSON.stringify(state)}` +
          (shown
            ? ''
            : `, but the output is ${JSON.stringify(seen.output)}, input ${seen.closed ? 'closed' : 'open'}, focus on ${seen.focus}`),
      );
      ok = ok && state.startsWith(broken.state) && shown;
    }
  } finally {
    fs.rmSync(copies, { recursive: true, force: true });
  }
  return ok;
}

export function checkQuiet(session) {
  const errors = session.consoleErrors();
  if (errors === null) return null;
  console.log(errors.length ? `console errors: ${errors.join('\n')}` : 'no console error');
  return errors.length === 0;
}

// Serves `web` at http://127.0.0.1:PORT/tage/ and keeps every address asked of it.
function serve(web) {
  const asked = [];
  const types = {
    '.html': 'text/html',
    '.js': 'text/javascript',
    '.css': 'text/css',
    '.svg': 'image/svg+xml',
    '.png': 'image/png',
    '.webmanifest': 'application/manifest+json',
  };
  const server = http.createServer((request, response) => {
    asked.push(request.url);
    const inside = request.url.match(/^\/tage\/([^?#]*)$/);
    const file = inside && path.join(web, inside[1] || 'index.html');
    if (!file || !file.startsWith(web) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {
      'content-type': types[path.extname(file)] || 'application/octet-stream',
    });
    response.end(fs.readFileSync(file));
  });
  return new Promise((resolve) =>
    server.listen(0, '127.0.0.1', () => {
      resolve({ server, asked, url: `http://127.0.0.1:${server.address().port}/tage/` });
    }),
  );
}

// Runs in the page: the icons that the page and its manifest name but that cannot be loaded
// or have another size than they say.
async function pageIconsAmiss() {
  const manifest = await (await fetch('manifest.webmanifest')).json();
  const links = [...document.querySelectorAll('link[rel="icon"], link[rel="apple-touch-icon"]')];
  const named = [
    ...manifest.icons,
    ...links.map((link) => ({ src: link.getAttribute('href'), sizes: 'any' })),
  ];
  const amiss = [];
  for (const { src, sizes } of named) {
    const picture = new Image();
    picture.src = src;
    const loaded = await picture.decode().then(
      () => true,
      () => false,
    );
    const size = `${picture.naturalWidth}x${picture.naturalHeight}`;
    if (!loaded || (sizes !== 'any' && sizes !== size))
      amiss.push(`${src} (${loaded ? size : 'not loaded'})`);
  }
  return amiss;
}

// Served over HTTP from the loopback, the page asks for nothing outside its folder, has
// every icon it names, caches itself under its version's name, and works again once the
// server has gone.
export async function checkServed(session, web) {
  const { server, asked, url } = await serve(web);
  let ok = true;
  try {
    await openPage(session, `${url}index.html`);
    const caches = await session.run(() => navigator.serviceWorker.ready.then(() => caches.keys()));
    // A new version must come with a cache of its own, or the old page stays.
    if (caches.length !== 1 || !/^tage-\d+\.\d+\.\d+$/.test(caches[0])) {
      console.log(
        `offline: the page is cached as ${JSON.stringify(caches)}, not under its version`,
      );
      ok = false;
    }
    const icons = await session.run(pageIconsAmiss);
    console.log(
      icons.length
        ? `icons amiss: ${icons.join(', ')}`
        : 'every icon that the page and its manifest name is there, in its size',
    );
    ok = ok && icons.length === 0;
    const requested = [
      ...new Set([
        ...(session.requests() || []),
        ...asked.map((route) => new URL(route, url).href),
      ]),
    ];
    const outside = requested.filter(
      (address) => !address.startsWith(url) && !/^(blob|data):/.test(address),
    );
    console.log(
      outside.length
        ? `asked outside its folder: ${outside.join(' ')}`
        : `${requested.length} addresses asked, all inside the page's folder` +
            (session.requests() ? '' : ' (as the server saw them)'),
    );
    ok = ok && outside.length === 0;
    await new Promise((resolve) => server.close(resolve));
    server.closeAllConnections();
    await openPage(session, `${url}index.html`);
    console.log('served over HTTP: works offline after the first visit');
  } catch (error) {
    console.log(`served over HTTP: ${error.message}`);
    ok = false;
  } finally {
    server.close();
  }
  return ok;
}

// axe-core finds nothing in the light and in the dark scheme, with a run shown.
export async function checkAccessible(session, pageUrl, axeSource) {
  if (!(await session.colorScheme('light'))) return null;
  let ok = true;
  await openPage(session, pageUrl);
  await typeLine(session, '15 6 1999', 'Enter');
  await typeLine(session, '20 2 2003', 'Enter');
  await waitFor(session, 'ausgabe', 'Vom 15. 6. 1999');
  await session.inject(axeSource);
  for (const scheme of ['light', 'dark']) {
    await session.colorScheme(scheme);
    const violations = await session.run(() =>
      window.axe
        .run(document)
        .then((found) =>
          found.violations.map(
            (v) => `${v.id}: ${v.help} (${v.nodes.map((n) => n.target).join(', ')})`,
          ),
        ),
    );
    console.log(
      `axe-core, ${scheme} scheme: ${violations.length ? violations.join('\n') : 'no violation'}`,
    );
    ok = ok && violations.length === 0;
  }
  return ok;
}

// Pictures for the README, 1280 and 360 px wide; at 360 px the page fits the width.
export async function takeScreenshots(launchAt, pageUrl, folder) {
  fs.mkdirSync(folder, { recursive: true });
  let ok = true;
  for (const [width, height] of [
    [1280, 900],
    [360, 740],
  ]) {
    const session = await launchAt({ width, height });
    try {
      await openPage(session, pageUrl);
      await typeLine(session, '15 6 1999', 'Enter');
      await typeLine(session, '20 2 2003', 'Enter');
      await waitFor(session, 'ausgabe', 'Vom 15. 6. 1999');
      const wider = await session.run(
        () => document.documentElement.scrollWidth > window.innerWidth,
      );
      await session.screenshot(path.join(folder, `seite-${width}.png`));
      if (wider) console.log(`at ${width} px the page is wider than the window`);
      ok = ok && !wider;
    } finally {
      await session.close();
    }
  }
  console.log(`screenshots at 1280 and 360 px in ${folder}`);
  return ok;
}

// Milliseconds from the start of loading to the first prompt, the median of nine loads.
export async function firstPromptMilliseconds(session, pageUrl) {
  const times = [];
  for (let i = 0; i < 9; i += 1) {
    await openPage(session, pageUrl);
    times.push(await session.run(() => performance.getEntriesByName('erste Frage')[0].startTime));
  }
  return times.sort((a, b) => a - b)[4];
}

// Seconds from typing the second date of a span of a million years to its summary shown.
export async function millionYearsSeconds(session, pageUrl) {
  await openPage(session, pageUrl);
  await typeLine(session, '1 1 1000', 'Enter');
  await waitFor(session, 'ausgabe', 'Geben Sie das zweite Datum');
  return session.run(
    () =>
      new Promise((resolve) => {
        const region = document.getElementById('ausgabe');
        const started = performance.now();
        new MutationObserver((changes, observer) => {
          if (region.textContent.includes('Vom 1. 1. 1000 bis 1. 1. 1001000')) {
            observer.disconnect();
            resolve((performance.now() - started) / 1000);
          }
        }).observe(region, { childList: true, characterData: true, subtree: true });
        document.getElementById('eingabe').value = '1 1 1001000';
        document.getElementById('eingabezeile').requestSubmit();
      }),
  );
}
