#include "scene/GameRandom.h"

namespace scene {

int GameRandom::next()
{
    state = state * 214013u + 2531011u; // wraps modulo 2^32
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

void GameRandom::reset()
{
    state = 1;
}

GameRandom& gameRandom()
{
    static GameRandom generator;
    return generator;
}

} // namespace scene
