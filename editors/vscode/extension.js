"use strict";
// The client half: starts `compattatore lsp` for the description files and
// passes it the settings that compile takes as options.
const vscode = require("vscode");
const { LanguageClient } = require("vscode-languageclient/node");

let client = null;

function activate(context) {
  const impostazioni = vscode.workspace.getConfiguration("compattatore");
  const server = { command: impostazioni.get("path"), args: ["lsp"] };
  client = new LanguageClient("compattatore", "compattatore", server, {
    documentSelector: [{ scheme: "file", language: "compattatore" }],
    initializationOptions: {
      warnings: impostazioni.get("warnings"),
      maxErrors: impostazioni.get("maxErrors"),
    },
  });
  context.subscriptions.push(client);
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
