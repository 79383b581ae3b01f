#include "fsrs.h"

#include <algorithm>
#include <cmath>

namespace ripasso {
namespace {

constexpr double kDecay = -0.5;
constexpr double kFactor = 19.0 / 81.0; // so that R is 0.9 when t equals S
constexpr double kRetention = 0.9;

double w(int index) {
    return kDefaultWeights[static_cast<std::size_t>(index)];
}

double clampDifficulty(double d) {
    return std::clamp(d, 1.0, 10.0);
}

double initialDifficulty(Grade grade) {
    return clampDifficulty(w(4) - (static_cast<int>(grade) - 3) * w(5));
}

} // namespace

double retrievability(double elapsedDays, double stability) {
    return std::pow(1 + kFactor * elapsedDays / stability, kDecay);
}

Memory firstMemory(Grade grade) {
    return {w(static_cast<int>(grade) - 1), initialDifficulty(grade)};
}

Memory nextMemory(Memory memory, double elapsedDays, Grade grade) {
    const double s = memory.stability;
    const double d = memory.difficulty;
    const double r = retrievability(std::max(0.0, elapsedDays), s);
    const int g = static_cast<int>(grade);
    Memory next;
    if (grade == Grade::Again) {
        next.stability = std::min(s, w(11) * std::pow(d, -w(12)) * (std::pow(s + 1, w(13)) - 1) *
                                         std::exp(w(14) * (1 - r)));
    } else {
        const double hard = grade == Grade::Hard ? w(15) : 1;
        const double easy = grade == Grade::Easy ? w(16) : 1;
        next.stability = s * (std::exp(w(8)) * (11 - d) * std::pow(s, -w(9)) *
                                  (std::exp(w(10) * (1 - r)) - 1) * hard * easy +
                              1);
    }
    next.difficulty =
        clampDifficulty(w(7) * initialDifficulty(Grade::Good) + (1 - w(7)) * (d - w(6) * (g - 3)));
    return next;
}

int intervalDays(double stability) {
    const double days = stability / kFactor * (std::pow(kRetention, 1 / kDecay) - 1);
    if (!(days < kMaxIntervalDays)) // NaN included
        return kMaxIntervalDays;
    return std::max(1, static_cast<int>(std::lround(days)));
}

CardState answerCard(const std::optional<CardState>& before, int today, Grade grade) {
    CardState card;
    if (before) {
        card = *before;
        card.memory = nextMemory(before->memory, today - before->lastDay, grade);
        if (grade == Grade::Again)
            ++card.lapses;
    } else {
        card.memory = firstMemory(grade);
        card.firstDay = today;
    }
    ++card.reviews;
    card.lastDay = today;
    card.dueDay = today + intervalDays(card.memory.stability);
    return card;
}

} // namespace ripasso
