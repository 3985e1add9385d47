// The machine's network connections as the TCP/IP dialog offers them.
#pragma once

#include <cstdint>

// One network connection. The three texts are owned by the slot of the list.
struct AdapterInfo {
    char* connectionName;  // the name users know, handed to netsh
    char* instanceId;      // the adapter's instance id (a GUID in braces)
    char* description;     // the driver description, or null
    uint8_t addressAuto;   // 1: DHCP
    uint32_t address;      // packed, first dotted part in bits 31..24; 0: none
    uint32_t subnetMask;
    uint32_t gateway;
    uint8_t dnsAuto;       // 1: DNS servers from DHCP
    uint32_t preferredDns;
    uint32_t alternateDns;
};

constexpr int kMaxAdapters = 20;

struct AdapterList {
    int adapterCount;
    AdapterInfo slots[kMaxAdapters];
};

// A slot holding nothing: no texts, automatic address and DNS, every address 0.
void resetAdapterSlot(AdapterInfo& slot);
