// The page's events, layout and tables. Every number and the whole drawing come
// from the library and the chart compiled to WebAssembly (web/exports.cpp); this
// script only maps the pointer to the plot, keeps the page's state in the URL
// and fills the tables.
'use strict';

const hygrianPage = { svg: '', hoverTimes: [] };
window.hygrianPage = hygrianPage;

const $ = (id) => document.getElementById(id);
const page = {
  units: 'si', model: 'handbook', over: 'ice', supersaturated: 'flag', pressure: '', altitude: '',
  dryBulb: '', humidityRatio: '', process: '', pins: [],  // pins: [degC, kg/kg]
};
// hygrian-chart --html's points past its density threshold, as counts in cells
// ("t,W,count" lines): drawn as a density, not pinned.
const background = $('background') ? $('background').textContent.trim() : '';
let frame = null;  // see hygrian_web_frame

// C strings in, a malloc'd C string out.
function call(fn, texts, ...numbers) {
  const pointers = texts.map((text) => {
    const size = lengthBytesUTF8(text) + 1;
    const pointer = _malloc(size);
    stringToUTF8(text, pointer, size);
    return pointer;
  });
  try {
    return fn(...pointers, ...numbers);
  } finally {
    pointers.forEach((pointer) => _free(pointer));
  }
}
function text(pointer) {
  const result = UTF8ToString(pointer);
  _free(pointer);
  return result;
}

function settingsText() {
  const lines = [`units=${page.units}`, `model=${page.model}`, `over=${page.over}`,
                 `supersaturated=${page.supersaturated}`];
  if (page.altitude) lines.push(`altitude=${page.altitude}`);
  else if (page.pressure) lines.push(`pressure=${page.pressure}`);
  if (page.dryBulb) lines.push(`dry-bulb=${page.dryBulb}`);
  if (page.humidityRatio) lines.push(`humidity-ratio=${page.humidityRatio}`);
  return lines.join('\n');
}

// The state at t (degC) and W (kg/kg): [[key, value, unit]...], status last
// ([status, text, hygrian-batch's cell]).
function state(t, w, digits) {
  const lines = text(_hygrian_web_state(t, w, frame.pressure, frame.model, frame.over,
                                        frame.clip, frame.ip, digits));
  return lines.trim().split('\n').map((line) => line.split('\t'));
}

function pointsCsv() {
  if (!page.pins.length) return '';
  return 'dry_bulb (degC),humidity_ratio (kg/kg),label\n' +
         page.pins.map(([t, w], i) => `${t},${w},${i + 1}\n`).join('');
}

// The process from the last pin but one to the last, as hygrian-chart's
// processes file (library units), and its loads from the C API.
function processRows() {
  const n = page.pins.length;
  if (!page.process || n < 2) return null;
  const [a, b] = [page.pins[n - 2], page.pins[n - 1]];
  const result = _malloc(16 * 8);
  let status;
  let row;
  if (page.process === 'mix') {
    status = _hygrian_mix(a[0], a[1], 1, b[0], b[1], 1, frame.pressure, frame.over, result);
    row = `mix,,,${a[0]},${a[1]},1,${b[0]},${b[1]},1,,,1`;
  } else if (page.process === 'heat') {
    status = _hygrian_heat_to(a[0], a[1], b[0], 1, frame.pressure, frame.over, result);
    row = `heat,${a[0]},${a[1]},,,,,,,${b[0]},,1`;
  } else {
    const rh = Number(state(b[0], b[1], 0)[3][1]);
    status = _hygrian_cool_and_dehumidify_to(a[0], a[1], b[0], rh, 1, frame.pressure,
                                             frame.over, result);
    row = `coil,${a[0]},${a[1]},,,,,,,${b[0]},${rh},1`;
  }
  const values = Array.from(HEAPF64.subarray(result >> 3, (result >> 3) + 16));
  _free(result);
  return {
    csv: 'process,dry_bulb,humidity_ratio,a_dry_bulb,a_humidity_ratio,a_flow,b_dry_bulb,' +
         'b_humidity_ratio,b_flow,leaving_dry_bulb,leaving_relative_humidity,flow\n' + row + '\n',
    status: UTF8ToString(_hygrian_status_text(status)),
    values,
  };
}

function draw() {
  const settings = settingsText();
  const frameValues = _malloc(15 * 8);
  const bad = call(_hygrian_web_frame, [settings], frameValues);
  const f = Array.from(HEAPF64.subarray(frameValues >> 3, (frameValues >> 3) + 15));
  _free(frameValues);
  if (!bad) {
    frame = {
      left: f[0], top: f[1], right: f[2], bottom: f[3], tMin: f[4], tMax: f[5], wMax: f[6],
      pressure: f[7], model: f[8], over: f[9], ip: f[10], axisMin: f[11], axisMax: f[12],
      axisTop: f[13], clip: f[14],
    };
  }
  const process = bad ? null : processRows();
  const svg = text(call(_hygrian_web_chart,
                        [settings, pointsCsv(), process && page.model === 'handbook' ?
                         process.csv : '', background]));
  if (bad || !svg.startsWith('<?xml')) {
    $('message').textContent = svg.trim();
    return;
  }
  $('message').textContent = '';
  hygrianPage.svg = svg;
  $('svg').innerHTML = svg;
  $('svg').querySelector('svg').setAttribute('aria-hidden', 'true');
  pinsTable();
  loadsTable(process);
  location.replace('#' + hashText());
}

// Picture px from a pointer event; the plot's dry-bulb (degC) and W (kg/kg) there.
function picture(event) {
  const box = $('svg').querySelector('svg').getBoundingClientRect();
  const width = Number($('svg').querySelector('svg').getAttribute('width'));
  const scale = width / box.width;
  return { x: (event.clientX - box.left) * scale, y: (event.clientY - box.top) * scale };
}
function airAt(p) {
  if (p.x < frame.left || p.x > frame.right || p.y < frame.top || p.y > frame.bottom) return null;
  const across = (p.x - frame.left) / (frame.right - frame.left);
  const up = (frame.bottom - p.y) / (frame.bottom - frame.top);
  return { t: frame.tMin + across * (frame.tMax - frame.tMin), w: up * frame.wMax };
}

function row(cells, header) {
  const tr = document.createElement('tr');
  cells.forEach((cell, i) => {
    const td = document.createElement(header && i === 0 ? 'th' : 'td');
    td.textContent = cell;
    tr.appendChild(td);
  });
  return tr;
}

function readout(air) {
  const start = performance.now();
  const body = $('readout').tBodies[0];
  body.replaceChildren();
  if (air) {
    state(air.t, air.w, 4).forEach(([key, value, unit]) => {
      const tr = row([key.replace(/_/g, ' '), value, key === 'status' ? '' : unit], true);
      tr.dataset.key = key;
      body.appendChild(tr);
    });
    $('readout').dataset.dryBulb = String(air.t);
    $('readout').dataset.humidityRatio = String(air.w);
  }
  const took = performance.now() - start;
  hygrianPage.hoverTimes.push(took);
  $('timing').textContent = air ? `computed in ${took.toFixed(2)} ms` : '';
}

function pinsTable() {
  const head = $('pins').tHead;
  const body = $('pins').tBodies[0];
  head.replaceChildren();
  body.replaceChildren();
  page.pins.forEach(([t, w], i) => {
    const rows = state(t, w, 4);
    if (i === 0) head.appendChild(row(['#', ...rows.map(([k, , u]) => (k === 'status' ? k : `${k} (${u})`)), ''], false));
    const tr = row([String(i + 1), ...rows.map(([, v]) => v)], false);
    for (const column of [1, 6]) {  // dry_bulb, humidity_ratio
      const cell = tr.cells[column];
      cell.contentEditable = 'true';
      cell.setAttribute('aria-label', `point ${i + 1} ${rows[column - 1][0].replace(/_/g, ' ')}`);
      cell.addEventListener('keydown', (e) => { if (e.key === 'Enter') { e.preventDefault(); cell.blur(); } });
      cell.addEventListener('blur', () => editPin(i, column, cell.textContent));
    }
    const remove = document.createElement('button');
    remove.textContent = 'remove';
    remove.setAttribute('aria-label', `remove point ${i + 1}`);
    remove.addEventListener('click', () => { page.pins.splice(i, 1); draw(); });
    tr.appendChild(document.createElement('td')).appendChild(remove);
    body.appendChild(tr);
  });
}

function editPin(i, column, typed) {
  const value = Number(typed.trim());
  if (typed.trim() === '' || !Number.isFinite(value)) { draw(); return; }
  // Temperature and mass ratio, numbered as hygrian::Quantity.
  const library = _hygrian_web_convert(value, column === 1 ? 0 : 3, frame.ip, 1);
  page.pins[i][column === 1 ? 0 : 1] = library;
  draw();
}

function loadsTable(process) {
  const body = $('loads').tBodies[0];
  body.replaceChildren();
  if (!process) return;
  if (page.model !== 'handbook') {
    body.appendChild(row(['processes', 'with the handbook model only'], true));
    return;
  }
  const v = process.values;
  const names = ['sensible heat, kW per kg/s', 'latent heat, kW per kg/s', 'total heat, kW per kg/s',
                 'sensible heat ratio', 'water, kg/s per kg/s'];
  [v[10], v[11], v[12], v[13], v[14]].forEach((value, i) =>
    body.appendChild(row([names[i], Number.isNaN(value) ? '' : value.toPrecision(4)], true)));
  body.appendChild(row(['status', process.status], true));
}

function hashText() {
  const h = new URLSearchParams();
  for (const key of ['units', 'model', 'over', 'supersaturated', 'pressure', 'altitude', 'dryBulb', 'humidityRatio', 'process']) {
    if (page[key]) h.set(key, page[key]);
  }
  if (page.pins.length) h.set('pins', page.pins.map((p) => p.join(',')).join(';'));
  return h.toString();
}
function readHash() {
  // The link's state, else what hygrian-chart --html gave.
  const h = new URLSearchParams(location.hash.slice(1) || ($('given') ? $('given').textContent : ''));
  for (const key of Object.keys(page)) {
    if (key !== 'pins' && h.has(key)) page[key] = h.get(key);
  }
  page.pins = (h.get('pins') || '').split(';').filter(Boolean).map((p) => p.split(',').map(Number));
  for (const key of ['units', 'model', 'over', 'supersaturated', 'pressure', 'altitude', 'process']) $(key).value = page[key];
}

// The pins as hygrian-batch writes their states: every digit, the page's units.
function pinsCsv() {
  const rows = page.pins.map(([t, w]) => state(t, w, 0));
  if (!rows.length) return '';
  return rows[0].map(([k]) => k).join(',') + '\n' +
         rows.map((r) => r.map(([k, v, cell]) => (k === 'status' ? cell : v)).join(',')).join('\n') +
         '\n';
}

function exportCsv() {
  const csv = pinsCsv();
  if (!csv) return;
  const link = document.createElement('a');
  link.href = 'data:text/csv;charset=utf-8,' + encodeURIComponent(csv);
  link.download = 'hygrian-points.csv';
  link.click();
}

function resetZoom() {
  page.dryBulb = '';
  page.humidityRatio = '';
  draw();
}

// Pointer: hover reads, click pins, a drag zooms, a double click shows all.
function listen() {
  const chart = $('chart');
  let down = null;
  let pending = null;
  let cursor = null;  // keyboard position, picture px
  let zoomed = false;  // the click that ends a drag pins nothing
  chart.addEventListener('mousemove', (e) => {
    if (!frame) return;
    const p = picture(e);
    readout(airAt(p));
    if (down && Math.hypot(e.clientX - down.clientX, e.clientY - down.clientY) > 4) {
      const box = chart.getBoundingClientRect();
      Object.assign($('zoom').style, {
        display: 'block',
        left: `${Math.min(e.clientX, down.clientX) - box.left}px`,
        top: `${Math.min(e.clientY, down.clientY) - box.top}px`,
        width: `${Math.abs(e.clientX - down.clientX)}px`,
        height: `${Math.abs(e.clientY - down.clientY)}px`,
      });
      down.dragged = true;
    }
  });
  chart.addEventListener('mousedown', (e) => { down = { clientX: e.clientX, clientY: e.clientY, p: picture(e) }; });
  chart.addEventListener('mouseup', (e) => {
    const start = down;
    down = null;
    $('zoom').style.display = 'none';
    if (!start || !start.dragged) return;
    zoomed = true;
    const [a, b] = [start.p, picture(e)];
    const across = (x) => Math.min(1, Math.max(0, (x - frame.left) / (frame.right - frame.left)));
    const lo = frame.axisMin + across(Math.min(a.x, b.x)) * (frame.axisMax - frame.axisMin);
    const hi = frame.axisMin + across(Math.max(a.x, b.x)) * (frame.axisMax - frame.axisMin);
    const up = Math.min(1, (frame.bottom - Math.min(a.y, b.y)) / (frame.bottom - frame.top));
    if (!(hi - lo > 0) || !(up > 0)) return;
    page.dryBulb = `${Number(lo.toPrecision(4))}:${Number(hi.toPrecision(4))}`;
    page.humidityRatio = String(Number((up * frame.axisTop).toPrecision(3)));
    draw();
  });
  chart.addEventListener('click', (e) => {
    if (zoomed || e.detail > 1) { zoomed = false; return; }
    const air = frame && airAt(picture(e));
    if (!air) return;
    clearTimeout(pending);
    pending = setTimeout(() => { page.pins.push([air.t, air.w]); draw(); }, 250);
  });
  chart.addEventListener('dblclick', () => { clearTimeout(pending); resetZoom(); });
  chart.addEventListener('keydown', (e) => {
    if (!frame) return;
    const step = (frame.right - frame.left) / 100;
    cursor = cursor || { x: (frame.left + frame.right) / 2, y: (frame.top + frame.bottom) / 2 };
    const moves = { ArrowLeft: [-step, 0], ArrowRight: [step, 0], ArrowUp: [0, -step], ArrowDown: [0, step] };
    if (moves[e.key]) {
      cursor.x = Math.min(frame.right, Math.max(frame.left, cursor.x + moves[e.key][0]));
      cursor.y = Math.min(frame.bottom, Math.max(frame.top, cursor.y + moves[e.key][1]));
    } else if (e.key === 'Enter') {
      const air = airAt(cursor);
      if (air) { page.pins.push([air.t, air.w]); draw(); }
    } else if (e.key === 'Escape') {
      resetZoom();
    } else {
      return;
    }
    e.preventDefault();
    const svg = $('svg').querySelector('svg');
    const scale = svg.getBoundingClientRect().width / Number(svg.getAttribute('width'));
    Object.assign($('cursor').style, { display: 'block', left: `${cursor.x * scale}px`, top: `${cursor.y * scale}px` });
    readout(airAt(cursor));
  });
  for (const key of ['units', 'model', 'over', 'supersaturated', 'pressure', 'altitude', 'process']) {
    $(key).addEventListener('change', () => {
      if (key === 'units') { page.dryBulb = ''; page.humidityRatio = ''; }
      page[key] = $(key).value.trim();
      draw();
    });
  }
  $('reset').addEventListener('click', resetZoom);
  $('export').addEventListener('click', exportCsv);
  window.addEventListener('hashchange', () => { if (location.hash.slice(1) !== hashText()) { readHash(); draw(); } });
}

Module['onRuntimeInitialized'] = () => {
  readHash();
  listen();
  draw();
  document.body.dataset.ready = 'true';
};
