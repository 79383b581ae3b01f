#pragma once
// The side-by-side table: each figure of the kit beside a baseline measured in the same run
// and the target it has to meet.

#include "dictionary_generator.h"

#include <string>

namespace bench {

// The programs the table runs as processes of their own.
struct Programs {
    std::string lookupProbe; // one console look-up (lookup_probe.cpp)
    std::string loadProbe;   // one whole load in a fresh process (load_probe.cpp)
    std::string writeProbe;  // written entries (write_probe.cpp)
    std::string firstPaint;  // a program's start to its first paint (first_paint.cpp), or empty
    std::string vocaboro;
    std::string chartola;
    std::string ripassoProbe; // Ripasso's start to its first card (bench/ripasso_probe.cpp)
    std::string importProbe;  // the import of a CSV file beside plain C (import_probe.cpp)
};

// Runs the measurements on the dictionary generated in `folder` (one record is appended to
// its largest forward file, and the write rows add entries) and returns the table as text.
std::string sideBySideTable(const std::string& folder, const GeneratedDictionary& generated,
                            const Programs& programs);

} // namespace bench
