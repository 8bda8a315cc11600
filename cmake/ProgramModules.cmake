# The program's own shared modules: each heavy library (FFmpeg, libheif, and
# later libcrypto or a gazetteer) is linked into one module alone, opened with
# dlopen on first use (src/platform/ProgramModule) through a table of plain C
# functions, so the programs start without loading it.
#
#   dz_program_module(TARGET FILE dezoredu-x.so SOURCES a.cpp ... SYSTEM libs...)
#   dz_place_modules(EXECUTABLE)  # links every module beside it in the build tree
include(GNUInstallDirs)

# Installed here; the loader finds the folder from the program's own.
set(DZ_MODULE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/dezoredu)
file(RELATIVE_PATH DZ_MODULE_FOLDER_FROM_PROGRAM /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${DZ_MODULE_INSTALL_DIR})

function(dz_program_module target)
  cmake_parse_arguments(ARG "" "FILE" "SOURCES;SYSTEM" ${ARGN})
  get_filename_component(stem ${ARG_FILE} NAME_WE)
  add_library(${target} MODULE ${ARG_SOURCES})
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${stem} SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/modules
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  # Every symbol resolved when linking: a module that needs the core would
  # fail when opened, not here.
  target_link_options(${target} PRIVATE -Wl,--no-undefined -Wl,-soname,${ARG_FILE})
  target_link_libraries(${target} PRIVATE ${ARG_SYSTEM})
  install(TARGETS ${target} LIBRARY DESTINATION ${DZ_MODULE_INSTALL_DIR})
  set_property(GLOBAL APPEND PROPERTY DZ_PROGRAM_MODULES ${target})
endfunction()

# A link, not a copy, so a module built again is the one the program opens.
function(dz_place_modules executable)
  get_property(modules GLOBAL PROPERTY DZ_PROGRAM_MODULES)
  foreach(module IN LISTS modules)
    add_dependencies(${executable} ${module})
    add_custom_command(TARGET ${executable} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E create_symlink $<TARGET_FILE:${module}>
              $<TARGET_FILE_DIR:${executable}>/$<TARGET_FILE_NAME:${module}>
      VERBATIM)
  endforeach()
endfunction()
