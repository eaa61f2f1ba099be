# The fuzz entry points of the parsers. Each entry point is one
# file, compiled two ways:
#  - always, into the fuzz suite (fuzz_tests), which replays every file of
#    tests/fuzz/corpus/<name> through it with the normal compiler;
#  - with CQ_FUZZ (clang), into the libFuzzer target cq-fuzz-<name>, with the
#    parser's own sources compiled in so that they carry the fuzzer's coverage
#    instrumentation. The target also links the parser's library for its
#    include paths and dependencies; none of the library's objects is pulled
#    in, as the instrumented copies already define what the entry point uses.
#    Beside it, cq-fuzz-cov-<name> (built only when asked for) runs files
#    through the same entry point with source-based coverage of the parser's
#    sources (make fuzz-coverage).

set(CQ_FUZZ_ENTRIES)

# cq_fuzz_target(NAME ENTRY file.cpp SOURCES parser sources... DEPS libraries...)
function(cq_fuzz_target name)
  cmake_parse_arguments(ARG "" "ENTRY" "SOURCES;DEPS;DEFINES" ${ARGN})
  set(CQ_FUZZ_ENTRIES ${CQ_FUZZ_ENTRIES} ${ARG_ENTRY} PARENT_SCOPE)
  if(NOT CQ_FUZZ)
    return()
  endif()
  list(TRANSFORM ARG_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
  set(fuzzer cq-fuzz-${name})
  set(coverage cq-fuzz-cov-${name})
  add_executable(${fuzzer} ${ARG_ENTRY} FuzzTarget.cpp ${ARG_SOURCES})
  add_executable(${coverage} EXCLUDE_FROM_ALL ${ARG_ENTRY} FuzzTarget.cpp ReplayMain.cpp ${ARG_SOURCES})
  foreach(t ${fuzzer} ${coverage})
    target_include_directories(${t} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${t} PRIVATE CQ_LIBFUZZER CQ_SOURCE_DIR="${PROJECT_SOURCE_DIR}" ${ARG_DEFINES})
    target_link_libraries(${t} PRIVATE ${ARG_DEPS} Qt6::Core)
  endforeach()
  target_compile_options(${fuzzer} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
                                           -fno-omit-frame-pointer)
  target_link_options(${fuzzer} PRIVATE -fsanitize=fuzzer,address,undefined)
  set_target_properties(${fuzzer} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_compile_options(${coverage} PRIVATE -fprofile-instr-generate -fcoverage-mapping)
  target_link_options(${coverage} PRIVATE -fprofile-instr-generate)
  set_target_properties(${coverage} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-cov)
endfunction()

cq_fuzz_target(int-text ENTRY IntTextFuzz.cpp SOURCES platform/IntText.cpp DEPS cq_platform)
cq_fuzz_target(gbk ENTRY GbkFuzz.cpp SOURCES platform/Gbk.cpp DEPS cq_platform)
cq_fuzz_target(profile ENTRY ProfileFuzz.cpp
  SOURCES platform/Profile.cpp platform/FileReplace.cpp platform/Gbk.cpp DEPS cq_platform)
cq_fuzz_target(search ENTRY SearchFuzz.cpp
  SOURCES data/SearchWords.cpp app/Queries.cpp DEPS cq_data)
cq_fuzz_target(connection ENTRY ConnectionFuzz.cpp
  SOURCES data/Connection.cpp DEPS cq_data DEFINES SQLITE_HAS_CODEC)
set(corpus_sources Utf8.cpp TextRules.cpp Forms.cpp CharacterRule.cpp Eras.cpp Tsv.cpp Anthology.cpp Sources.cpp
                   QuTitles.cpp QuWorks.cpp)
list(TRANSFORM corpus_sources PREPEND tools/corpus/)
cq_fuzz_target(corpus-json ENTRY CorpusJsonFuzz.cpp SOURCES ${corpus_sources} DEPS cq_corpus)
cq_fuzz_target(corpus-tsv ENTRY CorpusTsvFuzz.cpp SOURCES tools/corpus/Tsv.cpp DEPS cq_corpus)
cq_fuzz_target(life-dates ENTRY LifeDatesFuzz.cpp
  SOURCES tools/corpus/Eras.cpp tools/corpus/TextRules.cpp tools/corpus/Utf8.cpp DEPS cq_corpus)
# The skin layer: the compressed layer, the archive, the whole skin file, the
# bitmaps, the INI and the elements with their drawing. The targets share
# SkinFuzzSupport.cpp; the packer's encoder and archive writer make inputs the
# decoder and reader must read back.
set(skin_support tests/fuzz/SkinFuzzSupport.cpp)
set(skin_core Lzh.cpp SkinReader.cpp QuickIni.cpp BmpLoader.cpp SkinBudget.cpp SkinDraw.cpp SkinElements.cpp)
list(TRANSFORM skin_core PREPEND skin/core/)
set(skin_deps cq_skin_core cq_skinpack_core)
cq_fuzz_target(skin-lzh ENTRY SkinLzhFuzz.cpp SOURCES skin/core/Lzh.cpp DEPS ${skin_deps})
cq_fuzz_target(skin-archive ENTRY SkinArchiveFuzz.cpp SOURCES skin/core/SkinReader.cpp ${skin_support} DEPS ${skin_deps})
cq_fuzz_target(skin-stream ENTRY SkinStreamFuzz.cpp SOURCES ${skin_core} ${skin_support} DEPS ${skin_deps})
cq_fuzz_target(skin-bmp ENTRY SkinBmpFuzz.cpp SOURCES skin/core/BmpLoader.cpp DEPS ${skin_deps})
cq_fuzz_target(skin-ini ENTRY SkinIniFuzz.cpp SOURCES skin/core/QuickIni.cpp skin/core/SkinReader.cpp DEPS ${skin_deps})
cq_fuzz_target(skin-elements ENTRY SkinElementsFuzz.cpp
  SOURCES ${skin_core} ${skin_support} tests/skin/SkinTestData.cpp DEPS ${skin_deps})

if(CQ_BUILD_TESTS)
  cq_test(fuzz SOURCES ReplayTest.cpp FuzzTarget.cpp ${CQ_FUZZ_ENTRIES} SkinFuzzSupport.cpp
                       ${PROJECT_SOURCE_DIR}/tests/skin/SkinTestData.cpp
               DEPS cq_platform cq_data cq_app cq_corpus ${skin_deps})
endif()

# The seeds of the skin targets, from a painted skin (kept in tests/fuzz/corpus;
# run again only to remake them).
add_executable(cq-skin-seeds EXCLUDE_FROM_ALL SkinSeeds.cpp ${PROJECT_SOURCE_DIR}/tests/skin/SkinTestData.cpp)
target_link_libraries(cq-skin-seeds PRIVATE cq_skinpack_core cq_platform Qt6::Gui)
set_target_properties(cq-skin-seeds PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
