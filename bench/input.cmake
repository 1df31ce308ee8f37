# The grid editor beside a bare table: the refresh of a 72 x 8 grid and the paste of a 72 x 6 block.
add_executable(bench_input ${CMAKE_CURRENT_LIST_DIR}/input/GridBench.cpp)
target_link_libraries(bench_input PRIVATE input benchmark::benchmark Qt6::Widgets)
