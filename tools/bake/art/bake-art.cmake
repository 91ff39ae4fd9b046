# The art step: vector art drawn with Cairo, written as image packs. Included by
# tools/bake/CMakeLists.txt in its own scope. tbx_art is also linked by the art tests.
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)

add_library(tbx_art STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ArtImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KitArt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StickArt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ButtonArt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MachineArt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuArt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LogoArt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ArtSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ArtPreview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IconArt.cpp
)
target_include_directories(tbx_art PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tbx_art PUBLIC PkgConfig::CAIRO PkgConfig::FREETYPE tbx_imagewriter tbx_png
                      tbx_graphics)

target_sources(bake PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ArtStep.cpp)
target_link_libraries(bake PRIVATE tbx_art)

file(GLOB ART_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp
     ${CMAKE_CURRENT_LIST_DIR}/*.h)
tbx_bake_step(art
  OUTPUTS imgs/vglogo.img imgs/menuui.img imgs/tamborix.img imgs/buttons.img
          imgs/machine.img imgs/drums.img imgs/drumkit.img imgs/sticks.img
  SOURCES ${ART_SOURCES})

# The desktop icon at every size of the icon theme, drawn from the kit's art, into
# build/icons/<size>x<size>/apps/ (installed into share/icons/hicolor).
add_executable(bake_icons ${CMAKE_CURRENT_LIST_DIR}/IconMain.cpp)
target_link_libraries(bake_icons PRIVATE tbx_art)
set(TBX_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(_icon_outputs "")
foreach(size 48 64 128 256 512)
  list(APPEND _icon_outputs ${TBX_ICON_DIR}/${size}x${size}/apps/${TAMBORIX_APP_ID}.png)
endforeach()
add_custom_command(
  OUTPUT ${_icon_outputs}
  COMMAND ${CMAKE_COMMAND} -E env LSAN_OPTIONS=suppressions=${TBX_BAKE_LSAN}
          $<TARGET_FILE:bake_icons> ${TBX_ICON_DIR} ${TAMBORIX_APP_ID}
  DEPENDS bake_icons
  COMMENT "Drawing the desktop icons"
  VERBATIM)
add_custom_target(desktop_icons ALL DEPENDS ${_icon_outputs})
