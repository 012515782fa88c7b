# vell: the windowed part of the library (services object, base classes,
# localisation, bounds, small controls, About box), on fw/gui.
set(VELL_SOURCES VellClass.cpp VellBounds.cpp Localize.cpp VellApp.cpp VellWindow.cpp
    UrlStaticText.cpp VellEdit.cpp AboutWindow.cpp)
list(TRANSFORM VELL_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
add_library(vell STATIC ${VELL_SOURCES})
target_link_libraries(vell PUBLIC vell_core fw_gui PRIVATE varnel_warnings)
# All of applib: the windowed part builds on the stores.
varnel_headers(vell applib)
