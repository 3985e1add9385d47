// What the simulated machine holds, for comparing before and after.
#pragma once

#include <map>
#include <string>
#include <vector>

// Every value (type and data) of the seeded connections' interface keys, by
// "instance id\\value name".
std::map<std::string, std::string> interfaceValues();

// The lines of a text with CR LF line ends (the netsh stand-in's log).
std::vector<std::string> crlfLines(const std::string& text);
