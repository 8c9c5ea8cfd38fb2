// The page's events, layout and tables. Every number and the whole drawing come
// from the library and the chart compiled to WebAssembly (web/exports.cpp); this
// script only maps the pointer to the plot, keeps the page's state in the URL
// and fills the tables.
'use strict';

const hygrianPage = { svg: '', hoverTimes: [] };
window.hygrianPage = hygrianPage;

const $ = (id) => document.getElementById(id);
const page = {
  units: 'si', model: 'handbook', over: 'ice', supersaturated: 'flag', overlay: 'none',
  pressure: '', altitude: '',
  // The units the pressure and the altitude were typed in: the site stays
  // where it is when the page's units change (empty: the page's own).
  pressureUnit: '', altitudeUnit: '',
  dryBulb: '', humidityRatio: '', process: '', pins: [],  // pins: [degC, kg/kg]
  flow: '', flowUnit: 'kg/s', secondFlow: '', parameter: '',
  diagram: '', comfort: '',  // mollier; summer or winter
};
// The page's inputs kept in its state (the URL hash), by their ids.
const inputs = ['units', 'model', 'over', 'supersaturated', 'overlay', 'pressure', 'altitude',
                'process', 'flow', 'flowUnit', 'secondFlow', 'parameter', 'diagram', 'comfort'];
// The comfort zones offered: hygrian-chart --comfort's MET,CLO,SPEED (m/s, or
// fpm in IP: 20 fpm is about 0.1 m/s).
const comfortZones = { summer: { si: '1.1,0.5,0.1', ip: '1.1,0.5,20' },
                       winter: { si: '1.1,1,0.1', ip: '1.1,1,20' } };
// The units of the pressure and altitude in each system, and their quantities
// (numbered as hygrian::Quantity).
const siteUnits = { pressure: { si: 'kPa', ip: 'psi', quantity: 1 },
                    altitude: { si: 'm', ip: 'ft', quantity: 7 } };
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

// The unit a site's value (pressure or altitude) was typed in.
function siteUnit(key) {
  return page[`${key}Unit`] || siteUnits[key][page.units];
}

// A site's value as the page shows it in its units: as typed, or converted
// from the unit it was typed in (never reinterpreted).
function siteShown(key) {
  const typed = page[key];
  const unit = siteUnit(key);
  const { quantity } = siteUnits[key];
  if (!typed || unit === siteUnits[key][page.units] || !Number.isFinite(Number(typed))) return typed;
  const library = _hygrian_web_convert(Number(typed), quantity, unit === siteUnits[key].ip ? 1 : 0, 1);
  return String(Number(_hygrian_web_convert(library, quantity, page.units === 'ip' ? 1 : 0, 0)
    .toPrecision(6)));
}

function settingsText() {
  const lines = [`units=${page.units}`, `model=${page.model}`, `over=${page.over}`,
                 `supersaturated=${page.supersaturated}`, `overlay=${page.overlay}`];
  if (page.altitude) lines.push(`altitude=${page.altitude}`, `altitude-unit=${siteUnit('altitude')}`);
  else if (page.pressure) lines.push(`pressure=${page.pressure}`, `pressure-unit=${siteUnit('pressure')}`);
  if (page.dryBulb) lines.push(`dry-bulb=${page.dryBulb}`);
  if (page.humidityRatio) lines.push(`humidity-ratio=${page.humidityRatio}`);
  if (page.diagram) lines.push(`diagram=${page.diagram}`);
  if (comfortZones[page.comfort]) lines.push(`comfort=${comfortZones[page.comfort][page.units]}`);
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
         page.pins.map(([t, w]) => `${t},${w},\n`).join('');  // the chart numbers them
}

// Each process's parameter beyond the pins: its name, unit (the page's
// temperature for a temperature) and the value taken when none is typed.
const parameters = {
  evaporative: { key: 'effectiveness', unit: '1', si: '0.85', ip: '0.85' },
  steam: { key: 'steam_temperature', unit: 't', si: '100', ip: '212' },
  adiabatic: { key: 'water_temperature', unit: 't', si: '15', ip: '59' },
};

// The process from the last pin but one to the last (evaporative cooling:
// from the last pin), as hygrian-chart's processes file: the pins in the
// library's units, the flow in its unit, a parameter in the page's; and its
// values from the library, as hygrian-batch writes them (key, value, unit).
function processRows() {
  const n = page.pins.length;
  const one = page.process === 'evaporative';
  if (!page.process || n < (one ? 1 : 2)) return null;
  const [a, b] = one ? [page.pins[n - 1], null] : [page.pins[n - 2], page.pins[n - 1]];
  const unit = page.flowUnit || 'kg/s';
  const flow = page.flow || '1';
  const t = page.units === 'ip' ? 'degF' : 'degC';
  const entering = ['dry_bulb (degC)', 'humidity_ratio (kg/kg)'];
  let columns;
  let cells;
  if (page.process === 'mix') {
    columns = [...entering, 'a_dry_bulb (degC)', 'a_humidity_ratio (kg/kg)', `a_flow (${unit})`,
               'b_dry_bulb (degC)', 'b_humidity_ratio (kg/kg)', `b_flow (${unit})`];
    cells = ['', '', a[0], a[1], flow, b[0], b[1], page.secondFlow || flow];
  } else if (page.process === 'heat') {
    columns = [...entering, 'leaving_dry_bulb (degC)', `flow (${unit})`];
    cells = [a[0], a[1], b[0], flow];
  } else if (page.process === 'coil') {
    columns = [...entering, 'leaving_dry_bulb (degC)', 'leaving_relative_humidity (%)', `flow (${unit})`];
    cells = [a[0], a[1], b[0], state(b[0], b[1], 0)[3][1], flow];
  } else {
    const p = parameters[page.process];
    const given = page.parameter || p[page.units];
    const parameter = `${p.key} (${p.unit === 't' ? t : p.unit})`;
    columns = [...entering, ...(one ? [] : ['leaving_humidity_ratio (kg/kg)']), parameter, `flow (${unit})`];
    cells = [a[0], a[1], ...(one ? [] : [b[1]]), given, flow];
  }
  const csv = `process,${columns.join(',')}\n${page.process},${cells.join(',')}\n`;
  const lines = text(call(_hygrian_web_process, [settingsText(), csv]));
  return { csv, flow: `${flow} ${unit}`, values: lines.trim().split('\n').map((line) => line.split('\t')) };
}

function draw() {
  const settings = settingsText();
  const frameValues = _malloc(16 * 8);
  const bad = call(_hygrian_web_frame, [settings], frameValues);
  const f = Array.from(HEAPF64.subarray(frameValues >> 3, (frameValues >> 3) + 16));
  _free(frameValues);
  if (!bad) {
    frame = {
      left: f[0], top: f[1], right: f[2], bottom: f[3], tMin: f[4], tMax: f[5], wMax: f[6],
      pressure: f[7], model: f[8], over: f[9], ip: f[10], axisMin: f[11], axisMax: f[12],
      axisTop: f[13], clip: f[14], mollier: f[15], settings,
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
  hygrianPage.frame = frame;
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
  if (!frame.mollier) return { t: frame.tMin + across * (frame.tMax - frame.tMin), w: up * frame.wMax };
  // The Mollier diagram's isotherms slope: the chart finds the state.
  const out = _malloc(2 * 8);
  call(_hygrian_web_air_at, [frame.settings], p.x, p.y, out);
  const [t, w] = HEAPF64.subarray(out >> 3, (out >> 3) + 2);
  _free(out);
  return { t, w };
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

// The process's values, each labelled with its unit; the caption names the
// flow the loads are for.
function loadsTable(process) {
  const body = $('loads').tBodies[0];
  body.replaceChildren();
  $('loads').caption.textContent = 'Process';
  if (!process) return;
  if (page.model !== 'handbook') {
    body.appendChild(row(['processes', 'with the handbook model only'], true));
    return;
  }
  const leaving = process.values.find(([key]) => key === 'leaving_flow');
  $('loads').caption.textContent = `Process: ${page.process} at ${process.flow}` +
    (leaving ? ` (${leaving[1]} ${leaving[2]} of dry air)` : '');
  process.values.forEach(([key, value, unit]) => {
    const label = key.replace(/_/g, ' ') + (unit && unit !== '1' ? `, ${unit}` : '');
    const tr = row([key === 'status' ? 'status' : label, value], true);
    tr.dataset.key = key;
    body.appendChild(tr);
  });
}

// The pair select and its two inputs' names, in the page's units.
function entryForm() {
  const pairs = text(_hygrian_web_pairs(page.units === 'ip' ? 1 : 0)).trim().split('\n')
    .map((line) => line.split('\t'));
  const chosen = Math.max(0, $('pair').selectedIndex);
  $('pair').replaceChildren(...pairs.map(([key]) => {
    const option = document.createElement('option');
    option.textContent = key.replace(/_/g, ' ');
    return option;
  }));
  $('pair').selectedIndex = chosen;
  const [, first, firstUnit, second, secondUnit] = pairs[chosen];
  $('first-name').textContent = `${first.replace(/_/g, ' ')}, ${firstUnit}`;
  $('second-name').textContent = `${second.replace(/_/g, ' ')}, ${secondUnit}`;
}

// Pins the state of the two values typed, or says why there is none.
function pinTyped() {
  const [first, second] = [Number($('first').value), Number($('second').value)];
  if (!frame || $('first').value.trim() === '' || $('second').value.trim() === '' ||
      !Number.isFinite(first) || !Number.isFinite(second)) {
    $('message').textContent = 'two numbers, please';
    return;
  }
  const [ok, t, w] = text(_hygrian_web_pair_state($('pair').selectedIndex, first, second,
                                                  frame.pressure, frame.model, frame.over, frame.ip))
    .trim().split('\t');
  if (ok !== 'ok') {
    $('message').textContent = t;
    return;
  }
  page.pins.push([Number(t), Number(w)]);
  draw();
}

function hashText() {
  const h = new URLSearchParams();
  for (const key of [...inputs, 'pressureUnit', 'altitudeUnit', 'dryBulb', 'humidityRatio']) {
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
  showInputs();
}

// The inputs as the page's state has them: the site in the page's units.
function showInputs() {
  for (const key of inputs) $(key).value = page[key];
  for (const key of ['pressure', 'altitude']) {
    $(key).value = siteShown(key);
    $(`${key}-unit`).textContent = siteUnits[key][page.units] === 'psi' ? 'psia' : siteUnits[key][page.units];
  }
  const parameter = parameters[page.process];
  $('parameter-box').hidden = !parameter;
  $('second-flow').hidden = page.process !== 'mix';
  if (parameter) {
    const unit = parameter.unit === 't' ? (page.units === 'ip' ? '°F' : '°C') : '';
    $('parameter-name').textContent = parameter.key.replace(/_/g, ' ') + (unit ? `, ${unit}` : '');
    $('parameter').placeholder = parameter[page.units];
  }
  entryForm();
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

// The chart as a PNG at the dpi chosen: the SVG drawn onto a canvas, 96 of its
// px an inch, on white. hygrianPage.png says what was made.
function downloadPng() {
  const svg = $('svg').querySelector('svg');
  if (!svg) return;
  const scale = Number($('dpi').value) / 96;
  const width = Math.round(Number(svg.getAttribute('width')) * scale);
  const height = Math.round(Number(svg.getAttribute('height')) * scale);
  const image = new Image();
  const source = URL.createObjectURL(new Blob([hygrianPage.svg], { type: 'image/svg+xml' }));
  image.onload = () => {
    URL.revokeObjectURL(source);
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    const g = canvas.getContext('2d');
    g.fillStyle = '#fff';
    g.fillRect(0, 0, width, height);
    g.drawImage(image, 0, 0, width, height);
    canvas.toBlob(async (blob) => {
      const head = Array.from(new Uint8Array(await blob.slice(0, 8).arrayBuffer()));
      hygrianPage.png = { width, height, size: blob.size, head };
      const link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = 'hygrian-chart.png';
      link.click();
    }, 'image/png');
  };
  image.src = source;
}

// Printing (or saving as PDF from the browser's print dialog): the chart on a
// landscape page of the paper chosen, with its pins, its process and a title
// block (title, project, site, date); the controls are not printed.
function paperSize() {
  $('page-size').textContent = `@page { size: ${$('paper').value} landscape; margin: 10mm; }`;
}
function titleBlock() {
  // The pressure, in psia in IP, and the altitude it was given by.
  const ip = page.units === 'ip' ? 1 : 0;
  const pressure = Number(_hygrian_web_convert(frame.pressure, siteUnits.pressure.quantity, ip, 0)
    .toPrecision(6));
  const site = `${pressure} ${ip ? 'psia' : 'kPa'}` +
    (page.altitude ? ` (${siteShown('altitude')} ${siteUnits.altitude[page.units]})` : '');
  const rows = [['Title', $('title').value || (frame.mollier ? 'Mollier h-x diagram' : 'Psychrometric chart')],
                ['Project', $('project').value], ['Site', site],
                ['Date', new Date().toISOString().slice(0, 10)]];
  $('title-block').tBodies[0].replaceChildren(...rows.map((cells) => row(cells, true)));
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
    const rise = (y) => Math.min(1, Math.max(0, (frame.bottom - y) / (frame.bottom - frame.top)));
    // The dry-bulb range runs across (the Mollier diagram's up), the humidity ratio up (across).
    const [low, high, top] = frame.mollier ?
      [rise(Math.max(a.y, b.y)), rise(Math.min(a.y, b.y)), across(Math.max(a.x, b.x))] :
      [across(Math.min(a.x, b.x)), across(Math.max(a.x, b.x)), rise(Math.min(a.y, b.y))];
    const lo = frame.axisMin + low * (frame.axisMax - frame.axisMin);
    const hi = frame.axisMin + high * (frame.axisMax - frame.axisMin);
    const up = top;
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
  for (const key of inputs) {
    $(key).addEventListener('change', () => {
      if (key === 'units' || key === 'diagram') {
        page.dryBulb = '';
        page.humidityRatio = '';
        // The site stays: its values keep the units they were typed in.
        for (const site of ['pressure', 'altitude']) {
          if (page[site]) page[`${site}Unit`] = siteUnit(site);
        }
      }
      // A site typed is in the page's units.
      if (key === 'pressure' || key === 'altitude') page[`${key}Unit`] = siteUnits[key][page.units];
      if (key === 'process' || key === 'units') page.parameter = '';
      page[key] = $(key).value.trim();
      showInputs();
      draw();
    });
  }
  $('pair').addEventListener('change', entryForm);
  $('entry').addEventListener('submit', pinTyped);
  $('reset').addEventListener('click', resetZoom);
  $('export').addEventListener('click', exportCsv);
  $('png').addEventListener('click', downloadPng);
  $('print').addEventListener('click', () => { titleBlock(); window.print(); });
  $('paper').addEventListener('change', paperSize);
  window.addEventListener('hashchange', () => { if (location.hash.slice(1) !== hashText()) { readHash(); draw(); } });
}

Module['onRuntimeInitialized'] = () => {
  readHash();
  listen();
  draw();
  document.body.dataset.ready = 'true';
};
