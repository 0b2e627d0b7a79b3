#include "cli/messages.h"

#include <atomic>
#include <string_view>

namespace toridasu::cli {
namespace {

struct Pair {
  std::string_view english;
  std::string_view japanese;
};

// In the order of the Text enumeration.
constexpr Pair kTexts[] = {
    {"Writes the text entities of DXF drawings (insertion point and text, byte for byte in\n"
     "Shift-JIS) into CSV files, one line per entity.",
     "DXF 図面の文字図形（挿入点と文字内容、Shift-JIS のまま）を CSV ファイルに\n"
     "1 図形 1 行で書き出します。"},
    {"drawings, folders (their *.dxf files) or, on Windows, patterns with * and ?",
     "図面、フォルダー（その中の *.dxf）、または Windows では * と ? を使ったパターン"},
    {"the CSV file to write, for a single drawing (default: the drawing's name with .csv)",
     "書き出す CSV ファイル（図面 1 つのとき。既定: 図面の名前の拡張子を .csv にしたもの）"},
    {"write the CSV files into this folder (made when missing)",
     "CSV ファイルをこのフォルダーに書き出す（なければ作る）"},
    {"descend into the subfolders of folder inputs", "フォルダーの中のフォルダーもたどる"},
    {"convert this many drawings at once (default: the number of processors)",
     "同時に変換する図面の数（既定: プロセッサーの数）"},
    {"print failures only", "失敗だけを表示する"},
    {"no progress line", "進み具合を表示しない"},
    {"the encoding of the texts: shift_jis (the drawing's bytes, the default) or utf-8",
     "文字の符号化: shift_jis（図面のバイトのまま、既定）または utf-8"},
    {"with utf-8: begin each file with a byte-order mark (some spreadsheets need it)",
     "utf-8 のとき: ファイルの先頭に BOM を付ける（表計算ソフトによっては必要）"},
    {"with utf-8: error (the default) fails a drawing with bytes that are not code page 932; "
     "replace writes U+FFFD for them",
     "utf-8 のとき: error（既定）はコードページ 932 にないバイトのある図面を失敗にする。"
     "replace はそれを U+FFFD にする"},
    {"the decimal separator of the numbers (default: the user's locale on Windows, \".\" "
     "elsewhere)",
     "数値の小数点の文字（既定: Windows ではユーザーの地域設定、それ以外では \".\"）"},
    {"the output would overwrite the input: %s", "出力が入力を上書きします: %s"},
    {"two drawings would write the same output: %s and %s",
     "2 つの図面が同じ出力になります: %s と %s"},
    {"-o names one output: give a single drawing, or use -d",
     "-o は図面 1 つのときだけ使えます。-d を使って下さい"},
    {"no drawing found: %s", "図面が見つかりません: %s"},
    {"not a drawing or folder: %s", "図面でもフォルダーでもありません: %s"},
    {"cannot make the folder %s", "フォルダー %s を作れません"},
    {"the text ends in an unfinished double-byte character",
     "文字列が 2 バイト文字の途中で終わっています"},
    {"the text holds bytes that are not code page 932",
     "文字列にコードページ 932 にないバイトがあります"},
    {"line %s", "%s 行目"},
    {"converted %s, failed %s, records %s, %s s", "変換 %s 件、失敗 %s 件、レコード %s 行、%s 秒"},
    {"%s/%s drawings, %s/%s MB, %s MB/s, %s s left", "%s/%s 図面、%s/%s MB、%s MB/秒、残り %s 秒"},
    {"--bom goes with --encoding utf-8", "--bom は --encoding utf-8 と一緒に使います"},
    {"the decimal separator is one byte", "小数点は 1 バイトの文字です"},
    {"full mode: every text the drawing shows (TEXT, MTEXT, ATTRIB, MULTILEADER, texts of "
     "blocks and dimensions, all layouts), decoded, in world coordinates",
     "全文字モード: 図面に見えるすべての文字（TEXT、MTEXT、ATTRIB、MULTILEADER、ブロックと"
     "寸法の文字、すべてのレイアウト）を、文字コードを直し、ワールド座標で書き出す"},
    {"with --full: the columns, from x,y,z,text,type,layer,handle,height,rotation,style,"
     "align_x,align_y,align_z,space,block (default: x,y,z,text)",
     "--full のとき: 列の並び。x,y,z,text,type,layer,handle,height,rotation,style,"
     "align_x,align_y,align_z,space,block から選ぶ（既定: x,y,z,text）"},
    {"with --full: read the drawing's texts in this encoding (utf-8, cp932, cp1252, ...) "
     "instead of the one the drawing names",
     "--full のとき: 図面の文字をこの文字コード（utf-8、cp932、cp1252 など）で読む"
     "（図面の指定より優先）"},
    {"with --full: leave block references unexpanded", "--full のとき: ブロック参照を展開しない"},
    {"with --full: leave out dimension texts", "--full のとき: 寸法の文字を書き出さない"},
    {"with --full: keep only these entity types (for example TEXT,MTEXT,ATTRIB)",
     "--full のとき: この種類の図形だけを書き出す（例: TEXT,MTEXT,ATTRIB）"},
    {"%s goes with --full", "%s は --full と一緒に使います"},
    {"unknown column: %s", "不明な列です: %s"},
    {"unknown encoding: %s", "不明な文字コードです: %s"},
    {"the character %s cannot be written in Shift-JIS; use --encoding utf-8, or --invalid "
     "replace to write ? for it",
     "文字 %s は Shift-JIS で書けません。--encoding utf-8 を使うか、--invalid replace で"
     " ? に置き換えて下さい"},
    {"the text holds bytes that code page %s does not define; use --input-encoding, or "
     "--invalid replace to write U+FFFD for them",
     "文字列にコードページ %s にないバイトがあります。--input-encoding を使うか、"
     "--invalid replace で U+FFFD に置き換えて下さい"},
    {"warning: texts that are not UTF-8 were read in code page %s",
     "警告: UTF-8 でない文字列をコードページ %s で読みました"},
    {"warning: block %s contains itself; the cycle is cut",
     "警告: ブロック %s が自分自身を含んでいます。循環を切りました"},
    {"warning: block %s is missing", "警告: ブロック %s がありません"},
    {"warning: blocks are nested too deep at %s; the deeper ones are left out",
     "警告: ブロック %s で入れ子が深すぎます。それより深いものは書き出しません"},
    {"warning: block %s would be copied too many times; the rest is left out",
     "警告: ブロック %s の複製が多すぎます。残りは書き出しません"},
    {"no text entity in ENTITIES, but block references show %s texts: --full writes them",
     "ENTITIES に文字図形がありませんが、ブロック参照に %s 個の文字があります。"
     "--full で書き出せます"},
};

std::atomic<bool> japanese{false};

std::string Fill(std::string_view pattern, std::initializer_list<std::string> arguments) {
  std::string out;
  auto next = arguments.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' &&
        next != arguments.end()) {
      out += *next++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace

void SetJapanese(bool value) { japanese.store(value); }

std::string Say(Text text, std::initializer_list<std::string> arguments) {
  const Pair& pair = kTexts[static_cast<int>(text)];
  return Fill(japanese.load() ? pair.japanese : pair.english, arguments);
}

bool Japanese() { return japanese.load(); }

std::string EnglishIoCause(int32_t code) {
  switch (code) {
    case 2: return "file not found";
    case 3: return "folder not found or name too long";
    case 4: return "too many open files";
    case 5: return "access denied";
    case 32: return "the file is in use by another program";
    case 103: return "file not open";
    case 105: return "not a file that can be written";
    case 112: return "disk full";
    case 123: return "invalid file name";
    default: return "I/O error " + std::to_string(code);
  }
}

}  // namespace toridasu::cli
