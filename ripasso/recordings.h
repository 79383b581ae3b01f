#pragma once
// The learner's recordings of words, kept in the words' folder beside the data files: a WAV
// file named after the word's pronunciation ("rec_sawatdii.wav", "rec_sawatdii_2.wav"), which
// the record's `thaiSound` field then names. A recording is written under a temporary name of
// its own (".ripasso-rec-" and the final name), synced, linked into place (never over a file
// already there), and the folder synced; a kill leaves at most a complete file no record names,
// or a temporary file, which the next recording removes.

#include <QByteArray>

#include <filesystem>
#include <string>
#include <string_view>

namespace ripasso {

inline constexpr char kRecordingPrefix[] = "rec_";
inline constexpr char kRecordingTemporaryPrefix[] = ".ripasso-rec-";
inline constexpr int kLongestRecordingSeconds = 30;
inline constexpr int kShortestRecordingMilliseconds = 300;

// A WAV file (RIFF header, then the samples) of 16-bit mono PCM at `sampleRate`.
QByteArray waveFile(const QByteArray& pcm, int sampleRate);

// A name for a new recording of the pronunciation (code page 1252 bytes) that no file of
// `folder` has: "rec_", the pronunciation's letters and digits with the accents taken off, in
// lower case, anything else as "_", then "_2", "_3"… until the name is free, and ".wav".
std::string recordingName(std::string_view pronunciation, const std::filesystem::path& folder);

// Whether `name` is one the kit gave a recording: "rec_" then [a-z0-9_], ".wav".
bool isOwnRecording(std::string_view name);

// Writes `bytes` as `folder`/`name` through a temporary file; 0, or the errno of the failure
// (EEXIST when the name was taken meanwhile). Nothing is left under either name on failure.
int saveRecording(const std::filesystem::path& folder, const std::string& name,
                  const QByteArray& bytes);

// Removes the temporary files of recordings that were cut short (a kill while writing).
void removeTemporaryRecordings(const std::filesystem::path& folder);

} // namespace ripasso
