# The program icon (drawn by make_icon.sh): the PNG sizes become the window
# icon resource of cq_app (":/icons/cinnabarquillpad-N.png"); the install rules
# put the same files into the hicolor theme.
set(CQ_ICON_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "The program icon's folder")
set(CQ_ICON_SIZES 16 22 24 32 48 64 128 256 CACHE INTERNAL "The program icon's PNG sizes")
set(icon_files)
foreach(size ${CQ_ICON_SIZES})
  list(APPEND icon_files ${CQ_ICON_DIR}/cinnabarquillpad-${size}.png)
endforeach()
qt_add_resources(cq_app "program_icon" PREFIX "/icons" BASE ${CQ_ICON_DIR} FILES ${icon_files})
