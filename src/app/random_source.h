#pragma once

namespace quorvane {

// Random numbers for the occasional visit to the home page; tests pick the draw.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A fraction in [0, 1).
    virtual double fraction() = 0;
};

// Qt's system-seeded generator.
class SystemRandomSource : public RandomSource {
  public:
    double fraction() override;
};

}  // namespace quorvane
