# make web: the demo for the browser, compiled by Debian's Emscripten against
# the libraries scripts/build-libs.sh web cross-builds, into build-web/:
# emberwight.js and .wasm, emberwight.data (the shaders and resources, packed
# for the page) and the page itself (index.html, page.js, page.css).
set(WEB_LIBRARIES assimp minizip freeimage jpeg z)
foreach(name ${WEB_LIBRARIES})
  set(library ${EMBERWIGHT_WEB_PREFIX}/lib/lib${name}.a)
  if(NOT EXISTS ${library})
    message(FATAL_ERROR "${library} is missing: scripts/build-libs.sh web builds it")
  endif()
  list(APPEND WEB_LIBRARY_FILES ${library})
endforeach()
# Wasm's own exceptions and longjmp, as the libraries were built with.
set(WEB_CODE_FLAGS -fwasm-exceptions -sSUPPORT_LONGJMP=wasm)
target_compile_options(emberwight_core PUBLIC ${WEB_CODE_FLAGS})
target_include_directories(emberwight_core SYSTEM PUBLIC ${EMBERWIGHT_WEB_PREFIX}/include)
target_compile_definitions(emberwight_core PUBLIC FREEIMAGE_LIB)
target_link_libraries(emberwight_core PUBLIC ${WEB_LIBRARY_FILES} imgui_core)

add_executable(emberwight app/main.cpp app/web/BrowserPage.cpp)
target_link_libraries(emberwight PRIVATE emberwight_core)
# The sound through Emscripten's own OpenAL, on WebAudio. The page reaches
# its audio contexts through the exported AL, to start them on the first
# click, touch or key (app/web/page.js).
if(EMBERWIGHT_OPENAL)
  target_link_libraries(emberwight PRIVATE openal)
endif()
target_link_options(emberwight PRIVATE ${WEB_CODE_FLAGS}
  -sUSE_GLFW=3 -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 -sFULL_ES3=1
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=128MB -sEXIT_RUNTIME=0
  -sEXPORTED_RUNTIME_METHODS=FS,AL,callMain,ccall -sINVOKE_RUN=0
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/GraphicsEngine/Shader@/emberwight/GraphicsEngine/Shader"
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/resources/textures@/emberwight/resources/textures"
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/resources/models@/emberwight/resources/models"
  "SHELL:--exclude-file .generated")
# Debian's emcc runs its JavaScript optimiser under node, which must find
# Debian's acorn module (scripts/web/emscripten-env.sh says why).
set_property(TARGET emberwight PROPERTY CXX_LINKER_LAUNCHER
  ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
# Every change of the packed files re-links, which repacks them: the shaders,
# and the resources, whose generator touches a stamp in each folder.
file(GLOB_RECURSE WEB_PACKED CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/GraphicsEngine/Shader/*)
set_property(TARGET emberwight APPEND PROPERTY LINK_DEPENDS ${WEB_PACKED}
  ${CMAKE_SOURCE_DIR}/resources/textures/.generated ${CMAKE_SOURCE_DIR}/resources/models/.generated)

foreach(page index.html page.js page.css)
  configure_file(${CMAKE_SOURCE_DIR}/app/web/${page} ${CMAKE_BINARY_DIR}/${page} COPYONLY)
endforeach()
