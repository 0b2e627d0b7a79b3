// The page's side of the conversion worker: jobs run one at a time, in the
// order given; cancelling ends the worker (a conversion cannot be stopped
// from outside any other way) and the next job starts a fresh one. The
// worker's source is part of the page, so it is started from a Blob: a page
// opened as a file may not load a worker script from anywhere.
class Cancelled extends Error {}

class ConverterClient {
  constructor(source, onActivity) {
    this.url = URL.createObjectURL(new Blob([source], { type: 'text/javascript' }));
    this.onActivity = onActivity;  // told when a job starts or ends
    this.worker = null;
    this.waiting = [];
    this.current = null;
    this.nextId = 1;
  }

  busy() {
    return this.current !== null || this.waiting.length > 0;
  }

  // Runs `job`; `onEvent` gets its progress and per-drawing results. The
  // promise gives the job's last event, or fails with Cancelled.
  submit(job, onEvent) {
    return new Promise((resolve, reject) => {
      this.waiting.push({ job: { ...job, id: this.nextId++ }, onEvent, resolve, reject });
      this.startNext();
    });
  }

  cancel() {
    if (this.worker) this.worker.terminate();
    this.worker = null;
    const ended = this.current ? [this.current, ...this.waiting] : this.waiting;
    this.current = null;
    this.waiting = [];
    for (const entry of ended) entry.reject(new Cancelled());
    this.onActivity();
  }

  startNext() {
    if (this.current || this.waiting.length === 0) return;
    this.current = this.waiting.shift();
    if (!this.worker) {
      this.worker = new Worker(this.url);
      this.worker.onmessage = (event) => this.receive(event.data);
      this.worker.onerror = (event) => {
        event.preventDefault();
        this.fail(event.message || 'worker error');
      };
    }
    this.worker.postMessage(this.current.job);
    this.onActivity();
  }

  receive(event) {
    const entry = this.current;
    if (!entry || event.id !== entry.job.id) return;
    if (event.type === 'error') {
      this.fail(event.text);
      return;
    }
    entry.onEvent(event);
    if (event.type === 'done' || event.type === 'inspected') this.finish(() => entry.resolve(event));
  }

  // The worker died (out of memory, say): the job fails, and the next job
  // gets a fresh worker.
  fail(text) {
    const entry = this.current;
    if (this.worker) this.worker.terminate();
    this.worker = null;
    if (entry) this.finish(() => entry.reject(new Error(text)));
  }

  finish(settle) {
    this.current = null;
    settle();
    this.startNext();
    this.onActivity();
  }
}
