// Writes the bytes of a WebAssembly program into a script that the page loads like any
// other, as base64: a page opened straight from the disk may load scripts beside it, but
// may not fetch a file.
//
//   node embed_wasm.js PROGRAM.wasm OUTPUT.js
'use strict';
const fs = require('node:fs');
const [program, output] = process.argv.slice(2);
const base64 = fs.readFileSync(program).toString('base64');
fs.writeFileSync(output, `// tage.wasm, made at build time.\nself.TAGE_WASM = '${base64}';\n`);
