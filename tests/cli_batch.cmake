# toridasu-cli on batches: folders, -r, -d, patterns (Windows), collisions,
# failures mixed with successes, -j, UTF-8 output and the user's language.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/in/sub)

include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)

function(expect_file path exists)
  if(exists AND NOT EXISTS ${WORK}/${path})
    message(FATAL_ERROR "${path} is missing")
  elseif(NOT exists AND EXISTS ${WORK}/${path})
    message(FATAL_ERROR "${path} should not exist")
  endif()
endfunction()

string(ASCII 130 160 hiragana_a)  # あ in Shift-JIS
string(ASCII 227 129 130 utf8_a)  # あ in UTF-8
string(ASCII 133 64 undefined_pair)  # 0x85 0x40: no character in code page 932
function(drawing path text)
  write_drawing(${path} 0 TEXT 10 1 1 "${text}")
endfunction()
drawing(in/a.dxf "A${hiragana_a}")
drawing(in/B.DXF "B")
drawing(in/notes.txt "not a drawing")
drawing(in/sub/c.dxf "C")
drawing(broken.dxf "X${lone_lead}")
drawing(odd.dxf "Y${undefined_pair}")

# A folder: its drawings in any letter case, not its subfolders.
run(0 in)
expect_file(in/a.csv TRUE)
expect_file(in/B.csv TRUE)
expect_file(in/notes.csv FALSE)
expect_file(in/sub/c.csv FALSE)
expect_match("${err}" "converted 2, failed 0, records 2" "summary")
# -r descends; -d gathers the outputs into a new folder, the tree mirrored,
# so that two plan.dxf in different subfolders both convert.
file(MAKE_DIRECTORY ${WORK}/in/sub/deeper)
drawing(in/sub/deeper/a.dxf "deeper")
run(0 -r -d out/all in)
expect_file(out/all/a.csv TRUE)
expect_file(out/all/sub/c.csv TRUE)
expect_file(out/all/sub/deeper/a.csv TRUE)
file(REMOVE_RECURSE ${WORK}/in/sub/deeper)

# A folder without drawings is a warning, not the end of the run; only
# when no input holds any drawing does the run fail with status 2.
file(MAKE_DIRECTORY ${WORK}/empty)
run(0 -d out/warned empty in/a.dxf)
expect_match("${err}" "no drawing found: empty.*converted 1, failed 0" "empty folder")
run(2 empty)
# -q prints nothing when all is well.
run(0 -q in/a.dxf)
if(NOT err STREQUAL "")
  message(FATAL_ERROR "--quiet printed: ${err}")
endif()

# Two drawings with one output name: refused before any work.
file(MAKE_DIRECTORY ${WORK}/clash)
drawing(clash/a.dxf "other")
run(2 -d out/clash in/a.dxf clash/a.dxf)
expect_match("${err}" "same output" "collision message")
expect_file(out/clash FALSE)
# An output that is another input, however it is spelled, is refused too:
# in/sub/c.dxf would write over the drawing out/sub/c.csv.
file(MAKE_DIRECTORY ${WORK}/out/sub)
drawing(out/sub/c.csv "a drawing")
file(SHA256 ${WORK}/out/sub/c.csv drawing_hash)
foreach(arguments "-r;-d;out;in;out/sub/c.csv" "-r;-d;out;in;./out/sub/c.csv")
  run(2 ${arguments})
  expect_match("${err}" "overwrite the input" "${arguments}")
  file(SHA256 ${WORK}/out/sub/c.csv hash)
  if(NOT hash STREQUAL drawing_hash)
    message(FATAL_ERROR "${arguments} wrote over an input")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK}/out/sub)

# Failures mixed with successes: exit 1, one line per failed drawing in input
# order, a summary, and no partial output.
run(1 -j 1 --no-progress in/a.dxf broken.dxf missing.dxf in/B.DXF)
expect_match("${err}" "broken\\.dxf: line 10: .*double-byte.*missing\\.dxf: cannot open: file not found.*converted 2, failed 2" "mixed run")
expect_file(broken.csv FALSE)
expect_file(missing.csv FALSE)
set(sequential "${err}")

# -j: the same bytes and the same messages in the same order.
foreach(jobs 1 4)
  file(REMOVE_RECURSE ${WORK}/out/j${jobs})
  run(1 -j ${jobs} -d out/j${jobs} in/a.dxf broken.dxf in/B.DXF in/sub/c.dxf missing.dxf)
  string(REGEX REPLACE "[0-9.]+ s" "" err_${jobs} "${err}")
endforeach()
if(NOT err_1 STREQUAL err_4)
  message(FATAL_ERROR "-j 4 reported differently:\n${err_1}\n---\n${err_4}")
endif()
foreach(name a B c)
  file(SHA256 ${WORK}/out/j1/${name}.csv one)
  file(SHA256 ${WORK}/out/j4/${name}.csv four)
  if(NOT one STREQUAL four)
    message(FATAL_ERROR "${name}.csv differs between -j 1 and -j 4")
  endif()
endforeach()

# UTF-8 output: the header and the texts as UTF-8, with or without a BOM.
run(0 --encoding utf-8 -o utf8.csv in/a.dxf)
file(READ ${WORK}/utf8.csv utf8 HEX)
expect_match("${utf8}" "^2258222c2259222c225a222c22e69687e5ad97e58685e5aeb9220d0a" "UTF-8 header")
expect_match("${utf8}" "2241e38182220d0a$" "UTF-8 text")
# The byte-order mark begins the file and is written once, in either mode.
write_drawing(texts.dxf 0 TEXT 1 "A${hiragana_a}" 0 TEXT 1 B 0 TEXT 1 C)
foreach(mode "" "--full")
  run(0 ${mode} --encoding utf-8 --bom -o bom.csv texts.dxf)
  file(READ ${WORK}/bom.csv bom HEX)
  string(REGEX REPLACE "(..)" "\\1 " bom "${bom}")
  string(REGEX MATCHALL "ef bb bf " marks "${bom}")
  list(LENGTH marks count)
  if(NOT bom MATCHES "^ef bb bf 22 " OR NOT count EQUAL 1)
    message(FATAL_ERROR "${mode}: ${count} byte-order marks: ${bom}")
  endif()
endforeach()
run(2 --bom in/a.dxf)
# A byte sequence outside code page 932 is never altered silently.
run(1 --encoding utf-8 odd.dxf)
expect_match("${err}" "line 10: .*code page 932" "invalid bytes")
expect_file(odd.csv FALSE)
run(0 --encoding utf-8 --invalid replace odd.dxf)
file(READ ${WORK}/odd.csv odd HEX)
expect_match("${odd}" "2259efbfbd40220d0a$" "replacement character")

# The decimal separator.
run(0 --decimal-separator , -o comma.csv in/a.dxf)
file(READ ${WORK}/comma.csv comma)
expect_match("${comma}" "\"1\",\"0\",\"0\"," "separator: each number quoted")

# The user's language: Japanese help and messages for a Japanese user.
set(ENVIRONMENT TORIDASU_LANG=ja)
run(0 --help)
if(WINDOWS)
  # Not a console here, so the bytes are Shift-JIS.
  string(ASCII 130 204 no_native)       # の
  string(ASCII 140 143 ken_native)      # 件
else()
  string(ASCII 227 129 174 no_native)   # の
  string(ASCII 228 187 182 ken_native)  # 件
endif()
expect_match("${out}" "${no_native}" "Japanese help")
run(0 in/a.dxf)
expect_match("${err}" " 1 ${ken_native}" "Japanese summary")
set(ENVIRONMENT TORIDASU_LANG=en)
run(0 --help)
expect_match("${out}" "Writes the text entities" "English help")

# Patterns with * and ? are expanded by the converter itself on Windows.
if(WINDOWS)
  file(REMOVE ${WORK}/in/a.csv ${WORK}/in/B.csv)
  run(0 "in/*.dxf")
  expect_match("${err}" "converted 2, failed 0" "pattern")
  expect_file(in/B.csv TRUE)
  run(0 "in/?.dxf")
  expect_match("${err}" "converted 2" "single-character pattern")
  # Worker threads end after every batch. Per-thread storage with a
  # destructor once made about one such exit in twenty crash on this build,
  # so a few batches in a row must all end well.
  foreach(round RANGE 1 25)
    run(0 -q -j 2 "in/*.dxf")
  endforeach()
endif()

# Drawings named outside code page 932 (𠮷, é) and inside it (図面) convert
# by name, by folder, down the tree, into a folder so named and (on Windows)
# by pattern: each CSV bears its drawing's exact name and its own text.
# Arguments | the folders that get the three CSV files (both comma-separated)
set(wide_names 𠮷野邸 café 図面)
set(wide_cases
  "wide/𠮷野邸.dxf,wide/café.dxf,wide/図面.dxf|wide"
  "-d,out/wide-folder,wide|out/wide-folder"
  "-r,-d,out/wide-tree,wide|out/wide-tree,out/wide-tree/sub"
  "-d,出力𠮷,wide/𠮷野邸.dxf,wide/café.dxf,wide/図面.dxf|出力𠮷")
if(WINDOWS)
  list(APPEND wide_cases "-d,out/wide-pattern,wide/*野邸.dxf,wide/caf?.dxf,wide/図*.dxf|out/wide-pattern")
endif()
file(MAKE_DIRECTORY ${WORK}/wide/sub)
set(header_hex "2258222c2259222c225a222c2295b68e9a93e0976522")  # "X","Y","Z","文字内容"
set(number 0)
foreach(name ${wide_names})
  math(EXPR number "${number} + 1")
  drawing(wide/${name}.dxf "${hiragana_a}${number}")
  drawing(wide/sub/${name}.dxf "${hiragana_a}${number}")
  set(csv_hex_${number} "${header_hex}0d0a312c302c302c2282a03${number}220d0a")  # 1,0,0,"あN"
endforeach()
foreach(case ${wide_cases})
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 arguments)
  list(GET case 1 places)
  string(REPLACE "," ";" arguments "${arguments}")
  string(REPLACE "," ";" places "${places}")
  run(0 -j 2 ${arguments})
  foreach(place ${places})
    file(GLOB made RELATIVE ${WORK}/${place} ${WORK}/${place}/*.csv)
    list(SORT made)
    set(expected ${wide_names})
    list(TRANSFORM expected APPEND .csv)
    list(SORT expected)
    if(NOT made STREQUAL expected)
      message(FATAL_ERROR "${arguments}: ${place} holds '${made}', expected '${expected}'")
    endif()
    set(number 0)
    foreach(name ${wide_names})
      math(EXPR number "${number} + 1")
      file(READ ${WORK}/${place}/${name}.csv csv HEX)
      if(NOT csv STREQUAL csv_hex_${number})
        message(FATAL_ERROR "${arguments}: ${place}/${name}.csv holds ${csv}")
      endif()
    endforeach()
  endforeach()
endforeach()
# Failed drawings of such names: the messages name them as the code page
# can (Shift-JIS here on Windows, "?" for what it lacks), and no partial
# output is left.
file(MAKE_DIRECTORY ${WORK}/wide-broken)
write_broken_drawing(wide-broken/𠮷野邸.dxf)
write_broken_drawing(wide-broken/café.dxf)
run(1 -j 1 wide-broken/𠮷野邸.dxf wide-broken/café.dxf)
if(WINDOWS)
  string(ASCII 150 236 147 64 wide_shown)  # 野邸 in Shift-JIS
  set(wide_shown "${wide_shown}\\.dxf: line 12.*caf[?]\\.dxf: line 12")
else()
  set(wide_shown "野邸\\.dxf: line 12.*café\\.dxf: line 12")
endif()
expect_match("${err}" "${wide_shown}" "failed drawings of wide names")
file(GLOB left ${WORK}/wide-broken/*.csv)
if(left)
  message(FATAL_ERROR "failed conversions left ${left}")
endif()

# A folder link that leads back up is reported and never walked; a second
# link to a folder walked already adds nothing (Wine shows Linux links as
# plain folders, so that part is Linux's).
file(MAKE_DIRECTORY ${WORK}/loop/a)
drawing(loop/a/x.dxf "X")
file(CREATE_LINK .. ${WORK}/loop/a/up SYMBOLIC)
if(NOT WINDOWS)
  file(CREATE_LINK a ${WORK}/loop/b SYMBOLIC)
endif()
run(0 -r loop)
expect_match("${err}" "leads back into itself and is not followed: loop.a.up.*converted 1, failed 0"
             "folder loop")

# Standard input and output: "-o -" writes the CSV to stdout and "-" as the
# drawing reads stdin; neither goes with several drawings or with -d.
file(READ ${WORK}/in/a.csv a_csv)
run(0 -q -o - in/a.dxf)
if(NOT out STREQUAL a_csv)
  message(FATAL_ERROR "-o - wrote '${out}', expected '${a_csv}'")
endif()
set(STDIN in/a.dxf)
run(0 -q -)
if(NOT out STREQUAL a_csv)
  message(FATAL_ERROR "- wrote '${out}', expected '${a_csv}'")
endif()
run(0 -q -o piped.csv -)
file(READ ${WORK}/piped.csv piped)
if(NOT piped STREQUAL a_csv)
  message(FATAL_ERROR "- -o piped.csv wrote '${piped}'")
endif()
unset(STDIN)
foreach(misuse "-;in/a.dxf" "-o;-;in/a.dxf;in/B.DXF" "-d;out/std;-")
  run(2 ${misuse})
  expect_match("${err}" "standard input or output" "${misuse}")
endforeach()

# Encoding names as users write them.
foreach(spelling utf-8 UTF-8 utf8 shift_jis shift-jis sjis cp932)
  run(0 -q --encoding ${spelling} -o - in/a.dxf)
  if(spelling MATCHES "^[uU]")
    expect_match("${out}" "A${utf8_a}" "${spelling}")
  elseif(NOT out STREQUAL a_csv)
    message(FATAL_ERROR "--encoding ${spelling} changed the bytes")
  endif()
endforeach()
run(2 --encoding latin-1 in/a.dxf)
