#ifndef QUILLEX_TESTS_SEEDED_FUZZER_H
#define QUILLEX_TESTS_SEEDED_FUZZER_H

#include <stdint.h>

#include <string>

// Random and mutated files for the readers of the program's own files, from
// a fixed seed so that a failure repeats.
class Fuzzer {
public:
    explicit Fuzzer(uint32_t seed) : state(seed) {}

    // xorshift32: the same numbers with every compiler and library.
    uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    uint32_t Below(uint32_t n) { return Next() % n; }

    // Bytes the formats care about, often; any byte now and then.
    char Byte()
    {
        static const char special[] = "\0\r\n=|\t/%!.LOGlog\xFF\xFE\xEF\xBB\xBF\xE0\xD0\xC1\x04\x5C";
        return Below(3) ? special[Below(sizeof(special) - 1)] : (char)Below(256);
    }

    std::string Random(uint32_t longest)
    {
        std::string bytes(Below(longest + 1), '\0');
        for (char& b : bytes)
            b = Byte();
        return bytes;
    }

    // A few flips, insertions, deletions, repeats and a cut.
    std::string Mutate(std::string bytes)
    {
        for (uint32_t n = 1 + Below(8); n > 0; --n) {
            size_t at = bytes.empty() ? 0 : Below((uint32_t)bytes.size());
            switch (Below(5)) {
            case 0: if (!bytes.empty()) bytes[at] = Byte(); break;
            case 1: bytes.insert(at, 1, Byte()); break;
            case 2: if (!bytes.empty()) bytes.erase(at, 1 + Below(4)); break;
            case 3: bytes.insert(at, bytes.substr(at, Below(40))); break;
            default: if (Below(4) == 0) bytes.resize(at); break;
            }
        }
        return bytes;
    }

    // Half random, half a mutated copy of a good file.
    std::string Input(const std::string& good, uint32_t longest)
    {
        return Below(2) ? Random(longest) : Mutate(good);
    }

private:
    uint32_t state;
};

// Inputs each reader is given.
const int kFuzzRounds = 2000;

#endif
