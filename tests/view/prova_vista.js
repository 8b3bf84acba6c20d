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
