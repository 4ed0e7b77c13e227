'use strict';
// The desk in a phone: every press goes to the program as a command, and the program's state
// comes back to every phone; nothing here decides what a press does.
(function () {
  const LETTERS = 'ABCDEFGHIJ';
  const code = new URLSearchParams(location.search).get('code') || '';
  const $ = (id) => document.getElementById(id);
  let socket = null;
  let state = null;

  function send(command) {
    if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(command));
  }

  function button(text, onPress) {
    const b = document.createElement('button');
    b.textContent = text;
    if (onPress) b.addEventListener('click', onPress);
    return b;
  }

  // ---- Building the page once

  const cuePages = [], cues = [], zones = [], bars = {};

  function buildCues() {
    for (let page = 0; page < 10; ++page) {
      const b = button(LETTERS[page], () => send({cmd: 'cuePage', page}));
      cuePages.push(b);
      $('cue-pages').appendChild(b);
    }
    for (let k = 0; k < 20; ++k) {
      const b = button('Cue', () => send({cmd: 'cue', page: state.cue.page, button: k}));
      b.id = 'cue-' + k;
      cues.push(b);
      $('cues').appendChild(b);
    }
    $('cue-prev').addEventListener('click', () => send({cmd: 'cueStep', step: -1}));
    $('cue-next').addEventListener('click', () => send({cmd: 'cueStep', step: 1}));
  }

  // A flash button plays while it is held; any other plays on a tap, so that a finger that
  // scrolls the page presses nothing.
  function seqButton(zone, k) {
    const b = button('Seq');
    b.id = 'seq-' + zone + '-' + k;
    const seq = (down) => send({cmd: 'seq', zone, page: state.zones[zone].page, button: k, down});
    let held = false;
    b.addEventListener('pointerdown', () => { if (b.classList.contains('flash')) { held = true; seq(true); } });
    const letGo = () => { if (held) { held = false; seq(false); } };
    b.addEventListener('pointerup', letGo);
    b.addEventListener('pointercancel', letGo);
    b.addEventListener('pointerleave', letGo);
    b.addEventListener('click', () => { if (!b.classList.contains('flash')) { seq(true); seq(false); } });
    b.addEventListener('contextmenu', (e) => e.preventDefault());
    return b;
  }

  function buildZones() {
    for (let zone = 0; zone < 10; ++zone) {
      const box = document.createElement('div');
      box.className = 'zone';
      const head = document.createElement('div');
      head.className = 'zone-head';
      const title = document.createElement('div');
      title.className = 'zone-title';
      const name = document.createElement('b');
      const playing = document.createElement('small');
      title.append(name, playing);
      const step = (d) => () => {
        const page = state.zones[zone].page + d;
        if (page >= 0 && page < 10) send({cmd: 'zonePage', zone, page});
      };
      const previous = button('<', step(-1)), next = button('>', step(1));
      head.append(previous, title, next);
      const row = document.createElement('div');
      row.className = 'seqs';
      const buttons = [];
      for (let k = 0; k < 5; ++k) { buttons.push(seqButton(zone, k)); row.appendChild(buttons[k]); }
      box.append(head, row);
      $('zones').appendChild(box);
      zones.push({name, playing, previous, next, buttons});
    }
  }

  // Sliders send while they move, at most every 60 ms, and the state does not move them
  // under the finger.
  function buildBar(key, caption, min, max, command) {
    const label = document.createElement('label');
    label.className = 'bar';
    const text = document.createElement('span');
    const input = document.createElement('input');
    Object.assign(input, {type: 'range', min, max, step: 1, value: 0, id: 'bar-' + key});
    label.append(text, input);
    $('bars').appendChild(label);
    let last = 0, timer = null, moving = false;
    const flush = () => { timer = null; last = Date.now(); send({cmd: command, value: Number(input.value)}); };
    input.addEventListener('input', () => {
      moving = true;
      text.textContent = caption + input.value;
      if (!timer) timer = setTimeout(flush, Math.max(0, 60 - (Date.now() - last)));
    });
    input.addEventListener('change', () => { moving = false; if (timer) { clearTimeout(timer); } flush(); });
    bars[key] = {input, text, caption, get moving() { return moving; }};
  }

  function buildDesk() {
    for (const id of ['start', 'pause', 'stop']) $(id).addEventListener('click', () => send({cmd: id}));
    $('blackout').addEventListener('click', () => send({cmd: 'blackout', on: !state.live.blackout}));
    $('manual-off').addEventListener('click', () => send({cmd: 'manualOff'}));
    $('music').addEventListener('click', () => send({cmd: 'music', on: !state.live.music}));
    $('tap').addEventListener('pointerdown', () => send({cmd: 'tap'}));
    buildBar('speedShift', 'PRĘDKOŚĆ:  ', -100, 100, 'speedShift');
    buildBar('cueSpeed', 'PRĘDKOŚĆ CUE:  ', -100, 100, 'cueSpeed');
    buildBar('genSpeed', 'PRĘDKOŚĆ GENERATORÓW:  ', -100, 100, 'genSpeed');
    buildBar('genAmp', 'AMPLITUDA GENERATORÓW:  ', 0, 100, 'genAmp');
  }

  // ---- Showing the state

  function face(b, caption, lit) {
    if (b.textContent !== caption) b.textContent = caption;
    b.classList.toggle('lit', lit);
    b.classList.toggle('empty', caption === '___v___');
  }

  function render() {
    const live = state.live;
    $('live-name').textContent = live.name || '–';
    $('module').textContent = live.module ? 'Vantorel: ' + live.module : 'Vantorel: brak modułu DMX';
    $('module').classList.toggle('connected', !!live.module);
    $('tempo').textContent = live.tempo;
    for (const id of ['start', 'pause', 'stop']) {
      const b = $(id);
      b.classList.toggle('on', Number(b.dataset.play) === live.play);
      b.disabled = !live.panel;
    }
    $('blackout').classList.toggle('on', live.blackout);
    $('music').classList.toggle('on', live.music);
    cuePages.forEach((b, page) => b.classList.toggle('on', page === state.cue.page));
    cues.forEach((b, k) => { face(b, state.cue.names[k], state.cue.lit === k); b.disabled = !live.panel; });
    state.zones.forEach((z, zone) => {
      const view = zones[zone];
      view.name.textContent = (zone + 1) + '. ' + (z.name || 'Strefa') + ' · ' + LETTERS[z.page];
      view.playing.textContent = z.playing || '—';
      view.previous.disabled = z.page === 0;
      view.next.disabled = z.page === 9;
      view.buttons.forEach((b, k) => {
        face(b, z.names[k], z.lit === k);
        b.classList.toggle('flash', z.flash[k]);
        b.disabled = !live.panel;
      });
    });
    for (const key of Object.keys(bars)) {
      const bar = bars[key];
      if (bar.moving) continue;
      bar.input.value = live[key];
      bar.text.textContent = bar.caption + live[key];
    }
  }

  // ---- The connection, made again whenever it drops

  function connect() {
    socket = new WebSocket('ws://' + location.host + '/ws?code=' + encodeURIComponent(code));
    socket.onopen = () => { $('link').textContent = ''; };
    socket.onmessage = (event) => { state = JSON.parse(event.data); render(); };
    socket.onclose = () => {
      $('link').textContent = 'Brak połączenia z pulpitem – łączę ponownie…';
      setTimeout(connect, 1000);
    };
  }

  buildDesk();
  buildCues();
  buildZones();
  connect();
})();
