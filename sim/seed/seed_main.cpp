// Seeds the simulated machine's network connections into the current Wine prefix.
#include <cstdio>

#include "machine_seed.h"

int main() {
    if (!seedSimulatedMachine()) {
        std::fprintf(stderr, "seeding the simulated machine failed\n");
        return 1;
    }
    return 0;
}
