#include "profile_extras.h"

#include "../adapters/network_extra.h"
#include "../browser/proxy_extra.h"
#include "../printer/printer_extra.h"
#include "../resources/resource.h"

const ExtraKind* const kExtraKinds[kExtraKindCount] = {&kProxyExtra, &kPrinterExtra, &kNetworkExtra};
const int kExtraSaveChecks[kExtraKindCount] = {IDC_SAVE_PROXY_CHECK, IDC_SAVE_PRINTER_CHECK, 0};

int createExtraStates(ExtraStates* out) {
    int created = 1;
    for (int i = 0; i < kExtraKindCount; ++i) {
        out->states[i] = kExtraKinds[i]->create();
        created = created && out->states[i] != nullptr;
    }
    if (!created) releaseExtraStates(out);
    return created;
}

void releaseExtraStates(ExtraStates* states) {
    for (int i = 0; i < kExtraKindCount; ++i) {
        if (states->states[i] != nullptr) kExtraKinds[i]->release(states->states[i]);
        states->states[i] = nullptr;
    }
}

ExtraOutcomes extraOutcomes(const ExtraStates& states) { return {kExtraKinds, states.states, kExtraKindCount}; }
