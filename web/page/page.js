// The page: the drawings, the choices, the conversion and its results, the
// preview. Nothing is kept between visits and nothing leaves the page.

// The converter's columns (--columns) in its order; the first four are its default.
const COLUMNS = [
  ['x', 'ColumnX'], ['y', 'ColumnY'], ['z', 'ColumnZ'], ['text', 'ColumnText'],
  ['type', 'ColumnType'], ['layer', 'ColumnLayer'], ['handle', 'ColumnHandle'],
  ['height', 'ColumnHeight'], ['rotation', 'ColumnRotation'], ['style', 'ColumnStyle'],
  ['align_x', 'ColumnAlignX'], ['align_y', 'ColumnAlignY'], ['align_z', 'ColumnAlignZ'],
  ['space', 'ColumnSpace'], ['block', 'ColumnBlock'], ['visible', 'ColumnVisible'],
  ['drawing', 'ColumnDrawing'],
];
const kDefaultColumns = 4;
const kBookName = 'toridasu.xlsx';

const $ = (id) => document.getElementById(id);

const state = {
  drawings: [],            // {id, file, path, state, messages, result: {url, name} | null, row}
  nextId: 1,
  converting: false,
  book: null,              // {url, name, messages}
  previewed: null,         // the drawing whose layers and texts are shown
  layers: null,            // its layers: [[name, count]]
  excluded: new Set(),     // keys (layerKey) of the layers left out
};

const client = new ConverterClient(WORKER_SOURCE, () => updateControls());

function choice(name) {
  return document.querySelector(`input[name="${name}"]:checked`).value;
}

function chosenColumns() {
  return [...document.querySelectorAll('input[name="column"]:checked')].map((box) => box.value);
}

function settings() {
  return {
    full: choice('mode') === 'full',
    format: choice('format'),
    columns: chosenColumns(),
    excluded: [...state.excluded],
  };
}

function element(tag, properties = {}, children = []) {
  const made = Object.assign(document.createElement(tag), properties);
  for (const child of children) made.append(child);
  return made;
}

function setStatus(text) {
  $('status').textContent = text;
}

// The name of a drawing's output: its name with the last extension replaced.
function outputName(path, extension) {
  const name = path.slice(path.lastIndexOf('/') + 1);
  const dot = name.lastIndexOf('.');
  return (dot > 0 ? name.slice(0, dot) : name) + extension;
}

// ---- The drawings' table

function renderMessages(list, messages) {
  list.replaceChildren(...messages.map((message) => element('li', { textContent: messageText(message) })));
}

function renderDrawing(drawing) {
  const cells = drawing.row.cells;
  const stateCell = cells[2];
  stateCell.textContent = t({
    waiting: 'StateWaiting', queued: 'StateQueued', working: 'StateWorking',
    converted: 'StateConverted', failed: 'StateFailed', cancelled: 'StateCancelled',
  }[drawing.state]);
  stateCell.className = 'state-' + drawing.state;
  drawing.row.dataset.state = drawing.state;
  renderMessages(cells[3].firstChild, drawing.messages);
  const save = drawing.row.querySelector('a.save');
  save.hidden = !drawing.result;
  if (drawing.result) {
    save.href = drawing.result.url;
    save.download = drawing.result.name;
    save.setAttribute('aria-label', t('SaveOf', drawing.result.name));
  }
}

function makeRow(drawing) {
  const preview = element('button', { type: 'button', className: 'small preview', textContent: t('Preview') });
  preview.setAttribute('aria-label', t('PreviewOf', drawing.path));
  preview.addEventListener('click', () => showPreview(drawing));
  const remove = element('button', { type: 'button', className: 'small remove', textContent: t('Remove') });
  remove.setAttribute('aria-label', t('RemoveOf', drawing.path));
  remove.addEventListener('click', () => removeDrawing(drawing));
  const save = element('a', { className: 'save small', textContent: t('Save'), hidden: true });
  const row = element('tr', {}, [
    element('th', { scope: 'row', textContent: drawing.path }),
    element('td', { className: 'number', textContent: formatSize(drawing.file.size) }),
    element('td'),
    element('td', {}, [element('ul', { className: 'messages' })]),
    element('td', {}, [element('div', { className: 'buttons' }, [preview, save, remove])]),
  ]);
  row.dataset.path = drawing.path;
  return row;
}

function addDrawings(found) {
  if (state.converting) {
    setStatus(t('Busy'));
    return;
  }
  const added = found.drawings.map(({ file, path }) => {
    const drawing = { id: state.nextId++, file, path, state: 'waiting', messages: [], result: null };
    drawing.row = makeRow(drawing);
    renderDrawing(drawing);
    return drawing;
  });
  state.drawings.push(...added);
  $('file-rows').append(...added.map((drawing) => drawing.row));
  dropBook();
  const notes = [t('Added', formatCount(added.length))];
  if (found.skipped > 0) notes.push(t('FolderSkipped', formatCount(found.skipped)));
  setStatus(notes.join(' '));
  updateControls();
  if (!state.previewed && added.length > 0) showPreview(added[0]);
}

function forgetResult(drawing) {
  if (drawing.result) URL.revokeObjectURL(drawing.result.url);
  drawing.result = null;
}

function dropBook() {
  if (state.book) URL.revokeObjectURL(state.book.url);
  state.book = null;
  $('book').hidden = true;
}

function removeDrawing(drawing) {
  if (state.converting) return;
  forgetResult(drawing);
  drawing.row.remove();
  state.drawings = state.drawings.filter((other) => other !== drawing);
  dropBook();
  if (state.previewed === drawing) clearPreview();
  updateControls();
}

function clearDrawings() {
  if (state.converting) return;
  client.cancel();
  for (const drawing of state.drawings) forgetResult(drawing);
  state.drawings = [];
  state.excluded.clear();
  $('file-rows').replaceChildren();
  dropBook();
  clearPreview();
  setStatus('');
  updateControls();
}

// Results made with other choices are no longer what the page shows.
function forgetResults() {
  for (const drawing of state.drawings) {
    forgetResult(drawing);
    if (drawing.state !== 'waiting') {
      drawing.state = 'waiting';
      drawing.messages = [];
      renderDrawing(drawing);
    }
  }
  dropBook();
  updateControls();
}

// ---- Converting

function showBar(event) {
  const bar = $('progress');
  bar.hidden = false;
  bar.value = event.total > 0 ? event.read / event.total : 0;
}

function showProgress(event, count) {
  showBar(event);
  setStatus(t('Progress', formatCount(event.current + 1), formatCount(count),
              formatMegabytes(event.read), formatMegabytes(event.total)));
}

function resultOf(bytes, name, type) {
  return { url: URL.createObjectURL(new Blob([bytes], { type })), name };
}

const kTypes = {
  xlsx: 'application/vnd.openxmlformats-officedocument.spreadsheetml.sheet',
  csv: 'text/csv',
};

async function convert() {
  if (state.converting || state.drawings.length === 0) return;
  forgetResults();
  const chosen = settings();
  const together = choice('saving') === 'book' && chosen.format === 'xlsx';
  const drawings = state.drawings.slice();
  const extension = chosen.format === 'xlsx' ? '.xlsx' : '.csv';
  for (const drawing of drawings) {
    drawing.state = 'queued';
    renderDrawing(drawing);
  }
  state.converting = true;
  updateControls();
  const onEvent = (event) => {
    if (event.type === 'progress') {
      showProgress(event, drawings.length);
    } else if (event.type === 'started') {
      drawings[event.index].state = 'working';
      renderDrawing(drawings[event.index]);
    } else if (event.type === 'file') {
      const drawing = drawings[event.index];
      drawing.state = event.state;
      drawing.messages = event.messages;
      if (event.bytes) {
        drawing.result = resultOf(event.bytes, outputName(drawing.path, extension),
                                  kTypes[extension.slice(1)]);
      }
      renderDrawing(drawing);
    }
  };
  try {
    const job = { kind: together ? 'book' : 'each', files: drawings.map((drawing) => drawing.file),
                  settings: chosen, language: LANGUAGE };
    const last = await client.submit(job, onEvent);
    if (last.book) showBook(last.book);
    const converted = drawings.filter((drawing) => drawing.state === 'converted').length;
    setStatus(t('Done', formatCount(converted), formatCount(drawings.length - converted)));
  } catch (error) {
    for (const drawing of drawings) {
      if (drawing.state === 'queued' || drawing.state === 'working') {
        drawing.state = error instanceof Cancelled ? 'cancelled' : 'failed';
        if (!(error instanceof Cancelled)) drawing.messages = [{ key: 'Stopped', args: [error.message] }];
        renderDrawing(drawing);
      }
    }
    setStatus(error instanceof Cancelled ? t('Cancelled') : t('Stopped', error.message));
  } finally {
    state.converting = false;
    $('progress').hidden = true;
    updateControls();
  }
}

function showBook(book) {
  if (book.bytes) {
    state.book = resultOf(book.bytes, kBookName, kTypes.xlsx);
    const link = $('book-link');
    link.href = state.book.url;
    link.download = kBookName;
    link.textContent = t('BookReady', kBookName);
    link.setAttribute('aria-label', t('SaveOf', kBookName));
  }
  $('book-link').hidden = !book.bytes;
  renderMessages($('book-messages'), book.messages);
  $('book').hidden = false;
}

// One download after another: browsers hold back a burst of them.
async function saveAll() {
  const links = state.book ? [$('book-link')]
                           : state.drawings.filter((d) => d.result).map((d) => d.row.querySelector('a.save'));
  for (const link of links) {
    link.click();
    await new Promise((resolve) => setTimeout(resolve, 200));
  }
}

// ---- Preview and layers

function clearPreview() {
  state.previewed = null;
  state.layers = null;
  $('preview-title').textContent = t('PreviewHeading');
  $('preview-summary').textContent = t('PreviewEmpty');
  $('preview-messages').replaceChildren();
  for (const id of ['type-counts', 'layer-counts', 'preview-table']) $(id).hidden = true;
  renderLayers();
}

function countRows(table, counts) {
  const sorted = counts.slice().sort((a, b) => b[1] - a[1] || a[0].localeCompare(b[0]));
  table.tBodies[0].replaceChildren(...sorted.map(([name, count]) => {
    const row = element('tr', {}, [
      element('th', { scope: 'row', textContent: name }),
      element('td', { className: 'number', textContent: formatCount(count) }),
    ]);
    row.dataset.name = name;
    row.dataset.count = count;
    return row;
  }));
  table.hidden = false;
}

function renderPreview(drawing, result) {
  renderMessages($('preview-messages'), result.messages);
  const preview = result.preview;
  if (!preview) {
    $('preview-summary').textContent = '';
    return;
  }
  $('preview-summary').textContent = t('PreviewCount', formatCount(preview.total), formatCount(preview.rows.length));
  $('preview-summary').dataset.total = preview.total;
  countRows($('type-counts'), preview.byType);
  countRows($('layer-counts'), preview.byLayer);
  const table = $('preview-table');
  table.tHead.rows[0].replaceChildren(...preview.header.map((name) => element('th', { scope: 'col', textContent: name })));
  const numeric = preview.header.map((name) => name === 'x' || name === 'y');
  table.tBodies[0].replaceChildren(...preview.rows.map((row) => element('tr', {}, row.map((value, i) =>
    element('td', { className: numeric[i] ? 'number' : '', textContent: value })))));
  table.hidden = false;
}

async function showPreview(drawing) {
  state.previewed = drawing;
  state.layers = null;
  $('preview-title').textContent = t('PreviewTitle', drawing.path);
  $('preview-summary').textContent = t('PreviewReading', drawing.path);
  delete $('preview-summary').dataset.total;
  $('preview-messages').replaceChildren();
  for (const id of ['type-counts', 'layer-counts', 'preview-table']) $(id).hidden = true;
  renderLayers();
  try {
    // The bar alone: the status line keeps what it says of the drawings.
    const result = await client.submit({ kind: 'inspect', file: drawing.file, language: LANGUAGE }, (event) => {
      if (event.type === 'progress' && !state.converting) showBar(event);
    });
    if (!state.converting) $('progress').hidden = true;
    if (state.previewed !== drawing) return;
    state.layers = result.layers;
    renderLayers();
    renderPreview(drawing, result);
  } catch (error) {
    if (!state.converting) $('progress').hidden = true;
    if (state.previewed !== drawing) return;
    $('preview-summary').textContent = error instanceof Cancelled ? t('Cancelled') : t('Stopped', error.message);
  }
}

// The layer list of the previewed drawing. Its rows are made again only
// for another drawing, so that a checkbox keeps the focus it has.
let layerRowsOf = null;

function renderLayers() {
  const full = choice('mode') === 'full';
  const layers = state.layers;
  $('layers').disabled = !full || state.converting;
  const table = $('layer-list');
  table.hidden = !layers;
  $('layer-buttons').hidden = !layers;
  if (!full) {
    $('layers-note').textContent = t('LayersNeedFull');
  } else if (!layers) {
    $('layers-note').textContent = t('LayersNone');
  } else {
    $('layers-note').textContent = t('LayersOf', state.previewed.path);
  }
  const keys = new Set((layers || []).map(([name]) => layerKey(name)));
  const others = [...state.excluded].filter((key) => !keys.has(key)).length;
  $('layers-other').textContent = others > 0 ? t('LayersOther', formatCount(others)) : '';
  if (layers && layerRowsOf !== layers) {
    layerRowsOf = layers;
    table.tBodies[0].replaceChildren(...layers.map(layerRow));
  }
  for (const box of table.querySelectorAll('input[type="checkbox"]')) {
    box.checked = !state.excluded.has(layerKey(box.value));
  }
}

function layerRow([name, count]) {
  const box = element('input', { type: 'checkbox', value: name });
  box.addEventListener('change', () => {
    if (box.checked) state.excluded.delete(layerKey(name));
    else state.excluded.add(layerKey(name));
    forgetResults();
  });
  const row = element('tr', {}, [
    element('td', {}, [element('label', {}, [box, ' ', name])]),
    element('td', { className: 'number', textContent: formatCount(count) }),
  ]);
  row.dataset.name = name;
  row.dataset.count = count;
  return row;
}

function checkAllLayers(checked) {
  for (const [name] of state.layers || []) {
    if (checked) state.excluded.delete(layerKey(name));
    else state.excluded.add(layerKey(name));
  }
  forgetResults();
  renderLayers();
}

// ---- Controls

function updateControls() {
  const full = choice('mode') === 'full';
  const none = full && chosenColumns().length === 0;
  const idle = !state.converting;
  $('columns').disabled = !full || !idle;
  $('columns-note').textContent = !full ? t('ColumnsNeedFull') : none ? t('ColumnsNone') : '';
  const book = document.querySelector('input[name="saving"][value="book"]');
  book.disabled = choice('format') !== 'xlsx';
  if (book.disabled && book.checked) document.querySelector('input[name="saving"][value="each"]').checked = true;
  for (const input of document.querySelectorAll('input[name="mode"], input[name="format"], input[name="saving"]')) {
    input.disabled = !idle || (input === book && choice('format') !== 'xlsx');
  }
  $('choose-files').disabled = $('choose-folder').disabled = !idle;
  for (const button of document.querySelectorAll('#file-rows button.remove')) button.disabled = !idle;
  $('convert').disabled = !idle || state.drawings.length === 0 || none;
  $('cancel').disabled = !client.busy();
  $('save-all').disabled = !idle || !(state.book || state.drawings.some((drawing) => drawing.result));
  $('clear').disabled = !idle || state.drawings.length === 0;
  $('files').hidden = state.drawings.length === 0;
  $('no-files').hidden = state.drawings.length > 0;
  renderLayers();
}

function makeColumnChoices() {
  $('column-list').replaceChildren(...COLUMNS.map(([name, key], i) => {
    const box = element('input', { type: 'checkbox', name: 'column', value: name, checked: i < kDefaultColumns });
    return element('label', {}, [box, ' ', element('code', { textContent: name }), ' ', t(key)]);
  }));
}

function wireDropping() {
  const zone = $('drop-zone');
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    zone.classList.add('dragging');
  });
  document.addEventListener('dragleave', (event) => {
    if (event.relatedTarget === null) zone.classList.remove('dragging');
  });
  document.addEventListener('drop', async (event) => {
    event.preventDefault();
    zone.classList.remove('dragging');
    if (state.converting) {
      setStatus(t('Busy'));
      return;
    }
    addDrawings(await droppedDrawings(event.dataTransfer));
  });
}

function start() {
  document.documentElement.lang = LANGUAGE;
  document.title = t('Title');
  applyTexts(document.body);
  makeColumnChoices();
  if (typeof Worker === 'undefined' || typeof WebAssembly === 'undefined') {
    setStatus(t('NoWorker'));
    for (const button of document.querySelectorAll('button')) button.disabled = true;
    return;
  }
  $('choose-files').addEventListener('click', () => $('file-input').click());
  $('choose-folder').addEventListener('click', () => $('folder-input').click());
  for (const [id, fromFolder] of [['file-input', false], ['folder-input', true]]) {
    $(id).addEventListener('change', (event) => {
      addDrawings(chosenDrawings(event.target.files, fromFolder));
      event.target.value = '';
    });
  }
  for (const input of document.querySelectorAll('#options input')) {
    input.addEventListener('change', () => {
      forgetResults();
      updateControls();
    });
  }
  $('convert').addEventListener('click', convert);
  $('cancel').addEventListener('click', () => client.cancel());
  $('save-all').addEventListener('click', saveAll);
  $('clear').addEventListener('click', clearDrawings);
  $('check-all').addEventListener('click', () => checkAllLayers(true));
  $('uncheck-all').addEventListener('click', () => checkAllLayers(false));
  wireDropping();
  clearPreview();
  updateControls();
}

start();
