# The simulated network: the netsh stand-in and the machine seed (never shipped).
add_library(tessaly_sim STATIC sim/sim_registry.cpp sim/seed/machine_seed.cpp)
target_include_directories(tessaly_sim PUBLIC sim sim/seed sim/netsh)
target_compile_options(tessaly_sim PRIVATE ${TESSALY_WARNINGS})
target_link_libraries(tessaly_sim PUBLIC tessaly_portable)

add_executable(sim_netsh sim/netsh/netsh_main.cpp)
add_executable(sim_seed_machine sim/seed/seed_main.cpp)
set_target_properties(sim_netsh PROPERTIES OUTPUT_NAME netsh RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/sim)
set_target_properties(sim_seed_machine PROPERTIES OUTPUT_NAME seed_machine
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/sim)
foreach(target sim_netsh sim_seed_machine)
    target_compile_options(${target} PRIVATE ${TESSALY_WARNINGS})
    target_link_libraries(${target} PRIVATE tessaly_sim)
    target_link_options(${target} PRIVATE -static)
endforeach()
