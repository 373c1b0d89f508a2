// The page's side: the output region with its scroll-back, what the user types and how it
// reaches the program, the controls, and the link to a calculation. The program itself runs
// in a worker made from program.js; what it writes appears in the output region as it
// comes, and what the user types is shown where a console would echo it, as <kbd>.
'use strict';

// The one rule of the scroll-back: once a run has written `written` lines, the output
// region keeps its first `head` lines and the lines from `tail` on, the last 1,000; a line
// between them says how many were left out. The worker's batches and the page both follow
// it, so they cannot disagree. The first lines stay whatever follows (`head` never moves),
// and a line once left out stays out (`tail` only grows). The worker is made from this
// function's text, so it refers to nothing outside itself.
function keptLines(written) {
  const HEAD = 200;
  const TAIL = 1000;
  return { head: HEAD, tail: Math.max(HEAD, written - TAIL) };
}

const NOTE = (omitted) => `… ${omitted.toLocaleString('de-DE')} Zeilen ausgelassen …\n`;

// The output region. Its first lines stand before the note, and the rest after it. Every
// piece of text, and every echo, carries the first and the last line it touches, so that
// what the rule leaves out can be taken away from the front; an echo belongs to the line it
// follows. What arrives waits in a queue, thinned by the same rule, and is drawn at once
// when the program waits or ends. While it writes on, a drawing comes at most every
// DRAW_MS and adds at most DRAW_LINES lines, the oldest queued; the rest waits for the next
// one, or is left out by then. After the note, lines stand in blocks of their own, a new
// one wherever a line begins, so that taking lines away at the front or adding them at the
// end lays out only the blocks touched. Both keep each drawing short in WebKit, which lays
// out all the text of a block anew when any of it changes, and needs some 50 ms for a
// thousand new lines: drawing them all at once held the page up for about 100 ms.
const scrollBack = (() => {
  const DRAW_MS = 250;
  const DRAW_LINES = 250;
  const region = document.getElementById('ausgabe');
  const note = document.createElement('span');
  note.className = 'ausgelassen';
  let written = 0; // complete lines of the program's, as far as the page has heard
  let lineOpen = false; // whether the program's last line heard has no line end yet
  let queued = []; // {text, typed, first, last} not yet drawn, oldest first
  let after = []; // {node, first, last, block} drawn after the note, oldest first
  let drawnAt = -Infinity;
  let drawing = null; // the timer of the next drawing
  let stuck = true; // whether the region follows the newest line
  let working = false; // whether the program is writing on, rather than waiting or ended

  region.addEventListener('scroll', () => {
    stuck = region.scrollTop + region.clientHeight >= region.scrollHeight - 4;
  });

  function lineEnds(text) {
    let count = 0;
    for (let at = text.indexOf('\n'); at !== -1; at = text.indexOf('\n', at + 1)) count += 1;
    return count;
  }

  // `text` from the start of its line `line` on, where it starts in line `first`.
  function fromLine(text, first, line) {
    let cut = 0;
    for (let left = line - first; left > 0; left -= 1) cut = text.indexOf('\n', cut) + 1;
    return text.slice(cut);
  }

  function leftOut({ first, last }) {
    const { head, tail } = keptLines(written);
    return first >= head && last < tail;
  }

  function nodeOf({ text, typed }) {
    if (!typed) return document.createTextNode(text);
    const echo = document.createElement('kbd');
    echo.textContent = text;
    return echo;
  }

  // Takes away what the rule now leaves out, and says how much that is.
  function thin() {
    const { head, tail } = keptLines(written);
    let gone = 0;
    while (gone < after.length && leftOut(after[gone])) {
      const { node, block } = after[gone];
      node.remove();
      if (!block.hasChildNodes()) block.remove();
      gone += 1;
    }
    if (gone > 0) after = after.slice(gone);
    const oldest = after[0];
    if (oldest && oldest.first < tail && oldest.node.nodeType === Node.TEXT_NODE) {
      oldest.node.data = fromLine(oldest.node.data, oldest.first, tail);
      oldest.first = tail;
    }
    note.textContent = tail > head ? NOTE(tail - head) : '';
  }

  // The block that a node drawn after the note goes into: the last one while its line goes
  // on, else a new one at the end of `later`.
  function blockAfterNote(later) {
    const newest = after[after.length - 1];
    if (newest && !newest.node.textContent.endsWith('\n')) return newest.block;
    const block = document.createElement('span');
    block.className = 'zeilen';
    later.appendChild(block);
    return block;
  }

  // The queued pieces to draw now: all of them once the program waits or has ended; while
  // it writes on, the oldest DRAW_LINES lines, a piece cut where they end.
  function takeQueued() {
    if (!working) return queued.splice(0);
    const taken = [];
    let room = DRAW_LINES;
    while (queued.length > 0 && room > 0) {
      const piece = queued[0];
      const lines = piece.last - piece.first + 1;
      if (lines <= room || piece.typed) {
        taken.push(queued.shift());
        room -= lines;
      } else {
        const line = piece.first + room;
        const rest = fromLine(piece.text, piece.first, line);
        const before = piece.text.slice(0, piece.text.length - rest.length);
        taken.push({ ...piece, text: before, last: line - 1 });
        queued[0] = { ...piece, text: rest, first: line };
        room = 0;
      }
    }
    return taken;
  }

  function draw() {
    clearTimeout(drawing);
    drawing = null;
    drawnAt = performance.now();
    const { head } = keptLines(written);
    const later = document.createDocumentFragment();
    for (const piece of takeQueued()) {
      const node = nodeOf(piece);
      if (piece.last < head) {
        region.insertBefore(node, note);
      } else {
        const block = blockAfterNote(later);
        block.appendChild(node);
        after.push({ node, first: piece.first, last: piece.last, block });
      }
    }
    region.appendChild(later);
    thin();
    if (stuck) region.scrollTop = region.scrollHeight;
    if (queued.length > 0) drawLater();
  }

  // The next drawing, DRAW_MS after the last one, unless one is due already.
  function drawLater() {
    if (drawing !== null) return;
    drawing = setTimeout(draw, Math.max(0, drawnAt + DRAW_MS - performance.now()));
  }

  function enqueue(piece) {
    queued.push(piece);
    let gone = 0;
    while (gone < queued.length && leftOut(queued[gone])) gone += 1;
    if (gone > 0) queued = queued.slice(gone);
    drawLater();
  }

  return {
    // While the program works on what it was given, the region is busy, and a screen
    // reader waits for the lines that come; once the program waits for input, or has ended,
    // they are drawn at once and read.
    busy(writing) {
      working = writing;
      region.setAttribute('aria-busy', String(writing));
      if (!writing && drawing !== null) draw();
    },

    clear() {
      clearTimeout(drawing);
      drawing = null;
      region.replaceChildren(note);
      note.textContent = '';
      written = 0;
      lineOpen = false;
      queued = [];
      after = [];
      stuck = true;
      working = false;
    },

    // What the program wrote: pieces of text, each starting in its line `first`.
    show(pieces, writtenNow) {
      written = writtenNow;
      for (const { first, text } of pieces) {
        const ends = lineEnds(text);
        lineOpen = !text.endsWith('\n');
        enqueue({ text, typed: false, first, last: lineOpen ? first + ends : first + ends - 1 });
      }
    },

    echo(text) {
      const line = lineOpen ? written : written - 1;
      enqueue({ text, typed: true, first: line, last: line });
      draw();
    },
  };
})();

// The link to a calculation: what was typed, in the page's address after its '#', so that
// it reaches no server, and opening the address types it into a fresh run.
const link = {
  TYPED: 'eingabe',
  ENDED: 'ende',

  // The page's address with `typed` (and whether the input was ended) as its fragment.
  of(typed, ended) {
    const fragment = new URLSearchParams({ [this.TYPED]: typed });
    if (ended) fragment.set(this.ENDED, 'ja');
    const address = new URL(location.href);
    address.hash = fragment.toString();
    return address.href;
  },

  // What the page's address says was typed, or null where it says nothing.
  read() {
    const fragment = new URLSearchParams(location.hash.slice(1));
    if (!fragment.has(this.TYPED)) return null;
    return { typed: fragment.get(this.TYPED), ended: fragment.has(this.ENDED) };
  },

  set(address) {
    history.replaceState(null, '', address);
  },

  clear() {
    const address = new URL(location.href);
    address.hash = '';
    if (address.href !== location.href) history.replaceState(null, '', address.href);
  },
};

const elements = {
  errors: document.getElementById('fehler'),
  state: document.getElementById('zustand'),
  line: document.getElementById('eingabe'),
  form: document.getElementById('eingabezeile'),
  send: document.getElementById('senden'),
  end: document.getElementById('ende'),
  cancel: document.getElementById('abbrechen'),
  restart: document.getElementById('neustart'),
  link: document.getElementById('link'),
  linkState: document.getElementById('link-zustand'),
};

// The run: the worker, and everything that reaches the program's standard input, which goes
// through `type` and `endInput` alone. They keep what was typed for the link; a link's
// lines wait in `replay` and are typed one at a time, whenever the program waits for input.
const run = {
  worker: null,
  compiled: null,
  typed: '',
  ended: false,
  replay: [],
  workerUrl: URL.createObjectURL(
    new Blob([`'use strict';\n(${programMain})(${keptLines});\n`], { type: 'text/javascript' }),
  ),

  start(fromLink) {
    if (this.worker) this.worker.terminate();
    scrollBack.clear();
    elements.errors.textContent = '';
    elements.state.textContent = '';
    elements.linkState.textContent = '';
    this.typed = '';
    this.ended = false;
    this.replay = fromLink ? this.piecesOf(fromLink) : [];
    this.worker = new Worker(this.workerUrl);
    this.worker.onmessage = (event) => this.heard(event.data);
    this.worker.onerror = (event) => {
      event.preventDefault();
      this.finish(`Das Programm ist abgestürzt: ${event.message}`);
    };
    this.worker.postMessage({ type: 'start', module: this.compiled });
    scrollBack.busy(true);
    setRunning(true);
  },

  // A link's input as the user would have typed it: line by line, then what came without a
  // line end, then the end of the input.
  piecesOf({ typed, ended }) {
    const pieces = typed.split(/(?<=\n)/).filter((piece) => piece !== '');
    return ended ? [...pieces, null] : pieces;
  },

  heard(message) {
    if (message.type === 'output') {
      // When the first prompt was shown, counted from the start of loading (bench/run.sh).
      if (performance.getEntriesByName('erste Frage').length === 0) performance.mark('erste Frage');
      scrollBack.show(message.pieces, message.written);
    } else if (message.type === 'error') {
      elements.errors.textContent += message.text;
    } else if (message.type === 'waiting') {
      elements.state.textContent = '';
      scrollBack.busy(false);
      if (this.replay.length > 0) {
        const piece = this.replay.shift();
        if (piece === null) this.endInput();
        else this.type(piece);
      }
    } else if (message.type === 'exit') {
      this.finish(`Das Programm ist beendet (Status ${message.code}).`);
    } else if (message.type === 'crash') {
      this.finish(`Das Programm ist abgestürzt: ${message.reason}`);
    }
  },

  type(text) {
    if (!this.worker) return;
    scrollBack.echo(text);
    scrollBack.busy(true);
    this.typed += text;
    this.worker.postMessage({ type: 'input', text });
  },

  endInput() {
    if (!this.worker) return;
    scrollBack.busy(true);
    this.ended = true;
    this.worker.postMessage({ type: 'end' });
  },

  finish(text) {
    if (!this.worker) return;
    this.worker.terminate();
    this.worker = null;
    this.replay = [];
    elements.state.textContent = text;
    scrollBack.busy(false);
    setRunning(false);
  },
};

function setRunning(running) {
  for (const control of [elements.line, elements.send, elements.end, elements.cancel]) {
    control.disabled = !running;
  }
  elements.link.disabled = false;
  if (running) elements.line.focus();
  else elements.restart.focus();
}

elements.form.addEventListener('submit', (event) => {
  event.preventDefault();
  const text = `${elements.line.value}\n`;
  elements.line.value = '';
  run.type(text);
});

// Ctrl+D as at a console: what is typed goes without a line end; on an empty line it ends
// the input.
function endOfInput() {
  if (elements.line.value) {
    run.type(elements.line.value);
    elements.line.value = '';
  } else {
    run.endInput();
  }
  elements.line.focus();
}

elements.line.addEventListener('keydown', (event) => {
  const key = event.key.toLowerCase();
  if (event.ctrlKey && key === 'd') {
    event.preventDefault();
    endOfInput();
  } else if (
    event.ctrlKey &&
    key === 'c' &&
    elements.line.selectionStart === elements.line.selectionEnd
  ) {
    event.preventDefault();
    elements.cancel.click();
  }
});
elements.end.addEventListener('click', endOfInput);
elements.cancel.addEventListener('click', () => run.finish('Abgebrochen.'));
elements.restart.addEventListener('click', () => {
  link.clear();
  run.start(null);
});
elements.link.addEventListener('click', () => {
  const address = link.of(run.typed, run.ended);
  link.set(address);
  const said = 'Der Link zu dieser Rechnung steht in der Adresszeile';
  elements.linkState.textContent = `${said}.`;
  if (!navigator.clipboard) return;
  navigator.clipboard.writeText(address).then(
    () => {
      elements.linkState.textContent = `${said} und ist kopiert.`;
    },
    () => {},
  );
});
// An address changed by hand to another calculation starts that one.
window.addEventListener('hashchange', () => {
  if (run.compiled) run.start(link.read());
});

// The program's bytes come with the page (tage-wasm.js), so that it runs from a folder
// opened straight from the disk too, where the page may load nothing else.
Promise.resolve()
  .then(() => WebAssembly.compile(Uint8Array.from(atob(self.TAGE_WASM), (c) => c.charCodeAt(0))))
  .then((module) => {
    run.compiled = module;
    run.start(link.read());
  })
  .catch((error) => {
    elements.state.textContent = `Das Programm konnte nicht geladen werden: ${error}`;
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
