#pragma once
// Where the player's own files go. Beside the program when its folder can be written (a
// build folder, a personal install) or already holds the file writable; otherwise, as for
// a system-wide install, in the per-user folders: the records (dojokai.dat, and everything
// kept with it) in $XDG_DATA_HOME/dojokai/, the settings (dojokai.cfg) in
// $XDG_CONFIG_HOME/dojokai/. The word list and the manual are not the player's: they are
// read where the program's data lies.
#include <functional>
#include <optional>
#include <string>

namespace records {

// Reads one environment variable (nullopt when it is not set).
using Environment = std::function<std::optional<std::string>(const char* name)>;
// The process's own environment, with the home folder from the user database when HOME is
// not set.
Environment ProcessEnvironment();

struct PlayerFolders {
  std::string data;    // folder of dojokai.dat and the records kept with it, ends in '/'
  std::string config;  // folder of dojokai.cfg, ends in '/'
};

// Whether a file or folder may be written (access(2) by default).
using WritableTest = std::function<bool(const std::string& path)>;

// `programFolder` ends in '/'. A program in a "bin" folder with "../share/dojokai" beside it
// counts as installed and uses the per-user folders even where its folder can be written,
// unless the file already lies there writable. A per-user folder is chosen only when it can be named (an
// absolute XDG variable or a home folder); it is not created here.
PlayerFolders ChoosePlayerFolders(const std::string& programFolder, const Environment& env,
                                  const WritableTest& writable = {});

// Creates a folder and its missing parents (private to the user); true when it exists.
bool MakeFolders(const std::string& folder);

}  // namespace records
