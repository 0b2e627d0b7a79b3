# One library per folder, and the build keeps the dependencies pointing one
# way (app -> ui -> engine, files; cli -> jww, xlsx; jww -> full -> model,
# engine; xlsx -> model, engine; engine -> io, text; io, text, files -> base
# -> platform). The drawing model uses only text: a reader of any format feeds
# it (the full mode's DXF reader, the Jw_cad reader), and it reads no format
# itself.
#
# Sources include headers from the tree's root ("engine/x.h"), so the root
# itself is never an include path. Each folder's library instead exposes an
# include root of its own that holds a single link, <folder> -> the folder.
# A target sees a folder's headers only when it links that folder's library,
# so an include against the direction fails to compile.

# Compile and link options of the project's own targets, kept off the
# libraries that come from elsewhere (GoogleTest).
add_library(toridasu_options INTERFACE)
target_compile_options(toridasu_options INTERFACE -Wall -Wextra -Wpedantic)
# A multiply and an add stay two roundings on every target: processors with
# fused multiply-add (Arm, and WebAssembly's hosts) would otherwise place a
# block's texts a last digit apart from the x86 builds.
target_compile_options(toridasu_options INTERFACE -ffp-contract=off)
if(TORIDASU_WERROR)
  target_compile_options(toridasu_options INTERFACE -Werror)
endif()
if(TORIDASU_WINDOWS)
  # Doubles stay doubles: no x87 excess precision anywhere in the program.
  # A hardware fault becomes an error that unwinds through the program's own
  # frames to the message handler's catch.
  target_compile_options(toridasu_options INTERFACE -msse2 -mfpmath=sse -fnon-call-exceptions)
  target_compile_definitions(toridasu_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
  # Address-space layout randomisation and no execution from data pages; the
  # shipped programs carry no symbols and no link time, so that two builds of
  # one version give the same bytes.
  target_link_options(toridasu_options INTERFACE -Wl,--dynamicbase,--nxcompat
    $<$<CONFIG:Release>:-s -Wl,--no-insert-timestamp>)
elseif(NOT TORIDASU_SANITIZE AND NOT TORIDASU_WEB)
  # The usual hardening of an optimised build: stack canaries, checked buffer
  # calls, and a relocation table made read-only before the program runs.
  target_compile_options(toridasu_options INTERFACE
    $<$<NOT:$<CONFIG:Debug>>:-fstack-protector-strong -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
  target_link_options(toridasu_options INTERFACE $<$<NOT:$<CONFIG:Debug>>:-Wl,-z,relro,-z,now>)
endif()
if(TORIDASU_WEB)
  # One thread in the page's worker; exceptions as WebAssembly's own, which
  # cost nothing until one is raised.
  target_compile_definitions(toridasu_options INTERFACE TORIDASU_NO_THREADS)
  target_compile_options(toridasu_options INTERFACE -fwasm-exceptions)
  target_link_options(toridasu_options INTERFACE -fwasm-exceptions)
endif()
if(TORIDASU_SANITIZE)
  target_compile_options(toridasu_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(toridasu_options INTERFACE -fsanitize=address,undefined)
endif()

# Makes <target> the library of the current folder: its headers are seen as
# "<folder>/x.h" by the library itself and by whatever links it.
function(toridasu_layer target)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  toridasu_include_root(${folder} root)
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PRIVATE toridasu_options)
endfunction()

# The include root that shows <folder>'s headers, and nothing else, as
# "<folder>/x.h".
function(toridasu_include_root folder out)
  set(root ${CMAKE_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  set(${out} ${root} PARENT_SCOPE)
endfunction()
