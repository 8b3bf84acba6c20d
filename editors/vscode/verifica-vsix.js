"use strict";
// Checks a built .vsix: the manifest starts the extension's client, which
// starts `compattatore lsp`; the client library is packed with it; the
// grammar parses and its patterns find what they name in a description file.
// Usage: node verifica-vsix.js FILE.vsix
const { execFileSync } = require("child_process");
const assert = require("assert");

const vsix = process.argv[2];
const leggi = (nome) => execFileSync("unzip", ["-p", vsix, "extension/" + nome], { encoding: "utf8" });
const elenco = execFileSync("unzip", ["-Z1", vsix], { encoding: "utf8" }).split("\n");

const manifesto = JSON.parse(leggi("package.json"));
assert.strictEqual(manifesto.main, "./extension.js");
assert.strictEqual(manifesto.contributes.configuration.properties["compattatore.path"].default, "compattatore");
assert.ok(/args: \["lsp"\]/.test(leggi("extension.js")), "the client does not start 'compattatore lsp'");
assert.ok(elenco.includes("extension/node_modules/vscode-languageclient/node.js"), "vscode-languageclient is not packed");
assert.ok(!elenco.some((f) => f.startsWith("extension/node_modules/@vscode/vsce/")), "the packager is packed");

// The grammar: its JSON, and each pattern as a JavaScript regular expression
// (the patterns keep to what both engines read alike).
const lingua = manifesto.contributes.languages[0];
const grammatica = JSON.parse(leggi(manifesto.contributes.grammars[0].path.replace(/^\.\//, "")));
assert.strictEqual(grammatica.scopeName, manifesto.contributes.grammars[0].scopeName);
assert.strictEqual(manifesto.contributes.grammars[0].language, lingua.id);
const espressione = (testo) => {
  const senza_maiuscole = testo.startsWith("(?i)");
  return new RegExp(senza_maiuscole ? testo.slice(4) : testo, senza_maiuscole ? "i" : "");
};
const regole = grammatica.repository;
const casi = [
  ["sezione", "[pendenze]", "[pendenze]"],
  ["parola", "stazione, 3000, 8, 400", "stazione"],
  ["parola", "Lunghezza Percorso, 14000", "Lunghezza Percorso"],
  ["parola", "curvad2, 1000, 400", "curvad2"],
  ["numero", "pendenza, -2.5, 2", "-2.5"],
  ["separatore", "segnale, 2000", ","],
];
for (const [regola, riga, atteso] of casi) {
  const trovato = espressione(regole[regola].match).exec(riga);
  assert.ok(trovato, regola + " finds nothing in '" + riga + "'");
  assert.strictEqual(trovato[trovato.length > 1 ? 1 : 0].trim(), atteso, regola + " in '" + riga + "'");
}
assert.strictEqual(espressione(regole.parola.match).exec("nota: segnale spostato"), null);
espressione(regole.testo.begin);
espressione(regole.testo.end);
console.log("verifica-vsix: " + vsix + ": " + elenco.filter((f) => f).length + " files, manifest and grammar checked");
