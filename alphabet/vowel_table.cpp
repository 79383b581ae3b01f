#include "vowel_table.h"

namespace alphabet {

const std::vector<VowelForm>& vowelTable() {
    static const std::vector<VowelForm> table;
    return table;
}

const VowelForm& vowelForm(int number) {
    return vowelTable().at(static_cast<std::size_t>(number - 1));
}

const std::vector<ToneMarkEntry>& toneMarkTable() {
    static const std::vector<ToneMarkEntry> table;
    return table;
}

} // namespace alphabet
