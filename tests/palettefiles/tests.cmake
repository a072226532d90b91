# Palette file format tests, built natively against the module alone.
add_executable(palettefiles_tests
  ${CMAKE_CURRENT_LIST_DIR}/PaletteReadTests.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PaletteWriteTests.cpp)
target_link_libraries(palettefiles_tests PRIVATE palettefiles GTest::gtest GTest::gtest_main)
target_compile_definitions(palettefiles_tests PRIVATE
  PALETTE_FIXTURE_DIR="${CMAKE_CURRENT_LIST_DIR}/fixtures"
  WILD_PALETTE_DIR="${CMAKE_SOURCE_DIR}/tests/palettes")
gtest_discover_tests(palettefiles_tests TEST_PREFIX "palettefiles." DISCOVERY_TIMEOUT 30)
