// The page's texts in the user's language (Japanese for a Japanese browser,
// English otherwise), from the program's string table: TEXTS is made from it
// when the page is built.
const LANGUAGE = (navigator.language || '').toLowerCase().startsWith('ja') ? 'ja' : 'en';
const numbers = new Intl.NumberFormat(LANGUAGE === 'ja' ? 'ja-JP' : 'en-US');
const decimals = new Intl.NumberFormat(LANGUAGE === 'ja' ? 'ja-JP' : 'en-US',
                                       { minimumFractionDigits: 1, maximumFractionDigits: 1 });

// The text `key` with each %s replaced by the next of `args`.
function t(key, ...args) {
  const text = TEXTS[LANGUAGE][key];
  if (text === undefined) throw new Error('no text ' + key);
  let next = 0;
  return text.replace(/%s/g, () => String(args[next++]));
}

function formatCount(count) {
  return numbers.format(count);
}

function formatMegabytes(bytes) {
  return decimals.format(bytes / (1 << 20));
}

function formatSize(bytes) {
  return bytes < 1 << 20 ? t('SizeKb', decimals.format(bytes / 1024)) : t('SizeMb', formatMegabytes(bytes));
}

function applyTexts(root) {
  for (const element of root.querySelectorAll('[data-text]')) {
    element.textContent = t(element.dataset.text);
  }
}

// A message of a conversion: the converter's own line, or one of the page's.
function messageText(message) {
  return message.text !== undefined ? message.text : t(message.key, ...message.args);
}
