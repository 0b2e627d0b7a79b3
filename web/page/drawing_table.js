// The drawings' table: one row per drawing, with its state, the converter's
// messages about it, and its result to save.

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
  const at = state.drawings.indexOf(drawing);
  forgetResult(drawing);
  drawing.row.remove();
  state.drawings.splice(at, 1);
  dropBook();
  if (state.previewed === drawing) clearPreview();
  updateControls();
  // The focus goes on to the next drawing, not back to the page's start.
  const next = state.drawings[Math.min(at, state.drawings.length - 1)];
  (next ? next.row.querySelector('button.remove') : $('choose-files')).focus();
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
