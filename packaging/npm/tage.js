#!/usr/bin/env node
// Runs tage.wasm, the same program as on Linux and Windows, under Node's WASI: standard
// input, output and error are the process's own, and its exit status is the program's.
// The command line is ignored, as the program ignores it everywhere.
'use strict';

// Node warns on standard error that WASI is experimental; that is no message of the
// program's, so it is not shown. Every other warning is still shown.
const showWarning = process.listeners('warning');
process.removeAllListeners('warning');
process.on('warning', (warning) => {
  if (warning.name === 'ExperimentalWarning' && /WASI/.test(warning.message)) return;
  for (const listener of showWarning) listener(warning);
});

const fs = require('node:fs');
const path = require('node:path');
const { WASI } = require('node:wasi');

// Runs the WebAssembly program in `wasmFile` to its end and exits with its status.
function run(wasmFile) {
  const wasi = new WASI({ version: 'preview1', args: ['tage'], env: {}, returnOnExit: true });
  const module = new WebAssembly.Module(fs.readFileSync(wasmFile));
  const instance = new WebAssembly.Instance(module, { wasi_snapshot_preview1: wasi.wasiImport });
  process.exit(wasi.start(instance));
}

if (require.main === module) run(path.join(__dirname, 'tage.wasm'));
module.exports = { run };
