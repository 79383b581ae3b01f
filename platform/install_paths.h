#pragma once
// Where the drive folders of typed paths ("C:" is drive_c) live.
//
// A build run from its tree keeps drive_c beside the programs, as the build made it. An
// installed copy (PREFIX/bin with PREFIX/share/thai-kit/drive_c) cannot write there, so
// "C:" leads to a folder of the user's own, DATA_HOME/thai-kit/drive_c, which the starter
// dictionary and sounds fill the first time a program starts. Each top-level folder of the
// starter drive (THAI) is copied whole, under a temporary name that is renamed into place
// only when every file is there; a folder the user already has is never written to, so a
// word added, changed or removed stays as the user left it. Removing the user's THAI folder
// brings the starter back at the next start.

#include <filesystem>

namespace platform {

// $XDG_DATA_HOME, or ~/.local/share when it is unset, empty or not an absolute path.
std::filesystem::path userDataHome();

// The folder that holds drive_c for programs in `programFolder`. For an installed copy
// this seeds `dataHome`/thai-kit/drive_c; when that folder cannot be made at all (a
// home that cannot be written), "C:" leads to the installed starter drive, where look-ups
// work and a write fails with its message.
std::filesystem::path driveRoot(const std::filesystem::path& programFolder,
                                const std::filesystem::path& dataHome);

// Copies every top-level entry of `starterDrive` that `userDrive` lacks; an entry that
// exists is left alone. The copies can be written by their owner. True when every entry of
// the starter is now in `userDrive`.
bool seedDrive(const std::filesystem::path& starterDrive, const std::filesystem::path& userDrive);

} // namespace platform
