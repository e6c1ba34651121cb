# The engine under Wine: test skins made by the build (resource modules from
# the scripts in skins/, folders written by make_test_skins.py), loading and
# drawing tests, and the load refused on an 8-bit screen.
set(test_skins ${CMAKE_CURRENT_BINARY_DIR}/skins)
add_custom_command(OUTPUT ${test_skins}/module/images.rc ${test_skins}/module/frames.rc
    ${test_skins}/module/office.rc ${test_skins}/probe-module/probe.rc
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/make_test_skins.py ${test_skins}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make_test_skins.py ${CMAKE_CURRENT_SOURCE_DIR}/make_skin_images.py
    ${CMAKE_CURRENT_SOURCE_DIR}/make_probe_skin.py)
add_custom_target(skin_test_skins DEPENDS ${test_skins}/module/images.rc ${test_skins}/probe-module/probe.rc)

# A module of resources only: no code, no imports, entry point 0.
function(tavrelin_add_test_skin name rc_file)
  add_library(${name} MODULE ${rc_file} ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "" LINKER_LANGUAGE C)
  target_include_directories(${name} PRIVATE ${test_skins}/module)
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS ${test_skins}/module/images.rc)
  add_dependencies(${name} skin_test_skins)
  target_link_options(${name} PRIVATE -nostdlib)
endfunction()

tavrelin_add_test_skin(test_skin_module ${CMAKE_CURRENT_SOURCE_DIR}/skins/TestSkin.rc)
target_link_options(test_skin_module PRIVATE -Wl,-e,0)
tavrelin_add_test_skin(test_skin_office ${CMAKE_CURRENT_SOURCE_DIR}/skins/OfficeSkin.rc)
target_link_options(test_skin_office PRIVATE -Wl,-e,0)
tavrelin_add_test_skin(test_skin_frames ${CMAKE_CURRENT_SOURCE_DIR}/skins/FramesSkin.rc)
target_link_options(test_skin_frames PRIVATE -Wl,-e,0)
# The same resources with an entry point that leaves a marker file.
tavrelin_add_test_skin(test_skin_marker ${CMAKE_CURRENT_SOURCE_DIR}/skins/TestSkin.rc
  ${CMAKE_CURRENT_SOURCE_DIR}/skins/MarkerEntry.c)
# Linked without a runtime, so without the stack protector's.
target_compile_options(test_skin_marker PRIVATE -fno-stack-protector)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(test_skin_marker PRIVATE -Wl,-e,_SkinEntry@12)
else()
  target_link_options(test_skin_marker PRIVATE -Wl,-e,SkinEntry)
endif()
target_link_libraries(test_skin_marker PRIVATE kernel32)

# The probe skin as the program loads its skins (Skin\probe.skin).
add_library(test_skin_probe MODULE ${test_skins}/probe-module/probe.rc)
set_target_properties(test_skin_probe PROPERTIES PREFIX "" SUFFIX ".skin" OUTPUT_NAME probe LINKER_LANGUAGE C)
target_include_directories(test_skin_probe PRIVATE ${test_skins}/probe-module)
add_dependencies(test_skin_probe skin_test_skins)
target_link_options(test_skin_probe PRIVATE -nostdlib -Wl,-e,0)

# A module with code that imports GetSysColor, for the import patching.
add_library(skin_hook_test_module MODULE ${CMAKE_CURRENT_SOURCE_DIR}/skins/HookTestModule.c)
set_target_properties(skin_hook_test_module PROPERTIES PREFIX "")
target_link_libraries(skin_hook_test_module PRIVATE user32)

tavrelin_add_gtest(skin_engine_tests
  SOURCES
    SkinEngineDrawTest.cpp
    SkinEngineFrameTest.cpp
    SkinEngineGdiTest.cpp
    SkinEngineHookTest.cpp
    SkinEngineLoadTest.cpp
    SkinEngineTakeoverTest.cpp
  LIBS tavrelin_skin_engine tavrelin_e2e_support comctl32)
add_dependencies(skin_engine_tests test_skin_module test_skin_office test_skin_marker skin_hook_test_module)

# The control objects in one gallery window under the probe skin.
tavrelin_add_gtest(skin_control_tests
  SOURCES
    SkinButtonTest.cpp
    SkinControlGallery.cpp
    SkinTabTest.cpp
    SkinToolBarTest.cpp
    SkinTrackBarTest.cpp
    SkinFallbackTest.cpp
    SkinFieldsTest.cpp
    SkinListsTest.cpp
    SkinMenuTest.cpp
    SkinSmallControlsTest.cpp
    SkinGallery.rc
  LIBS tavrelin_skin_engine tavrelin_e2e_support comctl32 comdlg32)
target_include_directories(skin_control_tests PRIVATE ${CMAKE_SOURCE_DIR})
set_source_files_properties(SkinGallery.rc PROPERTIES OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/res/app.manifest)
add_dependencies(skin_control_tests skin_test_skins test_skin_probe)
target_compile_definitions(skin_control_tests PRIVATE SKIN_TEST_SKINS="${test_skins}"
  SKIN_TEST_MODULE="$<TARGET_FILE:test_skin_module>")
target_compile_definitions(skin_engine_tests PRIVATE
  SKIN_TEST_SKINS="${test_skins}"
  SKIN_TEST_MODULE="$<TARGET_FILE:test_skin_module>"
  SKIN_TEST_OFFICE_MODULE="$<TARGET_FILE:test_skin_office>"
  SKIN_TEST_MARKER_MODULE="$<TARGET_FILE:test_skin_marker>"
  SKIN_HOOK_TEST_MODULE="$<TARGET_FILE:skin_hook_test_module>")

# Xvfb with an 8-bit screen gives 256 colours; the skin must be refused there.
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
  add_test(NAME skin_engine_depth8
    COMMAND ${XVFB_RUN} -a -s "-screen 0 640x480x8" env TAVRELIN_EXPECT_DEPTH8=1
      ${TAVRELIN_WINE_RUN} $<TARGET_FILE:skin_engine_tests> --gtest_filter=SkinEngineDepth8.* --gtest_color=no)
  tavrelin_wine_test_properties(skin_engine_depth8 120)
  set_tests_properties(skin_engine_depth8 PROPERTIES FAIL_REGULAR_EXPRESSION "SKIPPED")
endif()

# Figures for the report, not a test: scripts/wine-run.sh skin_engine_bench.exe
# build/i686/tests/unit/skin/test_skin_module.dll (inside a Wine session).
add_executable(skin_engine_bench SkinEngineBench.cpp)
target_link_libraries(skin_engine_bench PRIVATE tavrelin_skin_engine tavrelin_e2e_support comctl32)

add_test(NAME skintool_engine_commands
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/check_skintool_engine.py ${test_skins}
    $<TARGET_FILE:test_skin_module> ${CMAKE_CURRENT_BINARY_DIR}/skintool-work ${TAVRELIN_WINE_RUN}
    $<TARGET_FILE:skintool>)
tavrelin_wine_test_properties(skintool_engine_commands 300)
