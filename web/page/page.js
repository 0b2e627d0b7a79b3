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

const $ = (id) => document.getElementById(id);

const state = {
  drawings: [],            // {id, file, path, state, messages, result: {url, name} | null, row}
  nextId: 1,
  converting: false,
  book: null,              // the one workbook of every drawing: {url, name}
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
