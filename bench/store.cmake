# The table cursor beside raw SQLite: a 72-element Single column written and read back, one value written
# and read.
add_executable(bench_store ${CMAKE_CURRENT_LIST_DIR}/store/StoreBench.cpp)
target_link_libraries(bench_store PRIVATE store schema benchmark::benchmark Qt6::Widgets)
