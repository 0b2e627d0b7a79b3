# toridasu-cli on the Jw_cad drawings of the shared samples (CORPUS), in both
# modes: the number of texts of each, and texts read from the files by hand
# with their real-size points; inputs recognised by their content, whatever
# their names. With a reference converter (the native build's), both builds
# write the same bytes.
if(NOT IS_DIRECTORY "${CORPUS}")
  message(STATUS "no Jw_cad samples at ${CORPUS}: nothing to convert")
  return()
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
include(${CMAKE_CURRENT_LIST_DIR}/cli_test_support.cmake)

# The texts Jw_cad shows in each: the block samples hold lines and circles
# only (their texts at 0,-1000 are Jw_cad 8's settings), and Test6 hides 211
# of its texts in hidden layer groups.
set(counts Test1 36 Test2 23 Test3 56 Test4 21 Test5 43 Test6 24 Test7 93
    block_2-circles-blocks 0 block_2blocks 0 block_3blocks 0 block_copy-block 0
    block_non_block 0 block_out1_in2 0 block_sqr-circle-blocks 0)
set(full_options --full --encoding utf-8 --columns x,y,text,layer,type)
run(0 ${full_options} -q -d full ${CORPUS})
run(0 -q -d exact ${CORPUS})
set(total 0)
while(counts)
  list(POP_FRONT counts name expected)
  foreach(mode full exact)
    file(READ ${WORK}/${mode}/${name}.csv csv)
    string(REGEX MATCHALL "\n" lines "${csv}")
    list(LENGTH lines written)
    math(EXPR written "${written} - 1")  # the header
    if(NOT written EQUAL expected)
      message(FATAL_ERROR "${name}: ${written} texts in ${mode} mode, ${expected} expected")
    endif()
  endforeach()
  math(EXPR total "${total} + 1")
endwhile()
file(GLOB samples ${CORPUS}/*.jww)
list(LENGTH samples found)
if(NOT found EQUAL total)
  message(FATAL_ERROR "${found} samples, ${total} counted")
endif()

# Dimension values and notes at paper size times their group's scale (1/200
# in Test3 and Test6, 1/100 in Test2), turned texts with their angle.
foreach(expected
    "Test3|-19224.0256291099,-34309.8457837197,\"10,000\",\"0-3 説明\",\"TEXT\""
    "Test3|9532.43054717664,-34684.8453676378,\"9,000\",\"0-3 説明\",\"TEXT\""
    "Test3|-3868.15088927516,-21717.7604822579,\"20,000\",\"0-0 敷地他\",\"TEXT\""
    "Test3|-4357.52863939205,-27551.3513513514,\"参考立面図\",\"0-3 説明\",\"TEXT\""
    "Test2|12384.555984556,-9991.50568840587,\"５ｍライン\",\"0-8 敷地\",\"TEXT\""
    "Test6|-28897.2970439661,5932.81853281853,\"２．５Ｄ　ＴＥＳＴデータ\",\"0-1 敷地・建物/タイトル\",\"TEXT\"")
  string(FIND "${expected}" "|" bar)
  string(SUBSTRING "${expected}" 0 ${bar} name)
  math(EXPR bar "${bar} + 1")
  string(SUBSTRING "${expected}" ${bar} -1 record)
  file(READ ${WORK}/full/${name}.csv csv)
  string(FIND "${csv}" "${record}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${name}: no record ${record}")
  endif()
endforeach()
file(READ ${WORK}/exact/Test3.csv csv)
string(FIND "${csv}" "-19224.0256291099,-34309.8457837197,0,\"10,000\"\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "Test3: the default mode's record of 10,000 is missing")
endif()
run(0 --full --hidden -o Test6-hidden.csv ${CORPUS}/Test6.jww)
expect_match("${err}" "records 235," "Test6 with its hidden texts")

# Recognised by content: a Jw_cad drawing named .dxf, a DXF named .jww; what
# is no drawing fails with what it is, and leaves nothing behind.
file(COPY_FILE ${CORPUS}/Test3.jww ${WORK}/named.dxf)
write_drawing(drawing.jww 0 TEXT 1 dxf)
file(WRITE ${WORK}/empty.dxf "")
file(WRITE ${WORK}/plan.dxf "AC1018 and the rest of a DWG")
file(COPY_FILE ${CLI} ${WORK}/program.dxf)
run(1 named.dxf drawing.jww empty.dxf plan.dxf program.dxf)
expect_match("${err}" "empty.dxf: the file is empty.*plan.dxf: a DWG file: save it as DXF.*"
             "program.dxf: a binary file.*converted 2, failed 3, records 57," "recognition")
foreach(left empty plan program)
  if(EXISTS ${WORK}/${left}.csv)
    message(FATAL_ERROR "${left}.csv was left behind")
  endif()
endforeach()

# Folders give their .jww files in any letter case; a drawing cut short
# converts as far as it goes, its end named by offset.
file(MAKE_DIRECTORY ${WORK}/folder)
file(COPY_FILE ${CORPUS}/Test2.jww ${WORK}/folder/UPPER.JWW)
execute_process(COMMAND head -c 20000 ${CORPUS}/Test1.jww OUTPUT_FILE ${WORK}/folder/cut.jww)
run(0 --full -d out folder)
expect_match("${err}" "cut.jww: offset 20000: warning: the drawing ends here, cut short.*"
             "converted 2, failed 0," "a folder of Jw_cad drawings")

if(REFERENCE_CLI)
  foreach(mode full exact)
    set(options)
    if(mode STREQUAL "full")
      set(options ${full_options})
    endif()
    execute_process(COMMAND ${REFERENCE_CLI} ${options} -q -d ${WORK}/reference-${mode} ${CORPUS}
      RESULT_VARIABLE code ERROR_QUIET)
    foreach(sample IN LISTS samples)
      get_filename_component(name ${sample} NAME_WLE)
      file(SHA256 ${WORK}/${mode}/${name}.csv ours)
      file(SHA256 ${WORK}/reference-${mode}/${name}.csv theirs)
      if(NOT ours STREQUAL theirs)
        message(FATAL_ERROR "${name}: the two builds wrote different bytes in ${mode} mode")
      endif()
    endforeach()
  endforeach()
  message(STATUS "${total} Jw_cad samples, the same bytes as the reference converter")
endif()
