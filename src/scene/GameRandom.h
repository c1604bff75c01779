#pragma once

#include <cstdint>

namespace scene {

// The game's pseudo-random source: the classic 15-bit linear congruential
// generator (values 0 to 32767). It is never seeded from outside, so every run
// places the same stones and cogwheels, whatever the C library's rand does.
class GameRandom {
public:
    static constexpr int maxValue = 32767;

    // Next value in 0..32767.
    int next();
    // Back to the state of a freshly started game.
    void reset();

private:
    std::uint32_t state = 1;
};

// The one generator that the obstacle and goodie placement draws from.
GameRandom& gameRandom();

} // namespace scene
