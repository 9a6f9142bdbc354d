#!/usr/bin/env node
// Tokenises every example post with editors/tornel.tmLanguage.json, as VS
// Code does (vscode-textmate over the Oniguruma engine), and checks:
//   - the grammar is the one the compiler tables give (make_grammar.js), and
//     its property list form tokenises as the JSON form does;
//   - every character of the example posts that is not blank falls under
//     some rule of the grammar, and none under an "invalid" one;
//   - every system variable of the registry is one by its prefix;
//   - the scopes of known places of the examples and of short texts that
//     show the lexical rules (case, prefixes, literals, formats ...).
// Prints one line per failure and "N passed, N failed" at the end.
'use strict';

const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const vsctm = require('vscode-textmate');
const oniguruma = require('vscode-oniguruma');

const root = path.join(__dirname, '..', '..');
const grammarPath = path.join(root, 'editors', 'tornel.tmLanguage.json');
const plistPath = path.join(root, 'editors', 'Tornel.tmbundle', 'Syntaxes', 'tornel.tmLanguage');
const postsDir = path.join(root, 'examples', 'posts');

let passed = 0;
let failed = 0;
function check(ok, what) {
  if (ok) {
    passed += 1;
  } else {
    failed += 1;
    console.log(`FAIL ${what}`);
  }
}

async function loadOniguruma() {
  const wasm = fs.readFileSync(require.resolve('vscode-oniguruma/release/onig.wasm'));
  await oniguruma.loadWASM(wasm.buffer.slice(wasm.byteOffset, wasm.byteOffset + wasm.byteLength));
}

// The grammar of a file: JSON or a property list, by its name.
async function loadGrammar(file) {
  const registry = new vsctm.Registry({
    onigLib: Promise.resolve({
      createOnigScanner: (patterns) => new oniguruma.OnigScanner(patterns),
      createOnigString: (s) => new oniguruma.OnigString(s),
    }),
    loadGrammar: async (scopeName) => {
      if (scopeName !== 'source.tornel') return null;
      return vsctm.parseRawGrammar(fs.readFileSync(file, 'utf8'), file);
    },
  });
  return registry.loadGrammar('source.tornel');
}

// The tokens of every line of a text: [{ line, start, end, text, scopes }].
function tokenise(grammar, text) {
  const lines = text.split(/\r?\n/);
  const tokens = [];
  let state = vsctm.INITIAL;
  lines.forEach((line, index) => {
    const result = grammar.tokenizeLine(line, state);
    for (const t of result.tokens) {
      const end = Math.min(t.endIndex, line.length);
      if (end > t.startIndex)
        tokens.push({ line: index + 1, start: t.startIndex, end, text: line.slice(t.startIndex, end), scopes: t.scopes });
    }
    state = result.ruleStack;
  });
  return tokens;
}

// The scopes of the token that covers the first occurrence of `needle` on
// line `line` (1-based) of the tokens; null when the line lacks it.
function scopesAt(tokens, line, needle) {
  const lineTokens = tokens.filter((t) => t.line === line);
  const text = lineTokens.map((t) => t.text).join('');
  const at = text.indexOf(needle);
  if (at < 0) return null;
  const offset = lineTokens.length ? lineTokens[0].start : 0;
  const token = lineTokens.find((t) => t.start - offset <= at && at < t.end - offset);
  // The whole needle must lie in one token: a name is never split.
  if (!token || at + needle.length > token.end - offset) return [];
  return token.scopes;
}

function hasScope(scopes, scope) {
  return scopes !== null && scopes.some((s) => s === scope || s.startsWith(`${scope}.`));
}

// Every non-blank character has a scope besides the file's own, and none is
// invalid: a gap is a word the grammar does not know.
function checkCoverage(tokens, file) {
  let bad = 0;
  for (const t of tokens) {
    const uncovered = t.scopes.length === 1 && t.text.trim() !== '';
    const invalid = t.scopes.some((s) => s.startsWith('invalid'));
    if ((uncovered || invalid) && bad < 10) {
      console.log(`  ${file}:${t.line}:${t.start + 1}: "${t.text.trim()}" ${uncovered ? 'hits no rule' : t.scopes.join(' ')}`);
    }
    if (uncovered || invalid) bad += 1;
  }
  check(bad === 0, `${file}: ${bad} places that hit no rule or an invalid one`);
}

// The line of `file` whose text contains `needle` (the first one), 1-based.
function lineOf(text, needle) {
  const index = text.split(/\r?\n/).findIndex((l) => l.includes(needle));
  if (index < 0) throw new Error(`no line with ${needle}`);
  return index + 1;
}

// [file, the line's text, the word on it, the scope it must have]
const exampleCases = [
  ['iso_mill.tr', '// Generic ISO (G-code) 3-axis vertical mill.', 'Generic', 'comment.line.double-slash.tornel'],
  ['iso_mill.tr', "_n 'N' >4", 'N', 'string.quoted.single.tornel'],
  ['iso_mill.tr', "_n 'N' >4", '_n', 'entity.name.variable.address.tornel'],
  ['iso_mill.tr', "_n 'N' >4", '>4', 'constant.other.format.tornel'],
  ['iso_mill.tr', "_x 'X' ->43.34< modal", '->43.34<', 'constant.other.format.tornel'],
  ['iso_mill.tr', "_x 'X' ->43.34< modal", 'modal', 'storage.modifier.address-option.tornel'],
  ['iso_mill.tr', 'mgplane _g 17 18 19', 'mgplane', 'entity.name.variable.modal-group.tornel'],
  ['iso_mill.tr', 'mgplane _g 17 18 19', '_g', 'variable.other.address.tornel'],
  ['iso_mill.tr', 'mgplane _g 17 18 19', '18', 'constant.numeric.tornel'],
  ['iso_mill.tr', 'siArcOn = $xy_xz_yz', 'siArcOn', 'variable.language.system.integer.tornel'],
  ['iso_mill.tr', 'siArcOn = $xy_xz_yz', '$xy_xz_yz', 'constant.language.dollar.tornel'],
  ['iso_mill.tr', 'srRadArcMaxAng = 150', 'srRadArcMaxAng', 'variable.language.system.real.tornel'],
  ['iso_mill.tr', 'seqnums: yes _n 10 10 99990', 'seqnums:', 'keyword.other.settings.tornel'],
  ['iso_mill.tr', 'seqnums: yes _n 10 10 99990', 'yes', 'constant.language.boolean.tornel'],
  ['iso_mill.tr', 'func fiSpindleCode', 'func', 'keyword.control.section.tornel'],
  ['iso_mill.tr', 'func fiSpindleCode', 'fiSpindleCode', 'entity.name.function.tornel'],
  ['iso_mill.tr', 'func OnAPT[UNITS]', 'OnAPT', 'entity.name.function.event.tornel'],
  ['iso_mill.tr', 'func OnAPT[UNITS]', 'UNITS', 'constant.other.record-word.tornel'],
  ['iso_mill.tr', 'if (StrCopy(ssWordStr[2], 1, 1)', 'if', 'keyword.control.tornel'],
  ['iso_mill.tr', 'if (StrCopy(ssWordStr[2], 1, 1)', 'StrCopy', 'support.function.builtin.tornel'],
  ['iso_mill.tr', 'if (StrCopy(ssWordStr[2], 1, 1)', 'ssWordStr', 'variable.language.system.string.tornel'],
  ['iso_mill.tr', 'func ProgStart', 'ProgStart', 'entity.name.function.post.tornel'],
  ['iso_mill.tr', "-o: '%'", '-o:', 'keyword.other.output.tornel'],
  ['iso_mill.tr', 'o: _t(srTool) _m(6)', '_t', 'variable.other.address.tornel'],
  ['iso_mill.tr', 'o: _g(!0) _x(!srX)', '!', 'keyword.operator.modifier.tornel'],
  ['iso_mill.tr', 'if (siHelic = 1 or abs(srIncAng)', 'or', 'keyword.operator.logical.tornel'],
  ['iso_mill.tr', '    RapidMove', 'RapidMove', 'support.function.post.tornel'],
  ['iso_mill.tr', 'end func', 'end', 'keyword.control.section.tornel'],
  ['iso_mill.tr', 'end modalgroup', 'modalgroup', 'storage.type.modal-group.tornel'],
  ['iso_mill.tr', '  variable', 'variable', 'storage.type.declaration.tornel'],
  ['iso_mill.tr', '    uiInch', 'uiInch', 'variable.other.global.tornel'],
  ['iso_lathe.tr', '  lathecoord', 'lathecoord', 'keyword.other.directive.tornel'],
  ['iso_lathe.tr', 'o: _g(50) _s(srMaxRPM)', '_s', 'variable.other.address.tornel'],
  ['wire_edm_4ax.tr', 'if (srcTaper = srcTaperOff)', 'srcTaperOff', 'variable.language.system.code.tornel'],
  ['iso_mill_dialog.tr', "o: _'O' %>4(uiProgNo)", '>4', 'constant.other.format.tornel'],
  ['iso_mill_dialog.tr', "o: _'O' %>4(uiProgNo)", 'O', 'string.quoted.single.tornel'],
  ['iso_mill_dialog.tr', "o: _'O' %>4(uiProgNo)", '_', 'punctuation.separator.word.tornel'],
  ['iso_mill_dialog.tr', 'InputReal(urSafeZ!', 'InputReal', 'support.function.builtin.tornel'],
  ['iso_mill_dialog.tr', 'include:', 'include:', 'keyword.control.import.tornel'],
  ['trunnion_5ax.tr', 'rotary: table z 1 0', 'table', 'support.constant.option.tornel'],
  ['trunnion_5ax.tr', "StrWri({_z}, srToolLenList[liTool])", '_z', 'variable.other.address.tornel'],
  ['trunnion_5ax.tr', "StrWri({_z}, srToolLenList[liTool])", 'liTool', 'variable.other.local.tornel'],
  ['creo_nurbs_dialect.tr', "StrWri(>7, uiCreoNrbLine)", '>7', 'constant.other.format.tornel'],
  ['creo_nurbs_dialect.tr', "lsText + \\", '\\', 'constant.character.escape.continuation.tornel'],
  ['creo_nurbs_dialect.tr', "    when other", 'other', 'keyword.control.tornel'],
  ['creo_nurbs_dialect.tr', "for (liWord = 3 to siRecSize step 3)", 'step', 'keyword.control.tornel'],
];

// [what it shows, the text, its line, the word on it, the scope it must have
//  (or, starting with "!", must not have)]
const textCases = [
  ['case does not matter', 'IF (UIA = 1) uiA = 2\nEnd', 1, 'IF', 'keyword.control.tornel'],
  ['case does not matter', 'IF (UIA = 1) uiA = 2\nEnd', 1, 'UIA', 'variable.other.global.tornel'],
  ['case does not matter', 'IF (UIA = 1) uiA = 2\nEnd', 2, 'End', 'keyword.control.tornel'],
  ['case does not matter', 'MAIN\nEND MAIN', 2, 'MAIN', 'keyword.control.section.tornel'],
  ['a built-in before a prefix', 'urA = sin(30) + sign(siX)', 1, 'sin', 'support.function.builtin.tornel'],
  ['a built-in before a prefix', 'urA = sin(30) + sign(siX)', 1, 'sign', 'support.function.builtin.tornel'],
  ['a built-in before a prefix', 'urA = sin(30) + sign(siX)', 1, 'siX', 'variable.language.system.integer.tornel'],
  ['a built-in before a prefix', 'uiA = FileOpen(usP, uiH, 0) + fiOpen', 1, 'FileOpen', 'support.function.builtin.tornel'],
  ['a built-in before a prefix', 'uiA = FileOpen(usP, uiH, 0) + fiOpen', 1, 'fiOpen', 'entity.name.function.tornel'],
  ['longer names keep their prefix', 'uiOrder = sinus + urMinZ', 1, 'sinus', 'variable.language.system.integer.tornel'],
  ['longer names keep their prefix', 'uiOrder = sinus + urMinZ', 1, 'uiOrder', '!keyword.operator.logical.tornel'],
  ['a name may hold $ and #', 'ui$a = ur#b', 1, 'ui$a', 'variable.other.global.tornel'],
  ['a name may hold $ and #', 'ui$a = ur#b', 1, 'ur#b', 'variable.other.global.tornel'],
  ['an unknown $ constant', 'uiA = $nosuch', 1, '$nosuch', 'invalid.illegal.unknown-dollar.tornel'],
  ['a # constant', 'CONSTANT\n  #SafeZ=50\nEND\nurZ = #SafeZ', 4, '#SafeZ', 'constant.other.hash.tornel'],
  ['a # constant', 'CONSTANT\n  #SafeZ=50\nEND\nurZ = #SafeZ', 1, 'CONSTANT', 'storage.type.declaration.tornel'],
  ['a # constant stands for its text', 'CONSTANT\n  #Feed = f1000 // F word\nEND', 2, 'f1000', 'string.unquoted.constant-text.tornel'],
  ['a # constant stands for its text', 'CONSTANT\n  #Feed = f1000 // F word\nEND', 2, 'F word', 'comment.line.double-slash.tornel'],
  ['a # constant stands for its text', 'CONSTANT\n  #Feed = f1000 // F word\nEND', 2, '#Feed', 'constant.other.hash.tornel'],
  ['// and ; inside a literal', "usA = 'a // b; c' // note", 1, 'b; c', 'string.quoted.single.tornel'],
  ['// and ; inside a literal', "usA = 'a // b; c' // note", 1, 'note', 'comment.line.double-slash.tornel'],
  ['a literal keeps running after \\', "usA = 'first \\\n  second' + usB", 2, 'second', 'string.quoted.single.tornel'],
  ['a literal keeps running after \\', "usA = 'first \\\n  second' + usB", 2, 'usB', 'variable.other.global.tornel'],
  ['a literal ends at its line without \\', "usA = 'open\nuiB = 1", 2, 'uiB', 'variable.other.global.tornel'],
  ['a statement continues after \\', 'uiA = 1 + \\\n  uiB', 1, '\\', 'constant.character.escape.continuation.tornel'],
  ['numbers', 'urA = .5 + 12 + 0.25', 1, '.5', 'constant.numeric.tornel'],
  ['numbers', 'urA = .5 + 12 + 0.25', 1, '0.25', 'constant.numeric.tornel'],
  ['a digit in a name is no number', 'urA1 = 2', 1, 'urA1', 'variable.other.global.tornel'],
  ['compiling off', 'uiA = 1\n----\nthis is not compiled\n++++\nuiB = 2', 3, 'compiled', 'comment.block.disabled.tornel'],
  ['compiling off', 'uiA = 1\n----\nthis is not compiled\n++++\nuiB = 2', 5, 'uiB', 'variable.other.global.tornel'],
  ['---- inside a line is no block', 'uiA = 1 ---- 2\nuiB = 2', 2, 'uiB', 'variable.other.global.tornel'],
  ['directives with signs', 'seqnext?\nseqnext!\npostunits:mm', 1, 'seqnext?', 'keyword.other.directive.tornel'],
  ['directives with signs', 'seqnext?\nseqnext!\npostunits:mm', 3, 'postunits:mm', 'keyword.other.directive.tornel'],
  ['the settings keyword, not the directive', 'postunits: 1', 1, 'postunits:', 'keyword.other.settings.tornel'],
  ['comment options', "comment: '(' ')' noseq noupper", 1, 'noupper', 'support.constant.option.tornel'],
  ['address attributes', '_F.enable = 0; uiN = mgMotion.modval[2]', 1, 'enable', 'variable.other.property.attribute.tornel'],
  ['address attributes', '_F.enable = 0; uiN = mgMotion.modval[2]', 1, 'modval', 'variable.other.property.attribute.tornel'],
  ['address attributes', '_F.enable = 0; uiN = mgMotion.modval[2]', 1, 'mgMotion', 'variable.other.modal-group.tornel'],
  ['a select address', "ADDRESS\n  _Cool 'M' select strings='9''8'\nEND ADDRESS", 2, 'select', 'storage.modifier.address-option.tornel'],
  ['a select address', "ADDRESS\n  _Cool 'M' select strings='9''8'\nEND ADDRESS", 2, '_Cool', 'entity.name.variable.address.tornel'],
  ['a select address', "ADDRESS\n  _Cool 'M' select strings='9''8'\nEND ADDRESS", 3, 'ADDRESS', 'storage.type.address.tornel'],
  ['triggers', 'O: BIND(_F,?_S) WITH(_T) EACH _B(1):99', 1, 'BIND', 'keyword.other.trigger.tornel'],
  ['triggers', 'O: BIND(_F,?_S) WITH(_T) EACH _B(1):99', 1, 'EACH', 'keyword.other.trigger.tornel'],
  ['output flags', 'O::| _Y(1) _X(2)', 1, ':|', 'keyword.operator.output-flag.tornel'],
  ['numbered and skip lines', "NO: 'T1' _M(6)\n/O: _M(1)", 2, '/O:', 'keyword.other.output.tornel'],
  ['companion statements', 'CLR: _X mgMotion ALL\nreplace: \'G00\' = \'G0\'', 2, 'replace:', 'keyword.other.output.tornel'],
  ['an address hook', 'FUNC OnAddrOut[_X]', 1, '_X', 'variable.other.address.tornel'],
  ['an address hook', 'FUNC OnAddrOut[_X]', 1, 'OnAddrOut', 'entity.name.function.event.tornel'],
  ['parameters in and out', 'FUNC fvSwap(!lrA, !lrB)', 1, 'lrB', 'variable.other.local.tornel'],
  ['FUNC Finishing is a post function', 'FUNC Finishing', 1, 'Finishing', 'entity.name.function.post.tornel'],
  ['labels', 'LABEL again\nIF (uiI < 3) JUMP again', 2, 'again', 'entity.name.label.tornel'],
  ['a format in place', 'O: %+4.3(urA) %{_x}(urB)', 1, '+4.3', 'constant.other.format.tornel'],
  ['keywords stand whole', 'uiEndIf = 1', 1, 'uiEndIf', 'variable.other.global.tornel'],
];

async function main() {
  try {
    execFileSync(process.execPath, [path.join(root, 'editors', 'make_grammar.js'), '--check'], { stdio: 'inherit' });
    check(true, 'grammar up to date');
  } catch (e) {
    check(false, 'the grammar files are up to date with the compiler tables');
  }

  await loadOniguruma();
  const grammar = await loadGrammar(grammarPath);
  const plistGrammar = await loadGrammar(plistPath);
  const posts = fs.readdirSync(postsDir).filter((f) => f.endsWith('.tr')).sort();
  check(posts.length > 0, 'example posts found');
  const texts = {};
  for (const file of posts) {
    texts[file] = fs.readFileSync(path.join(postsDir, file), 'latin1');
    const tokens = tokenise(grammar, texts[file]);
    checkCoverage(tokens, file);
    // TextMate and Sublime Text read the property list: it must give the same.
    check(JSON.stringify(tokenise(plistGrammar, texts[file])) === JSON.stringify(tokens),
      `${file}: the TextMate bundle's grammar tokenises as the JSON grammar does`);
  }
  const vscode = JSON.parse(fs.readFileSync(path.join(root, 'editors', 'vscode', 'package.json'), 'utf8'));
  const contributed = vscode.contributes.grammars[0];
  check(contributed.scopeName === 'source.tornel' &&
    path.basename(contributed.path) === path.basename(grammarPath) &&
    vscode.contributes.languages[0].extensions.includes('.tr'),
    'editors/vscode/package.json names the grammar, its scope and .tr');

  // Every system variable of the registry is known by its prefix, with the
  // type of its table (src: the real code constants).
  const registry = fs.readFileSync(path.join(root, 'tornel', 'sysvars', 'system_variables.def'), 'utf8');
  const rows = [...registry.matchAll(/^TORNEL_(SI|SR|SS)\([^,]+, "([A-Za-z0-9_]+)/gm)];
  check(rows.length > 700, `system variables read from the registry (${rows.length})`);
  const misread = rows.filter(([, table, name]) => {
    const scopes = scopesAt(tokenise(grammar, `${name} = 1`), 1, name);
    const type = table === 'SI' ? 'integer' : table === 'SS' ? 'string' :
      name.toLowerCase().startsWith('src') ? 'code' : 'real';
    return !hasScope(scopes, `variable.language.system.${type}.tornel`);
  }).map(([, , name]) => name);
  check(misread.length === 0, `system variables known by their prefix and type: not ${misread.slice(0, 10).join(' ')}`);

  for (const [file, lineText, word, scope] of exampleCases) {
    const line = lineOf(texts[file], lineText);
    const scopes = scopesAt(tokenise(grammar, texts[file]), line, word);
    check(hasScope(scopes, scope), `${file}:${line}: "${word}" is ${scope} (got ${scopes && scopes.join(' ')})`);
  }

  for (const [what, text, line, word, scope] of textCases) {
    const scopes = scopesAt(tokenise(grammar, text), line, word);
    const negative = scope.startsWith('!');
    const ok = scopes !== null && scopes.length > 0 &&
      (negative ? !hasScope(scopes, scope.slice(1)) : hasScope(scopes, scope));
    check(ok, `${what}: "${word}" ${negative ? 'is not' : 'is'} ${scope.replace('!', '')} in ${JSON.stringify(text)} (got ${scopes && scopes.join(' ')})`);
  }

  console.log(`editor grammar: ${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}

main().catch((e) => {
  console.log(`FAIL ${e.stack || e}`);
  console.log(`editor grammar: ${passed} passed, ${failed + 1} failed`);
  process.exit(1);
});
