// Tells when what a comparison reads may have changed, without reading it: the registry
// signals any change under the keys of the connections' TCP/IP and WINS values and names,
// and of the user's proxy and default printer (an apply from anywhere, an address DHCP
// writes). Costs one look per call while nothing changes.
#pragma once

// Starts watching; 1 when the registry will signal. Without it, networkMayHaveChanged
// answers yes now and then, so a reader still follows the network, more slowly.
int startNetworkWatch();
// 1 once after a change since the last call (the watch goes on); cheap, for a timer.
int networkMayHaveChanged();
void stopNetworkWatch();
