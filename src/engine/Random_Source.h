#pragma once
#include <cstdint>
#include <random>

// Where the random prefix and suffix draws come from; injected so tests can
// fix the sequence.
class TRandom_Source {
public:
    virtual ~TRandom_Source() = default;
    // A uniform draw from 0 to n - 1; 0 when n is 0 or less.
    virtual int Random_Below(int n) = 0;
};

class TSeeded_Random : public TRandom_Source {
public:
    explicit TSeeded_Random(std::uint32_t seed = 0) : generator_(seed) {}
    void Seed(std::uint32_t seed) { generator_.seed(seed); }
    int Random_Below(int n) override
    {
        if (n <= 0)
            return 0;
        return std::uniform_int_distribution<int>(0, n - 1)(generator_);
    }

private:
    std::mt19937 generator_;
};
