// Adapter discovery: the machine's network connections and their TCP/IP settings, read
// from the registry into an adapter list. The catalogue holds the list and offers these
// as its own operations (src/profiles/profile_catalog.h).
#pragma once

#include "adapter_list.h"

// How discovery finds driver descriptions: the device class key read once for all
// connections, or read again for each connection (same result; see bench/).
enum class DescriptionScan { Once, PerConnection };

// Fills an empty list; 1 when the network class key was read, 0 when the list was not
// empty or the key cannot be read.
int discoverAdapters(AdapterList& adapters, DescriptionScan scan);
// Copies slot `index` (0..19); the copy shares the slot's texts until the release.
int adapterSlotAt(const AdapterList& adapters, int index, AdapterInfo* out);
// Frees every slot's texts and resets all slots to hold nothing.
int releaseAdapterList(AdapterList& adapters);
