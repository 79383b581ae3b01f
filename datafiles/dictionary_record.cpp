#include "dictionary_record.h"

#include <stdexcept>

namespace datafiles {

std::string& DictionaryRecord::field(int index) {
    return const_cast<std::string&>(static_cast<const DictionaryRecord&>(*this).field(index));
}

const std::string& DictionaryRecord::field(int index) const {
    switch (index) {
    case 0:
        return headword;
    case 1:
        return counterpart;
    case 2:
        return attribute;
    case 3:
        return note;
    case 4:
        return thai;
    case 5:
        return thaiSound;
    case 6:
        return italianSound;
    }
    throw std::out_of_range("DictionaryRecord has seven fields");
}

} // namespace datafiles
