'use strict';
// Generated script blocks and HTML forms, loaded in headless Chromium, give
// back the source text.
const { convert, runPagesInChromium, CORPUS, LENGTHS } = require('./harness');

const pages = [];
const expected = {};
const json = (s) => JSON.stringify(s).replace(/</g, '\\u003c');

for (const [name, text] of Object.entries(CORPUS)) {
  for (const stringlength of LENGTHS) {
    for (const label of ['Javascript', 'Javascript variable', 'Javascript encode']) {
      const block = convert(label, text, { stringlength }).toString();
      // Collect what the block writes; a block that a text broke out of
      // never reports, or reports something else.
      const key = `${label} / ${name} / stringlength ${stringlength}`;
      pages.push({
        name: key,
        html: '<!DOCTYPE html><html><head><meta charset="utf-8"><script>var out=[];' +
          'document.write=function(s){out.push(String(s));};</script></head><body>' + block +
          '<script>report(typeof tempvar=="string"?tempvar:out.join(""));</script></body></html>',
      });
      expected[key] = label === 'Javascript encode' ? text : text.replace(/<\/script>/gi, '</script>');
    }
  }
  // Escaped HTML shows the text without its line ends.
  for (const label of ['HTML', 'HTML page']) {
    const hkey = `${label} / ${name}`;
    const html = convert(label, text).toString();
    pages.push({
      name: hkey,
      html: '<!DOCTYPE html><html><head><meta charset="utf-8"></head><body><div id="h">' + html +
        '</div><script>report(document.getElementById("h").textContent)</script></body></html>',
    });
    expected[hkey] = text.replace(/[\r\n]/g, '');
  }
  // The block really writing into the page shows what the source shows
  // (not for texts whose markup is left open and swallows the page).
  if (name.startsWith('comment')) continue;
  const key = `Javascript writes the page / ${name}`;
  pages.push({
    name: key,
    html: '<!DOCTYPE html><html><body><div id="w">' + convert('Javascript', text).toString() +
      '</div><script>var w=document.getElementById("w");' +
      'var s=w.querySelector(\'script[language="Javascript"]\');if(s)s.remove();' +
      'var d=new DOMParser().parseFromString("<body><div>"+' + json(text) + '+"</div></body>","text/html");' +
      'report(w.textContent===d.body.firstChild.textContent?"same":"differs: "+w.textContent);</script></body></html>',
  });
  expected[key] = 'same';
}

const results = runPagesInChromium(pages);
let failures = 0;
for (const [key, want] of Object.entries(expected)) {
  if (results[key] !== want) {
    failures++;
    console.error(`FAIL ${key}: got ${JSON.stringify(results[key])}, want ${JSON.stringify(want)}`);
  }
}
if (failures) {
  console.error(`${failures} of ${pages.length} page(s) failed`);
  process.exit(1);
}
console.log(`chromium: ${pages.length} pages show their source`);
