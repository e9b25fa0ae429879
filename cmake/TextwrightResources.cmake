# The one version number (the top-level project()) reaches the code and the resource scripts
# through a generated header, so a release changes it in one place only.
if(PROJECT_VERSION_PATCH STREQUAL "")
    message(FATAL_ERROR "project() needs a three-part VERSION (major.minor.patch)")
endif()
set(TW_PRODUCT_NAME "Textwright")
set(TW_COMPANY_NAME "Kolvenmark")
set(TW_PRODUCT_DESCRIPTION "Ready-made rich-text replies, typed into any application")
set(TW_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/textwright_version.h.in
               ${TW_GENERATED_DIR}/textwright_version.h @ONLY)

# The icon is drawn from art/icon and committed, so that a build without ImageMagick (Windows)
# still has it. It is redrawn only when asked: another ImageMagick may anti-alias differently
# and must not rewrite a committed file behind the builder's back.
set(TW_ICON ${PROJECT_SOURCE_DIR}/src/app/win32/res/textwright.ico)
option(TW_REGENERATE_ICON "Redraw ${TW_ICON} from art/icon at configure time (needs ImageMagick)" OFF)
if(TW_REGENERATE_ICON)
    set(icon_art ${PROJECT_SOURCE_DIR}/art/icon)
    execute_process(COMMAND bash ${icon_art}/make_icon.sh ${TW_ICON} RESULT_VARIABLE icon_result)
    if(NOT icon_result EQUAL 0)
        message(FATAL_ERROR "Could not draw the icon (is ImageMagick installed?)")
    endif()
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${icon_art}/make_icon.sh ${icon_art}/small.mvg ${icon_art}/large.mvg)
endif()

# tw_resources(target SCRIPT [DEPENDS file...]): adds a resource script to a target; DEPENDS
# names the files it embeds, relative to the script. windres reports no dependencies, so the
# script is listed as depending on them, the version header and the shared version block;
# otherwise a new version or icon would not be rebuilt.
function(tw_resources target script)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    get_filename_component(script ${script} ABSOLUTE)
    get_filename_component(script_dir ${script} DIRECTORY)
    list(TRANSFORM ARG_DEPENDS PREPEND ${script_dir}/)
    target_sources(${target} PRIVATE ${script})
    set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS
        "${TW_GENERATED_DIR}/textwright_version.h;${PROJECT_SOURCE_DIR}/src/app/win32/res/version_info.inc;${ARG_DEPENDS}")
endfunction()
