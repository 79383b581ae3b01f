#include "system_speech.h"

namespace platform {
namespace {

// Until the voice is built in: nothing can be said.
class NoSpeech : public Speech {
public:
    Outcome sayThai(std::string_view) override { return Outcome::NotInstalled; }
    Outcome sayItalian(const QString&) override { return Outcome::NotInstalled; }
    Outcome playFile(const QString&) override { return Outcome::NotInstalled; }
    void stop() override {}
    bool installed() const override { return false; }
};

} // namespace

std::unique_ptr<Speech> makeSystemSpeech() {
    return std::make_unique<NoSpeech>();
}

} // namespace platform
