#pragma once
// The FSRS-4.5 memory model with its published default weights: a card's memory is its
// stability S (days until the chance of recall falls to 90%) and its difficulty D (1 to 10).
// Days are whole calendar days; the scheduler asks for a retention of 90%.

#include <array>
#include <optional>

namespace ripasso {

enum class Grade { Again = 1, Hard = 2, Good = 3, Easy = 4 };

struct Memory {
    double stability = 0;
    double difficulty = 0;
};

inline constexpr std::array<double, 17> kDefaultWeights = {
    0.4872, 1.4003, 3.7145, 13.8206, 5.1618, 1.2298, 0.8975, 0.031, 1.6474,
    0.1367, 1.0461, 2.1072, 0.0793,  0.3246, 1.587,  0.2272, 2.8755};

// The longest interval given, a hundred years.
inline constexpr int kMaxIntervalDays = 36500;

// The chance of recall `elapsedDays` after the last review.
double retrievability(double elapsedDays, double stability);

// The memory after a card's first answer.
Memory firstMemory(Grade grade);

// The memory after an answer given `elapsedDays` after the last one (0 for a second answer
// on the same day). Both new values are computed from the old difficulty.
Memory nextMemory(Memory memory, double elapsedDays, Grade grade);

// Whole days until the next review for a retention of 90%: the stability rounded, at least
// one day, at most kMaxIntervalDays.
int intervalDays(double stability);

// What a card keeps between reviews. Days are counted from 1970-01-01 in local time.
struct CardState {
    Memory memory;
    int dueDay = 0;
    int lastDay = 0;  // of the last answer
    int firstDay = 0; // of the first answer
    int reviews = 0;
    int lapses = 0; // answers Again after the first
};

// The card after an answer given on `today`: `before` is empty for a new card.
CardState answerCard(const std::optional<CardState>& before, int today, Grade grade);

} // namespace ripasso
