# The simulated network: the netsh and iphlpapi stand-ins and the machine seed (never shipped).
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

# The iphlpapi.dll stand-in: the two functions the tool binds and the one Wine's wininet
# calls, by their Windows names (the .def keeps i686's stdcall names undecorated).
add_library(sim_iphlpapi SHARED sim/iphlpapi/iphlpapi_main.cpp sim/iphlpapi/iphlpapi.def)
set_target_properties(sim_iphlpapi PROPERTIES OUTPUT_NAME iphlpapi PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/sim LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/sim)
target_compile_options(sim_iphlpapi PRIVATE ${TESSALY_WARNINGS})
target_link_libraries(sim_iphlpapi PRIVATE tessaly_sim)
# i686: the .def's plain names bind to the stdcall symbols (GetIpNetTable@12) on purpose.
target_link_options(sim_iphlpapi PRIVATE -static $<$<EQUAL:${CMAKE_SIZEOF_VOID_P},4>:-Wl,--enable-stdcall-fixup>)
