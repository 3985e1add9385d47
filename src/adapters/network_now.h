// What the connections see of their network now: each connection's address and default
// gateway from the registry, the gateway's hardware address from the ARP table
// (iphlpapi, bound at first use), and a DHCP connection's server and DNS suffix.
#pragma once

#include "network_place.h"

// Reads every connection into *out; 0 when the network class key cannot be read. With
// waitMs, a gateway missing from the ARP table is asked for (ARP, on a thread of its own),
// waiting at most waitMs for the answers; otherwise, and for a gateway that does not
// answer, the table alone says. The window's thread is never held longer than waitMs.
int readNetworkNow(NetworkNow* out, unsigned waitMs);
// Brings the hardware addresses of the gateways read earlier up to date from the ARP
// table alone; a gateway the table no longer lists keeps its own. Cheap, for a timer.
void refreshGatewayHardware(NetworkNow* now);
