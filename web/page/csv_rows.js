// Rows of the converter's CSV text, fed in pieces of any size: fields are
// quoted (a quote inside doubled) or bare, rows end in CR LF or LF, and a
// quoted field may hold line breaks of its own.
class CsvRows {
  constructor(onRow) {
    this.onRow = onRow;
    this.row = [];
    this.field = '';
    this.quoted = false;       // inside a quoted field
    this.quoteSeen = false;    // a quote inside a quoted field: its end, or the first of two
    this.started = false;      // the row has begun (a field or a separator seen)
  }

  push(text) {
    let field = this.field;
    for (let i = 0; i < text.length; ++i) {
      const c = text[i];
      if (this.quoted) {
        if (this.quoteSeen) {
          this.quoteSeen = false;
          if (c === '"') {
            field += '"';
            continue;
          }
          this.quoted = false;  // the closing quote: read c as outside
        } else if (c === '"') {
          this.quoteSeen = true;
          continue;
        } else {
          const end = text.indexOf('"', i);
          const stop = end < 0 ? text.length : end;
          field += text.slice(i, stop);
          i = stop - 1;
          continue;
        }
      }
      if (c === '"') {
        this.quoted = true;
        this.started = true;
      } else if (c === ',') {
        this.row.push(field);
        field = '';
        this.started = true;
      } else if (c === '\n') {
        if (this.started || field !== '') this.endRow(field);
        field = '';
      } else if (c !== '\r') {
        field += c;
        this.started = true;
      }
    }
    this.field = field;
  }

  end() {
    if (this.quoteSeen) this.quoted = this.quoteSeen = false;
    if (this.started || this.field !== '') this.endRow(this.field);
    this.field = '';
  }

  endRow(field) {
    this.row.push(field);
    this.onRow(this.row);
    this.row = [];
    this.started = false;
  }
}
