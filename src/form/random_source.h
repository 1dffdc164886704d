#pragma once

#include <random>

namespace quorvane {

// Random numbers for the occasional visit to the home page; tests pick the draw.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A fraction in [0, 1).
    virtual double fraction() = 0;
};

// A generator seeded by the system at start.
class SystemRandomSource : public RandomSource {
  public:
    SystemRandomSource();
    double fraction() override;

  private:
    std::mt19937_64 generator_;
};

}  // namespace quorvane
