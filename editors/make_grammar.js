#!/usr/bin/env node
// Writes editors/tornel.tmLanguage.json, the TextMate grammar of post files,
// and the same as a property list in the TextMate bundle
// editors/Tornel.tmbundle/Syntaxes/tornel.tmLanguage.
//
// The word lists (built-in functions, post functions, `$` constants,
// directives, statement keywords, address options and attributes) are read
// from the tables the compiler itself uses, so the grammar knows exactly the
// words Tornel knows; the rules around them are written here.
//
//   node editors/make_grammar.js           write the grammar
//   node editors/make_grammar.js --check   exit 1 when the written grammar
//                                          is not what the tables give
'use strict';

const fs = require('fs');
const path = require('path');

const root = path.join(__dirname, '..');
const output = path.join(__dirname, 'tornel.tmLanguage.json');
const plistOutput = path.join(__dirname, 'Tornel.tmbundle', 'Syntaxes', 'tornel.tmLanguage');

function source(file) {
  return fs.readFileSync(path.join(root, file), 'utf8');
}

function fail(message) {
  process.stderr.write(`make_grammar: ${message}\n`);
  process.exit(2);
}

// The first string of each row of the initializer `name[] = { ... };`.
function arrayWords(file, name) {
  const text = source(file);
  const start = text.indexOf(` ${name}[] = {`);
  if (start < 0) fail(`${file}: no table ${name}`);
  const end = text.indexOf('};', start);
  const words = [...text.slice(start, end).matchAll(/\{"([^"]+)"/g)].map((m) => m[1]);
  if (words.length === 0) fail(`${file}: table ${name} is empty`);
  return words;
}

// The text of `constexpr std::string_view name = "text";`.
function constantWord(file, name) {
  const m = source(file).match(new RegExp(`\\b${name}(?:\\{| = )"([^"]+)"`));
  if (!m) fail(`${file}: no constant ${name}`);
  return m[1];
}

// Field `index` (a quoted string) of every row `macro(...)` of a .def file.
function defWords(file, macro, index) {
  const rows = [...source(file).matchAll(new RegExp(`^${macro}\\((.*)\\)`, 'gm'))];
  const words = rows.map((m) => {
    const fields = m[1].split(',').map((f) => f.trim());
    const field = fields[index];
    if (!field || !field.startsWith('"')) fail(`${file}: row without a name: ${m[0]}`);
    return field.slice(1, -1);
  });
  if (words.length === 0) fail(`${file}: no ${macro} rows`);
  return words;
}

const keywordTable = 'tornel/sysvars/keyword_table.h';
const aliases = arrayWords(keywordTable, 'kKeywordAliases');
const tables = {
  builtins: defWords('tornel/builtins/builtin_table.def', 'TORNEL_BUILTIN', 3),
  // FUNC Finishing defines aFinishing: both names are the post function's.
  postFunctions: defWords('tornel/compiler/post_functions.def', 'TORNEL_POST_FUNCTION', 2)
    .concat(aliases.filter((w) => w === 'finishing')),
  directives: arrayWords(keywordTable, 'kDirectives')
    .concat([constantWord(keywordTable, 'kSeqIni')]),
  dollars: arrayWords(keywordTable, 'kDollarConstants')
    .concat(aliases.filter((w) => w.startsWith('$'))),
  outputKeywords: arrayWords('tornel/output/output_pass.cc', 'kKeywords'),
  triggerWords: arrayWords('tornel/output/output_pass.cc', 'kListWords')
    .concat([constantWord('tornel/output/output_pass.cc', 'kEachWord'),
             constantWord('tornel/output/output_pass.cc', 'kComWord')]),
  settings: arrayWords('tornel/sysvars/settings_statements.cc', 'kStatements')
    .concat(['init:']),
  commentOptions: arrayWords('tornel/sysvars/settings_statements.cc', 'kCommentOptions'),
  addressOptions: arrayWords('tornel/output/address_pass.cc', 'kOptions')
    .concat([constantWord('tornel/output/address_pass.cc', 'kSelectWord')]),
  attributes: arrayWords('tornel/output/address_pass.cc', 'kAttributes')
    .concat(arrayWords('tornel/output/modal_group_pass.cc', 'kGroupAttributes')),
  includes: [constantWord('tornel/compiler/preprocessor.cc', 'kKeyInclude'),
             constantWord('tornel/compiler/preprocessor.cc', 'kKeyInclexs')],
};
// init: is read by its own statement, not from the settings table.
if (!source('tornel/sysvars/init_statement.cc').includes('"init:"'))
  fail('tornel/sysvars/init_statement.cc: the init: keyword moved');

// The words of the language itself, which no table lists in one place.
const controlWords = ['if', 'else', 'end', 'while', 'repeat', 'until', 'for', 'to', 'step',
  'case', 'when', 'break', 'continue', 'return'];
// Words a settings statement takes as its parameters: the axis words of
// rotary: and tilt: (the `$` constants of the same name without the `$`).
const axisWords = ['table', 'head', 'x', 'y', 'z'];

// A name is letters, digits, `_`, `$` and `#`: a word stands whole when no
// such character touches it.
const NAME = '[A-Za-z0-9_$#]';
const B = `(?<!${NAME})`;
const E = `(?!${NAME})`;

function escape(word) {
  return word.replace(/[\\^$.*+?()[\]{}|/]/g, '\\$&');
}
// The words as one alternation, longest first (seqnext? before seqnext).
function alternation(words) {
  const unique = [...new Set(words.map((w) => w.toLowerCase()))];
  unique.sort((a, b) => b.length - a.length || (a < b ? -1 : 1));
  return unique.map(escape).join('|');
}
function wholeWords(words) {
  return `(?i)${B}(?:${alternation(words)})${E}`;
}

// A number format as an address declaration, StrWri or % writes it:
// sign, leading zeros, integer digits, point, decimal digits, trailing zeros.
const FORMAT = '[-+]?[>_]?[0-9]{1,2}(?:[.!?_][0-9]{1,2})?[<_]?';

const grammar = {
  name: 'Tornel post',
  scopeName: 'source.tornel',
  fileTypes: ['tr'],
  comment: 'Generated by editors/make_grammar.js from the tables of the compiler; do not edit.',
  patterns: [{ include: '#disabled' }, { include: '#statement' }],
  repository: {
    // ---- on a line of its own stops compiling until ++++.
    disabled: {
      name: 'comment.block.disabled.tornel',
      begin: '^[ \\t]*----[ \\t]*(?://.*)?$',
      end: '^[ \\t]*\\+\\+\\+\\+[ \\t]*(?://.*)?$',
    },
    statement: {
      patterns: [
        { include: '#comment' },
        { include: '#string' },
        { include: '#continuation' },
        { include: '#include' },
        { include: '#sections' },
        { include: '#function-header' },
        { include: '#address-block' },
        { include: '#modal-group-block' },
        { include: '#constant-block' },
        { include: '#declarations' },
        { include: '#directives' },
        { include: '#settings' },
        { include: '#output' },
        { include: '#labels' },
        { include: '#expression' },
      ],
    },
    comment: {
      name: 'comment.line.double-slash.tornel',
      match: '//.*$',
    },
    // A literal keeps its case and holds no quote. It runs on to the next
    // line when a backslash ends its line (blanks and a comment may follow).
    string: {
      name: 'string.quoted.single.tornel',
      begin: "'",
      end: "'|(?<![\\\\])(?=\\n)",
      beginCaptures: { 0: { name: 'punctuation.definition.string.begin.tornel' } },
      endCaptures: { 0: { name: 'punctuation.definition.string.end.tornel' } },
      patterns: [{
        begin: '\\\\(?=[ \\t]*(?://.*)?$)',
        end: '^',
        beginCaptures: { 0: { name: 'constant.character.escape.continuation.tornel' } },
        patterns: [{ include: '#comment' }],
      }],
    },
    // A backslash that ends a line continues the statement on the next.
    continuation: {
      name: 'constant.character.escape.continuation.tornel',
      match: '\\\\(?=[ \\t]*(?://.*)?$)',
    },
    include: {
      match: `(?i)^[ \\t]*(${alternation(tables.includes)})`,
      captures: { 1: { name: 'keyword.control.import.tornel' } },
    },
    sections: {
      patterns: [
        {
          match: `(?i)${B}(end)[ \\t]+(main|func)${E}`,
          captures: {
            1: { name: 'keyword.control.section.tornel' },
            2: { name: 'keyword.control.section.tornel' },
          },
        },
        { name: 'keyword.control.section.tornel', match: `(?i)${B}main${E}` },
      ],
    },
    'function-header': {
      patterns: [
        {
          // FUNC OnAPT[GOTO]: runs for every CL record of that word.
          match: `(?i)${B}(func)[ \\t]+(onapt)[ \\t]*(\\[)[ \\t]*(${NAME}*)[ \\t]*(\\])`,
          captures: {
            1: { name: 'keyword.control.section.tornel' },
            2: { name: 'entity.name.function.event.tornel' },
            3: { name: 'punctuation.bracket.tornel' },
            4: { name: 'constant.other.record-word.tornel' },
            5: { name: 'punctuation.bracket.tornel' },
          },
        },
        {
          // FUNC OnAddr[_X], FUNC OnAddrOut[_X]: hooks of an address.
          match: `(?i)${B}(func)[ \\t]+(onaddrout|onaddr)[ \\t]*(\\[)[ \\t]*(_${NAME}*)[ \\t]*(\\])`,
          captures: {
            1: { name: 'keyword.control.section.tornel' },
            2: { name: 'entity.name.function.event.tornel' },
            3: { name: 'punctuation.bracket.tornel' },
            4: { name: 'variable.other.address.tornel' },
            5: { name: 'punctuation.bracket.tornel' },
          },
        },
        {
          match: `(?i)${B}(func)[ \\t]+(${alternation(tables.postFunctions)})${E}`,
          captures: {
            1: { name: 'keyword.control.section.tornel' },
            2: { name: 'entity.name.function.post.tornel' },
          },
        },
        {
          match: `(?i)${B}(func)[ \\t]+(f[irsv]${NAME}*)`,
          captures: {
            1: { name: 'keyword.control.section.tornel' },
            2: { name: 'entity.name.function.tornel' },
          },
        },
        { name: 'keyword.control.section.tornel', match: `(?i)${B}func${E}` },
      ],
    },
    // ADDRESS ... END ADDRESS: a name, a prefix, a number format or
    // `select`, an optional suffix and options, one address a line.
    'address-block': {
      name: 'meta.block.address.tornel',
      begin: `(?i)${B}(addres|address)${E}`,
      end: `(?i)${B}(end)(?:[ \\t]+(addres|address))?${E}`,
      beginCaptures: { 1: { name: 'storage.type.address.tornel' } },
      endCaptures: {
        1: { name: 'storage.type.address.tornel' },
        2: { name: 'storage.type.address.tornel' },
      },
      patterns: [
        { include: '#comment' },
        { include: '#string' },
        {
          match: `^[ \\t]*(_${NAME}*)`,
          captures: { 1: { name: 'entity.name.variable.address.tornel' } },
        },
        { name: 'storage.modifier.address-option.tornel', match: wholeWords(tables.addressOptions) },
        { name: 'constant.other.format.tornel', match: `(?<=[ \\t])${FORMAT}(?=[ \\t]|$|//)` },
        { include: '#expression' },
      ],
    },
    // MODALGROUP ... END MODALGROUP: a group name, an address, its values.
    'modal-group-block': {
      name: 'meta.block.modal-group.tornel',
      begin: `(?i)${B}(modalgroup)${E}`,
      end: `(?i)${B}(end)(?:[ \\t]+(modalgroup))?${E}`,
      beginCaptures: { 1: { name: 'storage.type.modal-group.tornel' } },
      endCaptures: {
        1: { name: 'storage.type.modal-group.tornel' },
        2: { name: 'storage.type.modal-group.tornel' },
      },
      patterns: [
        { include: '#comment' },
        {
          match: `(?i)^[ \\t]*(mg${NAME}*)`,
          captures: { 1: { name: 'entity.name.variable.modal-group.tornel' } },
        },
        { include: '#expression' },
      ],
    },
    // CONSTANT ... END: #name=text, the text put wherever #name stands.
    'constant-block': {
      name: 'meta.block.constant.tornel',
      begin: `(?i)${B}(constant)${E}`,
      end: `(?i)${B}(end)${E}`,
      beginCaptures: { 1: { name: 'storage.type.declaration.tornel' } },
      endCaptures: { 1: { name: 'keyword.control.tornel' } },
      patterns: [
        { include: '#comment' },
        {
          match: `(#${NAME}+)[ \\t]*(=)[ \\t]*((?:(?!//).)*)`,
          captures: {
            1: { name: 'constant.other.hash.tornel' },
            2: { name: 'keyword.operator.equals.tornel' },
            3: { name: 'string.unquoted.constant-text.tornel' },
          },
        },
      ],
    },
    declarations: {
      name: 'storage.type.declaration.tornel',
      match: `(?i)${B}variable${E}`,
    },
    // interp: 0 1 2 3, comment: '(' ')' noseq, rotary: table z 1 0 ...
    settings: {
      begin: `(?i)${B}(${alternation(tables.settings)})`,
      end: '(?=;|//|$)',
      beginCaptures: { 1: { name: 'keyword.other.settings.tornel' } },
      patterns: [
        { include: '#string' },
        {
          name: 'support.constant.option.tornel',
          match: wholeWords(tables.commentOptions.concat(axisWords)),
        },
        { include: '#expression' },
      ],
    },
    directives: {
      name: 'keyword.other.directive.tornel',
      match: `(?i)${B}(?:${alternation(tables.directives)})(?![A-Za-z0-9_$#?!])`,
    },
    output: {
      patterns: [
        {
          // O:, NO:, -O:, /O:, SET:, CLR: ... and the flags after O:.
          match: `(?i)(?<!${NAME})(${alternation(tables.outputKeywords)})([:|!?]*)`,
          captures: {
            1: { name: 'keyword.other.output.tornel' },
            2: { name: 'keyword.operator.output-flag.tornel' },
          },
        },
        { name: 'keyword.other.trigger.tornel', match: wholeWords(tables.triggerWords) },
      ],
    },
    labels: {
      match: `(?i)${B}(label|jump)[ \\t]+(${NAME}+)`,
      captures: {
        1: { name: 'keyword.control.jump.tornel' },
        2: { name: 'entity.name.label.tornel' },
      },
    },
    expression: {
      patterns: [
        { include: '#comment' },
        { include: '#string' },
        { include: '#continuation' },
        {
          match: `(?i)${B}(when)[ \\t]+(other)${E}`,
          captures: {
            1: { name: 'keyword.control.tornel' },
            2: { name: 'keyword.control.tornel' },
          },
        },
        { name: 'keyword.control.tornel', match: wholeWords(controlWords) },
        { name: 'keyword.operator.logical.tornel', match: `(?i)${B}(?:and|or)${E}` },
        { name: 'constant.language.boolean.tornel', match: `(?i)${B}(?:yes|no)${E}` },
        { name: 'constant.language.dollar.tornel', match: wholeWords(tables.dollars) },
        { name: 'invalid.illegal.unknown-dollar.tornel', match: `${B}\\$${NAME}*` },
        { name: 'constant.other.hash.tornel', match: `${B}#${NAME}+` },
        {
          // StrWri(>7, x): a number format written in place.
          match: `(?i)${B}(strwri)[ \\t]*(\\()[ \\t]*(${FORMAT})(?=[ \\t]*,)`,
          captures: {
            1: { name: 'support.function.builtin.tornel' },
            2: { name: 'punctuation.bracket.tornel' },
            3: { name: 'constant.other.format.tornel' },
          },
        },
        { name: 'support.function.builtin.tornel', match: wholeWords(tables.builtins) },
        { name: 'support.function.post.tornel', match: wholeWords(tables.postFunctions) },
        { name: 'variable.language.system.code.tornel', match: `(?i)${B}src${NAME}*` },
        { name: 'variable.language.system.integer.tornel', match: `(?i)${B}si${NAME}*` },
        { name: 'variable.language.system.real.tornel', match: `(?i)${B}sr${NAME}*` },
        { name: 'variable.language.system.string.tornel', match: `(?i)${B}ss${NAME}*` },
        { name: 'variable.other.global.tornel', match: `(?i)${B}u[irs]${NAME}*` },
        { name: 'variable.other.local.tornel', match: `(?i)${B}l[irs]${NAME}*` },
        { name: 'entity.name.function.tornel', match: `(?i)${B}f[irsv]${NAME}*` },
        { name: 'variable.other.modal-group.tornel', match: `(?i)${B}mg${NAME}*` },
        {
          // _'text', _%4.3(...), _*: a word with a blank before it.
          name: 'punctuation.separator.word.tornel',
          match: `${B}_(?=['%*])\\*?`,
        },
        { name: 'variable.other.address.tornel', match: `${B}_${NAME}+` },
        {
          match: `(?i)(\\.)(${alternation(tables.attributes)})${E}`,
          captures: {
            1: { name: 'punctuation.accessor.tornel' },
            2: { name: 'variable.other.property.attribute.tornel' },
          },
        },
        {
          // %+4.3(x): a number in that format; %{_x}(x) in _x's format.
          match: `(%)(${FORMAT})?(?=[({])`,
          captures: {
            1: { name: 'keyword.operator.format.tornel' },
            2: { name: 'constant.other.format.tornel' },
          },
        },
        { name: 'constant.numeric.tornel', match: `(?<![A-Za-z0-9_$#.])(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)` },
        { name: 'keyword.operator.comparison.tornel', match: '<>|<=|>=|<|>' },
        { name: 'keyword.operator.equals.tornel', match: '=' },
        { name: 'keyword.operator.arithmetic.tornel', match: '[-+*/]' },
        { name: 'keyword.operator.modifier.tornel', match: '[!?\\\\:|]' },
        { name: 'punctuation.terminator.statement.tornel', match: ';' },
        { name: 'punctuation.separator.comma.tornel', match: ',' },
        { name: 'punctuation.bracket.tornel', match: '[()\\[\\]{}]' },
        { name: 'punctuation.accessor.tornel', match: '\\.' },
      ],
    },
  },
};

// The same grammar as an XML property list, the form TextMate and Sublime
// Text read (the JSON form is VS Code's).
function plistValue(value, indent) {
  const pad = '  '.repeat(indent);
  if (Array.isArray(value)) {
    const items = value.map((v) => `${pad}  ${plistValue(v, indent + 1).trimStart()}\n`).join('');
    return `${pad}<array>\n${items}${pad}</array>`;
  }
  if (typeof value === 'object') {
    const entries = Object.keys(value).map((k) =>
      `${pad}  <key>${xml(k)}</key>\n${pad}  ${plistValue(value[k], indent + 1).trimStart()}\n`).join('');
    return `${pad}<dict>\n${entries}${pad}</dict>`;
  }
  return `${pad}<string>${xml(String(value))}</string>`;
}
function xml(text) {
  return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
}
const plistGrammar = { ...grammar };
plistGrammar.uuid = '5d0f3c1e-8a4b-4f63-9a57-3b1c2e7d9f10';

const outputs = [
  [output, `${JSON.stringify(grammar, null, 2)}\n`],
  [plistOutput, '<?xml version="1.0" encoding="UTF-8"?>\n' +
    '<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" ' +
    '"http://www.apple.com/DTDs/PropertyList-1.0.dtd">\n' +
    `<plist version="1.0">\n${plistValue(plistGrammar, 0)}\n</plist>\n`],
];
if (process.argv.includes('--check')) {
  let stale = false;
  for (const [file, text] of outputs) {
    const written = fs.existsSync(file) ? fs.readFileSync(file, 'utf8') : '';
    if (written !== text) {
      process.stderr.write(`${path.relative(root, file)} is not what the compiler tables give: ` +
        'run node editors/make_grammar.js\n');
      stale = true;
    }
  }
  process.exit(stale ? 1 : 0);
} else {
  for (const [file, text] of outputs) {
    const temp = `${file}.tmp`;
    fs.writeFileSync(temp, text);
    fs.renameSync(temp, file);
  }
}
