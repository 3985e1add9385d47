// The running Windows version as a family and edition code (see version_code.h).
#pragma once

int classifyWindowsVersion();
