// Tells when what the connections hold may have changed, without reading it: the registry
// signals any change under the TCP/IP interfaces' key (an address DHCP hands out, a cable
// pulled, an apply from anywhere). Costs nothing while nothing changes.
#pragma once

// Starts watching; 1 when the registry will signal. Without it, networkMayHaveChanged
// answers yes now and then, so a reader still follows the network, more slowly.
int startNetworkWatch();
// 1 once after a change since the last call (the watch goes on); cheap, for a timer.
int networkMayHaveChanged();
void stopNetworkWatch();
