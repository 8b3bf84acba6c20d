-- Neovim's own language client against `compattatore lsp`: opens the line
-- file, types a mistake, and writes back as JSON what the editor then holds:
-- the diagnostics, a hover, a completion and the inlay hints.
local programma = os.getenv('COMPATTATORE')
local linea = os.getenv('FILE_LINEA')
local uscita = os.getenv('FILE_USCITA')
local risultato = {}

local function fine()
  vim.fn.writefile({ vim.fn.json_encode(risultato) }, uscita)
  vim.cmd('qa!')
end

vim.cmd('edit ' .. vim.fn.fnameescape(linea))
local buf = vim.api.nvim_get_current_buf()
local pronto = false
local id = vim.lsp.start_client({
  name = 'compattatore',
  cmd = { programma, 'lsp' },
  root_dir = vim.fn.fnamemodify(linea, ':h'),
  on_init = function() pronto = true end,
})
vim.lsp.buf_attach_client(buf, id)
if not vim.wait(10000, function() return pronto end, 10) then
  risultato.errore = 'the server did not start'
  return fine()
end

-- The mistake, typed into the unsaved buffer: a number with a letter in it.
vim.api.nvim_buf_set_lines(buf, 3, 4, false, { 'pendenza, 21x25, 2' })
vim.wait(10000, function() return #vim.diagnostic.get(buf) > 0 end, 10)
risultato.diagnostiche = {}
for _, d in ipairs(vim.diagnostic.get(buf)) do
  table.insert(risultato.diagnostiche, { riga = d.lnum, colonna = d.col, messaggio = d.message, livello = d.severity })
end

local uri = vim.uri_from_bufnr(buf)
local function chiedi(metodo, parametri)
  parametri.textDocument = { uri = uri }
  local risposte = vim.lsp.buf_request_sync(buf, metodo, parametri, 10000) or {}
  local r = risposte[id]
  if r == nil then return 'no answer' end
  if r.error then return 'error ' .. vim.inspect(r.error) end
  return r.result
end

local hover = chiedi('textDocument/hover', { position = { line = 5, character = 22 } })
risultato.hover = type(hover) == 'table' and hover.contents.value or hover

vim.api.nvim_buf_set_lines(buf, 6, 6, false, { 'pend' })
local completamento = chiedi('textDocument/completion', { position = { line = 6, character = 4 } })
risultato.completamento = {}
for _, voce in ipairs(type(completamento) == 'table' and (completamento.items or completamento) or {}) do
  table.insert(risultato.completamento, voce.label)
end

local suggerimenti = chiedi('textDocument/inlayHint', {
  range = { start = { line = 0, character = 0 }, ['end'] = { line = 7, character = 0 } },
})
risultato.suggerimenti = {}
for _, s in ipairs(type(suggerimenti) == 'table' and suggerimenti or {}) do
  table.insert(risultato.suggerimenti, s.label)
end
fine()
