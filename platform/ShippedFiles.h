#pragma once
// The files the game ships with and only reads (the word list ".bin", the manual ".hlp").
// They lie beside the program in a build folder or a personal install, and in
// PREFIX/share/dojokai/ when the program is installed as PREFIX/bin/dojokai.
#include <string>
#include <vector>

namespace plat {

// The shipped file named like the program with extension `ext`: beside the program when it
// is there, else in the share folder of the install when it is there, else beside the
// program (where a missing file is looked for first).
std::string ShippedFilePath(const std::string& programPath, const std::string& ext);

// A folder of shipped files (the romaji lists "romaji"): beside the program when it is there,
// else in the share folder of the install.
std::string ShippedFolderPath(const std::string& programPath, const std::string& name);

// For a program installed in a "bin" folder: the shipped files found in neither place, as
// paths in the share folder. Empty for a program anywhere else.
std::vector<std::string> MissingShippedFiles(const std::string& programPath);

// A sound of the drills (`name` as "key.wav"): in the folder "sounds" beside the program when
// it is there, else in PREFIX/share/dojokai/sounds/ when it is there, else beside the program.
// No sound is missed: a missing one stays silent.
std::string ShippedSoundPath(const std::string& programPath, const std::string& name);

// The extensions of the shipped files.
inline constexpr const char* kShippedExtensions[] = {".bin", ".hlp"};

}  // namespace plat
