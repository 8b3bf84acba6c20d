// The viewer page's calculations, loaded under Node: km marks and their
// text, label placement (the table draw/etichette.cpp answers too), the
// clipping and the zoom arithmetic.
"use strict";
const test = require("node:test");
const assert = require("node:assert");
const path = require("node:path");
const fs = require("node:fs");

const cartella = process.argv[2] || path.join(__dirname, "..", "..");
const calcoli = require(path.join(cartella, "src", "view", "pagina", "vista.js"));
const casi = JSON.parse(fs.readFileSync(path.join(cartella, "tests", "data", "etichette_posa.json"), "utf8"));

test("km steps are 1, 2 or 5 times a power of ten, at least the minimum, never under a metre", () => {
  for (const [minimo, passo] of [[1e-6, 0.001], [0.0011, 0.002], [0.003, 0.005], [0.7, 1], [1.5, 2], [4, 5], [6, 10],
    [2000, 2000]]) {
    assert.strictEqual(+calcoli.passoKm(minimo).toPrecision(12), passo, "minimum " + minimo);
  }
});

test("km text keeps the decimals its step needs and no trailing zeros", () => {
  for (const [metri, passo, testo] of [[21000, 1000, "21 km"], [21500, 500, "21.5 km"], [21505, 5, "21.505 km"],
    [21500, 5, "21.5 km"], [21000, 5, "21 km"], [20, 20, "0.02 km"], [0, 5, "0 km"], [-0, 1, "0 km"],
    [1e6, 100000, "1000 km"]]) {
    assert.strictEqual(calcoli.testoKm(metri, passo), testo, metri + " m by " + passo + " m");
  }
});

// Marks at every step any zoom and width can choose, from a metre up, read
// apart: the profile 100 m wide on a 2,560 px or wider screen asks for
// steps of a few metres.
test("km marks of every step read distinct", () => {
  for (let esponente = -7; esponente <= 3; esponente++) {
    for (const fattore of [1, 1.7, 3.3, 7]) {
      const passo = calcoli.passoKm(fattore * Math.pow(10, esponente)) * 1000;
      const marche = calcoli.marcheKm(987654.3, 987654.3 + 40 * passo, passo);
      assert.strictEqual(marche.length, 40, "step " + passo);
      const testi = marche.map((m) => calcoli.testoKm(m, passo));
      assert.strictEqual(new Set(testi).size, testi.length, "step " + passo + ": " + testi.join(", "));
    }
  }
  assert.deepStrictEqual(calcoli.marcheKm(950, 3100, 1000), [1000, 2000, 3000]);
  assert.deepStrictEqual(calcoli.marcheKm(1000, 1000, 1000), [1000]);
});

test("labels are placed as the shared table says", () => {
  for (const caso of casi.cases) {
    const spazio = caso.area ? new calcoli.Spazio(caso.area[0], caso.area[1]) : new calcoli.Spazio();
    caso.labels.forEach((etichetta, k) => {
      const riquadri = etichetta.boxes.map(([x0, y0, x1, y1]) => ({ x0, y0, x1, y1 }));
      assert.strictEqual(spazio.posa(riquadri), etichetta.placed, caso.name + ", label " + k);
    });
  }
});

test("label boxes follow their anchor", () => {
  assert.deepStrictEqual(calcoli.riquadroEtichetta(100, 50, "start", 40, 10), { x0: 100, y0: 45, x1: 140, y1: 55 });
  assert.deepStrictEqual(calcoli.riquadroEtichetta(100, 50, "middle", 40, 10), { x0: 80, y0: 45, x1: 120, y1: 55 });
  assert.deepStrictEqual(calcoli.riquadroEtichetta(100, 50, "end", 40, 10), { x0: 60, y0: 45, x1: 100, y1: 55 });
});

// Ten thousand labels on a crowded screen: a quadratic search would make
// this a hundred million comparisons; filed by cells it stays quick.
test("placing many labels stays quick", () => {
  const spazio = new calcoli.Spazio(2560, 1440);
  const inizio = process.hrtime.bigint();
  let posate = 0;
  for (let k = 0; k < 10000; k++) {
    const x = (k * 37) % 2500, y = (k * 53) % 1400;
    if (spazio.posa([{ x0: x, y0: y, x1: x + 50, y1: y + 14 }]) === 0) posate++;
  }
  const ms = Number(process.hrtime.bigint() - inizio) / 1e6;
  assert.ok(posate > 100 && posate < 10000, posate + " placed");
  assert.ok(ms < 1000, ms + " ms");
});

test("a segment is clipped to the view", () => {
  assert.deepStrictEqual(calcoli.ritaglio(1, 1, 9, 9, 10, 10), [0, 1]);
  assert.deepStrictEqual(calcoli.ritaglio(-10, 5, 10, 5, 10, 10), [0.5, 1]);
  assert.deepStrictEqual(calcoli.ritaglio(-10, 5, 30, 5, 10, 10), [0.25, 0.5]);
  assert.strictEqual(calcoli.ritaglio(-10, -5, 20, -5, 10, 10), null);
  assert.strictEqual(calcoli.ritaglio(-10, 20, 20, -10, 4, 4), null);
  assert.strictEqual(calcoli.ritaglio(12, 0, 12, 10, 10, 10), null);
});

test("the wheel zooms by the same factor in pixels, lines or pages, and back", () => {
  const ruota = (deltaY, deltaMode) => calcoli.fattoreRotella({ deltaY, deltaMode });
  assert.ok(Math.abs(ruota(-120, 0) - Math.exp(0.24)) < 1e-12);
  assert.ok(Math.abs(ruota(3, 1) - Math.exp(-0.24)) < 1e-12);
  assert.ok(Math.abs(ruota(0.3, 2) - Math.exp(-0.24)) < 1e-12);
  assert.ok(Math.abs(ruota(-120, 0) * ruota(120, 0) - 1) < 1e-12);
});

test("the profile's range is at least 100 m, at most 1.5 lines, its middle on the line", () => {
  for (const [da, a, L, atteso] of [[10, 20, 1000, [-35, 65]], [200, 700, 1000, [200, 700]],
    [-500, 2000, 1000, [0, 1500]], [2000, 2200, 1000, [900, 1100]], [2000, 2050, 1000, [950, 1050]], [-900, -700, 1000, [-100, 100]]]) {
    assert.deepStrictEqual(calcoli.intervalloAmmesso(da, a, L), atteso, da + ".." + a);
  }
});

test("mountain spans closer than the unit join, each kind apart, kind 0 left out", () => {
  const tratti = [[0, 10, 1], [5, 6, 0], [12, 20, 1], [14, 40, 2], [24, 35, 1], [100, 110, 1]];
  assert.deepStrictEqual(calcoli.spanUniti(tratti, 5), [[0, 35, 1], [14, 40, 2], [100, 110, 1]]);
});

test("a moved drawing leaves bare only what there is to see beyond it", () => {
  const vista = [0, 0, 100, 100];
  for (const [nome, contenuto, mosso, nudo] of [
    ["zoomed in about the middle", vista, [-50, -50, 150, 150], 0],
    ["panned half a panel", vista, [50, 0, 150, 100], 0.5],
    ["zoomed out twice about the middle", vista, [25, 25, 75, 75], 0.75],
    ["zoomed out past the line's ends", [30, 30, 70, 70], [25, 25, 75, 75], 0],
    ["nothing to see", [200, 200, 300, 300], [25, 25, 75, 75], 0],
    ["moved right off", vista, [100, 0, 200, 100], 1],
  ]) {
    assert.strictEqual(calcoli.scoperto(vista, contenuto, mosso), nudo, nome);
  }
});

test("the train graph's time marks step as a clock is read, then by whole days, and read as the clock", () => {
  for (const [minimo, passo] of [[1, 60], [61, 120], [450, 600], [3600, 3600], [3601, 7200], [50000, 86400],
    [86401, 172800]]) {
    assert.strictEqual(calcoli.passoOre(minimo), passo, "minimum " + minimo);
  }
  for (const [secondi, testo] of [[0, "00:00"], [8 * 3600 + 15 * 60, "08:15"], [86400 + 3600, "01:00"],
    [-600, "23:50"], [86400 - 20, "00:00"]]) {
    assert.strictEqual(calcoli.testoOra(secondi), testo, secondi + " s");
  }
});

test("a graph axis zooms about its point, no narrower than its least, within its whole", () => {
  for (const [nome, args, atteso] of [
    ["in twice about the middle", [0, 100, 2, 50, 1, 0, 100], [25, 75]],
    ["in about a quarter: the point stays", [0, 100, 2, 25, 1, 0, 100], [12.5, 62.5]],
    ["in past the least", [40, 60, 100, 50, 10, 0, 100], [45, 55]],
    ["out past the whole", [40, 60, 0.01, 50, 10, 0, 100], [0, 100]],
    ["out near an end stays within", [80, 100, 0.5, 95, 10, 0, 100], [60, 100]],
  ]) {
    assert.deepStrictEqual(calcoli.finestraZoom(...args), atteso, nome);
  }
  assert.deepStrictEqual(calcoli.finestraDentro(-30, 20, 0, 100), [0, 20]);
  assert.deepStrictEqual(calcoli.finestraDentro(95, 20, 0, 100), [80, 100]);
});
