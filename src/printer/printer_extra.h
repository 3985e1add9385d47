// The default printer as one kind of a profile's extras.
#pragma once

#include "../common/profile_extra.h"

extern const ExtraKind kPrinterExtra;
