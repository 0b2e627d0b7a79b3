#include "synthetic_drawing.h"

#include <cstdio>
#include <random>
#include <string>

namespace toridasu::bench {
namespace {

// Room names and notes in Shift-JIS (居室, 台所, 浴室, 廊下, 寝室, 玄関, 便所, 収納).
const char* const kTexts[] = {
    "\x8B\x8F\x8E\xBA", "\x91\xE4\x8F\x8A",
    "\x97\x81\x8E\xBA", "\x98\x4C\x89\xBA",
    "\x90\x51\x8E\xBA", "\x8C\xBA\x8A\xD6",
    "\x95\xD6\x8F\x8A", "\x8E\xFB\x94\x5B",
    "W=900 H=2000",     "\x8B\x8F\x8E\xBA 12.5\x8F\xE4",
    "FL+150",           "\x95\x5C\x8E\xA6 \x83\x5C\x83\x74\x83\x40",
};

class Writer {
 public:
  Writer(std::FILE* f, const char* lineEnd) : f_(f), lineEnd_(lineEnd) {}
  void Pair(int code, const std::string& value) {
    char head[16];
    std::snprintf(head, sizeof head, "%3d", code);
    out_ += head;
    out_ += lineEnd_;
    out_ += value;
    out_ += lineEnd_;
    if (out_.size() > (1u << 20)) Flush();
  }
  void Real(int code, double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    Pair(code, text);
  }
  void Flush() {
    total_ += out_.size();
    std::fwrite(out_.data(), 1, out_.size(), f_);
    out_.clear();
  }
  uint64_t Size() const { return total_ + out_.size(); }

 private:
  std::FILE* f_;
  const char* lineEnd_;
  std::string out_;
  uint64_t total_ = 0;
};

// A point (groups 10, 20, 30), its z 0.
void Point(Writer& w, int code, double x, double y) {
  w.Real(code, x);
  w.Real(code + 10, y);
  w.Real(code + 20, 0.0);
}

// The opening of an entity or block on layer 0.
void Begin(Writer& w, const char* type) {
  w.Pair(0, type);
  w.Pair(8, "0");
}

// Two small blocks, as real plans hold them: a room tag (a text and an
// attribute definition) and a door mark (a line and a text).
void WriteBlocks(Writer& w) {
  w.Pair(0, "SECTION");
  w.Pair(2, "BLOCKS");
  Begin(w, "BLOCK");
  w.Pair(2, "ROOMTAG");
  Point(w, 10, 0.0, 0.0);
  Begin(w, "TEXT");
  Point(w, 10, -300.0, 150.0);
  w.Real(40, 150.0);
  w.Pair(1, "\x95\x94\x89\xAE");  // 部屋
  Begin(w, "ATTDEF");
  Point(w, 10, -300.0, -150.0);
  w.Real(40, 200.0);
  w.Pair(1, "");
  w.Pair(3, "NAME?");
  w.Pair(2, "NAME");
  w.Pair(0, "ENDBLK");
  Begin(w, "BLOCK");
  w.Pair(2, "DOOR");
  Point(w, 10, 450.0, 0.0);
  Begin(w, "LINE");
  Point(w, 10, 0.0, 0.0);
  Point(w, 11, 900.0, 0.0);
  Begin(w, "TEXT");
  Point(w, 10, 450.0, 100.0);
  w.Real(40, 100.0);
  w.Pair(1, "WD-1");
  w.Pair(0, "ENDBLK");
  w.Pair(0, "ENDSEC");
}

}  // namespace

uint64_t WriteSyntheticDrawing(const std::string& path, uint64_t bytes, bool dense,
                               const char* lineEnd) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  Writer w(f, lineEnd);
  std::mt19937 random(42);
  std::uniform_real_distribution<double> coordinate(0.0, 50000.0);
  std::uniform_int_distribution<int> pick(0, 9);
  w.Pair(0, "SECTION");
  w.Pair(2, "HEADER");
  w.Pair(9, "$ACADVER");
  w.Pair(1, "AC1015");
  w.Pair(0, "ENDSEC");
  WriteBlocks(w);
  w.Pair(0, "SECTION");
  w.Pair(2, "ENTITIES");
  // A random point: x drawn before y, so the bytes stay those of every run.
  const auto randomPoint = [&](int code) {
    const double x = coordinate(random);
    const double y = coordinate(random);
    Point(w, code, x, y);
  };
  uint64_t texts = 0;
  uint64_t handle = 0x100;
  char hex[16];
  while (w.Size() < bytes) {
    std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(handle++));
    if (!dense && pick(random) == 1 && pick(random) < 3) {
      // A room tag or a door: a reference to a small block, with an attribute.
      const bool tag = pick(random) < 5;
      w.Pair(0, "INSERT");
      w.Pair(5, hex);
      w.Pair(8, "SYMBOL");
      w.Pair(66, "1");
      w.Pair(2, tag ? "ROOMTAG" : "DOOR");
      randomPoint(10);
      w.Real(50, tag ? 0.0 : 90.0);
      w.Pair(0, "ATTRIB");
      w.Pair(8, "SYMBOL");
      randomPoint(10);
      w.Real(40, 200.0);
      w.Pair(1, kTexts[texts % (sizeof kTexts / sizeof kTexts[0])]);
      w.Pair(2, "NAME");
      w.Pair(0, "SEQEND");
      ++texts;
    } else if (pick(random) == 0 || dense) {
      w.Pair(0, "TEXT");
      w.Pair(5, hex);
      w.Pair(8, "TEXT-1");
      randomPoint(10);
      w.Real(40, 250.0);
      w.Pair(1, kTexts[texts % (sizeof kTexts / sizeof kTexts[0])]);
      w.Pair(7, "STANDARD");
      ++texts;
    } else {
      w.Pair(0, "LINE");
      w.Pair(5, hex);
      w.Pair(8, "WALL");
      w.Pair(62, "7");
      randomPoint(10);
      randomPoint(11);
    }
  }
  w.Pair(0, "ENDSEC");
  w.Pair(0, "EOF");
  w.Flush();
  std::fclose(f);
  return texts;
}

void WriteLongTextDrawing(const std::string& path, uint64_t textBytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  Writer w(f, "\r\n");
  w.Pair(0, "SECTION");
  w.Pair(2, "ENTITIES");
  w.Pair(0, "TEXT");
  w.Real(10, 1.5);
  w.Real(20, 2.5);
  w.Flush();
  std::fputs("  1\r\n", f);
  // Double-byte characters and double quotes, written in pieces.
  const std::string piece = std::string(512, 'a') + "\"\x95\x5C" + std::string(509, 'b');
  for (uint64_t written = 0; written < textBytes; written += piece.size()) {
    std::fwrite(piece.data(), 1, piece.size(), f);
  }
  std::fputs("\r\n", f);
  w.Pair(0, "LINE");
  w.Pair(10, "0.0");
  w.Pair(0, "ENDSEC");
  w.Pair(0, "EOF");
  w.Flush();
  std::fclose(f);
}

void WriteBlockTextDrawing(const std::string& path, uint64_t textBytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  Writer w(f, "\r\n");
  w.Pair(0, "SECTION");
  w.Pair(2, "BLOCKS");
  w.Pair(0, "BLOCK");
  w.Pair(2, "ROOMS");
  w.Real(10, 0.0);
  w.Real(20, 0.0);
  // Texts as a room plan's block holds them: a handle, a few layers, a
  // point, a height and a short name (Shift-JIS).
  const char* layers[] = {"A-ROOM", "A-NOTE", "A-DIMS", "0"};
  uint64_t written = 0;
  for (uint64_t i = 0; written < textBytes; ++i) {
    char handle[24], text[48];
    std::snprintf(handle, sizeof handle, "%llX", static_cast<unsigned long long>(i + 256));
    std::snprintf(text, sizeof text, "Room %llu \x95\x94\x89\xae",
                  static_cast<unsigned long long>(i));
    const long before = std::ftell(f);
    w.Pair(0, "TEXT");
    w.Pair(5, handle);
    w.Pair(8, layers[i % 4]);
    w.Real(10, static_cast<double>(i % 1000) * 1.5);
    w.Real(20, static_cast<double>(i / 1000) * 2.5);
    w.Real(40, 2.5);
    w.Pair(1, text);
    w.Flush();
    written += static_cast<uint64_t>(std::ftell(f) - before);
  }
  w.Pair(0, "ENDBLK");
  w.Pair(0, "ENDSEC");
  w.Pair(0, "SECTION");
  w.Pair(2, "ENTITIES");
  w.Pair(0, "INSERT");
  w.Pair(2, "ROOMS");
  w.Real(10, 100.0);
  w.Real(20, 200.0);
  w.Pair(0, "ENDSEC");
  w.Pair(0, "EOF");
  w.Flush();
  std::fclose(f);
}

}  // namespace toridasu::bench
