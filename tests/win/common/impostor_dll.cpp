// A DLL that stands in for a system DLL of the same name in the program's directory.
extern "C" __declspec(dllexport) int impostor() { return 1; }
