'use strict';
// Runs engine output where it is used: script blocks in Node.js, whole pages
// in headless Chromium. Other browser checks build on runPagesInChromium.
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const vm = require('vm');

const DRIVER = process.env.CONVERT_DRIVER;
const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';

// The converter's result as a Buffer. opts: stringlength, input, source, dest, save.
function convert(label, text, opts = {}) {
  if (!DRIVER) throw new Error('CONVERT_DRIVER is not set');
  const args = [label];
  for (const [k, v] of Object.entries(opts)) args.push('--' + k, String(v));
  const input = Buffer.isBuffer(text) ? text : Buffer.from(text, 'utf8');
  return execFileSync(DRIVER, args, { input, maxBuffer: 1 << 30 });
}

// Runs a script block's code with a document.write that collects its
// argument; gives what was written, and tempvar when the block sets it.
function runScriptBlockInNode(block) {
  const m = /^<script language="Javascript">\n([\s\S]*)\n<\/script>$/.exec(block);
  if (!m) throw new Error('not a script block: ' + block.slice(0, 80));
  const written = [];
  const context = vm.createContext({ document: { write: (s) => written.push(String(s)) }, unescape });
  vm.runInContext(m[1], context);
  return { written: written.join(''), tempvar: context.tempvar };
}

// Loads every page in one headless Chromium run, each in its own frame. A
// page reports with report(value) (a string), which it finds as
// parent.report; the result maps page names to reported values (undefined
// for a page that never reported).
function runPagesInChromium(pages) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'varnel-chromium-'));
  try {
    const attr = (s) => s.replace(/&/g, '&amp;').replace(/"/g, '&quot;');
    const frames = pages.map((p, i) =>
      `<iframe srcdoc="${attr('<script>var report=function(v){parent.report(' + i + ',v)}</script>' + p.html)}"></iframe>`);
    const top = '<!DOCTYPE html><html><head><meta charset="utf-8"><script>' +
      'var results={};function report(i,v){results[i]=String(v);' +
      'document.getElementById("out").textContent=encodeURIComponent(JSON.stringify(results));}' +
      '</script></head><body><pre id="out"></pre>' + frames.join('\n') + '</body></html>';
    const file = path.join(dir, 'pages.html');
    fs.writeFileSync(file, top);
    const profile = path.join(dir, 'profile');
    const dom = execFileSync(CHROMIUM, [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--user-data-dir=' + profile, '--virtual-time-budget=5000', '--dump-dom', 'file://' + file,
    ], { maxBuffer: 1 << 30, stdio: ['ignore', 'pipe', 'ignore'], timeout: 120000 }).toString();
    const m = /<pre id="out">([^<]*)<\/pre>/.exec(dom);
    const raw = m && m[1] ? JSON.parse(decodeURIComponent(m[1])) : {};
    const out = {};
    pages.forEach((p, i) => { out[p.name] = raw[i]; });
    return out;
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

// Texts that script blocks must carry through unchanged.
const CORPUS = {
  empty: '',
  plain: 'Hello, world',
  quotes: `It's "quoted" and 'single'`,
  backslashes: 'C:\\path\\to\\file \\n not a newline \\\\ double',
  lineEnds: 'lf\ncr\rcrlf\r\nend\n',
  tabs: 'a\tb\t\tc',
  nonAscii: 'café Ünïcödé ñ € Ελληνικά Русский 日本語',
  astral: 'emoji 😀 and 𝄞 clef, 𠀋',
  scriptEnds: 'a</script>b</SCRIPT>c</Script >d</script\n>e</sCrIpT/>f',
  commentAndScript: '<!--<script>alert(1)</script>x',
  commentOnly: 'before <!-- never closed <SCRIPT type="x">',
  html: '<p class="x">Para &amp; <b>bold</b></p>\n<script>var q = "\'";</script>\n<a href=\'y\'>link</a>',
  mixed: '\\\'\r\n</script>\t😀é\\',
};
const LENGTHS = [0, 1, 2, 3, 80];

module.exports = { convert, runScriptBlockInNode, runPagesInChromium, CORPUS, LENGTHS };
