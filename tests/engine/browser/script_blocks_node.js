'use strict';
// Every script-block converter's output, run in Node.js, gives back the text.
const assert = require('assert');
const { convert, runScriptBlockInNode, CORPUS, LENGTHS } = require('./harness');

let failures = 0;
function check(what, actual, expected) {
  try {
    assert.strictEqual(actual, expected);
  } catch (e) {
    failures++;
    console.error(`FAIL ${what}: got ${JSON.stringify(actual)}, want ${JSON.stringify(expected)}`);
  }
}

// "</script>" comes back in lower case, whatever its letters were.
const written = (text) => text.replace(/<\/script>/gi, '</script>');

for (const [name, text] of Object.entries(CORPUS)) {
  for (const stringlength of LENGTHS) {
    const what = (label) => `${label} / ${name} / stringlength ${stringlength}`;
    const js = runScriptBlockInNode(convert('Javascript', text, { stringlength }).toString());
    check(what('Javascript'), js.written, written(text));
    const v = runScriptBlockInNode(convert('Javascript variable', text, { stringlength }).toString());
    check(what('Javascript variable'), v.tempvar, written(text));
    const enc = runScriptBlockInNode(convert('Javascript encode', text, { stringlength }).toString());
    check(what('Javascript encode'), enc.written, text);
    // Byte-wise escapes give the UTF-8 bytes back, one character per byte.
    const bytes = convert('Url Encode (all chars)', text, { stringlength }).toString();
    const joined = runScriptBlockInNode(
      '<script language="Javascript">\ndocument.write(unescape(\'' + bytes + '\'))\n</script>').written;
    check(what('Url Encode (all chars)'), joined, Buffer.from(text, 'utf8').toString('latin1'));
  }
}

// A Latin-1 text in "Javascript encode" comes back as its characters.
const latin = runScriptBlockInNode(convert('Javascript encode', Buffer.from([0x63, 0xe9, 0x80]),
  { input: 'WindowsLatin1' }).toString()).written;
check('Javascript encode / WindowsLatin1', latin, 'cé€');

if (failures) {
  console.error(`${failures} failure(s)`);
  process.exit(1);
}
console.log('script blocks: all texts written back in Node.js');
