// Writes, as the samples' CSV, the doubles whose shortest texts every build
// must write alike: tools/cross-test compares a cross build's output with the
// native build's. The edges of the format (zeros, subnormals, the largest
// double, every power of two and of ten with both neighbours), integers past
// 2^53, and doubles of every digit count from a fixed seed.
// Usage: shortest-corpus [RANDOM-COUNT]   (default 200000)
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "samples/samplescsv.h"

int main(int argc, char** argv)
{
    const long count = argc > 1 ? std::atol(argv[1]) : 200000;
    std::vector<double> numbers = {0.0, std::numeric_limits<double>::denorm_min(),
                                   std::numeric_limits<double>::min(), std::numeric_limits<double>::max(),
                                   std::numeric_limits<double>::infinity()};
    const auto withNeighbours = [&numbers](double x) {
        numbers.insert(numbers.end(), {x, std::nextafter(x, 0.0), std::nextafter(x, HUGE_VAL)});
    };
    for (int e = -1074; e <= 1023; ++e)
        withNeighbours(std::ldexp(1.0, e));
    for (int e = -323; e <= 308; ++e)
        withNeighbours(std::strtod(("1e" + std::to_string(e)).c_str(), nullptr));
    // The standard fixes this engine's sequence, not a distribution's: raw draws only.
    std::mt19937_64 draw(20);
    for (long i = 0; i < count; ++i) {
        // One draw a statement: the order in which operands are evaluated is the compiler's.
        const std::uint64_t bits = draw();
        numbers.push_back(0.0);
        std::memcpy(&numbers.back(), &bits, sizeof bits);
        // Integers of up to 63 bits: their fixed form holds digits beyond the shortest.
        const std::uint64_t integer = draw();
        numbers.push_back(static_cast<double>(integer >> (draw() % 64)));
        // Every count of significant digits from 1 to 17, at every decimal exponent.
        const std::uint64_t digits = draw() % 17 + 1;
        std::uint64_t limit = 1;
        for (std::uint64_t d = 0; d < digits; ++d)
            limit *= 10;
        const std::string significand = std::to_string(draw() % limit);
        const std::string text = significand + "e" + std::to_string(static_cast<int>(draw() % 650) - 330);
        numbers.push_back(std::strtod(text.c_str(), nullptr));
    }
    std::vector<TSample> rows;
    for (std::size_t i = 0; i + 1 < numbers.size(); i += 2)
        rows.push_back({numbers[i], -numbers[i + 1], numbers[i] / 3});
    std::cout << SamplesCsv(rows);
    return std::cout.flush() ? 0 : 1;
}
