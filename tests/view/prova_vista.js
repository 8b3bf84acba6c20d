// Runs inside the viewer page in headless Chromium: drives it with real
// wheel, pointer, click and key events and writes what it saw as
// "name=value" lines into <pre id="esito">, which the test reads from the
// dumped DOM. `PROVA_PASSI` names the checks to run. The page draws once an
// animation frame; the test holds its frames back (PROVA_FOTOGRAMMI), and
// each check runs the frame after what it did.
"use strict";
(function () {
  const esito = [];
  const scrivi = (nome, valore) => esito.push(nome + "=" + valore);
  const pianta = document.getElementById("pianta"), profilo = document.getElementById("profilo");

  function centro(e) {
    const r = e.getBoundingClientRect();
    return [r.left + r.width / 2, r.top + r.height / 2];
  }
  function rotella(svg, dy, x, y) {
    const [cx, cy] = x === undefined ? centro(svg) : [x, y];
    svg.dispatchEvent(new WheelEvent("wheel", { deltaY: dy, clientX: cx, clientY: cy, bubbles: true, cancelable: true }));
  }
  function puntatore(tipo, bersaglio, x, y, id) {
    bersaglio.dispatchEvent(new PointerEvent(tipo, { clientX: x, clientY: y, pointerId: id || 1, bubbles: true,
      cancelable: true, isPrimary: (id || 1) === 1, pointerType: id ? "touch" : "mouse" }));
  }
  // Points at an object as a user would: at its centre, on whatever the
  // page shows there. Gives the tooltip's rows as "name:value;...".
  function indica(e) {
    const [x, y] = centro(e);
    const sotto = document.elementFromPoint(x, y);
    puntatore("pointermove", sotto || e, x, y);
    const s = document.getElementById("suggerimento");
    if (s.hidden) return "";
    return [...s.querySelectorAll("tr")].map((r) => [...r.cells].map((c) => c.textContent).join(":")).join(";");
  }
  const fotogrammiTrattenuti = () => {
    for (const f of window.PROVA_FOTOGRAMMI.splice(0)) f(performance.now());
  };
  const mosso = () => document.querySelector("svg[data-moved]") !== null;
  // The frame after what a check did, then the drawing that follows once a
  // gesture pauses, so that the check sees what a user would see.
  const fotogramma = async () => {
    fotogrammiTrattenuti();
    for (let attese = 0; mosso() && attese < 40; attese++) {
      await new Promise((fatto) => setTimeout(fatto, 25));
      fotogrammiTrattenuti();
    }
  };
  const intervallo = () => [+profilo.getAttribute("data-from-m"), +profilo.getAttribute("data-to-m")];
  const oggettiDi = (svg, tipo) => [...svg.querySelectorAll('[data-kind="' + tipo + '"]')];
  const distinti = (lista) => new Set(lista.map((e) => e.getAttribute("data-o"))).size;

  // Pairs of visible labels whose boxes overlap, in either panel.
  function sovrapposte() {
    let n = 0, tutte = 0;
    for (const svg of [pianta, profilo]) {
      if (!svg) continue;
      const testi = [...svg.querySelectorAll("text.etichetta")];
      const r = testi.map((t) => t.getBoundingClientRect());
      const riquadro = (k) => testi[k].textContent + " [" + [r[k].left, r[k].top, r[k].right, r[k].bottom].map((v) => v.toFixed(1)) + "]";
      tutte += r.length;
      for (let i = 0; i < r.length; i++) {
        for (let j = i + 1; j < r.length; j++) {
          const a = r[i], b = r[j];
          if (a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5) {
            n++;
            scrivi("overlap", svg.id + ": " + riquadro(i) + " / " + riquadro(j));
          }
        }
      }
    }
    return [n, tutte];
  }

  // The graph's lines' ends and rings, in hours after 08:00 and metres read
  // off its axes as the browser lays them out (the first and last hour
  // marks, the first and last stations), each written with `prefisso`; and
  // what each ring says when pointed at, at its centre.
  function misuraGrafico(prefisso) {
    const cornice = document.getElementById("grafico");
    const radice = cornice.shadowRoot;
    const schermo = (e, x, y) => new DOMPoint(x, y).matrixTransform(e.getScreenCTM());
    const ore = [...radice.querySelectorAll("line[data-secondi]")].map((l) =>
      [+l.getAttribute("data-secondi") / 3600 - 8, schermo(l, l.x1.baseVal.value, l.y1.baseVal.value).x]);
    const stazioni = [...radice.querySelectorAll("line[data-stazione]")].map((l) =>
      [+l.getAttribute("data-metri"), schermo(l, l.x1.baseVal.value, l.y1.baseVal.value).y]);
    const lungo = (a, b, v) => a[0] + (v - a[1]) / (b[1] - a[1]) * (b[0] - a[0]);
    const luogo = (p) => [lungo(ore[0], ore[ore.length - 1], p.x), lungo(stazioni[0], stazioni[stazioni.length - 1], p.y)]
      .map((v) => v.toFixed(3)).join(",");
    for (const g of radice.querySelectorAll("g.corsa")) {
      const linea = g.querySelector("polyline:not(.presa)");
      const punti = [...linea.points];
      scrivi(prefisso + "ends_" + g.getAttribute("data-treno"), luogo(schermo(linea, punti[0].x, punti[0].y)) + "," +
        luogo(schermo(linea, punti[punti.length - 1].x, punti[punti.length - 1].y)));
    }
    for (const anello of radice.querySelectorAll("g.incrocio circle")) {
      scrivi(prefisso + "ring_at", luogo(schermo(anello, anello.cx.baseVal.value, anello.cy.baseVal.value)));
      anello.scrollIntoView({ block: "center", inline: "center" });
      const [x, y] = centro(anello);
      puntatore("pointermove", radice.elementFromPoint(x, y), x, y);
      const s = document.getElementById("suggerimento");
      scrivi(prefisso + "ring_tooltip", s.hidden ? "" : s.textContent);
    }
  }

  const passi = {
    oggetti() {
      scrivi("stations", distinti(oggettiDi(pianta, "station")));
      scrivi("signals", distinti(oggettiDi(pianta, "signal")));
      scrivi("profile_stations", distinti(oggettiDi(profilo, "station")));
      scrivi("profile_signals", distinti(oggettiDi(profilo, "signal")));
      const tipi = new Set([...document.querySelectorAll("[data-kind]")].map((e) => e.getAttribute("data-kind")));
      scrivi("kinds", [...tipi].sort().join(","));
    },
    suggerimenti() {
      for (const e of oggettiDi(pianta, "station")) scrivi("station_tooltip", indica(e));
      for (const e of oggettiDi(profilo, "speed_board").slice(0, 1)) scrivi("speed_board_tooltip", indica(e));
      for (const e of oggettiDi(profilo, "text_sign").slice(0, 1)) scrivi("text_sign_tooltip", indica(e));
    },
    suggerimenti_profilo() {
      for (const e of oggettiDi(profilo, "station")) scrivi("station_tooltip", indica(e));
    },
    async casella() {
      document.getElementById("intera").click();
      const km = document.getElementById("km");
      km.value = "50";
      document.getElementById("vai").click();
      await fotogramma();
      scrivi("after_km_50", intervallo().join(","));
      km.value = "21.2";
      km.dispatchEvent(new KeyboardEvent("keydown", { key: "Enter", bubbles: true }));
      await fotogramma();
      scrivi("after_km_21.2", intervallo().join(","));
      // Zoom in on the plan's middle, where km 21.2 now is, until about 3 km show.
      for (let k = 0; k < 60 && intervallo()[1] - intervallo()[0] > 3300; k++) {
        rotella(pianta, -100);
        await fotogramma();
      }
      scrivi("zoomed", intervallo().join(","));
      for (const e of oggettiDi(pianta, "slowdown_start")) scrivi("slowdown_start_tooltip", indica(e));
      for (const tipo of ["slowdown_warning", "slowdown_start", "slowdown_end"]) {
        for (const svg of [pianta, profilo]) {
          for (const e of oggettiDi(svg, tipo)) {
            const r = e.getBoundingClientRect();
            scrivi(svg.id + "_" + tipo, [r.left, r.top, r.right, r.bottom].map((v) => v.toFixed(1)).join(","));
          }
        }
      }
    },
    async movimenti() {
      document.getElementById("intera").click();
      await fotogramma();
      scrivi("whole", intervallo().join(","));
      document.getElementById("piu").click();
      await fotogramma();
      scrivi("plus", intervallo().join(","));
      document.getElementById("meno").click();
      document.getElementById("meno").click();
      await fotogramma();
      scrivi("minus", intervallo().join(","));
      document.getElementById("intera").click();
      rotella(pianta, -500);
      await fotogramma();
      scrivi("wheel_plan", intervallo().join(","));
      // Drag the profile 200 px to the left: the view moves on along the line.
      const [x, y] = centro(profilo);
      puntatore("pointerdown", profilo, x, y);
      puntatore("pointermove", profilo, x - 200, y);
      puntatore("pointerup", profilo, x - 200, y);
      await fotogramma();
      scrivi("drag_profile", intervallo().join(","));
      // Drag the plan: the profile follows.
      const [px, py] = centro(pianta);
      puntatore("pointerdown", pianta, px, py);
      puntatore("pointermove", pianta, px + 150, py - 120);
      puntatore("pointerup", pianta, px + 150, py - 120);
      await fotogramma();
      scrivi("drag_plan", intervallo().join(","));
      // Pinch: two touches moving apart zoom in.
      document.getElementById("intera").click();
      puntatore("pointerdown", pianta, px - 20, py, 7);
      puntatore("pointerdown", pianta, px + 20, py, 8);
      puntatore("pointermove", pianta, px - 120, py, 7);
      puntatore("pointermove", pianta, px + 120, py, 8);
      puntatore("pointerup", pianta, px - 120, py, 7);
      puntatore("pointerup", pianta, px + 120, py, 8);
      await fotogramma();
      scrivi("pinch", intervallo().join(","));
      document.body.dispatchEvent(new KeyboardEvent("keydown", { key: "0", bubbles: true }));
      await fotogramma();
      scrivi("key_home", intervallo().join(","));
    },
    // A page without a plan: the profile alone answers the controls.
    async profilo() {
      scrivi("has_plan", pianta ? "yes" : "no");
      scrivi("profile_stations", distinti(oggettiDi(profilo, "station")));
      document.getElementById("intera").click();
      await fotogramma();
      scrivi("whole", intervallo().join(","));
      rotella(profilo, -300);
      await fotogramma();
      scrivi("wheel_profile", intervallo().join(","));
      document.getElementById("piu").click();
      await fotogramma();
      scrivi("plus", intervallo().join(","));
      const km = document.getElementById("km");
      km.value = "60";
      document.getElementById("vai").click();
      await fotogramma();
      scrivi("after_km_60", intervallo().join(","));
      await fotogramma();
      const [n] = sovrapposte();
      scrivi("overlaps", n);
    },
    async etichette() {
      document.getElementById("intera").click();
      await fotogramma();
      // Zoom where the track is: at the station in the middle of the line.
      const stazioni = oggettiDi(pianta, "station");
      const [x, y] = centro(stazioni[Math.floor(stazioni.length / 2)]);
      const livelli = [0, -700, -700, -700];
      for (const [k, dy] of livelli.entries()) {
        if (dy) rotella(pianta, dy, x, y);
        await fotogramma();
        const [n, tutte] = sovrapposte();
        scrivi("level" + k, n + "," + tutte + "," + intervallo().join(","));
      }
    },
    // A burst of wheel events draws nothing while it lasts; its frame moves
    // the last drawing, whose objects then stand where the drawing that
    // follows the pause puts them; that drawing comes once.
    async fotogrammi() {
      document.getElementById("intera").click();
      await fotogramma();
      let ridisegni = 0;
      const conta = (registri) => {
        ridisegni += registri.filter((r) => r.target === profilo && r.removedNodes.length).length;
      };
      const osservatore = new MutationObserver(conta);
      osservatore.observe(profilo, { childList: true });
      for (let k = 0; k < 20; k++) rotella(profilo, k % 2 ? 40 : -60);
      conta(osservatore.takeRecords());
      scrivi("draws_during_events", ridisegni);
      fotogrammiTrattenuti();
      conta(osservatore.takeRecords());
      scrivi("draws_in_frame", ridisegni + (mosso() ? ",moved" : ""));
      // Each station's centre by its object, moved and then drawn anew.
      const centri = (svg) => new Map(oggettiDi(svg, "station").map((e) => [e.getAttribute("data-o"), centro(e)]));
      const pannelli = pianta ? [profilo, pianta] : [profilo];
      const mossi = pannelli.map(centri);
      ridisegni = 0;
      await fotogramma();
      conta(osservatore.takeRecords());
      scrivi("draws_after_pause", ridisegni);
      pannelli.forEach((svg, i) => {
        const fermi = centri(svg);
        const uguali = [...fermi].filter(([o, [x, y]]) => {
          const m = mossi[i].get(o);
          return m && Math.abs(m[0] - x) < 1 && Math.abs(m[1] - y) < 1;
        });
        scrivi(svg.id + "_moved_as_drawn", uguali.length + "," + fermi.size);
      });
      osservatore.disconnect();
    },
    // The objects the profile draws for each train the selector offers (for
    // the one train of a train's page), by kind: "kind:count,..." in the
    // kinds' order. The profile shows the whole line in either page; the
    // plan, shorter beside the train graph, may leave out some at its edges.
    async ogni_treno() {
      const scelta = document.getElementById("treno");
      for (let k = 0; k < (scelta ? scelta.options.length : 1); k++) {
        if (scelta) {
          scelta.value = String(k);
          scelta.dispatchEvent(new Event("change", { bubbles: true }));
          await fotogramma();
        }
        const tipi = new Map();
        for (const e of profilo.querySelectorAll("[data-o]")) {
          const tipo = e.getAttribute("data-kind");
          tipi.set(tipo, (tipi.get(tipo) || new Set()).add(e.getAttribute("data-o")));
        }
        scrivi("objects", [...tipi.keys()].sort().map((t) => t + ":" + tipi.get(t).size).join(","));
      }
    },
    // A whole line: the train shown, chosen by the selector or by a click
    // on its line in the graph; each train's stops when its line is
    // pointed at.
    async treni() {
      const scelta = document.getElementById("treno");
      const grafico = document.getElementById("grafico").shadowRoot;
      const linee = [...grafico.querySelectorAll("g.corsa")];
      scrivi("options", [...scelta.options].map((o) => o.textContent).join(","));
      scrivi("graph_lines", linee.map((g) => g.getAttribute("data-treno") + ":" + g.querySelectorAll("polyline:not(.presa)").length).join(","));
      const mostrato = () => {
        const firenze = oggettiDi(pianta, "station").find((e) => indica(e).includes("name:FIRENZE"));
        const orario = firenze ? indica(firenze).match(/time:([0-9:]+)/) : null;
        return [distinti(oggettiDi(pianta, "signal")), distinti(oggettiDi(profilo, "signal")), orario ? orario[1] : "none",
          linee.filter((g) => g.classList.contains("scelta")).map((g) => g.getAttribute("data-treno")).join(" ")].join(",");
      };
      scrivi("shown", mostrato());
      scelta.value = "2";
      scelta.dispatchEvent(new Event("change", { bubbles: true }));
      await fotogramma();
      scrivi("shown", mostrato());
      // Point at the middle of each train's first sloped stretch, where no
      // other line passes, as a user would: on whatever the graph shows there.
      const cornice = document.getElementById("grafico");
      for (const g of linee) {
        const linea = g.querySelector("polyline:not(.presa)");
        const punto = () => linea.getPointAtLength(linea.getTotalLength() * 0.3).matrixTransform(linea.getScreenCTM());
        // The graph scrolls in its frame: the point brought to the frame's middle.
        const r = cornice.getBoundingClientRect();
        cornice.scrollTop += punto().y - (r.top + r.height / 2);
        cornice.scrollLeft += punto().x - (r.left + r.width / 2);
        const p = punto();
        const sotto = grafico.elementFromPoint(p.x, p.y);
        scrivi("graph_target", sotto ? sotto.closest("g.corsa").getAttribute("data-treno") : "none");
        puntatore("pointermove", sotto, p.x, p.y);
        const s = document.getElementById("suggerimento");
        scrivi("graph_tooltip", s.hidden ? "" : [...s.querySelectorAll("tr")].map((riga) => [...riga.cells].map((c) => c.textContent).join("|")).join(";"));
        if (g === linee[1]) sotto.dispatchEvent(new MouseEvent("click", { bubbles: true, clientX: p.x, clientY: p.y }));
      }
      await fotogramma();
      scrivi("after_click", scelta.value + "," + mostrato());
    },
    // Where the graph's lines end and its rings stand, in hours after 08:00
    // and metres read off its own axes as the browser lays them out; what a
    // ring says when pointed at, at its centre.
    grafico() {
      misuraGrafico("");
    },
    // The same after a wheel zoom about the ring: the axes' new scale, how
    // far the ring moved on the screen, and the stations' names on their
    // lines.
    async grafico_zoom() {
      const radice = document.getElementById("grafico").shadowRoot;
      const scala = () => {
        const ore = [...radice.querySelectorAll("line[data-secondi]")];
        const stazioni = [...radice.querySelectorAll("line[data-stazione]")];
        const [a, b] = [ore[0], ore[ore.length - 1]].map((l) => [+l.getAttribute("data-secondi"), centro(l)[0]]);
        const [p, q] = [stazioni[0], stazioni[stazioni.length - 1]].map((l) => [+l.getAttribute("data-metri"), centro(l)[1]]);
        return [(b[1] - a[1]) / (b[0] - a[0]), (q[1] - p[1]) / (q[0] - p[0])];
      };
      const anello = radice.querySelector("g.incrocio circle");
      anello.scrollIntoView({ block: "center", inline: "center" });
      const prima = scala(), [x, y] = centro(anello);
      rotella(anello, -300, x, y);
      await fotogramma();
      const dopo = scala(), [x2, y2] = centro(anello);
      scrivi("zoomed_scale", (dopo[0] / prima[0]).toFixed(3) + "," + (dopo[1] / prima[1]).toFixed(3));
      scrivi("zoomed_ring_moved_px", Math.hypot(x2 - x, y2 - y).toFixed(1));
      const nomiFuori = [...radice.querySelectorAll("line[data-stazione]")].filter((l) => {
        const t = l.nextElementSibling;
        return !t.classList.contains("fuori") && Math.abs(+t.getAttribute("y") - 4 - +l.getAttribute("y1")) > 0.01;
      });
      scrivi("zoomed_names_off_their_line", nomiFuori.length);
      // The kilometre marks down the side, on the stations' scale: how many,
      // and the farthest from its metre.
      const stazioni = [...radice.querySelectorAll("line[data-stazione]")].map((l) => [+l.getAttribute("data-metri"), centro(l)[1]]);
      const [p, q] = [stazioni[0], stazioni[stazioni.length - 1]];
      const km = [...radice.querySelectorAll("line[data-km]")].map((l) =>
        Math.abs(p[0] + (centro(l)[1] - p[1]) / (q[1] - p[1]) * (q[0] - p[0]) - +l.getAttribute("data-km")));
      scrivi("zoomed_km_marks", km.length + "," + Math.max(0, ...km).toFixed(1));
      misuraGrafico("zoomed_");
      // A drag moves the zoomed graph with the pointer.
      const [x3, y3] = centro(anello);
      const svg = radice.querySelector("svg");
      puntatore("pointerdown", svg, x3, y3);
      puntatore("pointermove", svg, x3 - 100, y3 - 50);
      puntatore("pointerup", svg, x3 - 100, y3 - 50);
      await fotogramma();
      const [x4, y4] = centro(anello);
      scrivi("panned_ring_moved_px", (x4 - x3).toFixed(1) + "," + (y4 - y3).toFixed(1));
      misuraGrafico("panned_");
      // "whole line" shows the whole graph again, on its first scale.
      document.getElementById("intera").click();
      await fotogramma();
      const intera = scala();
      scrivi("whole_scale", (intera[0] / prima[0]).toFixed(3) + "," + (intera[1] / prima[1]).toFixed(3));
      misuraGrafico("whole_");
    },
    // A zoom that leaves the panels covered only moves them; one that makes
    // both stray too far draws one panel in its frame and the other in the
    // next.
    async un_pannello_a_fotogramma() {
      document.getElementById("intera").click();
      await fotogramma();
      const disegni = new Map([[pianta, 0], [profilo, 0]]);
      const osservatori = [pianta, profilo].map((svg) => {
        const o = new MutationObserver((r) => disegni.set(svg, disegni.get(svg) + r.length));
        o.observe(svg, { childList: true });
        return o;
      });
      const conta = () => {
        for (const [svg, o] of [pianta, profilo].map((v, i) => [v, osservatori[i]])) {
          disegni.set(svg, disegni.get(svg) + o.takeRecords().length);
        }
        const n = [...disegni.values()].map((v) => (v ? 1 : 0));
        disegni.set(pianta, 0).set(profilo, 0);
        return n.join(",") + "," + [pianta, profilo].filter((v) => v.hasAttribute("data-moved")).length;
      };
      const [x, y] = centro(pianta);
      rotella(pianta, -580, x, y);
      fotogrammiTrattenuti();
      scrivi("zoom_3x_drawn_moved", conta());
      // In as far as the profile goes, then out to the whole line at once:
      // both panels stray, the plan following the profile.
      for (let k = 0; k < 6; k++) rotella(profilo, -580);
      await fotogramma();
      conta();
      for (let k = 0; k < 6; k++) rotella(profilo, 580);
      fotogrammiTrattenuti();
      scrivi("zoom_far_drawn_moved", conta());
      fotogrammiTrattenuti();
      scrivi("next_frame_drawn_moved", conta());
      osservatori.forEach((o) => o.disconnect());
    },
    // Zoomed in as far as each panel goes, the km marks still read apart.
    async km_distinti() {
      const ripetute = (svg) => {
        const testi = [...svg.querySelectorAll("text.etichetta.km")].map((t) => t.textContent);
        return [testi.length, testi.length - new Set(testi).size];
      };
      for (let k = 0; k < 40; k++) rotella(profilo, -500);
      await fotogramma();
      scrivi("profile_km", ripetute(profilo).join(",") + "," + intervallo().join(","));
      if (pianta) {
        for (let k = 0; k < 40; k++) rotella(pianta, -500);
        await fotogramma();
        scrivi("plan_km", ripetute(pianta).join(","));
      }
    },
  };

  (async function () {
    for (const nome of window.PROVA_PASSI) {
      try {
        await passi[nome]();
      } catch (e) {
        scrivi("failed", nome + ": " + e);
      }
    }
    scrivi("errors", window.PROVA_ERRORI.length + (window.PROVA_ERRORI.length ? ": " + window.PROVA_ERRORI.join(" | ") : ""));
    const pre = document.createElement("pre");
    pre.id = "esito";
    pre.textContent = "\n" + esito.join("\n") + "\n";
    document.body.appendChild(pre);
  })();
})();
