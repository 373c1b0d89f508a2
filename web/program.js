// The program's side of the page: tage.wasm, the same program as on Linux and Windows, runs
// in a Web Worker, so that the page stays responsive however much it writes. This file gives
// it the five WASI calls it makes, lets its read of standard input wait for the user's next
// line, and sends what it writes to the page in batches.
//
// `programMain` is the worker's whole source: a page opened from the disk may not start a
// worker from a script file, so the page makes one from this function's text (page.js). It
// refers to nothing outside itself; the one rule it shares with the page, which lines the
// output region keeps, comes as its argument.
'use strict';

// Messages to the page: {type: 'output', pieces: [{first, text}], written} (`text` starts in
// line `first`; `written` lines are complete), {type: 'error', text} for standard error,
// {type: 'waiting'} when a read finds nothing typed, then {type: 'exit', code} or
// {type: 'crash', reason}. From the page: {type: 'start', module}, {type: 'input', text},
// {type: 'end'}.
function programMain(keptLines) {
  const BATCH_MS = 30; // the longest that output is held back before it is shown
  const FIRST_ROOM = 1 << 18; // bytes of the later lines held before they are thinned
  const LINE_FEED = 10;
  const STDIN = 0;
  const STDOUT = 1;
  const STDERR = 2;
  const ERRNO_SUCCESS = 0;
  const ERRNO_BADF = 8;
  const ERRNO_NOSYS = 52;
  const UNWINDING = 1;
  const REWINDING = 2;
  const PAGE = 65536;

  // The program's memory, seen as bytes and as words; made anew once it has grown.
  let wasm = null;
  let seenBuffer = null;
  let memoryBytes = null;
  let memoryWords = null;
  function memory() {
    if (wasm.memory.buffer !== seenBuffer) {
      seenBuffer = wasm.memory.buffer;
      memoryBytes = new Uint8Array(seenBuffer);
      memoryWords = new DataView(seenBuffer);
    }
    return memoryBytes;
  }
  function words() {
    memory();
    return memoryWords;
  }

  // Standard output not yet sent. The lines that the scroll-back always keeps first are
  // gathered as they come; of the later ones, `later` holds the bytes from line `laterFirst`
  // on, thinned to the lines the scroll-back keeps whenever it fills, so that a line costs
  // one copy of its bytes and a program may write billions of them.
  const { head } = keptLines(0);
  let written = 0; // complete lines written so far
  let headChunks = [];
  let headFirst = 0;
  let later = new Uint8Array(FIRST_ROOM);
  let laterLength = 0;
  let laterFirst = head;
  let lastSent = 0;
  const outputText = new TextDecoder();
  const errorText = new TextDecoder();

  // Where line `line` of `later` begins: after the line feed that ends the line before it,
  // found from the end, where the kept lines are.
  function laterOffsetOf(line) {
    let at = laterLength;
    for (let ends = written - line + 1; ends > 0; ends -= 1) {
      at = later.lastIndexOf(LINE_FEED, at - 1);
    }
    return at + 1;
  }

  function thinLater() {
    const { tail } = keptLines(written);
    if (tail <= laterFirst) return;
    const from = laterOffsetOf(tail);
    later.copyWithin(0, from, laterLength);
    laterLength -= from;
    laterFirst = tail;
  }

  function makeRoom(needed) {
    if (laterLength + needed <= later.length) return;
    thinLater();
    if (laterLength + needed <= later.length) return;
    const larger = new Uint8Array(Math.max(2 * later.length, laterLength + needed));
    larger.set(later.subarray(0, laterLength));
    later = larger;
  }

  function addToLater(bytes, from, to) {
    makeRoom(to - from);
    let length = laterLength;
    let lines = 0;
    for (let i = from; i < to; i += 1) {
      const byte = bytes[i];
      later[length] = byte;
      length += 1;
      if (byte === LINE_FEED) lines += 1;
    }
    laterLength = length;
    written += lines;
  }

  function addToHead(bytes, from, to) {
    while (from < to && written < head) {
      const end = bytes.indexOf(LINE_FEED, from);
      const ends = end !== -1 && end < to;
      const next = ends ? end + 1 : to;
      headChunks.push(bytes.slice(from, next));
      if (ends) written += 1;
      from = next;
    }
    return from;
  }

  function addOutput(bytes, from, to) {
    const rest = written < head ? addToHead(bytes, from, to) : from;
    if (rest < to) addToLater(bytes, rest, to);
  }

  function joined(chunks) {
    const all = new Uint8Array(chunks.reduce((sum, chunk) => sum + chunk.length, 0));
    let at = 0;
    for (const chunk of chunks) {
      all.set(chunk, at);
      at += chunk.length;
    }
    return all;
  }

  // Sends what is pending, of the later lines only those the scroll-back keeps; a line not
  // yet ended goes too, and what follows it later continues it.
  function sendOutput() {
    lastSent = performance.now();
    const pieces = [];
    if (headChunks.length > 0) {
      pieces.push({
        first: headFirst,
        text: outputText.decode(joined(headChunks), { stream: true }),
      });
      headChunks = [];
      headFirst = written;
    }
    if (laterLength > 0) {
      thinLater();
      const text = outputText.decode(later.subarray(0, laterLength), { stream: true });
      pieces.push({ first: laterFirst, text });
      laterLength = 0;
      laterFirst = written;
    }
    if (pieces.length > 0) postMessage({ type: 'output', pieces, written });
  }

  function fd_write(fd, iovs, count, writtenAt) {
    if (fd !== STDOUT && fd !== STDERR) return ERRNO_BADF;
    const view = words();
    const bytes = memory();
    let total = 0;
    for (let i = 0; i < count; i += 1) {
      const address = view.getUint32(iovs + 8 * i, true);
      const length = view.getUint32(iovs + 8 * i + 4, true);
      if (fd === STDOUT) {
        addOutput(bytes, address, address + length);
      } else {
        // What went to standard output before comes first.
        sendOutput();
        const text = errorText.decode(bytes.subarray(address, address + length), { stream: true });
        postMessage({ type: 'error', text });
      }
      total += length;
    }
    view.setUint32(writtenAt, total, true);
    if (performance.now() - lastSent >= BATCH_MS) sendOutput();
    return ERRNO_SUCCESS;
  }

  // Standard input: the bytes typed and not yet read, whether the input has ended, and the
  // promise's resolution of a read that waits.
  const input = { chunks: [], ended: false, arrived: null };
  const encoder = new TextEncoder();

  function takeInput(iovs, count) {
    const view = words();
    let read = 0;
    for (let i = 0; i < count; i += 1) {
      const address = view.getUint32(iovs + 8 * i, true);
      const length = view.getUint32(iovs + 8 * i + 4, true);
      let room = length;
      while (room > 0 && input.chunks.length > 0) {
        const chunk = input.chunks[0];
        const taken = Math.min(room, chunk.length);
        memory().set(chunk.subarray(0, taken), address + (length - room));
        room -= taken;
        read += taken;
        if (taken === chunk.length) input.chunks.shift();
        else input.chunks[0] = chunk.subarray(taken);
      }
    }
    return read;
  }

  // The program is compiled with Asyncify: a read that has to wait unwinds the program's
  // stack into `asyncifyData`, and once a line has arrived the stack is rewound and the read
  // made again.
  let asyncifyData = 0;
  function fd_read(fd, iovs, count, readAt) {
    if (fd !== STDIN) return ERRNO_BADF;
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
    words().setUint32(readAt, takeInput(iovs, count), true);
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

  // Runs the program to its end; returns its exit status, or throws what made it fail.
  async function runToEnd(module) {
    const instance = await WebAssembly.instantiate(module, imports);
    wasm = instance.exports;
    asyncifyData = wasm.memory.grow(1) * PAGE;
    try {
      wasm._start();
      while (wasm.asyncify_get_state() === UNWINDING) {
        wasm.asyncify_stop_unwind();
        await nextInput();
        wasm.asyncify_start_rewind(asyncifyData);
        wasm._start();
      }
    } catch (error) {
      if (error instanceof Exit) return error.code;
      throw error;
    }
    return 0;
  }

  // However the run ends, what the program wrote is shown before the word of its end.
  async function run(module) {
    let end;
    try {
      end = { type: 'exit', code: await runToEnd(module) };
    } catch (error) {
      end = { type: 'crash', reason: String(error) };
    }
    sendOutput();
    postMessage(end);
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
