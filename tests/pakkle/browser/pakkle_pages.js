// Every page must write its source text back, exactly, in Node.js (with a
// document.write that collects its argument) or in headless Chromium.
// Usage: node pakkle_pages.js node|chromium   (PAKKLE_PAGE: the page driver)
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync, execFile } = require('child_process');

const where = process.argv[2] || 'node';
const driver = process.env.PAKKLE_PAGE;
if (!driver) {
  console.error('PAKKLE_PAGE is not set');
  process.exit(2);
}
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'pakkle-pages-'));

let seed = 12345;
function random(n) {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed % n;
}
function randomText(symbols, n) {
  let out = '';
  for (let i = 0; i < n; i++) out += symbols[random(symbols.length)];
  return out;
}
const letters = (s) => Array.from(s);

const html = fs.readFileSync(path.join(__dirname, '..', 'data', 'zlib_how.html'), 'utf8');
let distinct = '';
for (let i = 0x21; i < 0x7f; i++) distinct += String.fromCharCode(i);
let cjk = '';
for (let i = 0x4e00; i < 0x4e00 + 182; i++) cjk += String.fromCharCode(i);

// Real HTML, made to 1 MB with varied words so that it is not one repeat.
function megabyteOfHtml() {
  const words = ['<div class="x">', 'deflate', 'inflate', '</p>\n', ' the ', 'stream', '&amp;', '<b>', '</b>'];
  let out = '';
  while (out.length < 1 << 20) {
    const at = random(html.length - 4000);
    out += html.slice(at, at + 500 + random(3000)) + randomText(words, 20 + random(40));
  }
  return out.slice(0, 1 << 20);
}

// A copy whose source lies wholly in the 99-character chunk that the
// previous copy has just begun, on a text longer than the window.
function chunkCase() {
  const y = randomText(letters('klmnopqrstuvwxyz'), 91);
  const filler = randomText(letters('ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789'), 8207 - 91);
  return y + filler + y + y.slice(10) + '!END';
}

function runsCase() {
  let s = '';
  while (s.length < 5000) {
    const n = 88 + random(8);
    s += random(2) ? 'abc'[random(3)].repeat(n * 4) : randomText(letters('0123456789ABCDEFGHIJ'), n);
  }
  return s;
}

const cases = [
  ['empty', '', 'chars'],
  ['empty bytes', '', 'bytes'],
  ['nine a', 'aaaaaaaaa', 'bytes'],
  ['case', 'ABCD1abcd2abcd3', 'chars'],
  ['case bytes', 'ABCD1abcd2abcd3', 'bytes'],
  ['script end and comment', 'a</script>b<!-- c --></SCRIPT><script>x</script >', 'bytes'],
  ['quotes and line ends', "it's\r\n\t\"q\"\\ \n\rend'", 'chars'],
  ['91 literals', distinct.slice(0, 91), 'bytes'],
  ['182 literals', cjk, 'chars'],
  ['182 literals then a match', cjk + cjk.slice(0, 30) + 'x', 'chars'],
  ['91 literals then a match', distinct.slice(0, 91) + distinct.slice(0, 30) + '!', 'bytes'],
  ['runs of 91', runsCase(), 'bytes'],
  ['runs of 91 characters', runsCase(), 'chars'],
  ['partial chunk', chunkCase(), 'bytes'],
  ['emoji', 'a\u{1F600} b \u{1F600} b \u{1F600} b \u{2000B}' + randomText(['\u{1F600}', '\u{1F601}', 'x', '\u4E2D', 'é'], 20000), 'chars'],
  ['real html', html, 'chars'],
  ['real html bytes', html, 'bytes'],
  ['1 MB html', megabyteOfHtml(), 'chars'],
  ['1 MB html bytes', megabyteOfHtml(), 'bytes'],
  ['1 MB small alphabet', randomText(letters('ab<!/'), 1 << 20), 'bytes'],
];
if (where === 'node') {
  cases.push(['latin-1 bytes', 'café crème café crème', 'bytes']);
  cases.push(['cjk', randomText(['\u4E2D', '\u6587', ' ', 'Ä', 'ä'], 30000), 'chars']);
}

function makePage(name, text, unit, i) {
  const input = path.join(work, `in${i}.txt`);
  const output = path.join(work, `page${i}.html`);
  fs.writeFileSync(input, text, 'utf8');
  execFileSync(driver, [unit, input, output]);
  return fs.readFileSync(output);
}

// What the script must write: the text, or in byte units its UTF-8 bytes
// each as one character.
function expected(text, unit) {
  return unit === 'chars' ? text : Buffer.from(text, 'utf8').toString('latin1');
}

function firstDifference(a, b) {
  let i = 0;
  while (i < a.length && i < b.length && a[i] === b[i]) i++;
  return i;
}

function inNode(page, unit) {
  const source = page.toString(unit === 'chars' ? 'utf8' : 'latin1');
  const open = source.indexOf('<script>') + '<script>'.length;
  const script = source.slice(open, source.indexOf('</script>', open));
  let written = '';
  const document = { write: (x) => { written += x; } };
  new Function('document', script)(document);
  return written;
}

const capture =
  '<script>var __w=[];document.write=function(x){__w.push(String(x));};' +
  'document.addEventListener("DOMContentLoaded",function(){var s=__w.join(""),h=[];' +
  'for(var i=0;i<s.length;i++)h.push((s.charCodeAt(i)+65536).toString(16).slice(1));' +
  'var p=document.createElement("pre");p.id="out";p.textContent="BEGIN"+h.join("")+"END";' +
  'document.body.appendChild(p);});</script>';

function inChromium(page, unit, i) {
  // A byte-order mark fixes the page's encoding for UTF-8 text; the capture
  // script goes before the page and changes nothing of its parse.
  const file = path.join(work, `chromium${i}.html`);
  const bom = unit === 'chars' ? Buffer.from([0xef, 0xbb, 0xbf]) : Buffer.alloc(0);
  fs.writeFileSync(file, Buffer.concat([bom, Buffer.from(capture), page]));
  const profile = fs.mkdtempSync(path.join(work, 'profile-'));
  const args = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    `--user-data-dir=${profile}`, '--dump-dom', 'file://' + file];
  return new Promise((resolve, reject) => {
    execFile('/usr/bin/chromium', args, { maxBuffer: 1 << 28, timeout: 120000 }, (err, stdout) => {
      if (err) return reject(err);
      const m = /BEGIN([0-9a-f]*)END/.exec(stdout);
      if (!m) return reject(new Error('no output in the dumped page'));
      let s = '';
      for (let k = 0; k < m[1].length; k += 4) s += String.fromCharCode(parseInt(m[1].slice(k, k + 4), 16));
      resolve(s);
    });
  });
}

async function main() {
  let failures = 0;
  const jobs = cases.map(([name, text, unit], i) => ({ name, text, unit, i, page: makePage(name, text, unit, i) }));
  const check = (job, got) => {
    const want = expected(job.text, job.unit);
    if (got === want) {
      console.log(`ok   ${job.name} (${job.unit}, ${want.length} characters)`);
    } else {
      failures++;
      const at = firstDifference(got, want);
      console.log(`FAIL ${job.name} (${job.unit}): ${got.length} characters instead of ${want.length}, ` +
        `first difference at ${at}`);
    }
  };
  if (where === 'node') {
    for (const job of jobs) check(job, inNode(job.page, job.unit));
  } else {
    const queue = jobs.slice();
    const worker = async () => {
      while (queue.length) {
        const job = queue.shift();
        try {
          check(job, await inChromium(job.page, job.unit, job.i));
        } catch (e) {
          failures++;
          console.log(`FAIL ${job.name}: ${e.message}`);
        }
      }
    };
    await Promise.all([worker(), worker(), worker(), worker()]);
  }
  fs.rmSync(work, { recursive: true, force: true });
  process.exit(failures ? 1 : 0);
}

main();
