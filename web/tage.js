// The page that holds the dialogue: tage.wasm, the same program as on Linux and Windows,
// runs in a Web Worker, so that the page stays responsive however much it writes. What it
// writes appears in the output region as it comes; what the user types goes to its
// standard input with its line end, and is shown where a console would echo it, as <kbd>.
'use strict';

// The scroll-back keeps the first and the last lines of a run; a line between them says
// how many were left out. A summary closes a run, so it is always among the last lines.
const HEAD_LINES = 200;
const TAIL_LINES = 1000;

// The program's side: WASI for the five calls tage.wasm makes, with a read of standard
// input that waits for the user's next line. The program is compiled with Asyncify, so a
// read that has to wait unwinds the program's stack, and once a line has arrived the stack
// is rewound and the read made again. Runs as the worker's source, so it refers to nothing
// outside itself: the scroll-back's bounds come as its argument.
function workerMain({ HEAD, TAIL }) {
  const BATCH_MS = 30; // the longest output is held back before it is shown
  const ERRNO_SUCCESS = 0;
  const ERRNO_BADF = 8;
  const ERRNO_NOSYS = 52;
  const UNWINDING = 1;
  const REWINDING = 2;
  const PAGE = 65536;

  let wasm = null; // the instance's exports
  let asyncifyData = 0; // where the unwound stack is kept
  const input = { chunks: [], ended: false, arrived: null };
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();

  // Output not yet shown: the first and the last lines of this batch, how many lines
  // between them were left out, and a line not yet ended.
  let batch = { head: [], tail: [], omitted: 0 };
  let unfinished = '';
  let lastSent = 0;
  let linesSeen = 0;

  // Leaves the last TAIL lines of the batch, counting those left out.
  function keepLastLines() {
    batch.omitted += batch.tail.length - TAIL;
    batch.tail = batch.tail.slice(-TAIL);
  }

  function addLine(line) {
    linesSeen += 1;
    if (batch.head.length < HEAD && linesSeen <= HEAD) {
      batch.head.push(line);
      return;
    }
    batch.tail.push(line);
    // Cut only now and then, so that a line costs no copy of the batch.
    if (batch.tail.length >= 2 * TAIL) keepLastLines();
  }

  function sendOutput() {
    if (batch.tail.length > TAIL) keepLastLines();
    const head = batch.head.join('');
    const tail = batch.tail.join('') + unfinished;
    unfinished = '';
    if (head || tail || batch.omitted) {
      postMessage({ type: 'output', head, omitted: batch.omitted, tail });
    }
    batch = { head: [], tail: [], omitted: 0 };
    lastSent = performance.now();
  }

  function write(text) {
    const lines = (unfinished + text).split('\n');
    unfinished = lines.pop();
    for (const line of lines) addLine(line + '\n');
    if (performance.now() - lastSent >= BATCH_MS) sendOutput();
  }

  function bytes() {
    return new Uint8Array(wasm.memory.buffer);
  }
  function words() {
    return new DataView(wasm.memory.buffer);
  }

  // The iovecs at `iovs`: [address, length] pairs.
  function buffers(iovs, count) {
    const view = words();
    const result = [];
    for (let i = 0; i < count; i += 1) {
      result.push([view.getUint32(iovs + 8 * i, true), view.getUint32(iovs + 8 * i + 4, true)]);
    }
    return result;
  }

  function fd_write(fd, iovs, count, writtenAt) {
    if (fd !== 1 && fd !== 2) return ERRNO_BADF;
    let written = 0;
    let text = '';
    for (const [address, length] of buffers(iovs, count)) {
      text += decoder.decode(bytes().subarray(address, address + length));
      written += length;
    }
    if (fd === 1) {
      write(text);
    } else {
      sendOutput();
      postMessage({ type: 'error', text });
    }
    words().setUint32(writtenAt, written, true);
    return ERRNO_SUCCESS;
  }

  function fd_read(fd, iovs, count, readAt) {
    if (fd !== 0) return ERRNO_BADF;
    if (wasm.asyncify_get_state() === REWINDING) {
      wasm.asyncify_stop_rewind();
    } else if (input.chunks.length === 0 && !input.ended) {
      // Nothing typed yet: show what was written, and wait for the next line.
      sendOutput();
      postMessage({ type: 'waiting' });
      words().setUint32(asyncifyData, asyncifyData + 8, true);
      words().setUint32(asyncifyData + 4, asyncifyData + PAGE, true);
      wasm.asyncify_start_unwind(asyncifyData);
      return ERRNO_SUCCESS;
    }
    let read = 0;
    for (const [address, length] of buffers(iovs, count)) {
      let room = length;
      while (room > 0 && input.chunks.length > 0) {
        const chunk = input.chunks[0];
        const taken = Math.min(room, chunk.length);
        bytes().set(chunk.subarray(0, taken), address + (length - room));
        room -= taken;
        read += taken;
        if (taken === chunk.length) input.chunks.shift();
        else input.chunks[0] = chunk.subarray(taken);
      }
    }
    words().setUint32(readAt, read, true);
    return ERRNO_SUCCESS;
  }

  class Exit {
    constructor(code) {
      this.code = code;
    }
  }

  const imports = {
    wasi_snapshot_preview1: {
      fd_write,
      fd_read,
      fd_close: () => ERRNO_SUCCESS,
      // Only asked after a read or write that would block, which never happens here.
      poll_oneoff: () => ERRNO_NOSYS,
      proc_exit: (code) => {
        throw new Exit(code);
      },
    },
  };

  function nextInput() {
    return new Promise((resolve) => {
      input.arrived = resolve;
    });
  }

  async function run(module) {
    const instance = await WebAssembly.instantiate(module, imports);
    wasm = instance.exports;
    asyncifyData = wasm.memory.grow(1) * PAGE;
    let code = 0;
    try {
      wasm._start();
      while (wasm.asyncify_get_state() === UNWINDING) {
        wasm.asyncify_stop_unwind();
        await nextInput();
        wasm.asyncify_start_rewind(asyncifyData);
        wasm._start();
      }
    } catch (error) {
      if (!(error instanceof Exit)) throw error;
      code = error.code;
    }
    sendOutput();
    postMessage({ type: 'exit', code });
  }

  self.onmessage = (event) => {
    const message = event.data;
    if (message.type === 'start') {
      run(message.module);
      return;
    }
    if (message.type === 'input') input.chunks.push(encoder.encode(message.text));
    if (message.type === 'end') input.ended = true;
    if (input.arrived) {
      const arrived = input.arrived;
      input.arrived = null;
      arrived();
    }
  };
}

// The page's side.
const output = document.getElementById('ausgabe');
const errors = document.getElementById('fehler');
const state = document.getElementById('zustand');
const line = document.getElementById('eingabe');
const form = document.getElementById('eingabezeile');
const endButton = document.getElementById('ende');
const cancelButton = document.getElementById('abbrechen');
const restartButton = document.getElementById('neustart');

const workerUrl = URL.createObjectURL(
  new Blob([`(${workerMain.toString()})({ HEAD: ${HEAD_LINES}, TAIL: ${TAIL_LINES} });`], {
    type: 'text/javascript',
  }),
);
let compiled = null;
let worker = null;

// The scroll-back: the nodes of the first lines, a note of how many lines were left out
// (made when the first line beyond them comes), and the nodes of the last lines. What
// arrives is drawn once a frame, and of that only what the scroll-back keeps, so that the
// page keeps up with a program that writes millions of lines.
let headLines = 0;
let tailLines = 0;
let omittedLines = 0;
let note = null;
const queue = []; // {text, typed} or {omitted}, in the order they came, not yet drawn
let drawing = false;

function countLines(text) {
  let count = 0;
  for (let i = text.indexOf('\n'); i !== -1; i = text.indexOf('\n', i + 1)) count += 1;
  return count;
}

function nodeOf(item) {
  if (!item.typed) return document.createTextNode(item.text);
  const typed = document.createElement('kbd');
  typed.textContent = item.text;
  return typed;
}

function showNote() {
  if (!note) {
    note = document.createElement('span');
    note.className = 'ausgelassen';
    output.appendChild(note);
  }
  note.textContent = omittedLines
    ? `… ${omittedLines.toLocaleString('de-DE')} Zeilen ausgelassen …\n`
    : '';
}

// `text` without its first `lines` lines.
function withoutLines(text, lines) {
  let cut = 0;
  for (let left = lines; left > 0; left -= 1) cut = text.indexOf('\n', cut) + 1;
  return text.slice(cut);
}

// Drops the oldest of the last lines until TAIL_LINES are left.
function trimTail() {
  while (tailLines > TAIL_LINES) {
    const oldest = note.nextSibling;
    const lines = countLines(oldest.textContent);
    if (tailLines - lines >= TAIL_LINES || oldest.nodeType !== Node.TEXT_NODE) {
      oldest.remove();
      tailLines -= lines;
      omittedLines += lines;
    } else {
      const dropped = tailLines - TAIL_LINES;
      oldest.data = withoutLines(oldest.data, dropped);
      tailLines -= dropped;
      omittedLines += dropped;
    }
  }
}

function draw() {
  drawing = false;
  const items = queue.splice(0);
  const atBottom = output.scrollTop + output.clientHeight >= output.scrollHeight - 4;
  let next = 0;
  for (; next < items.length && !note && items[next].text !== undefined; next += 1) {
    const lines = countLines(items[next].text);
    if (headLines + lines > HEAD_LINES) break;
    output.appendChild(nodeOf(items[next]));
    headLines += lines;
  }
  if (next < items.length) {
    // The rest goes after the note, and of the last lines only TAIL_LINES stay. The worker
    // sends at most that many lines at a time, so little is drawn only to be dropped.
    showNote();
    const fragment = document.createDocumentFragment();
    for (const item of items.slice(next)) {
      if (item.text === undefined) {
        omittedLines += item.omitted;
      } else {
        fragment.appendChild(nodeOf(item));
        tailLines += countLines(item.text);
      }
    }
    output.appendChild(fragment);
    trimTail();
    showNote();
  }
  if (atBottom) output.scrollTop = output.scrollHeight;
}

function enqueue(item) {
  queue.push(item);
  if (!drawing) {
    drawing = true;
    requestAnimationFrame(draw);
  }
}

function show(message) {
  // When the first prompt was shown, counted from the start of loading (bench/run.sh,
  // "page, first prompt").
  if (performance.getEntriesByName('erste Frage').length === 0) performance.mark('erste Frage');
  if (message.head) enqueue({ text: message.head, typed: false });
  if (message.omitted) enqueue({ omitted: message.omitted });
  if (message.tail) enqueue({ text: message.tail, typed: false });
}

function echo(text) {
  enqueue({ text, typed: true });
}

function setRunning(running) {
  line.disabled = !running;
  endButton.disabled = !running;
  cancelButton.disabled = !running;
  form.querySelector('button').disabled = !running;
  if (running) line.focus();
  else restartButton.focus();
}

function finish(text) {
  // What the program wrote last is shown before the word that it has ended.
  if (drawing) draw();
  worker.terminate();
  worker = null;
  state.textContent = text;
  setRunning(false);
}

function start() {
  if (worker) worker.terminate();
  output.textContent = '';
  errors.textContent = '';
  state.textContent = '';
  headLines = 0;
  tailLines = 0;
  omittedLines = 0;
  note = null;
  queue.length = 0;
  worker = new Worker(workerUrl);
  worker.onmessage = (event) => {
    const message = event.data;
    if (message.type === 'output') show(message);
    else if (message.type === 'error') errors.textContent += message.text;
    else if (message.type === 'waiting') state.textContent = '';
    else if (message.type === 'exit') finish(`Das Programm ist beendet (Status ${message.code}).`);
  };
  worker.onerror = (event) => finish(`Das Programm ist abgestürzt: ${event.message}`);
  worker.postMessage({ type: 'start', module: compiled });
  setRunning(true);
}

form.addEventListener('submit', (event) => {
  event.preventDefault();
  if (!worker) return;
  const text = `${line.value}\n`;
  line.value = '';
  echo(text);
  worker.postMessage({ type: 'input', text });
});

// Ctrl+D as at a console: what is typed goes without a line end; on an empty line it ends
// the input.
function endInput() {
  if (!worker) return;
  if (line.value) {
    echo(line.value);
    worker.postMessage({ type: 'input', text: line.value });
    line.value = '';
  } else {
    worker.postMessage({ type: 'end' });
  }
  line.focus();
}

line.addEventListener('keydown', (event) => {
  if (event.ctrlKey && (event.key === 'd' || event.key === 'D')) {
    event.preventDefault();
    endInput();
  } else if (
    event.ctrlKey &&
    (event.key === 'c' || event.key === 'C') &&
    line.selectionStart === line.selectionEnd
  ) {
    event.preventDefault();
    cancelButton.click();
  }
});
endButton.addEventListener('click', endInput);
cancelButton.addEventListener('click', () => {
  if (worker) finish('Abgebrochen.');
});
restartButton.addEventListener('click', start);

// The program's bytes come with the page (tage-wasm.js), so that it runs from a folder
// opened straight from the disk too, where the page may load nothing else.
WebAssembly.compile(Uint8Array.from(atob(self.TAGE_WASM), (c) => c.charCodeAt(0)))
  .then((module) => {
    compiled = module;
    start();
  })
  .catch((error) => {
    state.textContent = `Das Programm konnte nicht geladen werden: ${error}`;
  });

// Installable and usable offline once served over HTTP(S). A folder opened from the disk
// needs neither, and may not load the manifest.
if (/^https?:$/.test(location.protocol)) {
  const manifest = document.createElement('link');
  manifest.rel = 'manifest';
  manifest.href = 'manifest.webmanifest';
  document.head.appendChild(manifest);
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
}
