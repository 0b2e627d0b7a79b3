// The conversions, in a worker of their own so that the page stays
// responsive. Each run of the converter gets a fresh instance of the
// module (the program keeps process state); the WebAssembly code is
// compiled once. Drawings are read from the user's files through WORKERFS,
// a piece at a time, never copied whole.
//
// Given before this source: TORIDASU_WASM (the module's code, base64),
// NOTE_PATTERNS (the converter's warnings and hints, as regular expressions
// of the lines that do not fail a drawing), createToridasu, chooseLayers, CsvRows.

const kPreviewRows = 300;
const kPreviewColumns = 'x,y,text,type,layer';
const kProgressStep = 2 << 20;
const kChunk = 1 << 20;
const kEio = 29;  // EIO in the module's numbering

let compiling = null;

function compiledWasm() {
  if (!compiling) {
    const text = atob(TORIDASU_WASM);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    compiling = WebAssembly.compile(bytes);
  }
  return compiling;
}

// Each read of a File costs the browser a round trip (about 2 ms, whatever
// its size): the converter's reads of 256 KB are served from pieces of
// 16 MB, read one at a time, so memory holds one piece per file at most.
const kPieceBytes = 16 << 20;
function readAhead(ahead, node, buffer, offset, length, position) {
  let piece = ahead.get(node);
  if (!piece || position < piece.start || position + length > piece.start + piece.bytes.length) {
    if (position >= node.size) return 0;
    const slice = node.contents.slice(position, position + Math.max(length, kPieceBytes));
    piece = { start: position, bytes: new Uint8Array(new FileReaderSync().readAsArrayBuffer(slice)) };
    ahead.set(node, piece);
  }
  const from = position - piece.start;
  const got = Math.min(length, piece.bytes.length - from);
  buffer.set(piece.bytes.subarray(from, from + got), offset);
  return got;
}

// A fresh converter whose messages come in `language`, reading `files`
// (mounted at /in/0/NAME, /in/1/NAME, ...) and reporting how far it read.
async function startConverter(language, files, progress) {
  const wasm = await compiledWasm();
  const out = [];
  const err = [];
  const module = await new Promise((resolve, reject) => {
    createToridasu({
      print: (line) => out.push(line),
      printErr: (line) => err.push(line),
      onAbort: (what) => reject(new Error(String(what))),
      instantiateWasm: (imports, receive) => {
        WebAssembly.instantiate(wasm, imports).then((instance) => receive(instance, wasm), reject);
        return {};
      },
    }).then(resolve, reject);
  });
  module.ENV.TORIDASU_LANG = language;
  const fs = module.FS;
  fs.mkdir('/in');
  fs.mkdir('/out');
  const workerfs = fs.filesystems.WORKERFS;
  const indexOfNode = new Map();
  const ahead = new Map();  // node -> { start, bytes }: the piece last read of its file
  workerfs.stream_ops.read = function (stream, buffer, offset, length, position) {
    let got;
    try {
      got = readAhead(ahead, stream.node, buffer, offset, length, position);
    } catch (error) {
      // A file gone or changed since it was chosen: a failed read, which
      // the converter reports as it reports any other.
      throw new fs.ErrnoError(kEio);
    }
    const index = indexOfNode.get(stream.node);
    if (index !== undefined) progress.reached(index, position + got);
    return got;
  };
  const blobs = files.map((file, i) => ({ name: i + '/' + file.name, data: file }));
  fs.mount(workerfs, { blobs }, '/in');
  const inputs = files.map((file, i) => '/in/' + i + '/' + file.name);
  inputs.forEach((input, i) => indexOfNode.set(fs.lookupPath(input).node, i));
  return { module, out, err, inputs };
}

// Runs the converter once: its exit status, or why it stopped.
function run(converter, args) {
  try {
    return { status: converter.module.callMain(args) };
  } catch (error) {
    return { status: null, stopped: String((error && error.message) || error) };
  }
}

// The converter's lines on stderr, less the summary that ends every run
// that got as far as converting.
function messageLines(converter, result) {
  const lines = converter.err.slice();
  if ((result.status === 0 || result.status === 1) && lines.length > 0) lines.pop();
  return lines;
}

// A line in the user's words: the drawing named as the user knows it,
// without the folder it was mounted in.
function shown(line, inputs) {
  for (let i = 0; i < inputs.length; ++i) line = line.split('/in/' + i + '/').join('');
  return line;
}

function readOutput(module, path) {
  try {
    return module.FS.readFile(path);
  } catch (error) {
    return null;
  }
}

// Bytes read of the drawings of a job, told to the page every few MB.
class Progress {
  constructor(job, files) {
    this.job = job;
    this.sizes = files.map((file) => file.size);
    this.total = this.sizes.reduce((sum, size) => sum + size, 0);
    this.positions = this.sizes.map(() => 0);
    this.first = 0;
    this.posted = -Infinity;
  }

  // A run over the drawings from `first` on, which reads them from the start.
  startRun(first) {
    this.first = first;
    this.positions.fill(0, first);
  }

  // The drawing `first + index` read up to `position`.
  reached(index, position) {
    const at = this.first + index;
    this.positions[at] = Math.max(this.positions[at], Math.min(position, this.sizes[at]));
    const read = this.positions.reduce((sum, done) => sum + done, 0);
    if (read - this.posted >= kProgressStep || read === this.total) {
      this.posted = read;
      postMessage({ id: this.job.id, type: 'progress', read, total: this.total, current: at });
    }
  }

  // A drawing done with, however much of it the converter needed to read.
  finished(index) {
    this.reached(index - this.first, this.sizes[index]);
  }
}

function baseArguments(settings) {
  const args = ['--no-progress', '-j', '1'];
  if (settings.full) args.push('--full', '--columns', settings.columns.join(','));
  if (settings.format === 'xlsx') {
    args.push('--format', 'xlsx');
  } else {
    args.push('--format', 'csv');
    if (settings.format === 'csv-utf8') args.push('--encoding', 'utf-8', '--bom');
  }
  return args;
}

// --list-layers over `files`: each drawing's layers, with the run's result.
async function listLayers(job, files, progress) {
  const converter = await startConverter(job.language, files, progress);
  const args = ['--no-progress', '-j', '1', '--full', '--list-layers', '--encoding', 'utf-8'];
  const result = run(converter, [...args, ...converter.inputs]);
  const layers = files.map(() => []);
  const named = files.length > 1;
  for (const line of converter.out) {
    let index = 0;
    let rest = line;
    if (named) {
      index = converter.inputs.findIndex((input) => line.startsWith(input + '\t'));
      if (index < 0) continue;
      rest = line.slice(converter.inputs[index].length + 1);
    }
    const tab = rest.lastIndexOf('\t');
    if (tab >= 0) layers[index].push([rest.slice(0, tab), Number(rest.slice(tab + 1))]);
  }
  return { ...result, layers, messages: messageLines(converter, result).map((l) => shown(l, converter.inputs)) };
}

function layerNotes(choice) {
  return [
    ...choice.takenToo.map((pair) => ({ key: 'LayerTakenToo', args: pair })),
    ...choice.unchoosable.map((name) => ({ key: 'LayerUnchoosable', args: [name] })),
  ];
}

// The --layers argument of a run over `files`, and the notes on what it
// cannot express; or the failure of the listing.
async function layerChoice(job, files, progress) {
  const excluded = new Set(job.settings.excluded);
  if (!job.settings.full || excluded.size === 0) return { args: [], notes: [] };
  const listing = await listLayers(job, files, progress);
  if (listing.status !== 0 && files.length === 1) return { failure: listing };
  const names = [...new Set(listing.layers.flat().map(([name]) => name))];
  const choice = chooseLayers(names, excluded);
  return choice ? { args: [choice.argument], notes: layerNotes(choice) } : { args: [], notes: [] };
}

function failureOf(result) {
  const messages = result.messages.map((text) => ({ text }));
  if (result.stopped !== undefined) messages.push({ key: 'Stopped', args: [result.stopped] });
  return { state: 'failed', messages };
}

async function convertOne(job, index, progress) {
  const file = job.files[index];
  progress.startRun(index);
  const layers = await layerChoice(job, [file], progress);
  if (layers.failure) return failureOf(layers.failure);
  progress.startRun(index);
  const converter = await startConverter(job.language, [file], progress);
  const output = '/out/result.' + (job.settings.format === 'xlsx' ? 'xlsx' : 'csv');
  const result = run(converter, [...baseArguments(job.settings), ...layers.args, '-o', output,
                                 converter.inputs[0]]);
  const messages = [
    ...layers.notes,
    ...messageLines(converter, result).map((line) => ({ text: shown(line, converter.inputs) })),
  ];
  if (result.stopped !== undefined) messages.push({ key: 'Stopped', args: [result.stopped] });
  const bytes = result.status === 0 ? readOutput(converter.module, output) : null;
  return { state: bytes ? 'converted' : 'failed', messages, bytes };
}

async function convertEach(job) {
  const progress = new Progress(job, job.files);
  for (let index = 0; index < job.files.length; ++index) {
    postMessage({ id: job.id, type: 'started', index });
    const outcome = await convertOne(job, index, progress);
    progress.finished(index);
    const transfer = outcome.bytes ? [outcome.bytes.buffer] : [];
    postMessage({ id: job.id, type: 'file', index, ...outcome }, transfer);
  }
  postMessage({ id: job.id, type: 'done' });
}

function isNote(line) {
  return NOTE_PATTERNS.some((pattern) => pattern.test(line));
}

// One workbook of every drawing, a sheet each: one run, whose messages are
// told apart by the drawing they name.
async function convertBook(job) {
  const progress = new Progress(job, job.files);
  const layers = await layerChoice(job, job.files, progress);
  progress.startRun(0);
  const converter = await startConverter(job.language, job.files, progress);
  const output = '/out/book.xlsx';
  const settings = { ...job.settings, format: 'xlsx' };
  const result = run(converter, [...baseArguments(settings), ...layers.args, '-o', output,
                                 ...converter.inputs]);
  const perFile = job.files.map(() => []);
  const failed = job.files.map(() => false);
  const general = [...layers.notes];
  for (const line of messageLines(converter, result)) {
    const index = converter.inputs.findIndex((input) => line.startsWith(input + ':'));
    const message = { text: shown(line, converter.inputs) };
    if (index < 0) {
      general.push(message);  // of the workbook, or of the whole run
    } else {
      perFile[index].push(message);
      if (!isNote(line)) failed[index] = true;
    }
  }
  if (result.stopped !== undefined) general.push({ key: 'Stopped', args: [result.stopped] });
  const bytes = result.status === 0 || result.status === 1 ? readOutput(converter.module, output) : null;
  job.files.forEach((file, index) => {
    const state = bytes && !failed[index] ? 'converted' : 'failed';
    postMessage({ id: job.id, type: 'file', index, state, messages: perFile[index] });
  });
  postMessage({ id: job.id, type: 'done', book: { bytes, messages: general } },
              bytes ? [bytes.buffer] : []);
}

// The texts of one drawing as full mode reads them: the first rows, and
// the count of every row by type and by layer.
function readPreview(module, path) {
  const rows = [];
  let header = null;
  let total = 0;
  const byType = new Map();
  const byLayer = new Map();
  const count = (map, key) => map.set(key, (map.get(key) || 0) + 1);
  const csv = new CsvRows((row) => {
    if (header === null) {
      header = row;
      return;
    }
    ++total;
    if (rows.length < kPreviewRows) rows.push(row);
    count(byType, row[3]);
    count(byLayer, row[4]);
  });
  const stream = module.FS.open(path, 'r');
  const decoder = new TextDecoder('utf-8', { ignoreBOM: false });
  const buffer = new Uint8Array(kChunk);
  for (;;) {
    const got = module.FS.read(stream, buffer, 0, buffer.length);
    if (got === 0) break;
    csv.push(decoder.decode(buffer.subarray(0, got), { stream: true }));
  }
  csv.push(decoder.decode());
  csv.end();
  module.FS.close(stream);
  return { header: header || [], rows, total, byType: [...byType], byLayer: [...byLayer] };
}

async function inspect(job) {
  const files = [job.file];
  const progress = new Progress(job, files);
  const listing = await listLayers(job, files, progress);
  progress.startRun(0);
  const converter = await startConverter(job.language, files, progress);
  const output = '/out/preview.csv';
  const args = ['--no-progress', '-j', '1', '--full', '--encoding', 'utf-8',
                '--columns', kPreviewColumns, '-o', output, converter.inputs[0]];
  const result = run(converter, args);
  const messages = messageLines(converter, result).map((line) => ({ text: shown(line, converter.inputs) }));
  if (result.stopped !== undefined) messages.push({ key: 'Stopped', args: [result.stopped] });
  const preview = result.status === 0 ? readPreview(converter.module, output) : null;
  const layers = listing.status === 0 ? listing.layers[0] : null;
  postMessage({ id: job.id, type: 'inspected', layers, preview, messages });
}

const jobs = { each: convertEach, book: convertBook, inspect };

onmessage = (event) => {
  const job = event.data;
  jobs[job.kind](job).catch((error) => {
    postMessage({ id: job.id, type: 'error', text: String((error && error.message) || error) });
  });
};
