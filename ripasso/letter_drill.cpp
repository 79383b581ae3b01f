#include "letter_drill.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace ripasso {

std::vector<const alphabet::Consonant*> drillLetters() {
    std::vector<const alphabet::Consonant*> letters;
    for (const alphabet::Consonant& c : alphabet::consonantTable())
        if (c.letterClass != alphabet::ConsonantClass::VowelLetter)
            letters.push_back(&c);
    return letters;
}

double drawWeight(double missWeight) {
    return 1 + 3 * missWeight;
}

LetterScore scoreAfter(LetterScore score, bool right) {
    ++score.asked;
    if (right) {
        score.weight /= 2;
    } else {
        ++score.missed;
        score.weight = std::min(score.weight + 1, 4.0);
    }
    return score;
}

std::vector<DrillQuestion> DrillMaker::makeRound(const std::vector<LetterScore>& scores,
                                                 int count) {
    std::map<int, double> missWeight;
    for (const LetterScore& s : scores)
        missWeight[s.code] = s.weight;
    std::vector<const alphabet::Consonant*> pool = drillLetters();
    std::vector<DrillQuestion> round;
    while (static_cast<int>(round.size()) < count && !pool.empty()) {
        std::vector<double> weights;
        for (const alphabet::Consonant* c : pool) {
            const auto it = missWeight.find(c->code);
            weights.push_back(drawWeight(it == missWeight.end() ? 0 : it->second));
        }
        std::discrete_distribution<std::size_t> draw(weights.begin(), weights.end());
        const std::size_t picked = draw(random_);
        round.push_back(makeQuestion(*pool[picked]));
        pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(picked));
    }
    return round;
}

DrillQuestion DrillMaker::makeQuestion(const alphabet::Consonant& asked) {
    DrillQuestion question;
    question.letter = asked.number;
    if (kind_ == DrillKind::Class) {
        question.choiceCount = 3;
        question.choices = {static_cast<int>(alphabet::ConsonantClass::Mid),
                            static_cast<int>(alphabet::ConsonantClass::High),
                            static_cast<int>(alphabet::ConsonantClass::Low), 0};
        question.right = static_cast<int>(asked.letterClass);
        return question;
    }
    // Three other letters, each of a reading unlike the others', so that no two choices
    // read or sound alike; then the four in a random order.
    std::vector<const alphabet::Consonant*> others;
    for (const alphabet::Consonant* c : drillLetters())
        if (c != &asked && std::strcmp(c->reading, asked.reading) != 0)
            others.push_back(c);
    std::shuffle(others.begin(), others.end(), random_);
    std::vector<const alphabet::Consonant*> chosen = {&asked};
    for (const alphabet::Consonant* c : others) {
        if (chosen.size() == 4)
            break;
        if (std::none_of(chosen.begin(), chosen.end(), [c](const alphabet::Consonant* k) {
                return std::strcmp(k->reading, c->reading) == 0;
            }))
            chosen.push_back(c);
    }
    std::shuffle(chosen.begin(), chosen.end(), random_);
    question.choiceCount = static_cast<int>(chosen.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        question.choices[i] = chosen[i]->number;
        if (chosen[i] == &asked)
            question.right = static_cast<int>(i);
    }
    return question;
}

} // namespace ripasso
