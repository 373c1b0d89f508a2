// The page in a real browser engine, opened straight from its folder (file://) as a user
// would first try, and served over HTTP from the loopback:
//
// - every transcript, typed line by line, gives exactly the transcript's output as the text
//   of the output region without its <kbd> echoes, and again from the link made after it;
// - a run longer than the scroll-back shows the program's first and last lines exactly;
// - a span of two billion years keeps the page responsive, and "Abbrechen" ends it at once;
// - a program that traps or cannot be instantiated is shown to have crashed;
// - no console error, nothing asked outside the page's folder, and offline use once served;
//   in Chromium, no violation that axe-core finds, in the light and the dark scheme, and
//   screenshots at 1280 and 360 px.
//
//   node page_test.mjs ENGINE TOOLS WEB_FOLDER TRANSCRIPTS_FOLDER NODE_PROGRAM SCREENSHOTS
//   node page_test.mjs --bench ENGINE TOOLS WEB_FOLDER
//       prints the milliseconds to the first prompt (the median of nine loads) and the
//       seconds from the second date of a million-year span to its summary shown
//
// ENGINE is chromium, firefox or webkit; TOOLS the folder where npm ci installed
// package-lock.json. Exits 77 (skipped), saying why, where the engine or its driver is
// missing; with CI=true, where every test must run, it fails instead.
import { spawnSync } from 'node:child_process';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { ENGINE_NAMES, launch, unavailable } from './engines.mjs';
import * as checks from './page_checks.mjs';

function skip(reason) {
  const skipping = fileURLToPath(new URL('../system/skipping.sh', import.meta.url));
  process.exit(spawnSync('bash', [skipping, reason], { stdio: 'inherit' }).status);
}

async function bench(engine, tools, web) {
  const pageUrl = pathToFileURL(path.join(web, 'index.html')).href;
  const session = await launch(engine, tools);
  try {
    const first = await checks.firstPromptMilliseconds(session, pageUrl);
    const span = await checks.millionYearsSeconds(session, pageUrl);
    console.log(`${first.toFixed(0)} ${span.toFixed(2)}`);
  } finally {
    await session.close();
  }
}

async function test(engine, tools, web, transcripts, nodeProgram, screenshots) {
  const pageUrl = pathToFileURL(path.join(web, 'index.html')).href;
  const results = {};
  const session = await launch(engine, tools);
  try {
    results.transcripts = await checks.checkTranscripts(session, pageUrl, transcripts);
    results['console errors'] = checks.checkQuiet(session);
    results['scroll-back'] = await checks.checkScrollBack(session, pageUrl, nodeProgram);
    results.responsive = await checks.checkResponsive(session, pageUrl);
    results.crashes = await checks.checkCrashes(session, web);
    const axe = createRequire(path.join(tools, 'package.json')).resolve('axe-core/axe.min.js');
    results.accessibility = await checks.checkAccessible(
      session,
      pageUrl,
      (await import('node:fs')).readFileSync(axe, 'utf8'),
    );
  } finally {
    await session.close();
  }
  const fresh = await launch(engine, tools);
  try {
    results['served over HTTP'] = await checks.checkServed(fresh, web);
  } finally {
    await fresh.close();
  }
  if (engine === 'chromium') {
    results.screenshots = await checks.takeScreenshots(
      (window) => launch(engine, tools, window),
      pageUrl,
      screenshots,
    );
  }
  const left = Object.keys(results).filter((check) => results[check] === null);
  const failed = Object.keys(results).filter((check) => results[check] === false);
  if (left.length)
    console.log(`left out in ${engine}, which its driver does not allow: ${left.join(', ')}`);
  if (failed.length) console.log(`failed in ${engine}: ${failed.join(', ')}`);
  return failed.length === 0;
}

async function main(argv) {
  const benchOnly = argv[0] === '--bench';
  const [engine, toolsGiven, web, ...rest] = benchOnly ? argv.slice(1) : argv;
  const tools = path.resolve(toolsGiven);
  if (!ENGINE_NAMES.includes(engine))
    throw new Error(`no engine ${engine}: ${ENGINE_NAMES.join(', ')}`);
  const missing = unavailable(engine, tools);
  if (missing) skip(missing);
  const folder = path.resolve(web);
  if (benchOnly) return bench(engine, tools, folder).then(() => 0);
  const [transcripts, nodeProgram, screenshots] = rest.map((given) => path.resolve(given));
  return (await test(engine, tools, folder, transcripts, nodeProgram, screenshots)) ? 0 : 1;
}

main(process.argv.slice(2)).then(
  (status) => process.exit(status),
  (error) => {
    console.error(error);
    process.exit(1);
  },
);
