# toridasu-cli as a user meets it: help, version, usage errors, a failed and
# a successful conversion, the default output name.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)

run(0 --help)
expect_match("${out}" "INPUT" "--help lists INPUT")
run(0 --version)
expect_match("${out}" "toridasu-cli [0-9]+\\.[0-9]+\\.[0-9]+" "--version")
run(2)
run(2 --no-such-option plan.dxf)
run(2 --full --columns x,nope plan.dxf)
expect_match("${err}" "nope.*x,y,z,text,type,layer,handle,height,rotation,style,align_x,align_y,align_z,space,block" "an unknown column: the names to choose from")

# A drawing with two texts, CR LF line ends.
set(drawing "0${crlf}SECTION${crlf}2${crlf}ENTITIES${crlf}0${crlf}TEXT${crlf}10${crlf}1.5${crlf}20${crlf}-2${crlf}1${crlf}A\"B${crlf}0${crlf}MTEXT${crlf}10${crlf}1e3${crlf}1${crlf}x,y${crlf}0${crlf}ENDSEC${crlf}0${crlf}EOF${crlf}")
file(WRITE ${WORK}/plan.v2.dxf "${drawing}")
file(SHA256 ${WORK}/plan.v2.dxf drawing_hash)

# The hint towards --full: a reference to a block of two texts (and an
# invisible one, which --full leaves out), beside the text that the default
# mode writes; none under -q.
string(JOIN "${crlf}" referenced 0 SECTION 2 BLOCKS 0 BLOCK 2 TAG 10 0 20 0 0 TEXT 1 a 0 TEXT
       1 b 0 TEXT 60 1 1 c 0 ENDBLK 0 ENDSEC 0 SECTION 2 ENTITIES 0 TEXT 1 top 0 INSERT 2 TAG
       10 5 20 5 0 ENDSEC 0 EOF "")
file(WRITE ${WORK}/referenced.dxf "${referenced}")
run(0 referenced.dxf)
expect_match("${err}" "referenced\\.dxf: --full writes 2 more texts.*records 1,"
             "the hint beside records written")
run(0 -q referenced.dxf)
if(err MATCHES "--full")
  message(FATAL_ERROR "-q shows the hint: ${err}")
endif()

# A drawing cut before its EOF converts with one warning at its last line, in
# both modes, whether that line has its line end or not; one that ends
# properly gives none.
foreach(cut "0\nSECTION\n2\nENTITIES\n0\nTEXT\n1\nkept\n0\nTE"
            "0\nSECTION\n2\nENTITIES\n0\nTEXT\n1\nkept\n0\nTE\n")
  file(WRITE ${WORK}/cut.dxf "${cut}")
  foreach(mode "" "--full")
    run(0 ${mode} cut.dxf)
    expect_match("${err}" "cut\\.dxf: line 10: warning: .*without its EOF.*records 1, warnings 1,"
                  "a cut drawing ${mode}")
  endforeach()
endforeach()
run(0 plan.v2.dxf)
if(NOT err MATCHES "warnings 0," OR err MATCHES "warning:")
  message(FATAL_ERROR "a whole drawing warned: ${err}")
endif()

# A file without line ends is refused once its line passes the bound, not
# held whole, in both modes; a device of zeros is no text at all.
if(NOT RUNNER AND EXISTS /dev/zero)
  foreach(mode "" "--full")
    execute_process(COMMAND yes x COMMAND tr -d "\n"
      COMMAND ${CMAKE_COMMAND} -E env ${ENVIRONMENT} ${CLI} ${mode} -o endless.csv -
      WORKING_DIRECTORY ${WORK} RESULTS_VARIABLE codes ERROR_VARIABLE err)
    expect_match("${codes}" ";1$" "the exit of an endless line ${mode}")
    expect_match("${err}" "line 1: a line longer than 256 MB" "an endless line ${mode}")
    run(1 ${mode} -o zero.csv /dev/zero)
    expect_match("${err}" "/dev/zero: a binary file" "a device of zeros ${mode}")
    if(EXISTS ${WORK}/zero.csv OR EXISTS ${WORK}/endless.csv)
      message(FATAL_ERROR "an endless line left its output")
    endif()
  endforeach()
endif()

# --list-layers: the layers of the table, then those that only texts name,
# each with the texts --full writes on it (a text on a layer that is off is
# left out and counted apart); no file is written. Only with --full.
string(JOIN "${crlf}" layered 0 SECTION 2 TABLES 0 TABLE 2 LAYER 0 LAYER 2 Walls 62 7 0 LAYER 2
       Off 62 -7 0 LAYER 2 Empty 0 ENDTAB 0 ENDSEC 0 SECTION 2 ENTITIES 0 TEXT 8 walls 1 a
       0 TEXT 8 Off 1 b 0 TEXT 8 Notes 1 c 0 TEXT 8 Notes 1 d 0 ENDSEC 0 EOF "")
file(WRITE ${WORK}/layered.dxf "${layered}")
run(0 --full --list-layers layered.dxf)
if(NOT out STREQUAL "Walls\t1\nOff\t0\nEmpty\t0\nNotes\t2\n")
  message(FATAL_ERROR "--list-layers printed: '${out}'")
endif()
expect_match("${err}" "layered\\.dxf: 1 texts that the drawing hides .*--hidden writes them"
             "the texts left out, and the option that writes them")
if(EXISTS ${WORK}/layered.csv)
  message(FATAL_ERROR "--list-layers wrote layered.csv")
endif()
run(2 --list-layers layered.dxf)
expect_match("${err}" "--list-layers goes with --full" "--list-layers without --full")
run(2 --full --layers " , " layered.dxf)
expect_match("${err}" "--layers does not take this value" "--layers naming no layer")
# --layers as the user types it: a Jw_cad layer (Shift-JIS, no header) after a wildcard.
string(ASCII 142 186 150 188 room_layer)  # 室名 in Shift-JIS
write_drawing(jw.dxf 0 TEXT 8 "_0-6__${room_layer}" 1 room 0 TEXT 8 _0-7__dim 1 other)
run(0 --full --layers "*室名" -o - jw.dxf)
if(NOT out MATCHES "\"room\"" OR out MATCHES "other")
  message(FATAL_ERROR "--layers *室名 wrote: '${out}'")
endif()

# The output may not name the input.
run(2 -o plan.v2.dxf plan.v2.dxf)
file(SHA256 ${WORK}/plan.v2.dxf kept_hash)
if(NOT kept_hash STREQUAL drawing_hash)
  message(FATAL_ERROR "a refused run changed the input")
endif()

# Default output: the last extension replaced.
run(0 plan.v2.dxf)
file(READ ${WORK}/plan.v2.csv csv HEX)
set(expected_hex "225822")  # "X"
string(FIND "${csv}" "${expected_hex}" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "plan.v2.csv does not start with the header: ${csv}")
endif()
file(READ ${WORK}/plan.v2.csv csv_text)
expect_match("${csv_text}" "1\\.5,-2,0,\"A" "first record")
expect_match("${csv_text}" "1000,0,0,\"x,y\"" "second record")

# A dot in a folder's name is no extension.
file(MAKE_DIRECTORY ${WORK}/plans.v2)
file(WRITE ${WORK}/plans.v2/plan "${drawing}")
run(0 plans.v2/plan)
if(NOT EXISTS ${WORK}/plans.v2/plan.csv OR EXISTS ${WORK}/plans.csv)
  message(FATAL_ERROR "plans.v2/plan was not written to plans.v2/plan.csv")
endif()

# -o names the output exactly.
run(0 -o named.txt plan.v2.dxf)
if(NOT EXISTS ${WORK}/named.txt)
  message(FATAL_ERROR "-o named.txt wrote nothing")
endif()

# A missing drawing: exit 1, the reason on stderr, nothing written.
run(1 missing.dxf)
expect_match("${err}" "missing\\.dxf" "the message names the drawing")
if(EXISTS ${WORK}/missing.csv)
  message(FATAL_ERROR "a failed conversion left missing.csv")
endif()

# A text whose last byte is a lone lead byte: exit 1 with its line, no output.
write_broken_drawing(broken.dxf)
run(1 broken.dxf)
expect_match("${err}" "line 12" "the message gives the text's line")
expect_match("${err}" "double-byte" "the message names the cause")
if(EXISTS ${WORK}/broken.csv)
  message(FATAL_ERROR "a failed conversion left broken.csv")
endif()

# A failed conversion leaves the previous output exactly as it was, and a
# link to it stays a link; a conversion that succeeds replaces the file that
# the link leads to. The drawing (UTF-8, of 2007) holds a euro sign: the
# default mode writes its bytes, --full cannot write it in Shift-JIS.
string(JOIN "${crlf}" euro 0 SECTION 2 HEADER 9 $ACADVER 1 AC1021 0 ENDSEC 0 SECTION 2 ENTITIES
       0 TEXT 1 "€" 0 ENDSEC 0 EOF "")
file(WRITE ${WORK}/euro.dxf "${euro}")
file(MAKE_DIRECTORY ${WORK}/kept)
# Output, and the file that holds it. A name too long for a temporary file
# beside it has one of a short name in its folder.
string(REPEAT "n" 240 long)
set(outputs "kept/plain.csv>kept/plain.csv" "kept/${long}.csv>kept/${long}.csv")
if(NOT WINDOWS)  # Wine shows a link as the file it leads to
  file(CREATE_LINK plain.csv ${WORK}/kept/link.csv SYMBOLIC)
  list(APPEND outputs "kept/link.csv>kept/plain.csv")
endif()
foreach(row ${outputs})
  string(REPLACE ">" ";" row "${row}")
  list(GET row 0 output)
  list(GET row 1 file)
  run(0 -o ${output} euro.dxf)
  file(SHA256 ${WORK}/${file} previous)
  run(1 --full -o ${output} euro.dxf)
  file(SHA256 ${WORK}/${file} after_failure)
  run(0 --full --encoding utf-8 -o ${output} euro.dxf)
  file(READ ${WORK}/${file} replaced)
  file(GLOB kept ${WORK}/kept/*)
  if(NOT after_failure STREQUAL previous OR NOT replaced MATCHES "^\"x\"" OR kept MATCHES "\\.tmp")
    message(FATAL_ERROR "${output}: previous file not kept, or not replaced, or left: ${kept}")
  endif()
endforeach()
if(NOT WINDOWS AND NOT IS_SYMLINK ${WORK}/kept/link.csv)
  message(FATAL_ERROR "kept/link.csv is no longer a link")
endif()
