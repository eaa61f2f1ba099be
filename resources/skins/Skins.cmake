# The program's skins are painted by cq-skingen and packed by cq-skinpack at
# build time: 1.skn ... 7.skn go to the program's skins folder, the default
# skin into a resource of cq_skin.
set(CQ_SKIN_SOURCES_DIR ${CMAKE_BINARY_DIR}/skin-sources CACHE INTERNAL "Painted skin folders")
set(CQ_DEFAULT_SKIN ${CMAKE_BINARY_DIR}/skin-default/default.skn CACHE INTERNAL "The packed default skin")
set(skin_outputs)
foreach(id default 1 2 3 4 5 6 7)
  if(id STREQUAL "default")
    set(out ${CQ_DEFAULT_SKIN})
  else()
    set(out ${CQ_BIN_DIR}/skins/${id}.skn)
  endif()
  add_custom_command(OUTPUT ${out}
    COMMAND cq-skingen ${CQ_SKIN_SOURCES_DIR} ${id}
    COMMAND cq-skinpack ${CQ_SKIN_SOURCES_DIR}/${id} ${out}
    DEPENDS cq-skingen cq-skinpack
    COMMENT "Painting and packing skin ${id}"
    VERBATIM)
  list(APPEND skin_outputs ${out})
endforeach()
# The main window keeps the default skin as its stored-skin stream: the byte
# count, then the skin file (":/skins/SkinData1.SkinStream").
set(CQ_DEFAULT_STREAM ${CMAKE_BINARY_DIR}/skin-default/SkinData1.SkinStream)
add_custom_command(OUTPUT ${CQ_DEFAULT_STREAM}
  COMMAND ${PROJECT_SOURCE_DIR}/resources/skins/make_stream.sh ${CQ_DEFAULT_SKIN} ${CQ_DEFAULT_STREAM}
  DEPENDS ${CQ_DEFAULT_SKIN} ${PROJECT_SOURCE_DIR}/resources/skins/make_stream.sh
  COMMENT "Storing the default skin as the main window's skin stream"
  VERBATIM)
list(APPEND skin_outputs ${CQ_DEFAULT_STREAM})
add_custom_target(cq_skins ALL DEPENDS ${skin_outputs})
qt_add_resources(cq_skin "skins" PREFIX "/skins" BASE ${CMAKE_BINARY_DIR}/skin-default FILES ${CQ_DEFAULT_STREAM})
qt_add_resources(cq_skin "skin_glyphs" PREFIX "/skin" BASE ${PROJECT_SOURCE_DIR}/resources/skin FILES ${PROJECT_SOURCE_DIR}/resources/skin/SKINMENUGLYPHS.bmp)
