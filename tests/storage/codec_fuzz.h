#ifndef QUILLEX_TESTS_STORAGE_CODEC_FUZZ_H
#define QUILLEX_TESTS_STORAGE_CODEC_FUZZ_H

// Random and mutated text files for the codec, from a fixed seed: nothing may
// crash or hang, and what was loaded comes back unchanged. The rounds within
// the size limit show no window and run beside other programs; the few beyond
// it (`beyondTheLimit`) show the size notice. Both see the inputs one run of
// all the rounds would.
void FuzzTextCodec(bool beyondTheLimit);

#endif
