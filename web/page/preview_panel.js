// The preview of one drawing as full mode reads it (its first texts, the
// counts by type and by layer), and the list of its layers, whose checkboxes
// choose the layers written.

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
