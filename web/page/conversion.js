// Converting every drawing of the table with the choices made, and saving
// the results.

const kBookName = 'toridasu.xlsx';

// The name of a drawing's output: its name with the last extension replaced.
function outputName(path, extension) {
  const name = path.slice(path.lastIndexOf('/') + 1);
  const dot = name.lastIndexOf('.');
  return (dot > 0 ? name.slice(0, dot) : name) + extension;
}

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
