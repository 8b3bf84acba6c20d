// The viewer: draws the plan and the profile of one compiled scenario from
// the JSON in #dati, only what is in view, at any scale. Everything it needs
// is in the page; it fetches nothing. Its calculations need no page: loaded
// under Node (the unit tests) the script only exports them.
"use strict";
const calcoli = (function () {
  // A step of 1, 2 or 5 times a power of ten, in km, at least `minimo` km.
  function passoKm(minimo) {
    let p = Math.pow(10, Math.floor(Math.log10(Math.max(minimo, 1e-3))));
    for (;;) {
      for (const m of [1, 2, 5]) if (m * p >= minimo) return m * p;
      p *= 10;
    }
  }
  // The decimals of km that tell apart marks `passo` metres apart.
  function decimaliKm(passo) {
    let d = 0;
    const scarto = (cifre) => Math.abs(passo / 1000 * Math.pow(10, cifre) - Math.round(passo / 1000 * Math.pow(10, cifre)));
    while (d < 6 && scarto(d) > 1e-9) d++;
    return d;
  }
  // Metre m in km, as precise as marks `passo` metres apart need, without
  // trailing zeros: "21 km", "21.5 km", "21.505 km".
  function testoKm(metri, passo) {
    let t = (metri / 1000).toFixed(decimaliKm(passo));
    if (t.includes(".")) t = t.replace(/0+$/, "").replace(/\.$/, "");
    return (t === "-0" ? "0" : t) + " km";
  }
  // The marks `passo` metres apart from metre da to metre a, each a whole
  // multiple of the step (adding the step up would drift).
  function marcheKm(da, a, passo) {
    const fuori = [];
    for (let k = Math.ceil(da / passo); k * passo <= a; k++) fuori.push(k * passo);
    return fuori;
  }

  // Labels never overprint: each, most important first, takes the first of
  // its candidate boxes that lies inside the area and overlaps (with a
  // positive area) no box taken before; with none free it is left out.
  // draw/etichette.cpp follows the same rule; tests/data/etichette_posa.json
  // holds the cases both must answer alike. Taken boxes are filed in square
  // cells of CELLA px, so that a box is checked only against those near it.
  const CELLA = 64;
  class Spazio {
    // An area w by h px from the origin; without them, unbounded.
    constructor(w, h) {
      this.area = w === undefined ? { x0: -Infinity, y0: -Infinity, x1: Infinity, y1: Infinity } : { x0: 0, y0: 0, x1: w, y1: h };
      this.celle = new Map();
    }
    // Calls f with the list of each cell the box covers while f returns true.
    celleDi(r, f) {
      const i0 = Math.floor(r.x0 / CELLA), i1 = Math.floor(r.x1 / CELLA);
      const j0 = Math.floor(r.y0 / CELLA), j1 = Math.floor(r.y1 / CELLA);
      for (let i = i0; i <= i1; i++) {
        for (let j = j0; j <= j1; j++) {
          const chiave = i * 4294967296 + j;
          let lista = this.celle.get(chiave);
          if (lista === undefined) {
            lista = [];
            this.celle.set(chiave, lista);
          }
          if (!f(lista)) return false;
        }
      }
      return true;
    }
    // Takes the box when it is free.
    prendi(r) {
      const a = this.area;
      if (r.x0 < a.x0 || r.y0 < a.y0 || r.x1 > a.x1 || r.y1 > a.y1) return false;
      const tocca = (p) => r.x0 < p.x1 && p.x0 < r.x1 && r.y0 < p.y1 && p.y0 < r.y1;
      if (!this.celleDi(r, (lista) => !lista.some(tocca))) return false;
      this.celleDi(r, (lista) => lista.push(r));
      return true;
    }
    // The index of the first free box of `riquadri`, now taken, or -1.
    posa(riquadri) {
      return riquadri.findIndex((r) => this.prendi(r));
    }
  }
  // The box of a label w by h px whose baseline is anchored at (x, y).
  function riquadroEtichetta(x, y, ancora, w, h) {
    const x0 = ancora === "end" ? x - w : ancora === "middle" ? x - w / 2 : x;
    return { x0: x0, y0: y - h / 2, x1: x0 + w, y1: y + h / 2 };
  }

  // The part [t0, t1] of the segment from (x0, y0) to (x1, y1) inside the
  // rectangle 0..W, 0..H (Liang-Barsky), or null.
  function ritaglio(x0, y0, x1, y1, W, H) {
    let t0 = 0, t1 = 1;
    const dx = x1 - x0, dy = y1 - y0;
    for (const [p, q] of [[-dx, x0], [dx, W - x0], [-dy, y0], [dy, H - y0]]) {
      if (p === 0) {
        if (q < 0) return null;
      } else {
        const r = q / p;
        if (p < 0) t0 = Math.max(t0, r); else t1 = Math.min(t1, r);
      }
    }
    return t0 <= t1 ? [t0, t1] : null;
  }
  // The zoom factor of a wheel event: lines and pages count as many pixels.
  const fattoreRotella = (ev) => Math.exp(-ev.deltaY * (ev.deltaMode === 1 ? 40 : ev.deltaMode === 2 ? 400 : 1) * 0.002);
  // The range the profile may show on a line L metres long: at least 100 m,
  // at most half as much again as the line, its middle on the line.
  function intervalloAmmesso(da, a, L) {
    const w = Math.min(Math.max(a - da, 100), L * 1.5);
    const c = Math.min(Math.max((da + a) / 2, 0), L);
    return [c - w / 2, c + w / 2];
  }
  // Mountain and tunnel spans [from, to, kind] of each kind no more than
  // `unita` metres apart joined, so that their number follows the picture,
  // not the line.
  function spanUniti(tratti, unita) {
    const ultimo = new Map();
    const fuori = [];
    for (const [da, a, k] of tratti) {
      if (k === 0) continue;
      const u = ultimo.get(k);
      if (u && da - u[1] <= unita) { u[1] = a; continue; }
      const nuovo = [da, a, k];
      ultimo.set(k, nuovo);
      fuori.push(nuovo);
    }
    return fuori;
  }
  // The share of what a panel has to show that a moved drawing leaves bare:
  // `vista` is the panel, `contenuto` where anything is drawn at all (there
  // is nothing to miss beyond the line's ends) and `mosso` where the last
  // drawing now stands, each [x0, y0, x1, y1].
  function scoperto(vista, contenuto, mosso) {
    const taglia = (p, q) => [Math.max(p[0], q[0]), Math.max(p[1], q[1]), Math.min(p[2], q[2]), Math.min(p[3], q[3])];
    const area = (r) => Math.max(r[2] - r[0], 0) * Math.max(r[3] - r[1], 0);
    const daVedere = taglia(vista, contenuto);
    const tutta = area(daVedere);
    return tutta > 0 ? 1 - area(taglia(daVedere, mosso)) / tutta : 0;
  }
  // A step of the train graph's time marks, in seconds: a minute to a day
  // in the steps a clock face is read in, then whole days; at least
  // `minimo` seconds.
  const PASSI_ORA = [60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400];
  function passoOre(minimo) {
    const passo = PASSI_ORA.find((p) => p >= minimo);
    return passo !== undefined ? passo : Math.ceil(minimo / 86400) * 86400;
  }
  // "HH:MM" of a time of the graph, which may run past midnight.
  function testoOra(secondi) {
    const minuti = Math.round((secondi % 86400 + 86400) % 86400 / 60) % 1440;
    const due = (v) => String(v).padStart(2, "0");
    return due(Math.floor(minuti / 60)) + ":" + due(minuti % 60);
  }
  // The window [da, a] of a graph's axis after a zoom by `f` about `c` (a
  // coordinate of the axis): no narrower than `minima`, no wider than the
  // whole [inizio, fine], and within it.
  function finestraZoom(da, a, f, c, minima, inizio, fine) {
    const w = Math.min(Math.max((a - da) / f, Math.min(minima, fine - inizio)), fine - inizio);
    return finestraDentro(c - (c - da) / (a - da) * w, w, inizio, fine);
  }
  function finestraDentro(da, w, inizio, fine) {
    const d = Math.min(Math.max(da, inizio), fine - w);
    return [d, d + w];
  }
  return { passoKm, decimaliKm, testoKm, marcheKm, Spazio, riquadroEtichetta, ritaglio, fattoreRotella,
    intervalloAmmesso, spanUniti, scoperto, passoOre, testoOra, finestraZoom, finestraDentro };
})();

// (Braces around the page's part would indent all of it once more.)
if (typeof module !== "undefined") module.exports = calcoli;
else (function () { // eslint-disable-line curly
  const { passoKm, testoKm, marcheKm, Spazio, riquadroEtichetta, ritaglio, fattoreRotella, intervalloAmmesso,
    spanUniti, scoperto, passoOre, testoOra, finestraZoom, finestraDentro } = calcoli;
  const NS = "http://www.w3.org/2000/svg";
  // A train of a line's page, its own part and the shared one merged: each
  // list back in the order of its key, as in one train's page.
  function trenoIntero(comune, proprio) {
    const unisci = (a, b, chiave) => a.concat(b).sort((x, y) => chiave(x) - chiave(y));
    const profilo = {};
    for (const nome in comune.profile) profilo[nome] = unisci(comune.profile[nome], proprio.profile[nome], (r) => r[0]);
    return {
      keys: proprio.keys,
      stations: unisci(comune.stations, proprio.stations, (s) => s.number),
      // Text signs run from the last record down.
      text_signs: unisci(comune.text_signs, proprio.text_signs, (c) => -c.record),
      cells: unisci(comune.cells, proprio.cells, (c) => c.index),
      profile: profilo,
    };
  }
  const dati = JSON.parse(document.getElementById("dati").textContent);
  const L = Math.max(dati.line_length_m, 1);
  const piano = dati.plan; // {m, x, y, e} or null
  // The page of a whole line holds what its trains hold alike once, under
  // `shared`, each train's own part under `trains`, and the line's plan once;
  // that of one train holds its objects and profile itself.
  const treni = dati.trains ? dati.trains.map((t) => trenoIntero(dati.shared, t)) : [dati];
  let treno = treni[0];
  const METRI_PER_PIXEL_MINIMI = 0.25;

  // ---- colours: the drawing's palette, which the program writes into the
  // page as custom properties ----
  const tavolozza = getComputedStyle(document.documentElement);
  const tinta = (nome) => tavolozza.getPropertyValue("--" + nome).trim();
  const COLORE = {
    binario: tinta("binario"), prolungamento: tinta("prolungamento"), segnale: tinta("segnale"),
    rallentamento: tinta("rallentamento"), avviso: tinta("avviso"), abbattimento: tinta("abbattimento"),
    velocita: tinta("velocita"), salita: tinta("salita"), discesa: tinta("discesa"), cartello: tinta("montagna-1"),
    indicatore: tinta("velocita"), montagna: [tinta("montagna-1"), tinta("montagna-2"), tinta("montagna-3")],
  };
  const coloreMontagna = (k) => COLORE.montagna[Math.min(Math.max(k, 1), 3) - 1];

  // ---- objects: the stations and every cell that holds one, of the train
  // shown ----
  let oggetti = [], stazioniMaggiori = new Set();
  function leggiOggetti() {
    oggetti = [];
    treno.stations.forEach((s) => oggetti.push({ tipo: "station", metro: s.position_m, dati: s }));
    treno.cells.forEach((c) => {
      if (c.kind !== "free") oggetti.push({ tipo: c.kind, metro: c.position_m, dati: c });
    });
    oggetti.sort((a, b) => a.metro - b.metro);
    // Signals are numbered along the line, as a driver counts them.
    let numeroSegnale = 0;
    oggetti.forEach((o) => { if (o.tipo === "signal") o.numero = ++numeroSegnale; });
    // Stations with a timed stop outrank those without when labels compete.
    stazioniMaggiori = new Set(treno.stations.filter((s) => s.time_s > 0).map((s) => s.number));
  }
  leggiOggetti();

  // ---- drawing: each panel is written as markup and set at once, far
  // quicker than making its thousands of elements one by one ----
  function elemento(nome, attributi, genitore) {
    const e = { nome: nome, attributi: attributi, figli: [], textContent: "" };
    if (genitore) genitore.figli.push(e);
    return e;
  }
  const sostituti = { "&": "&amp;", "<": "&lt;", '"': "&quot;" };
  const sicuro = (v) => String(v).replace(/[&<"]/g, (c) => sostituti[c]);
  function scriviMarkup(e, parti) {
    parti.push("<", e.nome);
    for (const k in e.attributi) {
      const v = e.attributi[k];
      // A tenth of a pixel is as fine as the screen shows; more digits are
      // only more markup to read.
      parti.push(" ", k, '="', typeof v === "number" ? Math.round(v * 10) / 10 : sicuro(v), '"');
    }
    parti.push(">", sicuro(e.textContent));
    for (const f of e.figli) scriviMarkup(f, parti);
    parti.push("</", e.nome, ">");
  }
  // Puts what was drawn on `tela` into the panel `svg`, in place of the last.
  function mostraTela(svg, tela) {
    const parti = [];
    for (const f of tela.figli) scriviMarkup(f, parti);
    svg.innerHTML = parti.join("");
    svg.style.transform = "";
    svg.classList.remove("senza-etichette");
    svg.removeAttribute("data-moved");
  }
  // Shows the last drawing of `svg` moved by the map X' = kx X + tx,
  // Y' = ky Y + ty, with its labels hidden when they would show stretched.
  // The panel is a layer of its own in its frame: moving it paints nothing.
  // Moved back where it was drawn, it is that drawing again.
  function muovi(svg, kx, ky, tx, ty, etichette) {
    const fermo = Math.abs(kx - 1) < 1e-9 && Math.abs(ky - 1) < 1e-9 && Math.abs(tx) < 0.05 && Math.abs(ty) < 0.05;
    svg.style.transform = fermo ? "" : "matrix(" + [kx, 0, 0, ky, tx, ty].map((v) => +v.toFixed(4)).join(",") + ")";
    svg.classList.toggle("senza-etichette", !etichette && !fermo);
    svg.toggleAttribute("data-moved", !fermo);
  }

  // ---- page ----
  const barra = document.createElement("header");
  barra.id = "barra";
  barra.innerHTML =
    '<span class="titolo"></span>' +
    '<button id="piu" title="zoom in">+</button><button id="meno" title="zoom out">\u2212</button>' +
    '<button id="intera">whole line</button>' +
    '<label>km <input id="km" type="text" inputmode="decimal" placeholder="position"></label>' +
    '<button id="vai">go</button><span id="intervallo"></span>';
  barra.querySelector(".titolo").textContent = "Line " + dati.keys.line + " \u2013 " +
    (dati.trains ? dati.trains.length + " trains" : "train " + dati.keys.train) + " (" + (L / 1000) + " km)";
  document.body.appendChild(barra);
  // The train whose objects the panels show.
  const sceltaTreno = dati.trains ? document.createElement("select") : null;
  if (sceltaTreno) {
    sceltaTreno.id = "treno";
    sceltaTreno.title = "the train whose objects are shown";
    treni.forEach((t, k) => sceltaTreno.add(new Option("train " + t.keys.train, k)));
    barra.querySelector(".titolo").after(sceltaTreno);
  }
  // Each panel in a frame of its own, which holds it still while a gesture
  // moves the drawing inside.
  function pannello(id) {
    const cornice = document.body.appendChild(document.createElement("div"));
    cornice.className = "cornice " + id;
    const svg = document.createElementNS(NS, "svg");
    svg.id = id;
    return cornice.appendChild(svg);
  }
  const svgPianta = piano ? pannello("pianta") : null;
  const svgProfilo = pannello("profilo");
  const suggerimento = document.createElement("div");
  suggerimento.id = "suggerimento";
  suggerimento.hidden = true;
  document.body.appendChild(suggerimento);

  // ---- the train graph of a whole line, as `draw --graph` draws it: in a
  // shadow root of its frame, since its style sheet names classes the
  // page's own drawing uses ----
  const STILE_GRAFICO = "svg { display: block; width: 100%; height: auto; touch-action: none; user-select: none; }" +
    " svg.trascina { cursor: grabbing; }" +
    " .corsa { cursor: pointer; } .corsa:hover polyline, .corsa.scelta polyline { stroke-width: 4px; }" +
    // A ring stands where two lines cross: its inside answers for it.
    " .incrocio circle { pointer-events: all; } .fuori { visibility: hidden; }";
  function graficoOrario() {
    const cornice = document.body.appendChild(document.createElement("div"));
    cornice.className = "cornice grafico";
    cornice.id = "grafico";
    const radice = cornice.attachShadow({ mode: "open" });
    radice.innerHTML = "<style>" + STILE_GRAFICO + "</style>" + dati.graph;
    // What each train's line and each crossing says when pointed at: the
    // drawing's own titles, shown as the page's tooltips rather than the
    // browser's.
    const descrizioni = new Map();
    for (const g of radice.querySelectorAll("g.corsa, g.incrocio")) {
      const titolo = g.querySelector("title");
      descrizioni.set(g, titolo ? titolo.textContent.split("\n") : []);
      if (titolo) titolo.remove();
      // A line two pixels wide is hard to point at: a wider one, unseen,
      // answers for it.
      const linea = g.querySelector("polyline");
      if (linea) {
        const presa = linea.cloneNode();
        presa.setAttribute("stroke", "transparent");
        presa.setAttribute("stroke-width", "14");
        presa.setAttribute("class", "presa");
        g.insertBefore(presa, linea);
      }
    }
    for (const t of radice.querySelectorAll("svg > title")) t.remove();
    const indica = (ev) => {
      const g = ev.target.closest ? ev.target.closest("g.corsa, g.incrocio") : null;
      if (!g) { nascondi(); return; }
      const [titolo, ...fermate] = descrizioni.get(g);
      mostraSuggerimento(titolo, fermate.map((f) => f.split(/ {2}(.*)/s).slice(0, 2)), ev);
    };
    cornice.addEventListener("pointerleave", nascondi);
    // The line under the pointer: a drag's capture may have made the panel
    // itself the click's target.
    radice.addEventListener("click", (ev) => {
      const sotto = radice.elementFromPoint(ev.clientX, ev.clientY) || ev.target;
      const g = sotto.closest ? sotto.closest("g.corsa") : null;
      const k = g ? treni.findIndex((t) => t.keys.train === g.getAttribute("data-treno")) : -1;
      if (k >= 0) scegliTreno(k);
    });
    return { radice: radice, svg: radice.querySelector("svg"), indica: indica };
  }
  const grafico = dati.graph ? graficoOrario() : null;

  // The graph zooms in time across and distance down, about the pointer, as
  // the other panels do; it is drawn again, not stretched, so that its lines
  // keep their width and its names their size. What the program drew is
  // read back once, in the drawing's own coordinates: a zoom shows the
  // window [u0, u1] x [v0, v1] of them in the plot's area.
  function vistaGrafico(svg) {
    const righeStazioni = [...svg.querySelectorAll("line[data-stazione]")];
    const righeOre = [...svg.querySelectorAll("line[data-secondi]")];
    if (!righeStazioni.length || righeOre.length < 2) return null;
    const num = (e, a) => +e.getAttribute(a);
    const X0 = num(righeStazioni[0], "x1"), X1 = num(righeStazioni[0], "x2");
    const Y0 = num(righeOre[0], "y1"), Y1 = num(righeOre[0], "y2");
    // The time of a coordinate across, from the hours the program marked.
    const [[t0, x0], [t1, x1]] = [righeOre[0], righeOre[righeOre.length - 1]].map((l) =>
      [num(l, "data-secondi"), num(l, "x1")]);
    const secondiPerUnita = (t1 - t0) / (x1 - x0);
    const secondiDi = (x) => t0 + (x - x0) * secondiPerUnita;
    const xDiSecondi = (t) => x0 + (t - t0) / secondiPerUnita;
    // Metres down, from the first and last stations as drawn (their lines
    // move with each zoom).
    const [[m0, y0], [m1, y1]] = [righeStazioni[0], righeStazioni[righeStazioni.length - 1]].map((l) =>
      [num(l, "data-metri"), num(l, "y1")]);
    const metriPerUnita = (m1 - m0) / ((y1 - y0) || 1);
    const metriDi = (y) => m0 + (y - y0) * metriPerUnita;
    const yDiMetri = (m) => y0 + (m - m0) / (metriPerUnita || 1);
    const stazioni = righeStazioni.map((l) => ({ linea: l, nome: l.nextElementSibling, y: num(l, "y1") }));
    // The hours as the program drew them give way to marks at this view's step.
    for (const l of righeOre) {
      if (l.nextElementSibling && l.nextElementSibling.tagName === "text") l.nextElementSibling.remove();
    }
    const marche = document.createElementNS(NS, "g");
    righeOre[0].before(marche);
    for (const l of righeOre) l.remove();
    // The lines are cut at the plot's edges: each train's lie in a viewport
    // of the plot's area, in the drawing's own coordinates.
    const area = () => {
      const a = document.createElementNS(NS, "svg");
      const w = X1 - X0, h = Y1 - Y0;
      for (const [k, val] of [["x", X0], ["y", Y0], ["width", w], ["height", h], ["viewBox", [X0, Y0, w, h].join(" ")]]) {
        a.setAttribute(k, val);
      }
      return a;
    };
    const letti = (p) => [...p.points].map((q) => [q.x, q.y]);
    const corse = [...svg.querySelectorAll("g.corsa")].map((g) => {
      const linee = [...g.querySelectorAll("polyline")];
      const a = area();
      g.prepend(a);
      a.append(...linee);
      return { linee: linee, punti: letti(linee[0]), nome: g.querySelector("text") };
    });
    const anelli = [...svg.querySelectorAll("g.incrocio circle")].map((c) => ({ c: c, x: num(c, "cx"), y: num(c, "cy") }));

    const v = { u0: X0, u1: X1, v0: Y0, v1: Y1 };
    const X = (x) => X0 + (x - v.u0) / (v.u1 - v.u0) * (X1 - X0);
    const Y = (y) => Y0 + (y - v.v0) / (v.v1 - v.v0) * (Y1 - Y0);
    const dentro = (x, y) => x >= X0 - 0.5 && x <= X1 + 0.5 && y >= Y0 - 0.5 && y <= Y1 + 0.5;
    const attributi = (e, a) => { for (const k in a) e.setAttribute(k, a[k]); };
    const tondo = (n) => Math.round(n * 10) / 10;
    function disegnaGrafico() {
      for (const s of stazioni) {
        const y = tondo(Y(s.y));
        attributi(s.linea, { y1: y, y2: y });
        if (s.nome) s.nome.setAttribute("y", tondo(y + 4));
        for (const e of [s.linea, s.nome]) if (e) e.classList.toggle("fuori", !dentro(X0, y));
      }
      for (const c of corse) {
        const punti = c.punti.map(([x, y]) => tondo(X(x)) + "," + tondo(Y(y))).join(" ");
        for (const l of c.linee) l.setAttribute("points", punti);
        if (c.nome && c.punti.length) {
          const [x, y] = [X(c.punti[0][0]), Y(c.punti[0][1])];
          attributi(c.nome, { x: tondo(x + 4), y: tondo(y - 6) });
          c.nome.classList.toggle("fuori", !dentro(x, y));
        }
      }
      for (const a of anelli) {
        const [x, y] = [X(a.x), Y(a.y)];
        attributi(a.c, { cx: tondo(x), cy: tondo(y) });
        a.c.classList.toggle("fuori", !dentro(x, y));
      }
      // Time marks at least 70 units apart, each with its seconds.
      const unitaPerSecondo = (X1 - X0) / (v.u1 - v.u0) / secondiPerUnita;
      const passo = passoOre(70 / unitaPerSecondo);
      const parti = [];
      for (let t = Math.ceil(secondiDi(v.u0) / passo) * passo; t <= secondiDi(v.u1) + 1e-6; t += passo) {
        const x = tondo(X(xDiSecondi(t))), ora = testoOra(t);
        parti.push('<line x1="' + x + '" y1="' + Y0 + '" x2="' + x + '" y2="' + Y1 + '" stroke="#ccc" data-ora="' + ora +
          '" data-secondi="' + t + '"/><text x="' + x + '" y="' + (Y1 + 18) + '" class="asse" text-anchor="middle">' +
          ora + "</text>");
      }
      // Kilometre marks down the side, at least 40 units apart, where no
      // station's name stands: zoomed in between stations, the distance
      // still reads.
      const metriPerSchermo = Math.abs(metriPerUnita) * (v.v1 - v.v0) / (Y1 - Y0);
      if (metriPerSchermo > 0) {
        const passoM = passoKm(40 * metriPerSchermo / 1000) * 1000;
        const nomi = stazioni.map((st) => Y(st.y)).filter((y) => y >= Y0 && y <= Y1);
        const [da, a] = [metriDi(v.v0), metriDi(v.v1)].sort((p, q) => p - q);
        for (const m of marcheKm(da, a, passoM)) {
          const y = tondo(Y(yDiMetri(m)));
          if (nomi.some((n) => Math.abs(n - y) < 12)) continue;
          parti.push('<line x1="' + X0 + '" y1="' + y + '" x2="' + X1 + '" y2="' + y + '" stroke="#eee" data-km="' + m +
            '"/><text x="' + (X0 - 8) + '" y="' + tondo(y + 4) + '" class="asse" text-anchor="end">' +
            testoKm(m, passoM) + "</text>");
        }
      }
      marche.innerHTML = parti.join("");
    }
    // A view no narrower than ten minutes across and 100 m down.
    const minimoX = 600 / secondiPerUnita, minimoY = 100 / (Math.abs(metriPerUnita) || 1);
    // The pointer over the stations' names zooms only the distance, over
    // the hours only the time.
    function zoom(f, x, y) {
      const c = [Math.min(Math.max(x, X0), X1), Math.min(Math.max(y, Y0), Y1)];
      const u = v.u0 + (c[0] - X0) / (X1 - X0) * (v.u1 - v.u0), w = v.v0 + (c[1] - Y0) / (Y1 - Y0) * (v.v1 - v.v0);
      if (x >= X0) [v.u0, v.u1] = finestraZoom(v.u0, v.u1, f, u, minimoX, X0, X1);
      if (y <= Y1) [v.v0, v.v1] = finestraZoom(v.v0, v.v1, f, w, minimoY, Y0, Y1);
      chiediFotogramma(disegnaGrafico);
    }
    function sposta(dx, dy) {
      [v.u0, v.u1] = finestraDentro(v.u0 - dx * (v.u1 - v.u0) / (X1 - X0), v.u1 - v.u0, X0, X1);
      [v.v0, v.v1] = finestraDentro(v.v0 - dy * (v.v1 - v.v0) / (Y1 - Y0), v.v1 - v.v0, Y0, Y1);
      chiediFotogramma(disegnaGrafico);
    }
    // The whole graph again, as the program drew it.
    function intero() {
      Object.assign(v, { u0: X0, u1: X1, v0: Y0, v1: Y1 });
      chiediFotogramma(disegnaGrafico);
    }
    disegnaGrafico();
    return { zoom: zoom, sposta: sposta, intero: intero };
  }
  const vistaDelGrafico = grafico ? vistaGrafico(grafico.svg) : null;
  // The line of the train shown stands out in the graph.
  function marcaScelto() {
    for (const g of grafico ? grafico.radice.querySelectorAll("g.corsa") : []) {
      g.classList.toggle("scelta", g.getAttribute("data-treno") === treno.keys.train);
    }
  }
  marcaScelto();
  // Shows train `k`'s objects in the panels.
  function scegliTreno(k) {
    treno = treni[k];
    sceltaTreno.value = k;
    leggiOggetti();
    marcaScelto();
    nascondi();
    ridisegna();
  }
  if (sceltaTreno) sceltaTreno.addEventListener("change", () => scegliTreno(+sceltaTreno.value));

  // ---- label placement: the most important first, each only where it
  // overprints none already placed ----
  const misura = document.createElement("canvas").getContext("2d");
  const larghezze = new Map();
  function larghezzaTesto(testo, dimensione, grassetto) {
    const chiave = dimensione + "|" + grassetto + "|" + testo;
    let l = larghezze.get(chiave);
    if (l === undefined) {
      misura.font = (grassetto ? "bold " : "") + dimensione + 'px "DejaVu Sans", Arial, sans-serif';
      l = misura.measureText(testo).width;
      larghezze.set(chiave, l);
    }
    return l;
  }
  // Draws the label at the first free one of the places [x, y, anchor].
  function posaEtichetta(spazio, gruppo, testo, classe, dimensione, posti) {
    // Slowdown labels are bold (see the style sheet).
    const w = larghezzaTesto(testo, dimensione, classe === "rallentamento") + 4, h = dimensione * 1.35 + 2;
    const riquadri = posti.map(([x, y, ancora]) => riquadroEtichetta(x, y, ancora, w, h));
    const k = spazio.posa(riquadri);
    if (k < 0) return false;
    const t = elemento("text", { x: riquadri[k].x0 + 2, y: posti[k][1] + dimensione * 0.36, class: "etichetta " + classe },
      gruppo);
    t.textContent = testo;
    return true;
  }
  // Places around a point at (x, y): right, left, above, below.
  const intorno = (x, y, d) => [[x + d, y, "start"], [x - d, y, "end"], [x, y - d - 6, "middle"], [x, y + d + 6, "middle"]];

  // ---- state: the km range of the profile and the plan's camera ----
  const stato = { da: 0, a: L, cx: 0, cy: 0, s: 1 };

  // ---- the plan: points, lookup by metre, camera ----
  const nPunti = piano ? piano.m.length : 0;
  function indiceMetro(m) { // last point at or before metre m
    let lo = 0, hi = nPunti - 1;
    if (m <= piano.m[0]) return 0;
    while (lo < hi) {
      const mid = (lo + hi + 1) >> 1;
      if (piano.m[mid] <= m) lo = mid; else hi = mid - 1;
    }
    return lo;
  }
  function puntoAlMetro(m) {
    const i = indiceMetro(m);
    if (i >= nPunti - 1) return [piano.x[nPunti - 1], piano.y[nPunti - 1]];
    const f = Math.min(Math.max((m - piano.m[i]) / (piano.m[i + 1] - piano.m[i]), 0), 1);
    return [piano.x[i] + f * (piano.x[i + 1] - piano.x[i]), piano.y[i] + f * (piano.y[i + 1] - piano.y[i])];
  }
  function dimensioniPianta() { return [svgPianta.clientWidth || 800, svgPianta.clientHeight || 400]; }
  const schermoX = (x, W) => W / 2 + (x - stato.cx) * stato.s;
  const schermoY = (y, H) => H / 2 - (y - stato.cy) * stato.s;
  // The camera that shows the track from metre da to metre a whole.
  function inquadra(da, a) {
    const [W, H] = dimensioniPianta();
    let x0 = Infinity, x1 = -Infinity, y0 = Infinity, y1 = -Infinity;
    const includi = ([x, y]) => { x0 = Math.min(x0, x); x1 = Math.max(x1, x); y0 = Math.min(y0, y); y1 = Math.max(y1, y); };
    includi(puntoAlMetro(da));
    includi(puntoAlMetro(a));
    for (let i = indiceMetro(da); i < nPunti && piano.m[i] <= a; i++) includi([piano.x[i], piano.y[i]]);
    // Halves first, so that the widest finite plan does not overflow.
    stato.cx = x0 / 2 + x1 / 2;
    stato.cy = y0 / 2 + y1 / 2;
    const dx = Math.max(x1 / 2 - x0 / 2, 25), dy = Math.max(y1 / 2 - y0 / 2, 25);
    stato.s = limitaScala(Math.min((W - 80) / 2 / dx, (H - 60) / 2 / dy));
  }
  let scalaMinima = 1e-12;
  const limitaScala = (s) => Math.min(Math.max(s, scalaMinima), 1 / METRI_PER_PIXEL_MINIMI);

  // The metres of track within the plan's view: the profile follows them.
  // Each segment between the points this scale keeps is clipped to the view,
  // so that a long straight run crossing it counts though no point of it lies
  // inside.
  function metriInVista(W, H) {
    if (W === undefined) [W, H] = dimensioniPianta();
    const t = 1 / stato.s;
    let da = Infinity, a = -Infinity, prec = 0;
    for (let i = 1; i < nPunti; i++) {
      if (piano.e[i] <= t && i !== nPunti - 1) continue;
      const taglio = ritaglio(schermoX(piano.x[prec], W), schermoY(piano.y[prec], H),
        schermoX(piano.x[i], W), schermoY(piano.y[i], H), W, H);
      if (taglio) {
        const m0 = piano.m[prec], m1 = piano.m[i];
        da = Math.min(da, m0 + taglio[0] * (m1 - m0));
        a = Math.max(a, m0 + taglio[1] * (m1 - m0));
      }
      prec = i;
    }
    return da > a ? null : [Math.max(0, da), Math.min(L, a)];
  }
  function disegnaPianta() {
    const [W, H] = dimensioniPianta();
    svgPianta.setAttribute("viewBox", "0 0 " + W + " " + H);
    const tela = elemento("svg", {});
    const t = 1 / stato.s; // one pixel in plan metres: the error allowed
    const mx = 20 * t;      // what may stand just outside the view
    const vx0 = stato.cx - W / 2 * t - mx, vx1 = stato.cx + W / 2 * t + mx;
    const vy0 = stato.cy - H / 2 * t - mx, vy1 = stato.cy + H / 2 * t + mx;
    const segmentoInVista = (ax, ay, bx, by) =>
      Math.max(ax, bx) >= vx0 && Math.min(ax, bx) <= vx1 && Math.max(ay, by) >= vy0 && Math.min(ay, by) <= vy1;
    // The track from metre da to metre a as a path of the points this scale
    // needs, cut where it leaves the view.
    function percorso(da, a) {
      const pezzi = [];
      let prec = puntoAlMetro(da), aperto = false;
      const aggiungi = (p) => {
        if (segmentoInVista(prec[0], prec[1], p[0], p[1])) {
          if (!aperto) pezzi.push("M" + schermoX(prec[0], W).toFixed(1) + " " + schermoY(prec[1], H).toFixed(1));
          pezzi.push("L" + schermoX(p[0], W).toFixed(1) + " " + schermoY(p[1], H).toFixed(1));
          aperto = true;
        } else {
          aperto = false;
        }
        prec = p;
      };
      for (let i = indiceMetro(da) + 1; i < nPunti && piano.m[i] < a; i++) {
        if (piano.e[i] > t) aggiungi([piano.x[i], piano.y[i]]);
      }
      aggiungi(puntoAlMetro(a));
      return pezzi.join("");
    }
    const gMontagne = elemento("g", { "stroke-opacity": 0.45, fill: "none", "stroke-linecap": "round" }, tela);
    for (const [da, a, k] of spanUniti(treno.profile.mountain_kind, t)) {
      elemento("path", { d: percorso(da, a), stroke: coloreMontagna(k), "stroke-width": 9 }, gMontagne);
    }
    const fine = piano.m[nPunti - 1];
    elemento("path", { d: percorso(Math.min(L, fine), fine), fill: "none", stroke: COLORE.prolungamento,
      "stroke-width": 2, "stroke-dasharray": "6 4" }, tela);
    elemento("path", { id: "binario", d: percorso(0, Math.min(L, fine)), fill: "none", stroke: COLORE.binario,
      "stroke-width": 2.5, "stroke-linejoin": "round" }, tela);

    // Objects in view, stations last so that they stay on top.
    const gOggetti = elemento("g", {}, tela);
    const gStazioni = elemento("g", {}, tela);
    const candidati = [];
    const inVista = [];
    oggetti.forEach((o, indice) => {
      const [x, y] = puntoAlMetro(o.metro);
      const X = schermoX(x, W), Y = schermoY(y, H);
      if (X >= -10 && X <= W + 10 && Y >= -10 && Y <= H + 10) inVista.push([o, indice, X, Y]);
    });
    const pixel = doppione(inVista, W);
    inVista.forEach(([o, indice, X, Y]) => {
      if (pixel(o, X, Y)) return;
      simbolo(o.tipo === "station" ? gStazioni : gOggetti, o, indice, X, Y);
      candidati.push([o, X, Y]);
    });

    // Labels by importance: slowdowns, main stations, other stations,
    // signal numbers, kilometre marks.
    const gEtichette = elemento("g", {}, tela);
    const spazio = new Spazio(W, H);
    const posaTutti = (filtro, testo, classe) => {
      for (const [o, X, Y] of candidati) if (filtro(o)) posaEtichetta(spazio, gEtichette, testo(o), classe, 12, intorno(X, Y, 9));
    };
    posaTutti((o) => o.tipo === "slowdown_start", (o) => o.dati.fields.speed_kmh + " km/h", "rallentamento");
    posaTutti((o) => o.tipo === "station" && stazioniMaggiori.has(o.dati.number), (o) => o.dati.name, "stazione");
    posaTutti((o) => o.tipo === "station" && !stazioniMaggiori.has(o.dati.number), (o) => o.dati.name, "stazione");
    posaTutti((o) => o.tipo === "signal", (o) => "S" + o.numero, "segnale");
    const passo = passoKm(100 * t / 1000) * 1000;
    const vista = metriInVista(W, H);
    if (vista) {
      for (const m of marcheKm(vista[0], vista[1], passo)) {
        const [x, y] = puntoAlMetro(m);
        const X = schermoX(x, W), Y = schermoY(y, H);
        elemento("circle", { cx: X, cy: Y, r: 2, fill: "#555", "pointer-events": "none" }, gEtichette);
        posaEtichetta(spazio, gEtichette, testoKm(m, passo), "km", 11, intorno(X, Y, 6));
      }
    }
    // Scale bar.
    const km = passoKm(W / 6 * t / 1000);
    const lb = km * 1000 * stato.s;
    elemento("rect", { x: 20, y: H - 22, width: lb, height: 5, fill: "#222" }, tela);
    const ts = elemento("text", { x: 20 + lb + 6, y: H - 16, class: "asse" }, tela);
    ts.textContent = testoKm(km * 1000, km * 1000);
    mostraTela(svgPianta, tela);
    disegnato.pianta = { cx: stato.cx, cy: stato.cy, s: stato.s, W: W, H: H };
  }

  // Whether an object in view [o, index, X, Y], not a station, would stand
  // within a pixel of the last one of its kind drawn, and so only cover it;
  // within 3 px where its kind has more objects in view than one for each
  // 8 px of the panel's width, as a line a thousand km long seen whole has.
  function doppione(inVista, W) {
    const quanti = new Map();
    for (const [o] of inVista) quanti.set(o.tipo, (quanti.get(o.tipo) || 0) + 1);
    const ultimo = new Map();
    return (o, X, Y) => {
      if (o.tipo === "station") return false;
      const d = quanti.get(o.tipo) > W / 8 ? 3 : 1;
      const u = ultimo.get(o.tipo);
      if (u && Math.abs(X - u[0]) < d && Math.abs(Y - u[1]) < d) return true;
      ultimo.set(o.tipo, [X, Y]);
      return false;
    };
  }

  // ---- symbols of each kind ----
  function simbolo(g, o, indice, X, Y) {
    const a = { class: "ogg", "data-o": indice, "data-kind": o.tipo };
    let e;
    switch (o.tipo) {
      case "station": e = elemento("circle", { ...a, cx: X, cy: Y, r: 5.5, fill: "#fff", stroke: "#111", "stroke-width": 2 }, g); break;
      case "signal": e = elemento("circle", { ...a, cx: X, cy: Y, r: 3.5, fill: COLORE.segnale }, g); break;
      case "slowdown_start":
      case "slowdown_end":
        e = elemento("circle", { ...a, cx: X, cy: Y, r: 6, fill: "none", stroke: COLORE.rallentamento, "stroke-width": 2.5 }, g); break;
      case "slowdown_warning":
        e = elemento("path", { ...a, d: "M" + X + " " + (Y - 7) + "l6 11h-12z", fill: COLORE.avviso }, g); break;
      case "slowdown_approach": e = elemento("circle", { ...a, cx: X, cy: Y, r: 2.5, fill: COLORE.avviso }, g); break;
      case "speed_board":
        e = elemento("rect", { ...a, x: X - 4, y: Y - 4, width: 8, height: 8, fill: "#fff", stroke: COLORE.indicatore, "stroke-width": 2 }, g); break;
      case "text_sign": e = elemento("rect", { ...a, x: X - 4, y: Y - 3, width: 8, height: 6, fill: COLORE.cartello }, g); break;
      case "abbattimento":
      case "abbattimento_zero":
        e = elemento("path", { ...a, d: "M" + X + " " + (Y - 4) + "l4 4l-4 4l-4 -4z",
          fill: o.tipo === "abbattimento" ? COLORE.abbattimento : "#fff", stroke: COLORE.abbattimento }, g); break;
      case "tunnel_marker": e = elemento("circle", { ...a, cx: X, cy: Y, r: 2, fill: coloreMontagna(2) }, g); break;
      case "station_stop": e = elemento("rect", { ...a, x: X - 2.5, y: Y - 2.5, width: 5, height: 5, fill: "#111" }, g); break;
      default: e = elemento("circle", { ...a, cx: X, cy: Y, r: 2.5, fill: "#999" }, g);
    }
    return e;
  }

  // ---- the profile ----
  const MARGINE_SINISTRO = 64, MARGINE_DESTRO = 16;
  function dimensioniProfilo() { return [svgProfilo.clientWidth || 800, svgProfilo.clientHeight || 300]; }
  // The width is read once a drawing: reading it after each change of the
  // page would lay the page out again every time.
  let larghezzaProfilo = 800;
  function xProfilo(m) {
    return MARGINE_SINISTRO + (m - stato.da) / (stato.a - stato.da) * (larghezzaProfilo - MARGINE_SINISTRO - MARGINE_DESTRO);
  }
  function metroProfilo(X) {
    const [W] = dimensioniProfilo();
    return stato.da + (X - MARGINE_SINISTRO) / (W - MARGINE_SINISTRO - MARGINE_DESTRO) * (stato.a - stato.da);
  }
  // Runs [from, to, value] in view as columns on screen: runs narrower than
  // a pixel share one column and `scegli` keeps one value of them.
  function colonne(tratti, scegli) {
    const fuori = [];
    let aperta = null;
    for (const [da, a, v] of tratti) {
      if (a < stato.da || da > stato.a) continue;
      const x0 = xProfilo(Math.max(da, stato.da)), x1 = xProfilo(Math.min(a, stato.a));
      if (aperta && Math.floor(x0) === aperta.colonna && x1 - x0 < 1) {
        aperta.x1 = x1;
        aperta.v = scegli(aperta.v, v);
        continue;
      }
      aperta = { x0: x0, x1: x1, v: v, colonna: Math.floor(x1) };
      fuori.push(aperta);
    }
    return fuori;
  }

  function disegnaProfilo() {
    const [W, H] = dimensioniProfilo();
    larghezzaProfilo = W;
    svgProfilo.setAttribute("viewBox", "0 0 " + W + " " + H);
    const tela = elemento("svg", {});
    const x0 = MARGINE_SINISTRO, x1 = W - MARGINE_DESTRO;
    const nomi = 34; // room for station names
    const altoV = Math.max((H - nomi - 40) * 0.55, 40), altoP = Math.max(H - nomi - 40 - altoV - 16, 30);
    const yV0 = nomi, yP0 = yV0 + altoV + 16, fondo = yP0 + altoP;
    let vmax = 20, pmax = 5;
    for (const [, , v] of treno.profile.speed_limit_kmh) vmax = Math.max(vmax, v);
    for (const [, , v] of treno.profile.gradient_per_mille) pmax = Math.max(pmax, Math.abs(v));
    vmax = Math.ceil((vmax + 10) / 20) * 20;
    pmax = Math.ceil(pmax / 5) * 5;
    const yV = (v) => yV0 + altoV * (1 - v / vmax);
    const yP = (v) => yP0 + altoP * (pmax - v) / (2 * pmax);
    const g = elemento("g", {}, tela);
    const unita = (stato.a - stato.da) / (x1 - x0);

    for (const c of colonne(treno.profile.mountain_kind.filter((r) => r[2] !== 0), (a, b) => Math.max(a, b))) {
      elemento("rect", { x: c.x0, y: yV0, width: Math.max(c.x1 - c.x0, 1), height: fondo - yV0,
        fill: coloreMontagna(c.v), "fill-opacity": 0.18 }, g);
    }
    // Gradient bars; of the runs sharing a pixel the steepest shows.
    for (const c of colonne(treno.profile.gradient_per_mille, (a, b) => Math.abs(b) > Math.abs(a) ? b : a)) {
      if (c.v === 0) continue;
      elemento("rect", { x: c.x0, y: Math.min(yP(c.v), yP(0)), width: Math.max(c.x1 - c.x0, 1),
        height: Math.abs(yP(c.v) - yP(0)), fill: c.v > 0 ? COLORE.salita : COLORE.discesa, "shape-rendering": "crispEdges" }, g);
    }
    // Speed limit; of the runs sharing a pixel the lowest shows.
    const passi = colonne(treno.profile.speed_limit_kmh, (a, b) => Math.min(a, b));
    elemento("path", { d: passi.map((c, k) => (k ? "L" : "M") + c.x0.toFixed(1) + " " + yV(c.v).toFixed(1) +
      "L" + c.x1.toFixed(1) + " " + yV(c.v).toFixed(1)).join(""), fill: "none", stroke: COLORE.velocita, "stroke-width": 2.2 }, g);
    for (const [y, h] of [[yV0, altoV], [yP0, altoP]]) {
      elemento("rect", { x: x0, y: y, width: x1 - x0, height: h, fill: "none", stroke: "#999" }, g);
    }
    elemento("line", { x1: x0, x2: x1, y1: yP(0), y2: yP(0), stroke: "#888" }, g);
    for (const [testo, y] of [[vmax + " km/h", yV0 + 10], ["0", yV(0)], ["+" + pmax + "\u2030", yP0 + 10], ["\u2212" + pmax + "\u2030", fondo]]) {
      const t = elemento("text", { x: x0 - 6, y: y, "text-anchor": "end", class: "asse" }, g);
      t.textContent = testo;
    }

    // Objects on the line: slowdowns as bands, points as marks.
    const spazio = new Spazio(W, H);
    const gOggetti = elemento("g", {}, tela), gEtichette = elemento("g", {}, tela);
    let inizio = null;
    oggetti.forEach((o) => {
      if (o.tipo === "slowdown_start") inizio = o;
      if (o.tipo === "slowdown_end" && inizio) {
        const xa = xProfilo(inizio.metro), xb = xProfilo(o.metro), v = inizio.dati.fields.speed_kmh;
        if (xb >= x0 && xa <= x1) {
          elemento("rect", { x: Math.max(xa, x0), y: yV0, width: Math.max(Math.min(xb, x1) - Math.max(xa, x0), 2),
            height: altoV, fill: COLORE.rallentamento, "fill-opacity": 0.15 }, gOggetti);
          elemento("line", { x1: Math.max(xa, x0), x2: Math.min(xb, x1), y1: yV(v), y2: yV(v), stroke: COLORE.rallentamento, "stroke-width": 3 }, gOggetti);
        }
        inizio = null;
      }
    });
    const segnati = [];
    const inVista = [];
    oggetti.forEach((o, indice) => {
      const X = xProfilo(o.metro);
      if (X >= x0 - 1 && X <= x1 + 1) inVista.push([o, indice, X, 0]);
    });
    const pixel = doppione(inVista, W);
    inVista.forEach(([o, indice, X]) => {
      if (pixel(o, X, 0)) return;
      segnati.push([o, X]);
      const a = { class: "ogg", "data-o": indice, "data-kind": o.tipo };
      const piede = yV(0);
      switch (o.tipo) {
        case "station":
          elemento("line", { x1: X, x2: X, y1: yV0 - 4, y2: fondo, stroke: "#555", "stroke-width": 0.8, "stroke-dasharray": "2 3" }, gOggetti);
          elemento("circle", { ...a, cx: X, cy: yV0 - 4, r: 4.5, fill: "#fff", stroke: "#111", "stroke-width": 1.8 }, gOggetti);
          break;
        case "signal": elemento("rect", { ...a, x: X - 1.5, y: piede - 12, width: 3, height: 12, fill: COLORE.segnale }, gOggetti); break;
        case "slowdown_start":
        case "slowdown_end": {
          const v = o.dati.fields.speed_kmh;
          elemento("circle", { ...a, cx: X, cy: yV(v), r: 5, fill: "#fff", stroke: COLORE.rallentamento, "stroke-width": 2.5 }, gOggetti);
          break;
        }
        case "slowdown_warning": {
          const yw = yV(o.dati.fields.speed_kmh);
          elemento("path", { ...a, d: "M" + X + " " + (yw - 14) + "l7 12h-14z", fill: COLORE.avviso }, gOggetti);
          break;
        }
        case "slowdown_approach": elemento("circle", { ...a, cx: X, cy: piede - 30, r: 3, fill: COLORE.avviso }, gOggetti); break;
        case "abbattimento":
        case "abbattimento_zero":
          elemento("rect", { ...a, x: X - 1.5, y: piede - 28, width: 3, height: 12,
            fill: o.tipo === "abbattimento" ? COLORE.abbattimento : "#fff", stroke: COLORE.abbattimento, "stroke-width": 0.8 }, gOggetti); break;
        case "speed_board": {
          const v = Math.max(o.dati.fields.rank_a_left_kmh, o.dati.fields.rank_a_right_kmh);
          elemento("rect", { ...a, x: X - 4, y: yV(v) - 4, width: 8, height: 8, fill: "#fff", stroke: COLORE.indicatore, "stroke-width": 2 }, gOggetti);
          break;
        }
        case "text_sign": elemento("rect", { ...a, x: X - 4, y: piede - 44, width: 8, height: 6, fill: COLORE.cartello }, gOggetti); break;
        case "tunnel_marker": elemento("rect", { ...a, x: X - 1, y: fondo - 8, width: 2, height: 8, fill: coloreMontagna(2) }, gOggetti); break;
        case "station_stop": elemento("rect", { ...a, x: X - 2.5, y: yV0 + 2, width: 5, height: 5, fill: "#111" }, gOggetti); break;
        default: elemento("circle", { ...a, cx: X, cy: piede - 50, r: 2.5, fill: "#999" }, gOggetti);
      }
    });
    const posa = (filtro, testo, classe, y) => {
      for (const [o, X] of segnati) {
        if (filtro(o)) posaEtichetta(spazio, gEtichette, testo(o), classe, 12, [[X, y(o), "middle"], [X + 8, y(o), "start"], [X - 8, y(o), "end"]]);
      }
    };
    posa((o) => o.tipo === "slowdown_start", (o) => o.dati.fields.speed_kmh + " km/h", "rallentamento",
      (o) => yV(o.dati.fields.speed_kmh) + 16);
    posa((o) => o.tipo === "station" && stazioniMaggiori.has(o.dati.number), (o) => o.dati.name, "stazione", () => 10);
    posa((o) => o.tipo === "station" && !stazioniMaggiori.has(o.dati.number), (o) => o.dati.name, "stazione", () => 24);
    posa((o) => o.tipo === "speed_board", (o) => o.dati.fields.rank_a_left_kmh + "", "segnale",
      (o) => yV(Math.max(o.dati.fields.rank_a_left_kmh, o.dati.fields.rank_a_right_kmh)) - 12);
    // Kilometre axis.
    const passo = passoKm(70 * unita / 1000) * 1000;
    for (const m of marcheKm(stato.da, stato.a, passo)) {
      const X = xProfilo(m);
      elemento("line", { x1: X, x2: X, y1: fondo, y2: fondo + 5, stroke: "#555" }, gEtichette);
      posaEtichetta(spazio, gEtichette, testoKm(m, passo), "km", 11, [[X, fondo + 14, "middle"]]);
    }
    mostraTela(svgProfilo, tela);
    disegnato.profilo = { da: stato.da, a: stato.a, W: W };
    mostraIntervallo();
  }
  function mostraIntervallo() {
    svgProfilo.setAttribute("data-from-m", Math.round(stato.da));
    svgProfilo.setAttribute("data-to-m", Math.round(stato.a));
    document.getElementById("intervallo").textContent =
      "km " + (stato.da / 1000).toFixed(3) + " \u2013 " + (stato.a / 1000).toFixed(3);
  }

  // ---- drawing and moving ----
  function disegna() {
    if (svgPianta) disegnaPianta();
    disegnaProfilo();
  }
  // What each panel shows, as it was last drawn: a gesture's frames move
  // that drawing to the new view rather than draw the panels again, and the
  // drawing follows once the gesture pauses. Drawing both panels costs
  // several frames' time on a long line; moving them, a fraction of one.
  const disegnato = { pianta: null, profilo: null };
  const QUIETE_MS = 120;
  // How far a moved drawing may stray before it is drawn again at once: its
  // symbols no more than this many times larger or smaller, and no more than
  // this share of what there is to see left bare at its edges.
  const SCALA_MASSIMA = 16;
  const SCOPERTO_MASSIMO = 0.75;
  const troppoLontano = (k, bare) => k > SCALA_MASSIMA || k < 1 / SCALA_MASSIMA || bare > SCOPERTO_MASSIMO;
  // Where the track lies on the plan, the same whatever the view.
  const limitiPianta = [Infinity, Infinity, -Infinity, -Infinity];
  for (let i = 0; i < nPunti; i++) {
    limitiPianta[0] = Math.min(limitiPianta[0], piano.x[i]);
    limitiPianta[1] = Math.min(limitiPianta[1], piano.y[i]);
    limitiPianta[2] = Math.max(limitiPianta[2], piano.x[i]);
    limitiPianta[3] = Math.max(limitiPianta[3], piano.y[i]);
  }
  function muoviPianta() {
    const d = disegnato.pianta, [W, H] = dimensioniPianta();
    if (!d || d.W !== W || d.H !== H) return false;
    const k = stato.s / d.s;
    const tx = W / 2 * (1 - k) + (d.cx - stato.cx) * stato.s, ty = H / 2 * (1 - k) - (d.cy - stato.cy) * stato.s;
    const traccia = [schermoX(limitiPianta[0], W), schermoY(limitiPianta[3], H), schermoX(limitiPianta[2], W),
      schermoY(limitiPianta[1], H)];
    muovi(svgPianta, k, k, tx, ty, k >= 0.5 && k <= 2);
    return !troppoLontano(k, scoperto([0, 0, W, H], traccia, [tx, ty, tx + k * W, ty + k * H]));
  }
  function muoviProfilo() {
    const d = disegnato.profilo, [W] = dimensioniProfilo();
    if (!d || d.W !== W) return false;
    const larghezza = W - MARGINE_SINISTRO - MARGINE_DESTRO;
    const k = (d.a - d.da) / (stato.a - stato.da);
    const tx = MARGINE_SINISTRO * (1 - k) + (d.da - stato.da) / (stato.a - stato.da) * larghezza;
    const xDi = (m) => MARGINE_SINISTRO + (m - stato.da) / (stato.a - stato.da) * larghezza;
    const bare = scoperto([MARGINE_SINISTRO, 0, W - MARGINE_DESTRO, 1], [xDi(0), 0, xDi(L), 1],
      [k * MARGINE_SINISTRO + tx, 0, k * (W - MARGINE_DESTRO) + tx, 1]);
    // Text stretched along one axis reads badly: labels show on a pan only.
    muovi(svgProfilo, k, 1, tx, 0, Math.abs(k - 1) < 1e-9);
    return !troppoLontano(k, bare);
  }
  // A frame draws one panel at most: drawing both would take twice as long.
  // A panel that strayed too far while the other is drawn stays moved and is
  // drawn in the next frame; once the gesture pauses, each panel still moved
  // is drawn, one a frame.
  let quiete = 0;
  function muoviODisegna() {
    const pianta = svgPianta && !muoviPianta();
    const profilo = !muoviProfilo();
    if (pianta) disegnaPianta(); else if (profilo) disegnaProfilo();
    if (pianta && profilo) ridisegna(true);
    mostraIntervallo();
    clearTimeout(quiete);
    quiete = setTimeout(dopoLaPausa, QUIETE_MS);
  }
  function disegnaUnMosso() {
    if (svgPianta && svgPianta.hasAttribute("data-moved")) disegnaPianta();
    else if (svgProfilo.hasAttribute("data-moved")) disegnaProfilo();
    dopoLaPausa();
  }
  function limitaIntervallo(da, a) {
    [stato.da, stato.a] = intervalloAmmesso(da, a, L);
  }
  // Events only change the state; the drawing follows once an animation
  // frame, however many events came since the last.
  // A gesture (wheel, drag, pinch) asks for `gesto`: its frame may move the
  // last drawing; anything else draws anew. A frame asked for by the pause
  // alone draws what is still moved.
  // The train graph asks for a frame with its own drawing, `lavoro`; the
  // panels are drawn or moved in a frame only when asked for.
  let fotogramma = 0, segui = null, soloGesti = true, pausa = false, pannelli = false, lavoro = null;
  function chiediFotogramma(altro) {
    if (altro) lavoro = altro;
    if (fotogramma) return;
    fotogramma = requestAnimationFrame(() => {
      fotogramma = 0;
      if (lavoro) lavoro();
      lavoro = null;
      if (!pannelli) return;
      pannelli = false;
      if (segui) segui();
      segui = null;
      if (pausa) disegnaUnMosso(); else if (soloGesti) muoviODisegna(); else disegna();
      soloGesti = true;
    });
  }
  function ridisegna(gesto) {
    soloGesti = soloGesti && gesto === true;
    pausa = false;
    pannelli = true;
    chiediFotogramma();
  }
  // A frame already asked for moves or draws, and waits for its own pause.
  function dopoLaPausa() {
    if ((fotogramma && pannelli) || !document.querySelector("svg[data-moved]")) return;
    ridisegna(true);
    pausa = true;
  }
  // After the plan moved, the profile shows the track in the plan's view;
  // after the profile moved, the plan shows the same stretch. Either is
  // worked out once, in the frame, for the panel moved last.
  function dopoPianta(gesto) {
    segui = () => {
      const v = metriInVista();
      if (v) limitaIntervallo(v[0], v[1]);
    };
    ridisegna(gesto);
  }
  function dopoProfilo(gesto) {
    segui = () => { if (svgPianta) inquadra(Math.max(stato.da, 0), Math.min(stato.a, L)); };
    ridisegna(gesto);
  }
  function lineaIntera() {
    inquadraTutto();
    if (vistaDelGrafico) vistaDelGrafico.intero();
    ridisegna();
  }
  function inquadraTutto() {
    segui = null;
    stato.da = 0;
    stato.a = L;
    if (svgPianta) {
      inquadra(0, L);
      scalaMinima = stato.s / 4;
    }
  }
  function zoomPianta(f, X, Y, gesto) {
    const [W, H] = dimensioniPianta();
    const x = stato.cx + (X - W / 2) / stato.s, y = stato.cy - (Y - H / 2) / stato.s;
    stato.s = limitaScala(stato.s * f);
    stato.cx = x - (X - W / 2) / stato.s;
    stato.cy = y + (Y - H / 2) / stato.s;
    dopoPianta(gesto);
  }
  function zoomProfilo(f, X, gesto) {
    const m = metroProfilo(X);
    limitaIntervallo(m - (m - stato.da) / f, m + (stato.a - m) / f);
    dopoProfilo(gesto);
  }
  function centra(m) {
    const w = stato.a - stato.da;
    limitaIntervallo(m - w / 2, m + w / 2);
    if (svgPianta) {
      [stato.cx, stato.cy] = puntoAlMetro(m);
      segui = null;
      ridisegna();
    } else {
      dopoProfilo();
    }
  }
  // A point of the panel's frame: the drawing itself may be moved.
  const locale = (svg, ev) => {
    const r = svg.parentElement.getBoundingClientRect();
    return [ev.clientX - r.left, ev.clientY - r.top];
  };

  // Wheel, drag and pinch on any panel; `punto` gives an event's point in
  // the coordinates `zoom` and `sposta` take, `indica` answers a pointer
  // that only moves over it.
  function comandi(svg, zoom, sposta, punto = (ev) => locale(svg, ev), indica = mostra) {
    svg.addEventListener("wheel", (ev) => {
      ev.preventDefault();
      const [X, Y] = punto(ev);
      zoom(fattoreRotella(ev), X, Y, true);
    }, { passive: false });
    const puntatori = new Map();
    let distanza = 0;
    svg.addEventListener("pointerdown", (ev) => {
      puntatori.set(ev.pointerId, punto(ev));
      if (svg.setPointerCapture) try { svg.setPointerCapture(ev.pointerId); } catch (e) { /* synthetic pointer */ }
      svg.classList.add("trascina");
      if (puntatori.size === 2) {
        const [a, b] = [...puntatori.values()];
        distanza = Math.hypot(a[0] - b[0], a[1] - b[1]);
      }
      indica(ev);
    });
    svg.addEventListener("pointermove", (ev) => {
      const prec = puntatori.get(ev.pointerId);
      if (!prec) { indica(ev); return; }
      const ora = punto(ev);
      puntatori.set(ev.pointerId, ora);
      if (puntatori.size === 2) {
        const [a, b] = [...puntatori.values()];
        const d = Math.hypot(a[0] - b[0], a[1] - b[1]);
        if (distanza > 0 && d > 0) zoom(d / distanza, (a[0] + b[0]) / 2, (a[1] + b[1]) / 2, true);
        distanza = d;
      } else {
        sposta(ora[0] - prec[0], ora[1] - prec[1]);
      }
    });
    const rilascia = (ev) => {
      puntatori.delete(ev.pointerId);
      if (puntatori.size === 0) svg.classList.remove("trascina");
    };
    svg.addEventListener("pointerup", rilascia);
    svg.addEventListener("pointercancel", rilascia);
    svg.addEventListener("pointerleave", (ev) => { if (!puntatori.size) nascondi(); rilascia(ev); });
  }
  if (svgPianta) {
    comandi(svgPianta, zoomPianta, (dx, dy) => {
      stato.cx -= dx / stato.s;
      stato.cy += dy / stato.s;
      dopoPianta(true);
    });
  }
  comandi(svgProfilo, (f, X, Y, gesto) => zoomProfilo(f, X, gesto), (dx) => {
    const [W] = dimensioniProfilo();
    const d = dx / (W - MARGINE_SINISTRO - MARGINE_DESTRO) * (stato.a - stato.da);
    limitaIntervallo(stato.da - d, stato.a - d);
    dopoProfilo(true);
  });
  // The graph's drawing is scaled to its frame's width: a point in its own
  // coordinates.
  if (grafico) {
    const nelGrafico = (ev) => {
      const p = new DOMPoint(ev.clientX, ev.clientY).matrixTransform(grafico.svg.getScreenCTM().inverse());
      return [p.x, p.y];
    };
    const fermo = () => {};
    comandi(grafico.svg, vistaDelGrafico ? vistaDelGrafico.zoom : fermo, vistaDelGrafico ? vistaDelGrafico.sposta : fermo,
      nelGrafico, grafico.indica);
  }

  function zoomCentrale(f) {
    if (svgPianta) {
      const [W, H] = dimensioniPianta();
      zoomPianta(f, W / 2, H / 2);
    } else {
      const [W] = dimensioniProfilo();
      zoomProfilo(f, (MARGINE_SINISTRO + W - MARGINE_DESTRO) / 2);
    }
  }
  document.getElementById("piu").addEventListener("click", () => zoomCentrale(2));
  document.getElementById("meno").addEventListener("click", () => zoomCentrale(0.5));
  document.getElementById("intera").addEventListener("click", lineaIntera);
  const campoKm = document.getElementById("km");
  function vai() {
    const km = parseFloat(campoKm.value.replace(",", "."));
    if (!isFinite(km)) { campoKm.setCustomValidity("a position in km"); campoKm.reportValidity(); return; }
    campoKm.setCustomValidity("");
    centra(Math.min(Math.max(km * 1000, 0), L));
  }
  document.getElementById("vai").addEventListener("click", vai);
  campoKm.addEventListener("keydown", (ev) => { if (ev.key === "Enter") vai(); });
  document.addEventListener("keydown", (ev) => {
    if (ev.target === campoKm) return;
    if (ev.key === "+" || ev.key === "=") zoomCentrale(2);
    else if (ev.key === "-") zoomCentrale(0.5);
    else if (ev.key === "0" || ev.key === "Home") lineaIntera();
  });

  // ---- tooltips: the decoded fields under the names inspect --json uses ----
  function righe(o) {
    const r = [];
    const valore = (v) => Array.isArray(v) ? v.join(", ") : String(v);
    if (o.tipo === "station") {
      for (const k in o.dati) r.push([k, valore(o.dati[k])]);
    } else {
      for (const k of ["index", "position_m", "author_position_m"]) if (k in o.dati) r.push([k, valore(o.dati[k])]);
      for (const k in o.dati.fields) r.push([k, valore(o.dati.fields[k])]);
    }
    return r;
  }
  function mostra(ev) {
    const bersaglio = ev.target.closest ? ev.target.closest("[data-o]") : null;
    if (!bersaglio) { nascondi(); return; }
    const o = oggetti[+bersaglio.getAttribute("data-o")];
    mostraSuggerimento(o.tipo === "station" ? "station " + o.dati.name : o.tipo, righe(o), ev);
    suggerimento.setAttribute("data-o", bersaglio.getAttribute("data-o"));
  }
  // The tooltip: a heading and rows [name, value], by the pointer.
  function mostraSuggerimento(intestazione, voci, ev) {
    suggerimento.textContent = "";
    suggerimento.removeAttribute("data-o");
    const tabella = document.createElement("table");
    const titolo = tabella.insertRow().appendChild(document.createElement("th"));
    titolo.colSpan = 2;
    titolo.textContent = intestazione;
    for (const [k, v] of voci) {
      const riga = tabella.insertRow();
      riga.insertCell().textContent = k;
      riga.cells[0].className = "campo";
      riga.insertCell().textContent = v;
    }
    suggerimento.appendChild(tabella);
    suggerimento.hidden = false;
    const x = Math.min(ev.clientX + 14, window.innerWidth - 370), y = Math.min(ev.clientY + 14, window.innerHeight - 20 - tabella.rows.length * 16);
    suggerimento.style.left = Math.max(x, 0) + "px";
    suggerimento.style.top = Math.max(y, 0) + "px";
  }
  function nascondi() { suggerimento.hidden = true; }

  window.addEventListener("resize", ridisegna);
  // The first drawing comes at once, with the page.
  inquadraTutto();
  disegna();
  document.body.setAttribute("data-drawn-ms", performance.now().toFixed(0));
})();
