# A screen picture drawn item by item (2,000 lines, 500 texts) and read.
add_executable(bench_surface ${CMAKE_SOURCE_DIR}/bench/surface/SurfaceBench.cpp)
target_link_libraries(bench_surface PRIVATE platform_surface benchmark::benchmark Qt6::Widgets)
