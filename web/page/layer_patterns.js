// The layers asked of the converter. Its --layers takes names separated by
// commas, with "*" and "?" as wildcards and no way to escape them, so a
// kept layer whose name holds one of them is asked for with "?" in its
// place; the drawing's own layer list then tells which other layers such a
// pattern takes too. The matching below is the converter's own, so that
// what the page reports is what the converter writes.

const utf8 = new TextEncoder();

// Blanks (space, tab) around a name do not count, for names and patterns alike.
function trimBlanks(name) {
  return name.replace(/^[ \t]+|[ \t]+$/g, '');
}

// The key under which a layer is kept or left out: letter case does not
// tell layers apart, for ASCII letters only.
function layerKey(name) {
  return trimBlanks(name).replace(/[a-z]+/g, (letters) => letters.toUpperCase());
}

function characterLength(bytes, at) {
  const lead = bytes[at];
  const length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
  return Math.min(length, bytes.length - at);
}

function asciiUpper(byte) {
  return byte >= 0x61 && byte <= 0x7a ? byte - 0x20 : byte;
}

// Whether the pattern takes the layer `name`, byte by byte over UTF-8:
// "*" any run of characters, "?" one character, ASCII letters in either case.
function matchesLayerPattern(patternText, nameText) {
  const pattern = utf8.encode(patternText);
  const name = utf8.encode(trimBlanks(nameText));
  const star = 0x2a, question = 0x3f;
  let afterStar = -1, runEnd = 0, p = 0, n = 0;
  while (n < name.length) {
    if (p < pattern.length && pattern[p] === star) {
      afterStar = ++p;
      runEnd = n;
    } else if (p < pattern.length && pattern[p] === question) {
      ++p;
      n += characterLength(name, n);
    } else if (p < pattern.length && asciiUpper(pattern[p]) === asciiUpper(name[n])) {
      ++p;
      ++n;
    } else if (afterStar >= 0) {
      runEnd += characterLength(name, runEnd);
      p = afterStar;
      n = runEnd;
    } else {
      return false;
    }
  }
  while (p < pattern.length && pattern[p] === star) ++p;
  return p === pattern.length;
}

// The pattern that asks for one layer: the characters that --layers reads
// as separators or wildcards (and a zero, which would end the argument)
// become "?", which takes any one character.
function patternOf(name) {
  return trimBlanks(name).replace(/[,*?\0]/g, '?');
}

// What to ask for, given every layer of the drawings of a run and the keys
// of those left out: the patterns, the layers left out that a pattern takes
// all the same (each with the kept layer that takes it), and the kept layers
// that no pattern can name. Null when nothing is left out: no --layers.
function chooseLayers(layers, excludedKeys) {
  const kept = layers.filter((name) => !excludedKeys.has(layerKey(name)));
  if (kept.length === layers.length) return null;
  const patterns = [...new Set(kept.map(patternOf).filter((pattern) => pattern !== ''))];
  const unchoosable = kept.filter((name) => patternOf(name) === '');
  const takenToo = [];
  for (const name of layers) {
    if (!excludedKeys.has(layerKey(name))) continue;
    const taker = kept.find((keptName) => patternOf(keptName) !== '' &&
                                          matchesLayerPattern(patternOf(keptName), name));
    if (taker !== undefined) takenToo.push([name, taker]);
  }
  // An empty list would keep every layer: ask for one that no layer is.
  if (patterns.length === 0) {
    let none = '\u0001';
    while (layers.some((name) => matchesLayerPattern(none, name))) none += '\u0001';
    patterns.push(none);
  }
  return { argument: '--layers=' + patterns.join(','), takenToo, unchoosable };
}
