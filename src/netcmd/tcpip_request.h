// The values of one change of a connection's TCP/IP settings. Portable: no windows.h.
#pragma once

#include <cstdint>

// Addresses are packed with the first dotted part in bits 31..24; 0 means no address.
struct TcpIpRequest {
    int32_t adapterIndex;   // combo box entry = adapter slot; -1 when none is selected
    uint8_t addressAuto;    // 1: DHCP; any other value: fixed
    uint32_t address;
    uint32_t subnetMask;
    uint32_t gateway;
    uint8_t dnsAuto;        // 1: DNS servers from DHCP; any other value: fixed
    uint32_t preferredDns;
    uint32_t alternateDns;  // 0: no alternate server
};
