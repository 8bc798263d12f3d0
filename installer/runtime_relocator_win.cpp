// The start-up code's pseudo-relocation pass, for a program that needs none.
// mingw's own pass (2 KB, with the section walker it brings) patches the
// references to a DLL's data that the linker could not resolve; this program
// makes no such reference, so its list of them is empty and there is nothing
// to patch. Should a change ever add one, the program stops at its start -
// and the Wine tests with it - rather than run with a reference unpatched.
extern "C" char __RUNTIME_PSEUDO_RELOC_LIST__;
extern "C" char __RUNTIME_PSEUDO_RELOC_LIST_END__;

extern "C" void _pei386_runtime_relocator()
{
    if (&__RUNTIME_PSEUDO_RELOC_LIST__ != &__RUNTIME_PSEUDO_RELOC_LIST_END__)
        __builtin_trap();
}
