// The drawings a user hands the page: files chosen or dropped are taken as
// they are (the converter tells a drawing by its content); from a folder
// only the *.dxf and *.jww files are taken, as the converter does.
const kDrawingName = /\.(dxf|jww)$/i;

// [{file, path}] of a file input's list; `fromFolder` for a folder input.
function chosenDrawings(fileList, fromFolder) {
  const drawings = [];
  let skipped = 0;
  for (const file of fileList) {
    const path = file.webkitRelativePath || file.name;
    if (fromFolder && !kDrawingName.test(file.name)) {
      ++skipped;
    } else {
      drawings.push({ file, path });
    }
  }
  drawings.sort((a, b) => (fromFolder ? a.path.localeCompare(b.path) : 0));
  return { drawings, skipped };
}

function entryFile(entry) {
  return new Promise((resolve, reject) => entry.file(resolve, reject));
}

// Every entry of a folder: readEntries hands them out a batch at a time.
async function folderEntries(folder) {
  const reader = folder.createReader();
  const entries = [];
  for (;;) {
    const batch = await new Promise((resolve, reject) => reader.readEntries(resolve, reject));
    if (batch.length === 0) return entries;
    entries.push(...batch);
  }
}

async function addFolder(folder, found) {
  const entries = await folderEntries(folder);
  entries.sort((a, b) => a.name.localeCompare(b.name));
  for (const entry of entries) {
    if (entry.isDirectory) {
      await addFolder(entry, found);
    } else if (kDrawingName.test(entry.name)) {
      found.drawings.push({ file: await entryFile(entry), path: entry.fullPath.replace(/^\//, '') });
    } else {
      ++found.skipped;
    }
  }
}

// The drawings of a drop. The items are taken at once: the browser empties
// them when the event ends.
async function droppedDrawings(dataTransfer) {
  const found = { drawings: [], skipped: 0 };
  const items = [...(dataTransfer.items || [])].filter((item) => item.kind === 'file');
  const entries = items.map((item) => (item.webkitGetAsEntry ? item.webkitGetAsEntry() : null));
  const files = items.map((item) => item.getAsFile());
  for (let i = 0; i < items.length; ++i) {
    if (entries[i] && entries[i].isDirectory) {
      await addFolder(entries[i], found);
    } else if (files[i]) {
      found.drawings.push({ file: files[i], path: files[i].name });
    }
  }
  if (items.length === 0) return chosenDrawings(dataTransfer.files || [], false);
  return found;
}
