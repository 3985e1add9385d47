// Starts outside programs as hidden processes and waits for them. Holds no data.
#pragma once

class CommandRunner {};
