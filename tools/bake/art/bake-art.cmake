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
