#include "typed_answer.h"

#include "thaitext/folding.h"

#include <algorithm>
#include <limits>

namespace ripasso {
namespace {

using datafiles::Nearness;

unsigned char folded(char c) {
    return thaitext::foldingTable()[static_cast<unsigned char>(c)];
}

// The small letter of a code page 1252 capital; any other byte as it is.
unsigned char small(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
        return static_cast<unsigned char>(b + 0x20);
    if (b == 0x8A || b == 0x8C || b == 0x8E) // Š, Œ, Ž
        return static_cast<unsigned char>(b + 0x10);
    return b == 0x9F ? 0xFF : b; // Ÿ
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The nearest first; the very answer before all.
int rank(bool exact, Nearness nearness) {
    if (exact)
        return 0;
    switch (nearness) {
    case Nearness::CaseAndAccents:
        return 1;
    case Nearness::DoubledVowels:
        return 2;
    case Nearness::OneEdit:
        return 3;
    case Nearness::None:
        break;
    }
    return 4;
}

// The cost of the steps, for choosing among far answers: a step of a letter case or an
// accent costs less than any change.
std::size_t cost(const std::vector<LetterStep>& steps) {
    std::size_t total = 0;
    for (const LetterStep& s : steps)
        total += s.op == LetterOp::Same ? 0 : s.op == LetterOp::Folded ? 1 : 3;
    return total;
}

AnswerDifference oneEdit(const std::vector<LetterStep>& steps) {
    for (const LetterStep& s : steps)
        switch (s.op) {
        case LetterOp::Added:
            return AnswerDifference::LetterAdded;
        case LetterOp::Missing:
            return AnswerDifference::LetterMissing;
        case LetterOp::Swapped:
            return AnswerDifference::LettersSwapped;
        case LetterOp::Changed:
            return AnswerDifference::LetterChanged;
        case LetterOp::Same:
        case LetterOp::Folded:
            break;
        }
    return AnswerDifference::LetterChanged;
}

} // namespace

std::vector<LetterStep> letterSteps(std::string_view typed, std::string_view expected) {
    // The fewest changes by dynamic programming over both words, a swap of neighbours being
    // one change; costs as in `cost` above.
    const std::size_t n = typed.size(), m = expected.size(), width = m + 1;
    std::vector<std::size_t> best((n + 1) * width, 0);
    const auto at = [&](std::size_t i, std::size_t j) -> std::size_t& {
        return best[i * width + j];
    };
    const auto match = [&](std::size_t i, std::size_t j) -> std::size_t { // typed[i] by expected[j]
        return typed[i] == expected[j] ? 0 : folded(typed[i]) == folded(expected[j]) ? 1 : 3;
    };
    const auto swapped = [&](std::size_t i, std::size_t j) { // typed[i-1..i] by expected[j-1..j]
        return i >= 2 && j >= 2 && folded(typed[i - 1]) == folded(expected[j - 2]) &&
               folded(typed[i - 2]) == folded(expected[j - 1]) &&
               folded(typed[i - 1]) != folded(typed[i - 2]);
    };
    for (std::size_t i = 0; i <= n; ++i)
        for (std::size_t j = 0; j <= m; ++j) {
            if (i == 0 || j == 0) {
                at(i, j) = 3 * (i + j);
                continue;
            }
            std::size_t c = std::min(
                {at(i - 1, j - 1) + match(i - 1, j - 1), at(i - 1, j) + 3, at(i, j - 1) + 3});
            if (swapped(i, j))
                c = std::min(c, at(i - 2, j - 2) + 3);
            at(i, j) = c;
        }
    std::vector<LetterStep> steps;
    std::size_t i = n, j = m;
    while (i > 0 || j > 0) {
        if (i > 0 && j > 0 && at(i, j) == at(i - 1, j - 1) + match(i - 1, j - 1)) {
            const std::size_t c = match(i - 1, j - 1);
            steps.push_back({c == 0   ? LetterOp::Same
                             : c == 1 ? LetterOp::Folded
                                      : LetterOp::Changed,
                             typed[i - 1], expected[j - 1]});
            --i, --j;
        } else if (swapped(i, j) && at(i, j) == at(i - 2, j - 2) + 3) {
            steps.push_back({LetterOp::Swapped, typed[i - 1], expected[j - 1]});
            steps.push_back({LetterOp::Swapped, typed[i - 2], expected[j - 2]});
            i -= 2, j -= 2;
        } else if (j > 0 && at(i, j) == at(i, j - 1) + 3) {
            steps.push_back({LetterOp::Missing, 0, expected[j - 1]});
            --j;
        } else {
            steps.push_back({LetterOp::Added, typed[i - 1], 0});
            --i;
        }
    }
    std::reverse(steps.begin(), steps.end());
    return steps;
}

AnswerComparison compareAnswer(std::string_view typed, const std::vector<std::string>& accepted,
                               bool isPronunciation) {
    typed = trimmed(typed);
    AnswerComparison best;
    int bestRank = std::numeric_limits<int>::max();
    std::size_t bestCost = 0;
    for (std::size_t k = 0; k < accepted.size(); ++k) {
        const std::string_view answer = trimmed(accepted[k]);
        const bool exact = typed == answer;
        const Nearness nearness =
            typed.empty() ? Nearness::None : datafiles::nearnessOf(typed, answer, isPronunciation);
        const int r = rank(exact, nearness);
        if (r > bestRank)
            continue;
        std::vector<LetterStep> steps = letterSteps(typed, answer);
        const std::size_t c = cost(steps);
        if (r == bestRank && c >= bestCost)
            continue;
        bestRank = r;
        bestCost = c;
        best.nearness = nearness;
        best.matched = k;
        best.steps = std::move(steps);
    }
    best.accents = static_cast<std::size_t>(
        std::count_if(best.steps.begin(), best.steps.end(), [](const LetterStep& s) {
            return s.op == LetterOp::Folded && small(s.typed) != small(s.expected);
        }));
    if (typed.empty()) {
        best.difference = AnswerDifference::Empty;
        best.proposed = Grade::Again;
    } else if (bestRank == 0) {
        best.difference = AnswerDifference::None;
        best.proposed = Grade::Good;
    } else if (best.nearness == Nearness::CaseAndAccents) {
        best.difference =
            best.accents > 0 ? AnswerDifference::Accents : AnswerDifference::LetterCase;
        best.proposed = Grade::Good;
    } else if (best.nearness == Nearness::DoubledVowels) {
        best.difference = AnswerDifference::DoubledVowel;
        best.proposed = Grade::Good;
    } else if (best.nearness == Nearness::OneEdit) {
        best.difference = oneEdit(best.steps);
        best.proposed = Grade::Hard;
    } else {
        best.difference = AnswerDifference::Far;
        best.proposed = Grade::Again;
    }
    return best;
}

} // namespace ripasso
