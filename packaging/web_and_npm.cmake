# What the WebAssembly build ships, from the one tage.wasm:
#
# - the npm package tage-VERSION.tgz (`cmake --build --preset wasm --target npm_package`):
#   the launcher npm/tage.js as the command `tage`, tage.wasm, the guide as README.md and
#   the licence, packed by npm pack from the folder npm/ of the build;
# - the page's folder web/ of the build: the files of web/ with the program's bytes in
#   tage-wasm.js, and as the package tage-VERSION-web.zip (`cpack --preset wasm`).
set(TAGE_OLDEST_NODE 18.17.0)  # the first with WASI not behind a flag
find_program(TAGE_NPM npm REQUIRED)
find_program(TAGE_NODE node REQUIRED)
set(npm_dir ${out}/npm)
set(web_dir ${out}/web)
set(web_source ${PROJECT_SOURCE_DIR}/web)

tage_json_text("${PROJECT_DESCRIPTION}" TAGE_DESCRIPTION_JSON)
tage_json_text("${TAGE_MAINTAINER}" TAGE_MAINTAINER_JSON)
configure_file(npm/package.json.in ${npm_dir}/package.json @ONLY)
add_custom_command(
  OUTPUT ${npm_dir}/tage.js ${npm_dir}/tage.wasm ${npm_dir}/README.md ${npm_dir}/LICENSE
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/npm/tage.js ${npm_dir}/tage.js
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tage> ${npm_dir}/tage.wasm
  COMMAND ${CMAKE_COMMAND} -E copy ${guide_markdown} ${npm_dir}/README.md
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${npm_dir}/LICENSE
  DEPENDS tage npm/tage.js ${guide_markdown} ${PROJECT_SOURCE_DIR}/LICENSE
  COMMENT "Gathering the npm package in ${npm_dir}")

# The page's files: those copied as they are, and those that name the project's
# description, filled in from it.
set(web_copied tage.css program.js page.js icon.svg)
set(web_configured index.html manifest.webmanifest)
list(TRANSFORM web_copied PREPEND ${web_source}/ OUTPUT_VARIABLE web_sources)
list(TRANSFORM web_copied PREPEND ${web_dir}/ OUTPUT_VARIABLE web_copies)
list(TRANSFORM web_configured PREPEND ${web_dir}/ OUTPUT_VARIABLE web_filled)
tage_xml_text("${PROJECT_DESCRIPTION}" TAGE_DESCRIPTION_XML)
foreach(file IN LISTS web_configured)
  configure_file(${web_source}/${file} ${web_dir}/${file} @ONLY)
endforeach()
set(web_files ${web_configured} ${web_copied})
# The icons that phones want as PNG, drawn from icon.svg, whose letters are paths, so that
# the pictures depend on no font: 180 px for the home screen of iOS (apple-touch-icon),
# 192 and 512 px for Android's (the manifest).
find_program(TAGE_RSVG_CONVERT rsvg-convert REQUIRED)
set(web_icons "")
foreach(size 180 192 512)
  set(icon ${web_dir}/icon-${size}.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${TAGE_RSVG_CONVERT} --width=${size} --height=${size} --output=${icon}
            ${web_source}/icon.svg
    DEPENDS ${web_source}/icon.svg
    COMMENT "Drawing the icon of ${size} px")
  list(APPEND web_icons ${icon})
  list(APPEND web_files icon-${size}.png)
endforeach()
# The service worker caches every file of the page under a name of this version's.
list(JOIN web_files "', '" WEB_FILES)
string(APPEND WEB_FILES "', 'tage-wasm.js")
configure_file(${web_source}/sw.js ${web_dir}/sw.js @ONLY)
add_custom_command(
  OUTPUT ${web_dir}/tage-wasm.js ${web_copies}
  COMMAND ${CMAKE_COMMAND} -E copy ${web_sources} ${web_dir}
  COMMAND ${TAGE_NODE} ${CMAKE_CURRENT_SOURCE_DIR}/embed_wasm.js $<TARGET_FILE:tage>
          ${web_dir}/tage-wasm.js
  DEPENDS tage ${web_sources} embed_wasm.js
  COMMENT "Gathering the page in ${web_dir}")
add_custom_target(web_and_npm ALL DEPENDS ${web_dir}/tage-wasm.js ${web_icons} ${npm_dir}/tage.js)

# npm pack gives every file the same time and mode whoever packs it, so two builds give the
# same bytes.
set(npm_package ${out}/tage-${PROJECT_VERSION}.tgz)
add_custom_command(
  OUTPUT ${npm_package}
  COMMAND ${CMAKE_COMMAND} -E env npm_config_update_notifier=false npm_config_fund=false
          npm_config_audit=false ${TAGE_NPM} pack --silent --pack-destination ${out}
  WORKING_DIRECTORY ${npm_dir}
  DEPENDS ${npm_dir}/tage.js ${npm_dir}/package.json
  COMMENT "Packing ${npm_package}")
add_custom_target(npm_package DEPENDS ${npm_package})

install(FILES ${web_dir}/tage-wasm.js ${web_dir}/sw.js ${web_filled} ${web_copies} ${web_icons}
        DESTINATION .)
set(CPACK_GENERATOR ZIP)
tage_target(wasm wasm)
set(CPACK_SYSTEM_NAME ${wasm_PACKAGE})
include(CPack)
